#pragma once
// Files the game writes (its replays): folders, new files written from the start, and the
// rename that puts a finished file in place at once. Nothing here allocates. Every call that
// fails leaves the reason, in English, for fileError.
#include <cstddef>

namespace platform {

using FileHandle = int;
constexpr FileHandle kNoFile = -1;

// Makes the folder and the folders above it that are missing; true when it is a folder now.
bool makeFolders(const char* path);
bool fileExists(const char* path);
// A new file, or an existing one emptied, open for writing; kNoFile on failure.
FileHandle createFile(const char* path);
// Writes every byte at the end of the file; false when not all of them could be written.
bool writeFile(FileHandle file, const char* data, size_t length);
// Cuts the file back to length bytes (after a write that stopped halfway) and writes on there.
bool cutFile(FileHandle file, size_t length);
void closeFile(FileHandle file);
// Renames from to to, replacing a file there in one step: a reader sees the old or the new one.
bool renameFile(const char* from, const char* to);
void removeFile(const char* path);
// Why the last failing call failed ("No space left on device").
const char* fileError();

}  // namespace platform
