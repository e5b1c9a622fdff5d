// An input is first read for its first bytes and size only; the whole file is read when its
// name, mark or size says it may be a disk image, and its content decides.
#include "convert/DiskImageInputs.h"

#include "files/FileAccess.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

std::string safeName(const std::string& name) {
    std::string safe = name;
    for (char& c : safe)
        if (c == '/' || isControl(c)) c = '_';
    if (safe.find_first_not_of('.') == std::string::npos) safe.insert(0, 1, '_');
    return safe;
}

} // namespace

ImageInput readImageInput(const std::string& path) {
    ImageInput input;
    const std::string name = fileNameOf(path);
    const FileRead start = readFileStart(path, 4);
    if (start.status != ReadStatus::Ok || !mayBeDiskImage(name, start.size, start.bytes))
        return input;
    const FileRead whole = readFileStart(path, kLargestDiskImage, kLargestDiskImage);
    if (whole.status == ReadStatus::TooLarge) {
        input.isImage = hasDiskImageName(name);
        input.error = "too large for a disk image (" + std::to_string(whole.size) + " bytes)";
        return input;
    }
    if (whole.status != ReadStatus::Ok || !isDiskImage(name, whole.bytes)) return input;
    input.isImage = true;
    DiskImageOpen open = openDiskImage(whole.bytes, name);
    input.ok = open.ok;
    input.error = open.error;
    input.image = std::move(open.image);
    if (input.ok) input.catalogue = cataloguePictures(input.image);
    return input;
}

std::string safeInsidePath(const std::vector<std::string>& names) {
    std::string path;
    for (const std::string& name : names)
        path += (path.empty() ? "" : "/") + safeName(name);
    return path;
}

bool makeFoldersBelow(const std::string& base, const std::string& relative, std::string& error) {
    std::string folder = base;
    for (std::size_t slash = relative.find('/'); slash != std::string::npos;
         slash = relative.find('/', slash + 1)) {
        folder = base + (base.back() == '/' ? "" : "/") + relative.substr(0, slash);
        struct stat facts;
        if (::lstat(folder.c_str(), &facts) == 0) {
            if (S_ISDIR(facts.st_mode)) continue;
            error = "Cannot make the folder " + folder + ": a file or a link has that name";
            return false;
        }
        if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            error = "Cannot make the folder " + folder + ": " + systemReason(errno);
            return false;
        }
    }
    return true;
}

bool isSymbolicLink(const std::string& path) {
    struct stat facts;
    return ::lstat(path.c_str(), &facts) == 0 && S_ISLNK(facts.st_mode);
}
