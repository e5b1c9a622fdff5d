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
// its target replaced. The data counts as written only once it reached the disk (write, sync
// and close all succeeded); then it is renamed over the old file. On any failure the temporary
// file is removed and the old file keeps its contents.
AtomicWrite writeBytesAtomically(const std::string& path, const void* data, std::size_t size);

// The system call the writer puts bytes through, as ::write: the count written or -1 with errno.
using WriteCall = long (*)(int fd, const void* data, std::size_t size);

// Tests put in a write that fails (a full disk after N bytes); nullptr puts ::write back.
void setWriteCallForTesting(WriteCall call);
