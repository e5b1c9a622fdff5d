// Text screen files on disk: the size guard before reading and the atomic replacement on writing.
// Kept out of the encoding so that its byte rules stay testable without touching files.
#include "text/TextScreenFile.h"

#include "text/TextScreenEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

TextScreenReadResult readFailure(const QString& reason, const QString& path) {
    TextScreenReadResult result;
    result.reason = reason;
    result.error = reason + QStringLiteral(": ") + path;
    return result;
}

TextScreenWriteResult writeFailure(const QString& message, const QString& detail) {
    TextScreenWriteResult result;
    result.error = detail.isEmpty() ? message : message + QStringLiteral(" (") + detail + u')';
    return result;
}

QString tooLarge(qint64 size) {
    return QStringLiteral("Text screen file too large (%1 bytes)").arg(size);
}

} // namespace

TextScreenReadResult readTextScreenFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return readFailure(QStringLiteral("Cannot open text screen"), path);
    if (!info.isFile()) return readFailure(QStringLiteral("Not a file"), path);
    if (info.size() > kMaxTextScreenFileBytes) return readFailure(tooLarge(info.size()), path);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(QStringLiteral("Cannot open text screen (%1)").arg(file.errorString()),
                           path);
    // One byte past the limit catches a file that grew after it was measured.
    const QByteArray bytes = file.read(kMaxTextScreenFileBytes + 1);
    if (bytes.size() > kMaxTextScreenFileBytes) return readFailure(tooLarge(file.size()), path);
    if (file.error() != QFileDevice::NoError)
        return readFailure(QStringLiteral("Cannot read text screen (%1)").arg(file.errorString()),
                           path);

    TextScreenReadResult result;
    result.ok = true;
    result.text = decodeTextScreenFileBytes(bytes);
    return result;
}

TextScreenWriteResult writeTextScreenFile(const QString& path, const QString& text) {
    bool macRoman = false;
    const QByteArray bytes = encodeTextScreenFileString(text, &macRoman);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeFailure(QStringLiteral("Cannot write text screen: %1").arg(path),
                            file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString detail = file.errorString();
        file.cancelWriting();
        return writeFailure(QStringLiteral("Cannot write text screen: %1").arg(path), detail);
    }
    if (!file.commit())
        return writeFailure(QStringLiteral("Cannot save text screen: %1").arg(path),
                            file.errorString());

    TextScreenWriteResult result;
    result.ok = true;
    result.macRoman = macRoman;
    return result;
}
