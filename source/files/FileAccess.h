// Reading files by their byte names, with the system's reason for every failure. Plain C++ on
// POSIX calls, so orvel-convert can read without Qt and any name the file system holds works.
#pragma once

#include <cstdint>
#include <string>

enum class ReadStatus {
    Ok,
    Missing,    // nothing of that name (ENOENT)
    NotRegular, // a folder, a pipe, a device: never read
    OpenFailed, // exists or may exist, but cannot be opened: `error` says why
    ReadFailed, // opened, but reading failed: `error` says why
    TooLarge,   // larger than the caller's limit: not read at all
};

struct FileRead {
    ReadStatus status = ReadStatus::Missing;
    int error = 0;         // errno of OpenFailed and ReadFailed
    std::int64_t size = 0; // the file's size when opened
    std::string bytes;     // its first bytes, at most the count asked for
};

// Opens `path` (following links), refuses what is not a regular file without waiting on it (a
// pipe with no writer does not block) and a file larger than `sizeLimit` without reading it,
// and reads its first `maxBytes` bytes.
FileRead readFileStart(const std::string& path, std::int64_t maxBytes,
                       std::int64_t sizeLimit = INT64_MAX);

// The system's words for an errno value ("Permission denied").
std::string systemReason(int error);

// One spelling of a path for "is this the same file": the resolved path of an existing file,
// else the resolved directory plus the name, else the path made absolute.
std::string sameFileKey(const std::string& path);

// What follows the last '/', and what comes before it with the '/' kept ("a/b" gives "a/").
std::string fileNameOf(const std::string& path);
std::string directoryPartOf(const std::string& path);

// True when `path` names an existing folder (following links).
bool isDirectory(const std::string& path);
