// File names between the system's bytes and QString, and the atomic writer for QString paths.
// Qt 6 decodes names lossily (an invalid byte becomes U+FFFD), so names go through these instead.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The bytes of a name as a QString that keeps them all: well-formed UTF-8 is decoded, and every
// other byte b becomes the lone surrogate U+DC00 + b, which no decoded name can contain.
QString fileNameFromBytes(const QByteArray& bytes);

// The exact inverse for every name fileNameFromBytes made; any other string as UTF-8.
QByteArray fileNameBytes(const QString& name);

// The command line as the system gave it, every argument through fileNameFromBytes.
QStringList argumentsFromArgv(int argc, char** argv);

struct FileWrite {
    bool ok = false;
    QString reason; // why nothing was written: the system's words, or "Not a regular file"
    QString error;  // the path and the reason, for a status message
};

// Replaces `path` with `bytes` atomically (see writeBytesAtomically): on any failure, a full
// disk included, the old file is left as it was and the result carries the system's reason.
FileWrite writeFileAtomically(const QString& path, const QByteArray& bytes);
