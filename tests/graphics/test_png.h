#pragma once
// Builds small PNG files in memory for the texture tests.
#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

// Writes ARGB pixels (alpha in the top byte) as a PNG of the given libpng format
// (PNG_FORMAT_RGBA, PNG_FORMAT_RGB, PNG_FORMAT_GRAY ...); empty on failure.
inline std::vector<uint8_t> encodePng(const std::vector<uint32_t>& argb, int width, int height,
                                      uint32_t format = PNG_FORMAT_RGBA) {
    std::vector<uint8_t> rgba;
    for (uint32_t p : argb) {
        rgba.push_back(static_cast<uint8_t>(p >> 16));
        rgba.push_back(static_cast<uint8_t>(p >> 8));
        rgba.push_back(static_cast<uint8_t>(p));
        rgba.push_back(static_cast<uint8_t>(p >> 24));
    }
    // Convert the RGBA rows into the target format by letting libpng read them back.
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    std::vector<uint8_t> rgbaPng;
    if (!png_image_write_get_memory_size(image, size, 0, rgba.data(), 0, nullptr)) return {};
    rgbaPng.resize(size);
    if (!png_image_write_to_memory(&image, rgbaPng.data(), &size, 0, rgba.data(), 0, nullptr)) return {};
    rgbaPng.resize(size);
    if (format == PNG_FORMAT_RGBA) return rgbaPng;

    png_image reread;
    std::memset(&reread, 0, sizeof reread);
    reread.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&reread, rgbaPng.data(), rgbaPng.size())) return {};
    reread.format = format;
    std::vector<uint8_t> converted(PNG_IMAGE_SIZE(reread));
    png_color background = {0, 0, 0};
    if (!png_image_finish_read(&reread, &background, converted.data(), 0, nullptr)) return {};
    std::vector<uint8_t> out;
    if (!png_image_write_get_memory_size(reread, size, 0, converted.data(), 0, nullptr)) return {};
    out.resize(size);
    if (!png_image_write_to_memory(&reread, out.data(), &size, 0, converted.data(), 0, nullptr)) return {};
    out.resize(size);
    return out;
}
