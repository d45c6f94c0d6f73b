#pragma once
// PNG decoding for the texture loader.
#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedImage {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;   // width * height ARGB, alpha in the top byte
};

constexpr int kMaxImageSide = 8192;

// Decodes a PNG of any colour type and depth into 32-bit ARGB. A damaged, truncated or
// oversized file gives false and leaves out empty.
bool decodePng(const uint8_t* bytes, size_t size, DecodedImage& out);
// Every opaque black pixel becomes fully transparent (the sheets' colour key).
void applyColourKey(DecodedImage& image);
