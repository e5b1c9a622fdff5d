// Reading and writing a user's text screen file: size-guarded reads and atomic writes.
// Separate from the byte rules so every reader (editor, converter, shipped screens) shares one
// guard.
#pragma once

#include <QString>
#include <QtGlobal>

// A real screen is a few KiB; anything above this is not a text screen and is never read.
constexpr qint64 kMaxTextScreenFileBytes = 1024 * 1024;

struct TextScreenReadResult {
    bool ok = false;
    QString text;   // the decoded screen text when ok
    QString reason; // why it was refused, when not ok
    QString error;  // the reason and the path, when not ok
};

struct TextScreenWriteResult {
    bool ok = false;
    bool macRoman = false; // which form was written, for the caller's status message
    QString error;         // a message naming the path when not ok
};

// Refuses missing paths, directories and other non-files, unreadable files and files larger than
// kMaxTextScreenFileBytes (checked before reading); otherwise decodes the whole file.
TextScreenReadResult readTextScreenFile(const QString& path);

// Encodes the text (Mac OS Roman when possible) and replaces the file atomically: on any failure
// an existing file keeps its old contents and the result says so.
TextScreenWriteResult writeTextScreenFile(const QString& path, const QString& text);
