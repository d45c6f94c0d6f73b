#include "support/asset_archive.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/message.h"

namespace {

constexpr int32_t kBlockSize = 128;
constexpr int32_t kBufferSize = 8192;

// Opens a regular file for byte-exact reading; a folder or a missing file gives nullptr.
FILE* openRegularForReading(const char* path, int64_t& size) {
    if (path == nullptr) return nullptr;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return nullptr;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    size = static_cast<int64_t>(info.st_size);
    return file;
}

void combineWithKey(const AssetArchive& archive, uint8_t* bytes, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
        bytes[i] ^= static_cast<uint8_t>(archive.key[i % archive.keyLength]);
    }
}

[[noreturn]] void sizeRefused(const char* path) {
    char detail[512];
    std::snprintf(detail, sizeof(detail), "Could not encipher %s: the length to encipher is out of range.", path);
    platform::fatal("エンコードサイズ指定エラー", detail, 1);
}

[[noreturn]] void outputRefused(const char* path, const char* verb) {
    char detail[512];
    std::snprintf(detail, sizeof(detail), "Could not %s %s to encipher it.", verb, path);
    platform::fatal("エンコードするための出力ファイルが開けません。", detail, 1);
}

}  // namespace

void constructAssetArchive(AssetArchive& archive, const char* key) {
    const size_t length = key ? std::strlen(key) : 0;
    if (length == 0) {
        platform::fatal("ファイル暗号化キーが正しく設定されていません。", "The archive key is not set.", -1);
    }
    archive.keyLength = static_cast<int32_t>(length);
    archive.key = std::make_unique<char[]>(length + 1);
    std::memcpy(archive.key.get(), key, length + 1);
    archive.blockSize = kBlockSize;
    archive.bufferSize = kBufferSize;
    archive.buffer = std::make_unique<uint8_t[]>(kBufferSize);
}

bool scrambleFile(AssetArchive& archive, const char* path, int32_t length) {
    int64_t fileSize = 0;
    FILE* in = openRegularForReading(path, fileSize);
    if (in == nullptr) return false;

    // A negative length cannot be meant; it is refused like an oversize one.
    if (length < 0) {
        std::fclose(in);
        sizeRefused(path);
    }
    const int64_t limit = length != 0 ? length : archive.blockSize;
    const int64_t count = fileSize < limit ? fileSize : limit;
    if (count > archive.bufferSize) {
        std::fclose(in);
        sizeRefused(path);
    }

    const size_t n = static_cast<size_t>(count);
    const size_t got = std::fread(archive.buffer.get(), 1, n, in);
    std::fclose(in);
    if (got != n) return false;  // the file shrank or failed under us: write nothing

    combineWithKey(archive, archive.buffer.get(), count);

    FILE* out = std::fopen(path, "r+b");
    if (out == nullptr) outputRefused(path, "open");
    const size_t written = std::fwrite(archive.buffer.get(), 1, n, out);
    const bool closed = std::fclose(out) == 0;
    // A head only partly rewritten is a corrupted file; never report it as done.
    if (written != n || !closed) outputRefused(path, "write");
    return true;
}

bool makeArchive(AssetArchive& archive, const char* path, int32_t length) {
    if (path == nullptr) return false;
    const std::string archivePath = std::string(path) + ".bnd";
    std::error_code error;
    std::filesystem::copy_file(path, archivePath, std::filesystem::copy_options::overwrite_existing, error);
    if (error) return false;
    return scrambleFile(archive, archivePath.c_str(), length);
}

bool unscrambleIntoMemory(const AssetArchive& archive, const char* path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    int64_t fileSize = 0;
    FILE* in = openRegularForReading(path, fileSize);
    if (in == nullptr) return false;
    bytes.resize(static_cast<size_t>(fileSize));
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
    std::fclose(in);
    if (got != bytes.size()) {
        bytes.clear();
        return false;
    }
    const int64_t head = fileSize < archive.blockSize ? fileSize : archive.blockSize;
    combineWithKey(archive, bytes.data(), head);
    return true;
}
