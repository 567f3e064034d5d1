#include "OutputFile.h"

#include <cerrno>
#include <cstring>

#include "AtOnceWriter.h"
#include "CommandError.h"

namespace trellon::cli {

void writeOutput(const std::string& path, const std::string& content, const std::string& what,
                 std::ostream& out) {
    if (path != "-") {
        writeFileAtOnce(path, content, what);
        return;
    }
    errno = 0;
    out << content << std::flush;
    if (!out) {
        throw CommandError("Cannot write " + what +
                           " '-': " + (errno != 0 ? std::strerror(errno) : "the output failed"));
    }
}

}  // namespace trellon::cli
