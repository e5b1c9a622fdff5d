// Small file helpers of the Qt test suites: random bytes from a seed, whole files in and out.
// Tests make their files in temporary directories with these.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <random>

inline QByteArray RandomBytes(std::mt19937& rng, int count) {
    QByteArray bytes(count, '\0');
    for (char& b : bytes)
        b = static_cast<char>(rng());
    return bytes;
}

inline QByteArray SeededBytes(unsigned seed, int count) {
    std::mt19937 rng(seed);
    return RandomBytes(rng, count);
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
