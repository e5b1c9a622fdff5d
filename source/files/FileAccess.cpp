// File reads and path facts on POSIX calls. Every failure keeps its errno, so callers can say
// "Permission denied" or "Too many levels of symbolic links" rather than "not found".
#include "files/FileAccess.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor when the read is over, however it ends.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

FileRead failed(ReadStatus status, int error = 0) {
    FileRead read;
    read.status = status;
    read.error = error;
    return read;
}

std::string resolved(const std::string& path) {
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) != nullptr ? std::string(buffer) : std::string();
}

} // namespace

FileRead readFileStart(const std::string& path, std::int64_t maxBytes, std::int64_t sizeLimit) {
    // Non-blocking, so a pipe or a terminal is refused below instead of waited on.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return failed(errno == ENOENT ? ReadStatus::Missing : ReadStatus::OpenFailed, errno);
    struct stat facts;
    if (::fstat(file.fd, &facts) != 0) return failed(ReadStatus::OpenFailed, errno);
    if (!S_ISREG(facts.st_mode)) return failed(ReadStatus::NotRegular);

    FileRead read;
    read.size = facts.st_size;
    if (read.size > sizeLimit) {
        read.status = ReadStatus::TooLarge;
        return read;
    }
    const std::int64_t wanted = maxBytes < read.size ? maxBytes : read.size;
    read.bytes.resize(static_cast<std::size_t>(wanted));
    std::size_t done = 0;
    while (done < read.bytes.size()) {
        const ssize_t count = ::read(file.fd, &read.bytes[done], read.bytes.size() - done);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return failed(ReadStatus::ReadFailed, errno);
        if (count == 0) break; // the file shrank since it was measured
        done += static_cast<std::size_t>(count);
    }
    read.bytes.resize(done);
    read.status = ReadStatus::Ok;
    return read;
}

std::string systemReason(int error) {
    return std::strerror(error);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string directoryPartOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string sameFileKey(const std::string& path) {
    std::string key = resolved(path);
    if (!key.empty()) return key;
    const std::string directory = directoryPartOf(path);
    key = resolved(directory.empty() ? std::string(".") : directory);
    if (!key.empty()) return key + '/' + fileNameOf(path);
    if (!path.empty() && path[0] == '/') return path;
    char cwd[PATH_MAX];
    return ::getcwd(cwd, sizeof cwd) != nullptr ? std::string(cwd) + '/' + path : path;
}

bool isDirectory(const std::string& path) {
    struct stat facts;
    return ::stat(path.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode);
}
