#pragma once

#include <string>
#include <string_view>

namespace trellon {

// Replaces the regular file at `path` with `content` at once or not at all: the bytes go to a
// temporary file beside it, are flushed to the disk, and only then take the file's name. A
// symbolic link is followed and its target replaced; a link loop is refused. Anything that is
// not a regular file (a folder, a device, a FIFO) is refused and left alone, and so is a file
// whose mode bits let nobody write it, even for root. Replacing by rename gives the name a new
// file: other hard links to the old one keep the old content. On failure the previous file stays as
// it was, no temporary file is left, and CommandError says "Cannot create <what> '<path>':
// <reason>" or "Cannot write <what> '<path>': <reason>".
void writeFileAtOnce(const std::string& path, std::string_view content, const std::string& what);

}  // namespace trellon
