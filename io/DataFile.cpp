#include "DataFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "AtOnceWriter.h"
#include "CommandError.h"
#include "FileName.h"
#include "NumberText.h"
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

// Reads no further than the end of the last line that counts, so that a device without end
// cannot hold the program.
std::string readLeadingLines(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        failOnFile("open", path, std::strerror(errno));
    }
    std::string content;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            const int error = errno;
            ::close(descriptor);
            failOnFile("read", path, std::strerror(error));
        }
        if (count == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(count));
        if (std::count(content.begin(), content.end(), '\n') >= DataFileLines::kCount) {
            break;
        }
    }
    ::close(descriptor);
    return content;
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
    const Lines lines = splitLines(readLeadingLines(path));
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
