// Finding and registering the shipped Apple II font with Qt's application font database.
// A success is remembered for the program's life; a failure is retried, as the cache stays empty.
#include "text/AppleIIFont.h"

#include "startup/BundledResources.h"

#include <QFontDatabase>
#include <QStringList>

QString appleIIFontFamily() {
    // Set at most once; only the UI thread touches it.
    static QString cachedFamily;
    if (!cachedFamily.isEmpty()) return cachedFamily;

    const QString path = orvelBundledResourcePath(QStringLiteral("fonts/Apple_II.ttf"));
    if (path.isEmpty()) return cachedFamily;
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) return cachedFamily;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) cachedFamily = families.first();
    return cachedFamily;
}
