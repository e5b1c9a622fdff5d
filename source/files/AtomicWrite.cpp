// The atomic writer. Each write's count is checked (a buffered writer learns of a full disk only
// when it flushes, and then must not rename), the data is synced before the rename, and an
// existing output that is not a regular file is refused before anything is created.
#include "files/AtomicWrite.h"

#include "files/FileAccess.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

long systemWrite(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

std::atomic<WriteCall> writeCall{systemWrite};

AtomicWrite outcome(WriteStatus status, int error = 0) {
    return AtomicWrite{status, error};
}

// Where the bytes really go: the path itself, or the regular file a link leads to. Empty when
// the path must not be replaced (`status` says why).
std::string writeTarget(const std::string& path, AtomicWrite& refusal, mode_t& mode, bool& exists) {
    struct stat facts;
    exists = ::stat(path.c_str(), &facts) == 0;
    if (!exists) {
        const int error = errno;
        struct stat link;
        if (error == ENOENT && ::lstat(path.c_str(), &link) == 0)
            refusal = outcome(WriteStatus::NotRegular); // a link to nothing
        else if (error == ENOENT)
            return path;
        else
            refusal = outcome(WriteStatus::Failed, error);
        return std::string();
    }
    if (!S_ISREG(facts.st_mode)) {
        refusal = outcome(WriteStatus::NotRegular);
        return std::string();
    }
    mode = facts.st_mode & 07777;
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) != nullptr ? std::string(buffer) : path;
}

// A new file beside `target`, created with O_EXCL under a name no one else uses.
int createTemporary(const std::string& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[64];
        std::snprintf(suffix, sizeof suffix, ".%ld.%u.%llx.tmp", static_cast<long>(::getpid()),
                      counter++, static_cast<unsigned long long>(now));
        name = directoryPartOf(target) + '.' + fileNameOf(target) + suffix;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Every byte through the write call; false with errno set when any write fails or stalls.
bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const long count = writeCall.load()(fd, data, size);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) {
            if (count == 0) errno = ENOSPC; // a write that makes no progress: the disk is full
            return false;
        }
        data += count;
        size -= static_cast<std::size_t>(count);
    }
    return true;
}

} // namespace

AtomicWrite writeBytesAtomically(const std::string& path, const void* data, std::size_t size) {
    AtomicWrite refusal;
    mode_t mode = 0;
    bool exists = false;
    const std::string target = writeTarget(path, refusal, mode, exists);
    if (target.empty()) return refusal;

    std::string temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0) return outcome(WriteStatus::Failed, errno);
    // A replaced file keeps its permissions; a new one gets the umask's.
    bool ok = !exists || ::fchmod(fd, mode) == 0;
    ok = ok && writeAll(fd, static_cast<const char*>(data), size) && ::fdatasync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) == 0) return outcome(WriteStatus::Ok);
    if (ok) error = errno;
    ::unlink(temporary.c_str());
    return outcome(WriteStatus::Failed, error);
}

void setWriteCallForTesting(WriteCall call) {
    writeCall.store(call != nullptr ? call : systemWrite);
}
