// One input through the pipeline: load, --to-dhgr, the shifts, then the output's bytes, written
// atomically. Renders go through RenderPicture, as the window's; shown sizes through its painting.
#include "convert/PictureConverter.h"

#include "convert/ImageImporting.h"
#include "convert/InputLoading.h"
#include "convert/OutputNaming.h"
#include "convert/Thumbnails.h"
#include "core/Core.h"
#include "files/AtomicWrite.h"
#include "files/FileAccess.h"
#include "files/PngWriter.h"
#include "view/PictureFileRead.h"

namespace {

PreparedOutput failure(const std::string& output, const std::string& error) {
    PreparedOutput prepared;
    prepared.result.output = output;
    prepared.result.error = error;
    return prepared;
}

std::string writeFailure(const std::string& output, const AtomicWrite& write) {
    const std::string reason = write.status == WriteStatus::NotRegular
                                   ? "not a regular file, so it is not replaced"
                                   : systemReason(write.error);
    return "Cannot write " + output + ": " + reason;
}

} // namespace

PictureConverter::PictureConverter(const ConvertOptions& options, GuiHelperSource gui)
    : options_(options), gui_(std::move(gui)) {
    InitGlobalsRec(&rec_);
    for (const std::string& input : options_.inputs)
        protectedKeys_.insert(sameFileKey(input));
}

PictureConverter::~PictureConverter() {
    ReleaseGlobalsRec(&rec_);
    if (globalsP == &rec_) globalsP = nullptr;
}

PreparedOutput PictureConverter::prepare(const std::string& input) {
    const std::string output = outputPathFor(input, options_);
    std::string problem = overwriteProblem(input, output);
    if (!problem.empty()) return failure(output, problem);

    const InputLoad load = options_.importTarget ? importImageInto(&rec_, input, options_, gui_)
                                                 : loadInput(&rec_, input, gui_);
    if (!load.ok) return failure(output, load.error);
    if (!load.companion.empty()) {
        protectedKeys_.insert(sameFileKey(load.companion));
        problem = overwriteProblem(input, output);
        if (!problem.empty()) return failure(output, problem);
    }

    return prepareLoaded(output, load.fontMissing, load.note);
}

PreparedOutput PictureConverter::preparePicture(const std::string& image, const Picture& picture,
                                                const std::string& output) {
    const std::string problem = overwriteProblem(image, output);
    if (!problem.empty()) return failure(output, problem);
    setRecordPicture(&rec_, picture);
    return prepareLoaded(output, false, std::string());
}

PreparedOutput PictureConverter::prepareLoaded(const std::string& output, bool fontMissing,
                                               const std::string& note) {
    edit();
    PreparedOutput prepared;
    std::string problem;
    render(prepared, problem);
    if (!problem.empty()) return failure(output, problem);
    prepared.result.output = output;
    prepared.result.note = note;
    if (fontMissing && !fontWarned_) {
        fontWarned_ = true;
        prepared.result.warning = "the Apple II font (fonts/Apple_II.ttf) was not found: "
                                  "text screens show only their inverse cells";
    }
    writtenKeys_.insert(sameFileKey(output));
    return prepared;
}

ConversionResult PictureConverter::finish(const PreparedOutput& prepared) {
    ConversionResult result = prepared.result;
    if (!result.error.empty()) return result;
    std::string png;
    if (prepared.png) {
        const std::size_t rowBytes = 4 * static_cast<std::size_t>(prepared.width);
        const std::size_t height = prepared.pixels.size() / rowBytes;
        std::vector<const std::uint8_t*> rows;
        for (std::size_t y = 0; y < height; ++y)
            rows.insert(rows.end(), prepared.doubled ? 2 : 1, &prepared.pixels[y * rowBytes]);
        png = encodePngRows(prepared.width, rows,
                            prepared.stored ? PngPacking::Stored : PngPacking::Fast);
        if (png.empty()) {
            result.error = "Cannot encode PNG";
            return result;
        }
    }
    const std::string& bytes = prepared.png ? png : prepared.fileBytes;
    const AtomicWrite write = writeBytesAtomically(result.output, bytes.data(), bytes.size());
    result.ok = write.status == WriteStatus::Ok;
    if (!result.ok) result.error = writeFailure(result.output, write);
    return result;
}

// The settings go in before every input: a text screen borrows some while it is drawn.
void PictureConverter::edit() {
    applyRenderSettings(options_.settings, &rec_);
    if (options_.toDHGR) ConvertRecordToDHGR(&rec_);
    for (const bool left : options_.shiftsLeft)
        ShiftRecord(&rec_, left);
}

// The render at the chosen size: the offscreen image itself, the exported image (each row
// twice), or the picture as the view paints it at GetScreenSize().
void PictureConverter::render(PreparedOutput& prepared, std::string& error) {
    switch (options_.format) {
    case OutputFormat::Hgr:
        prepared.fileBytes = mainBankOf(&rec_);
        return;
    case OutputFormat::Dhgr:
        ConvertRecordToDHGR(&rec_); // leaves a double hi-res picture as it is
        prepared.fileBytes = pictureBytesOf(&rec_);
        return;
    case OutputFormat::Png:
        break;
    }
    prepared.png = true;
    prepared.width = kOffscreenDots;
    prepared.pixels.resize(4 * static_cast<std::size_t>(kOffscreenDots) * kLines);
    RenderPicture(&rec_, RGBAStore{prepared.pixels.data(), 4 * kOffscreenDots});
    if (options_.size == OutputSize::Raw || options_.size == OutputSize::Exported) {
        prepared.doubled = options_.size == OutputSize::Exported;
        return;
    }
    if (options_.size == OutputSize::Thumbnail) {
        int height = 0;
        prepared.stored = true;
        prepared.pixels =
            thumbnailOf(prepared.pixels.data(), options_.thumbnailSize, prepared.width, height);
        return;
    }
    const ConvertGuiHelper* helper = gui_(error);
    if (helper == nullptr) return;
    const Rect shown = GetScreenSize();
    prepared.width = shown.right - shown.left;
    prepared.pixels = helper->paintShown(prepared.pixels.data(), prepared.width,
                                         shown.bottom - shown.top, rec_.aspectCorrect != 0);
}

std::string PictureConverter::overwriteProblem(const std::string& input,
                                               const std::string& output) const {
    const std::string key = sameFileKey(output);
    if (key == sameFileKey(input)) return "the output would overwrite the input itself";
    if (protectedKeys_.count(key) != 0)
        return "the output " + output + " would overwrite another input";
    if (writtenKeys_.count(key) != 0)
        return "the output " + output + " is the output of an earlier input";
    return std::string();
}
