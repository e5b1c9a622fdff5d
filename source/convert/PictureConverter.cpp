// One input through the pipeline: load, --to-dhgr, the shifts, then the output's bytes, written
// atomically. Renders go through RenderPicture and the view's painting helpers, as the window's.
#include "convert/PictureConverter.h"

#include "convert/InputLoading.h"
#include "convert/OutputNaming.h"
#include "convert/PngEncoding.h"
#include "core/Core.h"
#include "view/PictureFile.h"
#include "view/PicturePainting.h"

namespace {

ConversionResult failure(const QString& output, const QString& error) {
    ConversionResult result;
    result.output = output;
    result.error = error;
    return result;
}

} // namespace

PictureConverter::PictureConverter(const ConvertOptions& options)
    : options_(options), offscreen_(kOffscreenDots, kLines, QImage::Format_RGBA8888) {
    InitGlobalsRec(&rec_);
    for (const QString& input : options_.inputs)
        protectedKeys_.insert(sameFileKey(input));
}

PictureConverter::~PictureConverter() {
    ReleaseGlobalsRec(&rec_);
    if (globalsP == &rec_) globalsP = nullptr;
}

ConversionResult PictureConverter::convert(const QString& input) {
    const QString output = outputPathFor(input, options_);
    QString problem = overwriteProblem(input, output);
    if (!problem.isEmpty()) return failure(output, problem);

    const InputLoad load = loadInput(&rec_, input);
    if (!load.ok) return failure(output, load.error);
    if (!load.companion.isEmpty()) {
        protectedKeys_.insert(sameFileKey(load.companion));
        problem = overwriteProblem(input, output);
        if (!problem.isEmpty()) return failure(output, problem);
    }

    edit();
    const QByteArray bytes = outputBytes(problem);
    if (!problem.isEmpty()) return failure(output, problem);
    const FileWrite write = writeFileAtomically(output, bytes);
    if (!write.ok) return failure(output, write.error);

    writtenKeys_.insert(sameFileKey(output));
    ConversionResult result;
    result.ok = true;
    result.output = output;
    return result;
}

// The settings go in before every input: a text screen borrows some while it is drawn.
void PictureConverter::edit() {
    applyRenderSettings(options_.settings, &rec_);
    if (options_.toDHGR) ConvertRecordToDHGR(&rec_);
    for (const bool left : options_.shiftsLeft)
        ShiftRecord(&rec_, left);
}

QByteArray PictureConverter::outputBytes(QString& error) {
    switch (options_.format) {
    case OutputFormat::Hgr:
        return mainBankBytes(&rec_);
    case OutputFormat::Dhgr:
        ConvertRecordToDHGR(&rec_); // leaves a double hi-res picture as it is
        return pictureFileBytes(&rec_);
    case OutputFormat::Png:
        break;
    }
    const PngEncoding png = encodePng(picture());
    error = png.error;
    return png.bytes;
}

// The render at the chosen size: the offscreen image itself, the exported image, or the picture
// as the view paints it at GetScreenSize().
QImage PictureConverter::picture() {
    RenderPicture(&rec_, RGBAStore{offscreen_.bits(), offscreen_.bytesPerLine()});
    switch (options_.size) {
    case OutputSize::Raw:
        return offscreen_;
    case OutputSize::Exported: // indexed before doubling: half the dots to look up
        return exportedPicture(compactPicture(offscreen_));
    default:
        break;
    }
    const Rect shown = GetScreenSize();
    return shownPicture(offscreen_, shown.right - shown.left, shown.bottom - shown.top,
                        rec_.aspectCorrect != 0);
}

QString PictureConverter::overwriteProblem(const QString& input, const QString& output) const {
    const QString key = sameFileKey(output);
    if (key == sameFileKey(input))
        return QStringLiteral("the output would overwrite the input itself");
    if (protectedKeys_.contains(key))
        return QStringLiteral("the output %1 would overwrite another input").arg(output);
    if (writtenKeys_.contains(key))
        return QStringLiteral("the output %1 was already written for an earlier input").arg(output);
    return QString();
}
