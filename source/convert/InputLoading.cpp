// Inputs go through the picture view's own readers, so the converter accepts exactly the files
// the window opens, refuses the same ones, and draws text screens with the same code.
#include "convert/InputLoading.h"

#include "text/TextScreenFile.h"
#include "view/PictureFile.h"
#include "view/TextPicture.h"

#include <QFileInfo>

namespace {

InputLoad failure(const QString& message, const QString& path) {
    InputLoad load;
    load.error = withoutPath(message, path);
    return load;
}

InputLoad loadTextScreen(ORVEL_GlobalsRec* rec, const QString& path) {
    const TextScreenReadResult read = readTextScreenFile(path);
    if (!read.ok) return failure(read.error, path);
    DrawTextScreenPicture(rec, read.text);
    InputLoad load;
    load.ok = true;
    return load;
}

InputLoad loadPicture(ORVEL_GlobalsRec* rec, const QString& path) {
    const PictureLoad picture = loadPictureInto(rec, path);
    if (!picture.ok) return failure(picture.error, path);
    InputLoad load;
    load.ok = true;
    load.companion = picture.companion;
    return load;
}

} // namespace

bool isTextScreenPath(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
}

InputLoad loadInput(ORVEL_GlobalsRec* rec, const QString& path) {
    return isTextScreenPath(path) ? loadTextScreen(rec, path) : loadPicture(rec, path);
}

QString withoutPath(QString message, const QString& path) {
    // The path ends the message or is followed by a space and a detail in parentheses.
    const QString named = QStringLiteral(": ") + path;
    for (int at = message.indexOf(named); at >= 0; at = message.indexOf(named, at + 1)) {
        const int end = at + static_cast<int>(named.size());
        if (end == message.size() || message[end] == QLatin1Char(' ')) {
            message.remove(at, named.size());
            break;
        }
    }
    return message;
}
