#pragma once
// Headless files: kept in memory, where tests read them back, with the controls that make a
// disk refuse. A file renamed while open keeps taking writes, as on a real disk.
#include <string>
#include <vector>

namespace platform::headless {

// The bytes of the file at path now; empty when there is none.
std::string fileText(const std::string& path);
// Every file's path, sorted.
std::vector<std::string> filePaths();
// Writes that would take the files past this many bytes in all write what fits and fail,
// as on a full disk; a negative number lifts the limit (the start).
void setFileSpace(long long bytes);
// Folders cannot be made (and files cannot be created) while this is false.
void setFoldersWritable(bool writable);
int openFileCount();
void resetFiles();                    // no files, no folders but "/", every control back to its start

}  // namespace platform::headless
