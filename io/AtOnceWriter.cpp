#include "AtOnceWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "FileError.h"

namespace trellon {

namespace {

[[noreturn]] void fail(FileError::Action action, const std::string& what, const std::string& path,
                       const std::string& reason) {
    throw FileError(action, what, path, reason);
}

std::string lastSystemError() {
    return std::strerror(errno);
}

// A link is replaced by nothing: its target takes the new content, as an editor would do it.
std::filesystem::path targetOf(const std::string& path) {
    std::error_code error;
    std::filesystem::path target = path;
    for (int depth = 0; depth < 40 && std::filesystem::is_symlink(target, error); ++depth) {
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error) {
            break;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// A new file gets the permissions any other new file would; a replaced one keeps its own.
mode_t permissionsFor(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        // Short, so that a name near the longest a folder allows can still be saved.
        std::string pattern = (target.parent_path() / ".trellon.XXXXXX").string();
        name_.assign(pattern.begin(), pattern.end());
        name_.push_back('\0');
        descriptor_ = ::mkostemp(name_.data(), O_CLOEXEC);
        created_ = descriptor_ >= 0;
    }
    ~TemporaryFile() {
        close();
        if (created_ && !committed_) {
            ::unlink(name_.data());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return created_; }
    int descriptor() const { return descriptor_; }
    const char* name() const { return name_.data(); }
    bool close() {
        if (descriptor_ < 0) {
            return true;
        }
        const int result = ::close(descriptor_);
        descriptor_ = -1;
        return result == 0;
    }
    void commit() { committed_ = true; }

private:
    std::vector<char> name_;
    int descriptor_ = -1;
    bool created_ = false;
    bool committed_ = false;
};

bool writeAll(int descriptor, std::string_view content) {
    while (!content.empty()) {
        const ssize_t count = ::write(descriptor, content.data(), content.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            if (count == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// A file nobody may write is refused by its mode bits as well as by the system's own check, so
// that the refusal holds for root too; rename would otherwise replace it silently.
bool mayReplace(const std::filesystem::path& target, const struct stat& existing) {
    return (existing.st_mode & 0222) != 0 && ::access(target.c_str(), W_OK) == 0;
}

}  // namespace

void writeFileAtOnce(const std::string& path, std::string_view content, const std::string& what) {
    const std::filesystem::path target = targetOf(path);
    struct stat link {};
    if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        fail(FileError::Action::Create, what, path, std::strerror(ELOOP));
    }
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            fail(FileError::Action::Create, what, path,
                 S_ISDIR(existing.st_mode) ? std::strerror(EISDIR) : "it is not a regular file");
        }
        if (!mayReplace(target, existing)) {
            fail(FileError::Action::Write, what, path, std::strerror(EACCES));
        }
    }
    const mode_t permissions = permissionsFor(target);

    TemporaryFile file(target);
    if (!file.created()) {
        fail(FileError::Action::Create, what, path, lastSystemError());
    }
    if (::fchmod(file.descriptor(), permissions) != 0 || !writeAll(file.descriptor(), content) ||
        ::fsync(file.descriptor()) != 0 || !file.close()) {
        fail(FileError::Action::Write, what, path, lastSystemError());
    }
    if (::rename(file.name(), target.c_str()) != 0) {
        fail(FileError::Action::Write, what, path, lastSystemError());
    }
    file.commit();
}

}  // namespace trellon
