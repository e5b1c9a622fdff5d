// The list of shipped text screens: titles as offered to the user, resource names of the files.
// The files themselves live in source/resources/textscreens and are installed beside the program.
#include "startup/BundledScreens.h"

const std::vector<ScreenEntry>& GetBundledScreens() {
    static const std::vector<ScreenEntry> screens = {
        {"Apple //c", "textscreens/Apple_IIc.txt"},
        {"ProDOS", "textscreens/ProDOS.txt"},
        {"Welcome", "textscreens/Welcome.txt"},
        {"Text Screen Info", "textscreens/Text_Screen_Info.txt"},
        {"Sample Text Screen", "textscreens/Sample_Text_Screen.txt"},
    };
    return screens;
}
