#include "images.h"

#include <sys/stat.h>

#include <cstdio>

#include "paint_sheets.h"

bool writeImages(const std::string& imgDir) {
    struct stat info {};
    if (stat(imgDir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        std::fprintf(stderr, "assetgen: image folder %s does not exist\n", imgDir.c_str());
        return false;
    }
    // Stop at the first sheet that fails: its message names the file.
    return writeLogoSheet(imgDir) && writeElementSheets(imgDir) && writeFlowerSheets(imgDir) &&
           writeFilterSheet(imgDir) && writePlantAndCreatureSheet(imgDir) && writeSeedAndHintSheet(imgDir);
}
