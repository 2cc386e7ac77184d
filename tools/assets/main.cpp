// torvanex-assets FOLDER [--contact-sheet FILE.png]
#include <cstdio>
#include <cstring>
#include <string>

#include "generator.h"
#include "icon.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: torvanex-assets FOLDER [--contact-sheet FILE.png]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/') folder += '/';
    std::string sheet;
    for (int i = 2; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--contact-sheet") == 0) sheet = argv[i + 1];
    WritePictures(folder);
    WriteFonts(folder);
    WriteEffects(folder);
    WriteMusic(folder);
    WriteHelpText(folder);
    WriteManual(folder);
    WriteIcons(folder);
    if (!sheet.empty()) WriteContactSheet(folder, sheet);
    return 0;
}
