// Disk images among orvel-convert's inputs: told apart from pictures, opened and listed, and
// the host names their pictures get (the rule is in the README), never outside the output folder.
#pragma once

#include "formats/DiskImageFile.h"

#include <string>
#include <vector>

struct ImageInput {
    bool isImage = false; // false: any other file, read as a picture
    bool ok = false;      // the image opened: `image` and `catalogue` hold it
    DiskImage image;
    ImageCatalogue catalogue;
    std::string error; // why it did not open
};

// Reads `path` when it is a disk image (by its name, the 2IMG mark or its content); any other
// file costs one short read.
ImageInput readImageInput(const std::string& path);

// The relative path a picture's output gets: in each name every '/' and control character
// becomes '_', and a name that is empty or only dots gets a '_' in front; joined with "/".
std::string safeInsidePath(const std::vector<std::string>& names);

// Creates the folders of `relative` (a safe path, its last name excluded) below `base`. An
// existing one must be a folder and not a link, so nothing is written outside `base`.
bool makeFoldersBelow(const std::string& base, const std::string& relative, std::string& error);

// True when `path` is a symbolic link (a picture's output is never written through one).
bool isSymbolicLink(const std::string& path);
