// Fuzz target over the image loading path: an archive file of any content is unscrambled into
// memory, decoded as a PNG and colour keyed, the way the game loads its images. Along the way
// the archive operations must keep their promises: unscrambling touches only the head, and
// scrambling a file twice in place gives back the same bytes.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/asset_archive.h"
#include "graphics/png_image.h"

namespace {

AssetArchive gArchive;
const size_t kKeyLength = std::strlen(kArchiveKey);
std::string gPath;  // one scratch file per fuzzing process

// Any broken promise is a finding: abort so that the fuzzer keeps the input.
void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "archive fuzz: %s\n", what);
    std::abort();
}

bool writeWhole(const uint8_t* data, size_t size) {
    FILE* f = std::fopen(gPath.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

std::vector<uint8_t> readWhole() {
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(gPath.c_str(), "rb");
    if (f == nullptr) return bytes;
    uint8_t chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(f);
    return bytes;
}

void removeScratch() { unlink(gPath.c_str()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    constructAssetArchive(gArchive, kArchiveKey);
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string templ = std::string(dir) + "/mossbloom-fuzz-XXXXXX";
    const int fd = mkstemp(templ.data());
    if (fd < 0) {
        std::perror("archive fuzz: scratch file");
        std::exit(1);
    }
    close(fd);
    gPath = templ;
    std::atexit(removeScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Without its scratch file the run would test nothing: stop rather than pass.
    require(writeWhole(data, size), "the scratch file could not be written");
    const size_t head = size < static_cast<size_t>(gArchive.blockSize) ? size : gArchive.blockSize;

    // Unscrambled in memory: the head combined with the key, the rest as it was.
    std::vector<uint8_t> plain;
    require(unscrambleIntoMemory(gArchive, gPath.c_str(), plain), "a readable archive was refused");
    require(plain.size() == size, "the unscrambled image has another length");
    for (size_t i = 0; i < size; ++i) {
        const uint8_t key = static_cast<uint8_t>(kArchiveKey[i % kKeyLength]);
        const uint8_t expected = i < head ? static_cast<uint8_t>(data[i] ^ key) : data[i];
        require(plain[i] == expected, "unscrambling changed the wrong bytes");
    }

    // In place on disk: once gives the plain image, twice the archive again. A length taken from
    // the input exercises the explicit limits up to the work buffer's size.
    int32_t length = 0;
    if (size >= 2 && (data[0] & 1) != 0) length = 1 + ((data[0] << 8 | data[1]) % gArchive.bufferSize);
    require(scrambleFile(gArchive, gPath.c_str(), length), "scrambling a readable file failed");
    if (length == 0) require(readWhole() == plain, "scrambling on disk differs from unscrambling in memory");
    require(scrambleFile(gArchive, gPath.c_str(), length), "scrambling a readable file failed");
    require(readWhole() == std::vector<uint8_t>(data, data + size), "scrambling twice did not restore the file");

    DecodedImage image;
    if (decodePng(plain.data(), plain.size(), image)) {
        require(image.width > 0 && image.height > 0, "a decoded image without pixels");
        require(image.width <= kMaxImageSide && image.height <= kMaxImageSide, "an oversized image was decoded");
        require(image.pixels.size() == static_cast<size_t>(image.width) * image.height, "pixels do not fill the image");
        applyColourKey(image);
        for (uint32_t p : image.pixels) require(p != 0xFF000000u, "an opaque black pixel survived the colour key");
    } else {
        require(image.width == 0 && image.height == 0 && image.pixels.empty(), "a failed decode left pixels behind");
    }
    return 0;
}
