// The window's face of the picture reader: QString paths in, translated reasons out.
// The reading itself is PictureFileRead's, shared with orvel-convert.
#include "view/PictureFile.h"

#include "files/FileAccess.h"
#include "view/PictureFileRead.h"

#include <QCoreApplication>

#include <memory>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("PictureFile", text);
}

QString reasonOf(const PictureRead& read) {
    const QString system = QString::fromLocal8Bit(systemReason(read.error).c_str());
    switch (read.status) {
    case PictureStatus::Loaded:
        return QString();
    case PictureStatus::Missing:
        return tr("File not found");
    case PictureStatus::NotAFile:
        return tr("Not a picture file");
    case PictureStatus::TooShort:
        return tr("Too short to be a picture (%1 bytes)").arg(read.size);
    case PictureStatus::OpenFailed:
        return tr("Cannot open (%1)").arg(system);
    case PictureStatus::ReadFailed:
        break;
    }
    return tr("Cannot read (%1)").arg(system);
}

QByteArray bytesOf(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

QString companionPathFor(const QString& picturePath) {
    return fileNameFromBytes(bytesOf(companionNameFor(fileNameBytes(picturePath).toStdString())));
}

PictureLoad loadPictureInto(ORVEL_GlobalsRec* rec, const QString& path) {
    const PictureRead read = readPictureInto(rec, fileNameBytes(path).toStdString());
    PictureLoad result;
    result.ok = read.status == PictureStatus::Loaded;
    if (result.ok) {
        if (!read.companion.empty()) result.companion = fileNameFromBytes(bytesOf(read.companion));
        return result;
    }
    result.reason = reasonOf(read);
    result.error = tr("%1: %2").arg(result.reason, path);
    return result;
}

PictureLoad checkPictureFile(const QString& path) {
    // Only the banks and the shape flag are read or written, so a bare record serves.
    const auto scratch = std::make_unique<ORVEL_GlobalsRec>();
    return loadPictureInto(scratch.get(), path);
}

QByteArray pictureFileBytes(const ORVEL_GlobalsRec* rec) {
    return bytesOf(pictureBytesOf(rec));
}

QByteArray mainBankBytes(const ORVEL_GlobalsRec* rec) {
    return bytesOf(mainBankOf(rec));
}
