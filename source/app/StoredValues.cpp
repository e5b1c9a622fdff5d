// The checks behind every stored preference. The native store on this platform keeps text, so a
// bool comes back as "true" and an int as "3"; other platforms give typed values. Both are taken.
#include "app/StoredValues.h"

#include <algorithm>

namespace {

// Longer than any path the file system takes: such a value was not written by the program.
constexpr int kLongestPath = 4096;

bool isText(const QVariant& value) {
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray;
}

} // namespace

bool storedBool(const QVariant& value, bool fallback) {
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    if (!isText(value)) return fallback;
    const QString text = value.toString();
    if (text == QLatin1String("true")) return true;
    if (text == QLatin1String("false")) return false;
    return fallback;
}

int storedChoice(const QVariant& value, std::initializer_list<int> allowed, int fallback) {
    bool number = false;
    int result = 0;
    if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
        value.typeId() == QMetaType::UInt)
        result = value.toInt(&number);
    else if (isText(value))
        result = value.toString().toInt(&number);
    if (!number) return fallback;
    return std::find(allowed.begin(), allowed.end(), result) != allowed.end() ? result : fallback;
}

QString storedPath(const QVariant& value) {
    if (!isText(value)) return QString();
    const QString text = value.toString();
    return text.size() <= kLongestPath && !text.contains(QChar(0)) ? text : QString();
}

QStringList storedPathList(const QVariant& value) {
    // A one-entry list comes back from the text store as a plain string.
    QVariantList stored;
    if (isText(value))
        stored << value;
    else if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList)
        stored = value.toList();
    QStringList entries;
    for (const QVariant& entry : stored) {
        const QString path = storedPath(entry);
        if (!path.isEmpty() && !entries.contains(path)) entries << path;
        if (entries.size() == kMostStoredPaths) break;
    }
    return entries;
}
