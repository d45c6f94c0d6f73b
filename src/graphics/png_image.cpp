#include "graphics/png_image.h"

#include <png.h>

#include <cstring>
#include <utility>

bool decodePng(const uint8_t* bytes, size_t size, DecodedImage& out) {
    out = DecodedImage{};
    if (!bytes || size == 0) return false;
    // libpng's simplified reader keeps its own error recovery: a bad file only makes it fail.
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, size)) return false;
    if (image.width == 0 || image.height == 0 || image.width > kMaxImageSide || image.height > kMaxImageSide) {
        png_image_free(&image);
        return false;
    }
    // Bytes in memory order that read as one ARGB word on this machine.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    image.format = PNG_FORMAT_ARGB;
#else
    image.format = PNG_FORMAT_BGRA;
#endif
    DecodedImage decoded;
    decoded.width = static_cast<int>(image.width);
    decoded.height = static_cast<int>(image.height);
    decoded.pixels.resize(static_cast<size_t>(decoded.width) * decoded.height);
    if (!png_image_finish_read(&image, nullptr, decoded.pixels.data(), decoded.width * 4, nullptr)) {
        png_image_free(&image);
        return false;
    }
    out = std::move(decoded);
    return true;
}

void applyColourKey(DecodedImage& image) {
    for (uint32_t& p : image.pixels)
        if (p == 0xFF000000u) p = 0;
}
