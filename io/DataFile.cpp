#include "DataFile.h"

#include "AtOnceWriter.h"
#include "CommandError.h"
#include "FileBytes.h"
#include "FileName.h"
#include "NumberText.h"
#include "ReadLimits.h"
#include "ResponseDescription.h"
#include "TextEncoding.h"
#include "TopologyDescription.h"

namespace trellon {

namespace {

using Lines = std::array<std::string, DataFileLines::kCount>;

enum Line {
    kFo = 1,
    kLd,
    kCs,
    kRd,
    kDF,
    kReserved1,
    kReserved2,
    kLevel,
    kCcor,
    kTopology,
    kResponse
};

bool isReserved(int lineNumber) {
    return lineNumber == kReserved1 || lineNumber == kReserved2;
}

[[noreturn]] void failOnFile(const char* action, const std::string& path,
                             const std::string& reason) {
    throw CommandError("Cannot " + std::string(action) + " the design file '" + path +
                       "': " + reason);
}

Lines splitLines(const std::string& content) {
    Lines lines;
    std::size_t start = 0;
    for (int number = 1; number <= DataFileLines::kCount && start < content.size(); ++number) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            end = content.size();
        }
        std::string_view bytes(content.data() + start, end - start);
        if (bytes.ends_with('\r')) {
            bytes.remove_suffix(1);
        }
        lines[number - 1] = isReserved(number) ? std::string(bytes) : textLineToUtf8(bytes);
        start = end + 1;
    }
    return lines;
}

int catalogueNumber(const std::string& path, const Lines& lines, int lineNumber, const char* what,
                    int last) {
    const std::string& text = lines[lineNumber - 1];
    int number = 0;
    try {
        number = TextToInt(text);
    } catch (const CommandError& notANumber) {
        failOnFile("load", path, "line " + std::to_string(lineNumber) + ": " + notANumber.what());
    }
    if (number < 1 || number > last) {
        failOnFile("load", path,
                   "line " + std::to_string(lineNumber) + " must be a " + what +
                       " number from 1 to " + std::to_string(last) + ", not '" + text + "'");
    }
    return number;
}

}  // namespace

DesignInputs DataFileLines::load(const std::string& path) {
    // Reading stops at the end of the last line that counts, so that a device without end
    // cannot hold the program.
    const Lines lines = splitLines(readFileBytes({.path = path,
                                                  .what = "the design file",
                                                  .limitBytes = kDesignFileLimit,
                                                  .lineCount = kCount}));
    DesignInputs inputs;
    inputs.Topology = catalogueNumber(path, lines, kTopology, "topology", kTopologyCount);
    inputs.Response = catalogueNumber(path, lines, kResponse, "response", kResponseCount);
    inputs.Fo = lines[kFo - 1];
    inputs.Ld = lines[kLd - 1];
    inputs.Cs = lines[kCs - 1];
    inputs.Rd = lines[kRd - 1];
    inputs.dF = lines[kDF - 1];
    inputs.level = lines[kLevel - 1];
    inputs.Ccor = lines[kCcor - 1];
    lines_ = lines;
    return inputs;
}

void DataFileLines::save(const std::string& path, const DesignInputs& inputs) {
    Lines lines = lines_;
    lines[kFo - 1] = inputs.Fo;
    lines[kLd - 1] = inputs.Ld;
    lines[kCs - 1] = inputs.Cs;
    lines[kRd - 1] = inputs.Rd;
    lines[kDF - 1] = inputs.dF;
    lines[kLevel - 1] = inputs.level;
    lines[kCcor - 1] = inputs.Ccor;
    lines[kTopology - 1] = std::to_string(inputs.Topology);
    lines[kResponse - 1] = std::to_string(inputs.Response);

    std::string content;
    for (const std::string& line : lines) {
        content += line + "\r\n";
    }
    writeFileAtOnce(path, content, "the design file");
    lines_ = lines;
}

std::string DataFileNameForSaving(const std::string& chosenName) {
    return withExtension(chosenName, ".qua");
}

}  // namespace trellon
