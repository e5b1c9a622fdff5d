// Replacing a file so that it is either wholly the new bytes or untouched: a temporary file
// beside it, every byte written and synced, then one rename. The one writer of every save.
#pragma once

#include <cstddef>
#include <string>

enum class WriteStatus {
    Ok,
    NotRegular, // the path is a folder, a pipe, a device or a dangling link: never replaced
    Failed,     // a call failed: `error` is its errno; nothing was replaced
};

struct AtomicWrite {
    WriteStatus status = WriteStatus::Failed;
    int error = 0;
};

// Writes `size` bytes at `data` as the file at `path`. A link to a regular file is followed and
// its target replaced. A file the user may not write (or, for root, one with no write bit at
// all) is refused with EACCES. The data counts as written only once it reached the disk (write,
// sync and close all succeeded); then it is renamed over the old file, whose mode, owner and
// group the new one keeps where the system allows. On any failure the temporary file is removed
// and the old file keeps its contents.
AtomicWrite writeBytesAtomically(const std::string& path, const void* data, std::size_t size);

// The system calls the writer's steps go through, as ::write, ::fdatasync and ::rename do.
struct WriteSteps {
    long (*write)(int fd, const void* data, std::size_t size);
    int (*sync)(int fd);
    int (*rename)(const char* from, const char* to);
};

// The system's own steps.
WriteSteps systemWriteSteps();
// Tests put in steps that fail (a full disk after N bytes, a failed sync) or record their order.
void setWriteStepsForTesting(const WriteSteps& steps);
