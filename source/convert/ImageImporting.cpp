// The import of one image for orvel-convert; with -v its measured error is said too, as the
// README's quality table measures it.
#include "convert/ImageImporting.h"

#include <cstdio>

InputLoad importImageInto(ORVEL_GlobalsRec* rec, const std::string& path,
                          const ConvertOptions& options, const GuiHelperSource& gui) {
    InputLoad load;
    const ConvertGuiHelper* helper = gui(load.error);
    if (helper == nullptr) return load;
    applyRenderSettings(options.settings, rec);
    const ImportImageRead read = helper->readImportImage(path, options.fit, rec->aspectCorrect);
    if (!read.ok) {
        load.error = read.error;
        return load;
    }
    ImportOptions import;
    import.target = *options.importTarget;
    import.dither = options.dither;
    const ImportedPicture picture = ImportScreen(read.screen, import, *rec);
    StorePicture(picture, *rec);
    if (options.verbose) {
        const ImportError error = MeasureImport(read.screen, picture, *rec);
        char text[160];
        std::snprintf(text, sizeof text, "mean CIEDE2000 %.2f blurred, %.2f unblurred",
                      error.blurred, error.unblurred);
        load.note = text;
    }
    load.ok = true;
    return load;
}
