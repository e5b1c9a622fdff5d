// Inputs go through the picture view's own readers, so the converter accepts exactly the files
// the window opens, refuses the same ones, and draws text screens with the same code.
#include "convert/InputLoading.h"

#include "text/TextScreenFile.h"
#include "view/PictureFile.h"
#include "view/TextPicture.h"

#include <QFileInfo>

namespace {

InputLoad failure(const QString& reason) {
    InputLoad load;
    load.error = reason;
    return load;
}

InputLoad loadTextScreen(ORVEL_GlobalsRec* rec, const QString& path) {
    const TextScreenReadResult read = readTextScreenFile(path);
    if (!read.ok) return failure(read.reason);
    DrawTextScreenPicture(rec, read.text);
    InputLoad load;
    load.ok = true;
    return load;
}

InputLoad loadPicture(ORVEL_GlobalsRec* rec, const QString& path) {
    const PictureLoad picture = loadPictureInto(rec, path);
    if (!picture.ok) return failure(picture.reason);
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
