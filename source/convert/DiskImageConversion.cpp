// A picture inside an image is prepared like any input (same edits, renders and overwrite
// rules, the image itself protected) once its bytes are read and its folders exist.
#include "convert/DiskImageConversion.h"

#include "convert/BatchRunner.h"
#include "convert/OutputNaming.h"
#include "files/FileAccess.h"

namespace {

bool reportProblems(const ImageInput& input, const ImageFailure& fail) {
    if (!input.ok) fail(input.error);
    for (const ImageProblem& problem : input.catalogue.problems)
        fail(problem.names.empty() ? problem.reason
                                   : shownInsidePath(problem.names) + ": " + problem.reason);
    return input.ok && input.catalogue.problems.empty();
}

PreparedOutput failure(const std::string& output, const std::string& error) {
    PreparedOutput prepared;
    prepared.result.output = output;
    prepared.result.error = error;
    return prepared;
}

} // namespace

bool listImagePictures(const ImageInput& input, const std::string& prefix, std::FILE* out,
                       const ImageFailure& fail) {
    for (const ImagePicture& picture : input.catalogue.pictures)
        std::fprintf(out, "%s%s\t%s\n", prefix.c_str(), shownInsidePath(picture.names).c_str(),
                     pictureKindName(picture.kind));
    std::fflush(out);
    return reportProblems(input, fail);
}

bool convertImagePictures(PictureConverter& converter, const std::string& imagePath,
                          const ImageInput& input, const ConvertOptions& options, int workers,
                          const ImageFailure& fail) {
    if (!options.output.empty() && !options.outputIsDirectory) {
        fail("the pictures of a disk image need an existing directory (-o DIRECTORY)");
        return false;
    }
    std::string folder = options.output.empty() ? directoryPartOf(imagePath) : options.output;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    const std::vector<ImagePicture>& pictures = input.catalogue.pictures;
    bool ok = reportProblems(input, fail);
    runPrepared(
        static_cast<int>(pictures.size()),
        [&](int index) {
            const ImagePicture& entry = pictures[static_cast<std::size_t>(index)];
            const std::string relative = safeInsidePath(entry.names) + extensionFor(options.format);
            const std::string output = folder + relative;
            const Picture picture = readImagePicture(input.image, entry);
            std::string error = picture.error;
            if (picture.ok && makeFoldersBelow(folder.empty() ? "." : folder, relative, error) &&
                isSymbolicLink(output))
                error = "the output " + output + " is a symbolic link, so it is not replaced";
            if (!error.empty()) return failure(output, error);
            return converter.preparePicture(imagePath, picture, output);
        },
        workers,
        [&](int index, const ConversionResult& result) {
            if (result.ok) return;
            ok = false;
            fail(shownInsidePath(pictures[static_cast<std::size_t>(index)].names) + ": " +
                 result.error);
        });
    return ok;
}
