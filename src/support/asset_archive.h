#pragma once
// Image archives: a PNG file whose first bytes are combined (XOR) with a short key.
// The same operation scrambles and unscrambles, so one function does both.

#include <cstdint>
#include <memory>
#include <vector>

// The key every image archive of the game is made with.
inline constexpr const char* kArchiveKey = "valomire";

struct AssetArchive {
    std::unique_ptr<char[]> key;        // owned copy, zero-terminated
    int32_t keyLength = 0;              // key bytes without the terminator
    int32_t blockSize = 0;              // leading bytes scrambled when no length is given
    int32_t bufferSize = 0;             // most bytes one call may process
    std::unique_ptr<uint8_t[]> buffer;  // work buffer, allocated once
};

// Copies the key and allocates the work buffer. An empty (or missing) key ends the
// process with exit code -1.
void constructAssetArchive(AssetArchive& archive, const char* key);

// Combines the first min(file size, limit) bytes of the file with the key, in place;
// limit is length when it is not 0, the block size otherwise. Returns false when the file
// cannot be read (nothing is written then). Ends the process (exit code 1) when more
// than the buffer's size is asked for, or when the file cannot be rewritten.
bool scrambleFile(AssetArchive& archive, const char* path, int32_t length);

// Copies path to "<path>.bnd" (replacing it) and scrambles the copy. Returns false
// when the copy cannot be made or read back.
bool makeArchive(AssetArchive& archive, const char* path, int32_t length);

// Reads a whole archive into bytes and unscrambles its head there; the file on disk is
// only ever opened for reading. Returns false (bytes emptied) when it cannot be read.
bool unscrambleIntoMemory(const AssetArchive& archive, const char* path, std::vector<uint8_t>& bytes);
