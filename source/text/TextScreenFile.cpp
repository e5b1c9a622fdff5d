// Text screen files on disk: the size guard before decoding and the atomic replacement on
// writing, through the shared file code so that any name and every system reason come through.
#include "text/TextScreenFile.h"

#include "files/FileAccess.h"
#include "files/QtFiles.h"
#include "text/TextScreenEncoding.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("TextScreenFile", text);
}

QString tooLarge(qint64 size) {
    return tr("Text screen file too large (%1 bytes)").arg(size);
}

QString reasonOf(const FileRead& read) {
    const QString system = QString::fromLocal8Bit(systemReason(read.error).c_str());
    switch (read.status) {
    case ReadStatus::Ok:
        break;
    case ReadStatus::Missing:
        return tr("File not found");
    case ReadStatus::NotRegular:
        return tr("Not a text screen file");
    case ReadStatus::OpenFailed:
        return tr("Cannot open text screen (%1)").arg(system);
    case ReadStatus::ReadFailed:
        return tr("Cannot read text screen (%1)").arg(system);
    case ReadStatus::TooLarge:
        break;
    }
    return tooLarge(read.size);
}

} // namespace

TextScreenReadResult readTextScreenFile(const QString& path) {
    // One byte past the limit is read, to catch a file that grew after it was measured.
    FileRead read = readFileStart(fileNameBytes(path).toStdString(), kMaxTextScreenFileBytes + 1,
                                  kMaxTextScreenFileBytes);
    if (static_cast<qint64>(read.bytes.size()) > kMaxTextScreenFileBytes) {
        read.status = ReadStatus::TooLarge;
        read.size = static_cast<qint64>(read.bytes.size());
    }
    TextScreenReadResult result;
    if (read.status == ReadStatus::Ok) {
        result.ok = true;
        result.text = decodeTextScreenFileBytes(
            QByteArray(read.bytes.data(), static_cast<qsizetype>(read.bytes.size())));
        return result;
    }
    result.reason = reasonOf(read);
    result.error = tr("%1: %2").arg(result.reason, path);
    return result;
}

TextScreenWriteResult writeTextScreenFile(const QString& path, const QString& text) {
    TextScreenWriteResult result;
    const QByteArray bytes = encodeTextScreenFileString(text, &result.macRoman);
    const FileWrite write = writeFileAtomically(path, bytes);
    result.ok = write.ok;
    result.reason = write.reason;
    result.error = write.error;
    return result;
}
