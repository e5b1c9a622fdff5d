// The Qt helper: the picture view's own text drawing, painting and image reading behind plain
// functions, so orvel-convert's PNGs of text screens and shown sizes are the window's, dot for
// dot, and it reads the images the window imports.
#include "convert/GuiHelper.h"

#include "core/GlobalsRec.h"
#include "text/TextScreenEncoding.h"
#include "view/ImageFileRead.h"
#include "view/PicturePainting.h"
#include "view/TextScreenDrawing.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QGuiApplication* startedApplication = nullptr;

// Standard error carries the program's own lines only: Qt's notes about the offscreen platform
// (a missing runtime directory, font fallbacks) are dropped, its errors kept.
void keepQtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "orvel-convert: %s\n", message.toLocal8Bit().constData());
}

// Fonts need a GUI application; the offscreen platform needs no display. The application sees
// only these arguments, so none of the user's is taken for a Qt option.
void ensureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    qInstallMessageHandler(keepQtErrorsOnly);
    static char name[] = "orvel-convert", platformOption[] = "-platform", offscreen[] = "offscreen";
    static char* arguments[] = {name, platformOption, offscreen, nullptr};
    static int argumentCount = 3;
    startedApplication = new QGuiApplication(argumentCount, arguments);
    QGuiApplication::setApplicationName(QStringLiteral("orvel-convert"));
    QGuiApplication::setOrganizationName(QStringLiteral("ferncastle"));
}

TextScreenMask drawTextScreen(const std::string& fileBytes) {
    ensureApplication();
    const QByteArray bytes(fileBytes.data(), static_cast<qsizetype>(fileBytes.size()));
    return DrawTextScreenMask(decodeTextScreenFileBytes(bytes));
}

std::vector<std::uint8_t> paintShown(const std::uint8_t* rgba, int width, int height, bool smooth) {
    const QImage render(rgba, kOffscreenDots, kLines, 4 * kOffscreenDots, QImage::Format_RGBA8888);
    const QImage shown =
        shownPicture(render, width, height, smooth).convertToFormat(QImage::Format_RGBA8888);
    std::vector<std::uint8_t> pixels(4 * static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        std::memcpy(&pixels[4 * static_cast<std::size_t>(width) * y], shown.constScanLine(y),
                    4 * static_cast<std::size_t>(width));
    return pixels;
}

// Standard error closed for a while: the PNG library prints its own line about a bad file
// before Qt's reader reports it, and the program says it once, its own way.
class StandardErrorSilenced {
public:
    StandardErrorSilenced() {
        std::fflush(stderr);
        kept_ = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            ::dup2(null, STDERR_FILENO);
            ::close(null);
        }
    }
    ~StandardErrorSilenced() {
        std::fflush(stderr);
        if (kept_ < 0) return;
        ::dup2(kept_, STDERR_FILENO);
        ::close(kept_);
    }

private:
    int kept_;
};

ImportImageRead readImportImage(const std::string& path, FitMode fit, std::uint16_t aspectCorrect) {
    ensureApplication();
    ImportImageRead result;
    ImageRead read;
    {
        const StandardErrorSilenced silenced;
        read = readImageForImport(QFile::decodeName(QByteArray::fromStdString(path)));
    }
    result.ok = read.ok;
    result.error = read.reason.toStdString();
    if (read.ok) result.screen = MapToScreen(sourceOf(read.image), fit, aspectCorrect);
    return result;
}

void finish() {
    delete startedApplication;
    startedApplication = nullptr;
}

} // namespace

extern "C" const ConvertGuiHelper* orvelConvertGuiHelper() {
    static const ConvertGuiHelper helper{drawTextScreen, paintShown, finish, readImportImage};
    return &helper;
}
