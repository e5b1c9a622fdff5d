// Inputs go through the picture view's own readers, so the converter accepts exactly the files
// the window opens, refuses the same ones with the same reasons, and draws text the same way.
#include "convert/InputLoading.h"

#include "files/FileAccess.h"
#include "text/TextScreenLimit.h"
#include "view/PictureFileRead.h"

#include <cctype>

namespace {

InputLoad failure(const std::string& reason) {
    InputLoad load;
    load.error = reason;
    return load;
}

std::string textReadReason(const FileRead& read) {
    switch (read.status) {
    case ReadStatus::Ok:
    case ReadStatus::TooLarge:
        break;
    case ReadStatus::Missing:
        return "File not found";
    case ReadStatus::NotRegular:
        return "Not a text screen file";
    case ReadStatus::OpenFailed:
        return "Cannot open text screen (" + systemReason(read.error) + ")";
    case ReadStatus::ReadFailed:
        return "Cannot read text screen (" + systemReason(read.error) + ")";
    }
    const std::int64_t size = std::max<std::int64_t>(read.size, read.bytes.size());
    return "Text screen file too large (" + std::to_string(size) + " bytes)";
}

InputLoad loadTextScreen(ORVEL_GlobalsRec* rec, const std::string& path,
                         const GuiHelperSource& gui) {
    // One byte past the limit is read, to catch a file that grew after it was measured.
    FileRead read = readFileStart(path, kMaxTextScreenFileBytes + 1, kMaxTextScreenFileBytes);
    if (static_cast<std::int64_t>(read.bytes.size()) > kMaxTextScreenFileBytes)
        read.status = ReadStatus::TooLarge;
    if (read.status != ReadStatus::Ok) return failure(textReadReason(read));
    std::string error;
    const ConvertGuiHelper* helper = gui(error);
    if (helper == nullptr) return failure(error);
    const TextScreenMask mask = helper->drawTextScreen(read.bytes);
    WriteTextScreenDots(rec, mask);
    InputLoad load;
    load.ok = true;
    load.fontMissing = !mask.fontFound;
    return load;
}

InputLoad loadPicture(ORVEL_GlobalsRec* rec, const std::string& path) {
    const PictureRead picture = readPictureInto(rec, path);
    if (picture.status != PictureStatus::Loaded) return failure(pictureReadReason(picture));
    InputLoad load;
    load.ok = true;
    load.companion = picture.companion;
    return load;
}

} // namespace

bool isTextScreenPath(const std::string& path) {
    const std::string name = fileNameOf(path);
    if (name.size() < 4 || name[name.size() - 4] != '.') return false;
    std::string suffix = name.substr(name.size() - 3);
    for (char& c : suffix)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix == "txt";
}

InputLoad loadInput(ORVEL_GlobalsRec* rec, const std::string& path, const GuiHelperSource& gui) {
    return isTextScreenPath(path) ? loadTextScreen(rec, path, gui) : loadPicture(rec, path);
}
