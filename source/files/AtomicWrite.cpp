// The atomic writer. Each write's count is checked (a buffered writer learns of a full disk only
// when it flushes, and then must not rename), the data is synced before the rename, and an
// existing output that is not a regular file, or that the user may not write, is refused before
// anything is created.
#include "files/AtomicWrite.h"

#include "files/FileAccess.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

long systemWrite(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

std::mutex stepsGuard;
WriteSteps steps = systemWriteSteps();

WriteSteps currentSteps() {
    const std::lock_guard<std::mutex> hold(stepsGuard);
    return steps;
}

AtomicWrite outcome(WriteStatus status, int error = 0) {
    return AtomicWrite{status, error};
}

// What the old file was: its mode, owner and group go to the new one.
struct OldFile {
    bool exists = false;
    struct stat facts {};
};

// A regular file that nobody may write is read-only to every saver: root's access() says yes
// to any file, and a save must not replace what the user protected.
bool mayReplace(const std::string& path, const struct stat& facts) {
    return (facts.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// Where the bytes really go: the path itself, or the regular file a link leads to. Empty when
// the path must not be replaced (`refusal` says why).
std::string writeTarget(const std::string& path, AtomicWrite& refusal, OldFile& old) {
    if (path.empty()) {
        refusal = outcome(WriteStatus::Failed, ENOENT);
        return std::string();
    }
    old.exists = ::stat(path.c_str(), &old.facts) == 0;
    if (!old.exists) {
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
    if (!S_ISREG(old.facts.st_mode)) {
        refusal = outcome(WriteStatus::NotRegular);
        return std::string();
    }
    if (!mayReplace(path, old.facts)) {
        refusal = outcome(WriteStatus::Failed, EACCES);
        return std::string();
    }
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) != nullptr ? std::string(buffer) : path;
}

// A new file beside `target` with a short name of its own (".orvel-" and six letters), so any
// name the folder takes for the target also works while it is being written. Made with the
// umask's permissions, as any new file of the user's.
int createTemporary(const std::string& target, std::string& name) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::atomic<unsigned> sequence{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    std::mt19937 pick(static_cast<unsigned>(::getpid()) * 2654435761u + sequence++ +
                      static_cast<unsigned>(now));
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = directoryPartOf(target) + ".orvel-";
        for (int i = 0; i < 6; ++i)
            name += letters[pick() % (sizeof letters - 1)];
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The old file's owner, group and mode, as far as the process may give them: a user who may
// not give a file away still keeps its group where it belongs to it. Owner first: a change
// of owner clears the set-id bits that the mode then restores.
bool takeOverOldFile(int fd, const OldFile& old) {
    if (!old.exists) return true;
    if (::fchown(fd, old.facts.st_uid, old.facts.st_gid) != 0)
        (void)!::fchown(fd, static_cast<uid_t>(-1), old.facts.st_gid);
    return ::fchmod(fd, old.facts.st_mode & 07777) == 0;
}

// Every byte through the write step; false with errno set when any write fails or stalls.
bool writeAll(const WriteSteps& calls, int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const long count = calls.write(fd, data, size);
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
    OldFile old;
    const std::string target = writeTarget(path, refusal, old);
    if (target.empty()) return refusal;

    const WriteSteps calls = currentSteps();
    std::string temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0) return outcome(WriteStatus::Failed, errno);
    bool ok = takeOverOldFile(fd, old) &&
              writeAll(calls, fd, static_cast<const char*>(data), size) && calls.sync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && calls.rename(temporary.c_str(), target.c_str()) == 0) return outcome(WriteStatus::Ok);
    if (ok) error = errno;
    ::unlink(temporary.c_str());
    return outcome(WriteStatus::Failed, error);
}

WriteSteps systemWriteSteps() {
    return WriteSteps{systemWrite, ::fdatasync, ::rename};
}

void setWriteStepsForTesting(const WriteSteps& replacement) {
    const std::lock_guard<std::mutex> hold(stepsGuard);
    steps = replacement;
}
