// Reading and writing a user's text screen file: size-guarded reads and atomic writes, both by
// the name's bytes. Separate from the byte rules so every reader shares one guard.
#pragma once

#include "text/TextScreenLimit.h"

#include <QString>

struct TextScreenReadResult {
    bool ok = false;
    QString text;   // the decoded screen text when ok
    QString reason; // why it was refused, when not ok: ours or the system's words
    QString error;  // the reason and the path, when not ok
};

struct TextScreenWriteResult {
    bool ok = false;
    bool macRoman = false; // which form was written, for the caller's status message
    QString reason;        // why nothing was written, when not ok: the system's words or ours
    QString error;         // the path and the reason, when not ok
};

// Refuses missing paths, folders and other non-files, unreadable files and files larger than
// kMaxTextScreenFileBytes (known before reading); otherwise decodes the whole file.
TextScreenReadResult readTextScreenFile(const QString& path);

// Encodes the text (Mac OS Roman when possible) and replaces the file atomically: on any failure,
// a full disk included, an existing file keeps its old contents and the result says why.
TextScreenWriteResult writeTextScreenFile(const QString& path, const QString& text);
