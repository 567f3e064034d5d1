#include "FileBytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "CommandError.h"

namespace trellon {

std::string readFileBytes(const std::string& path, const std::string& what) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    errno = 0;
    if (file) {
        bytes << file.rdbuf();
    }
    if (!file || file.bad()) {
        throw CommandError("Cannot read " + what + " '" + path +
                           "': " + (errno != 0 ? std::strerror(errno) : "the read failed"));
    }
    return bytes.str();
}

}  // namespace trellon
