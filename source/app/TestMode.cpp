// The test mode: "Quen: Double" in colour with palette 2 at normal size, whatever the stored
// preferences say, so the written picture depends on the file alone (and on the one-bit palette
// and 560 mode the preferences keep). A PNG that cannot be written is a failure, never a success.
#include "app/TestMode.h"

#include "app/MainWindow.h"
#include "view/OrvelWidget.h"
#include "view/PictureFile.h"
#include "view/PngEncoding.h"

#include <QCoreApplication>

#include <cstdio>

bool isTestModeRequest(const QStringList& arguments) {
    return arguments.size() >= 3 && arguments[2] == QLatin1String("--test");
}

int runTestMode(MainWindow& window, const QStringList& arguments) {
    ORVEL_GlobalsRec* rec = window.pictureView->globalsRec;
    rec->bmFinalDepth = 32;
    rec->paletteType = 2;
    rec->bitShifting = true;
    rec->quenEngine = true;
    rec->schemeType = 1;
    rec->screenSize = 1;
    rec->aspectCorrect = 0;
    window.pictureView->renderImage();
    QCoreApplication::processEvents();

    const QString output =
        arguments.size() >= 4 ? arguments[3] : QStringLiteral("/tmp/orvel_test.png");
    const QImage& image = window.pictureView->offscreenImage;
    const PngEncoding png = encodePng(image);
    QString failure = png.error;
    if (png.ok) {
        const FileWrite write = writeFileAtomically(output, png.bytes);
        if (!write.ok) failure = write.reason;
    }
    std::fprintf(stderr, "offscreen: %dx%d format=%d\n", image.width(), image.height(),
                 static_cast<int>(image.format()));
    if (failure.isEmpty()) return 0;
    std::fprintf(stderr, "orvel: could not write %s: %s\n", qPrintable(output),
                 qPrintable(failure));
    return 1;
}
