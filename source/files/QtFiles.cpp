// Lossless file names and the QString face of the atomic writer. The surrogate escape is the
// usual answer for names that are not UTF-8; QString holds lone surrogates without complaint.
#include "files/QtFiles.h"

#include "files/AtomicWrite.h"
#include "files/FileAccess.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("FileWrite", text);
}

// Length of the well-formed UTF-8 sequence at `at`, or 0 when the byte there starts none.
int utf8SequenceLength(const QByteArray& bytes, int at) {
    const auto byte = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned lead = byte(at);
    if (lead < 0x80) return 1;
    const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
    if (length == 0 || at + length > bytes.size()) return 0;
    for (int i = 1; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    const unsigned second = byte(at + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0; // over-long forms, encoded surrogates, beyond U+10FFFF
    return length;
}

bool isEscapedByte(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

} // namespace

QString fileNameFromBytes(const QByteArray& bytes) {
    QString name;
    name.reserve(bytes.size());
    for (int at = 0; at < bytes.size();) {
        const int length = utf8SequenceLength(bytes, at);
        if (length == 0) {
            name += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[at])));
            ++at;
            continue;
        }
        name += QString::fromUtf8(bytes.constData() + at, length);
        at += length;
    }
    return name;
}

QByteArray fileNameBytes(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    int runStart = 0;
    for (int i = 0; i <= name.size(); ++i) {
        // An escaped byte is a low surrogate with no high surrogate before it.
        const bool escaped = i < name.size() && isEscapedByte(name[i].unicode()) &&
                             (i == 0 || !name[i - 1].isHighSurrogate());
        if (!escaped && i < name.size()) continue;
        bytes += QStringView(name).mid(runStart, i - runStart).toUtf8();
        if (escaped) bytes += static_cast<char>(name[i].unicode() - 0xDC00);
        runStart = i + 1;
    }
    return bytes;
}

QStringList argumentsFromArgv(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << fileNameFromBytes(QByteArray(argv[i]));
    return arguments;
}

FileWrite writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const AtomicWrite write =
        writeBytesAtomically(fileNameBytes(path).toStdString(), bytes.constData(),
                             static_cast<std::size_t>(bytes.size()));
    FileWrite result;
    result.ok = write.status == WriteStatus::Ok;
    if (result.ok) return result;
    result.reason = write.status == WriteStatus::NotRegular
                        ? tr("Not a regular file, so it is not replaced")
                        : QString::fromLocal8Bit(systemReason(write.error).c_str());
    result.error = tr("Cannot write %1: %2").arg(path, result.reason);
    return result;
}
