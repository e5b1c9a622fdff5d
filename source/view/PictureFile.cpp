// Reading and writing picture files. A file is never read whole: its size decides the shape and
// only the banks are read, so a huge file costs no more than a small one.
#include "view/PictureFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("PictureFile", text);
}

// The first `count` bytes of the file at `path`; empty when they cannot all be read.
QByteArray readPrefix(const QString& path, qint64 count) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    QByteArray bytes = file.read(count);
    return bytes.size() == count ? bytes : QByteArray();
}

bool isDoubleHiresSize(qint64 size) {
    return size == 2 * kBankSize || size == 2 * kBankSize + 1;
}

} // namespace

QString companionPathFor(const QString& picturePath) {
    QString base = picturePath;
    if (base.endsWith(QLatin1String(".hgr"), Qt::CaseInsensitive)) base.chop(4);
    return base + QStringLiteral(".AUX");
}

PictureLoad loadPictureInto(ORVEL_GlobalsRec* rec, const QString& path) {
    PictureLoad result;
    auto refuse = [&](const QString& reason) {
        result.reason = reason;
        result.error = tr("%1: %2").arg(reason, path);
        return result;
    };
    const QFileInfo info(path);
    if (!info.exists()) return refuse(tr("File not found"));
    if (!info.isFile()) return refuse(tr("Not a picture file"));
    if (info.size() < kBankSize)
        return refuse(tr("Too short to be a picture (%1 bytes)").arg(info.size()));

    const bool dhgr = isDoubleHiresSize(info.size());
    const QByteArray bytes = readPrefix(path, dhgr ? 2 * kBankSize : kBankSize);
    if (bytes.isEmpty()) return refuse(tr("Cannot read"));
    QByteArray aux;
    if (!dhgr) {
        const QString companion = companionPathFor(path);
        const QFileInfo companionInfo(companion);
        // A companion that is missing, not a file, short or unreadable is simply not used.
        if (companionInfo.isFile() && companionInfo.size() >= kBankSize) {
            aux = readPrefix(companion, kBankSize);
            if (!aux.isEmpty()) result.companion = companion;
        }
    }

    std::memset(rec->auxMem, 0, kBankSize);
    if (dhgr) {
        std::memcpy(rec->auxMem, bytes.constData(), kBankSize);
        std::memcpy(rec->mainMem, bytes.constData() + kBankSize, kBankSize);
    } else {
        std::memcpy(rec->mainMem, bytes.constData(), kBankSize);
        if (!aux.isEmpty()) std::memcpy(rec->auxMem, aux.constData(), kBankSize);
    }
    rec->isDHGR = dhgr || !aux.isEmpty();
    result.ok = true;
    return result;
}

QByteArray pictureFileBytes(const ORVEL_GlobalsRec* rec) {
    if (!rec->isDHGR) return mainBankBytes(rec);
    QByteArray bytes(reinterpret_cast<const char*>(rec->auxMem), kBankSize);
    bytes.append(reinterpret_cast<const char*>(rec->mainMem), kBankSize);
    return bytes;
}

QByteArray mainBankBytes(const ORVEL_GlobalsRec* rec) {
    return QByteArray(reinterpret_cast<const char*>(rec->mainMem), kBankSize);
}

FileWrite writeFileAtomically(const QString& path, const QByteArray& bytes) {
    FileWrite result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = tr("Cannot write %1: %2").arg(path, file.errorString());
        return result;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        result.error = tr("Cannot write %1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return result;
    }
    result.ok = true;
    return result;
}
