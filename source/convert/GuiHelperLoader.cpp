// The helper module is looked for beside the running executable first (a build tree), then at
// the installed place relative to it, which CMake works out (ORVEL_GUI_HELPER_INSTALLED).
#include "convert/GuiHelperLoader.h"

#include "files/FileAccess.h"

#include <climits>
#include <dlfcn.h>
#include <unistd.h>

namespace {

constexpr const char* kModuleName = "orvel-convert-gui.so";

std::string executableDirectory() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return std::string();
    return directoryPartOf(std::string(path, static_cast<std::size_t>(length)));
}

const ConvertGuiHelper* openModule(std::string& error) {
    const std::string directory = executableDirectory();
    std::string reason;
    for (const std::string& path :
         {directory + kModuleName, directory + ORVEL_GUI_HELPER_INSTALLED}) {
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            if (reason.empty() || ::access(path.c_str(), F_OK) == 0) reason = ::dlerror();
            continue;
        }
        using Entry = const ConvertGuiHelper* (*)();
        const auto entry = reinterpret_cast<Entry>(::dlsym(module, "orvelConvertGuiHelper"));
        if (entry != nullptr) return entry();
        reason = path + ": no helper in it";
    }
    error = "cannot load the text screen helper " + std::string(kModuleName) + " (" + reason + ")";
    return nullptr;
}

} // namespace

const ConvertGuiHelper* loadGuiHelperModule(std::string& error) {
    static std::string failure;
    static const ConvertGuiHelper* helper = openModule(failure);
    if (helper == nullptr) error = failure;
    return helper;
}
