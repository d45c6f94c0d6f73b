#include "wav_writer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

void putU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

void putTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

int16_t toPcm(float sample) {
    const float clamped = sample > 1.0f ? 1.0f : (sample < -1.0f ? -1.0f : sample);
    return static_cast<int16_t>(std::lround(clamped * 32767.0f));
}

}  // namespace

bool writeWav(const std::string& path, const std::vector<float>& interleaved, int channels, int sampleRate) {
    const uint32_t dataBytes = static_cast<uint32_t>(interleaved.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    putU32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putU32(out, 16);
    putU16(out, 1);  // PCM
    putU16(out, static_cast<uint32_t>(channels));
    putU32(out, static_cast<uint32_t>(sampleRate));
    putU32(out, static_cast<uint32_t>(sampleRate * channels * 2));
    putU16(out, static_cast<uint32_t>(channels * 2));
    putU16(out, 16);
    putTag(out, "data");
    putU32(out, dataBytes);
    for (float s : interleaved) putU16(out, static_cast<uint16_t>(toPcm(s)));

    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "assetgen: cannot create %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
