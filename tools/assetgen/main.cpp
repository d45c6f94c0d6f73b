// assetgen OUTDIR [--png-dir DIR]
// assetgen --icon FILE    (only the desktop icon, a 128 x 128 PNG)
// Draws the game's images into OUTDIR/img (kept only as enciphered archives) and
// synthesises its sounds into OUTDIR/sound. Exit code 0 on success, 1 on any failure.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "support/asset_archive.h"
#include "font_check.h"
#include "icon.h"
#include "images.h"
#include "sounds.h"

namespace fs = std::filesystem;

namespace {

const char* const kImageNames[] = {
    "logo", "objects", "objects_monochro", "objects2", "objects2_monochro", "bg_filter", "effect", "effect2",
};

// Reports a failure on stderr; returns the tool's failure exit code.
int fail(const std::string& text) {
    std::fprintf(stderr, "assetgen: %s\n", text.c_str());
    return 1;
}

bool refuse(const std::string& text) {
    fail(text);
    return false;
}

bool makeFolder(const fs::path& dir) {
    std::error_code error;
    fs::create_directories(dir, error);
    if (error || !fs::is_directory(dir)) {
        std::fprintf(stderr, "assetgen: cannot create the folder %s\n", dir.c_str());
        return false;
    }
    return true;
}

// Turns every plain image into its archive and removes the plain file, keeping a copy in
// pngDir when one is given.
bool archiveImages(const fs::path& imgDir, const fs::path& pngDir) {
    AssetArchive archive;
    constructAssetArchive(archive, kArchiveKey);
    for (const char* name : kImageNames) {
        const fs::path png = imgDir / (std::string(name) + ".png");
        if (!fs::is_regular_file(png)) return refuse("the image " + png.string() + " was not drawn");
        std::error_code error;
        if (!pngDir.empty()) {
            fs::copy_file(png, pngDir / png.filename(), fs::copy_options::overwrite_existing, error);
            if (error) return refuse("cannot copy " + png.string() + " to " + pngDir.string());
        }
        if (!makeArchive(archive, png.c_str(), 0)) return refuse("cannot make the archive of " + png.string());
        fs::remove(png, error);
        if (error) return refuse("cannot remove " + png.string());
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const char* usage = "usage: assetgen OUTDIR [--png-dir DIR]";
    fs::path outDir, pngDir;
    if (argc == 3 && std::strcmp(argv[1], "--icon") == 0) return writeIcon(argv[2]) ? 0 : 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--png-dir") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') return fail(std::string("--png-dir needs a folder\n") + usage);
            pngDir = argv[++i];
        } else if (argv[i][0] == '-' || !outDir.empty() || argv[i][0] == '\0') {
            return fail(std::string("unexpected argument '") + argv[i] + "'\n" + usage);
        } else {
            outDir = argv[i];
        }
    }
    if (outDir.empty()) return fail(usage);
    // Nothing is written with a stand-in font: the data would differ from every other machine's.
    if (!checkArtFonts()) return 1;

    const fs::path imgDir = outDir / "img";
    const fs::path soundDir = outDir / "sound";
    if (!makeFolder(imgDir) || !makeFolder(soundDir)) return 1;
    if (!pngDir.empty() && !makeFolder(pngDir)) return 1;

    if (!writeImages(imgDir.string())) return fail("the images could not be drawn");
    if (!archiveImages(imgDir, pngDir)) return 1;
    if (!writeSounds(soundDir.string())) return fail("the sounds could not be written");
    return 0;
}
