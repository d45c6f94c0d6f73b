#include "platform/files.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/headless/file_recorder.h"

namespace {

struct HeadlessFiles {
    std::vector<std::string> contents;      // by file number; a removed file keeps its slot
    std::map<std::string, int> paths;       // path -> file number
    std::map<int, int> open;                // handle -> file number
    std::set<std::string> folders{"/"};
    long long space = -1;
    bool writable = true;
    int nextHandle = 3;
    const char* error = "Success";
};

HeadlessFiles gFiles;

bool fail(const char* why) {
    gFiles.error = why;
    return false;
}

long long bytesInUse() {
    long long total = 0;
    for (const auto& [path, file] : gFiles.paths) total += static_cast<long long>(gFiles.contents[file].size());
    return total;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool folderThere(const std::string& path) { return path == "." || gFiles.folders.count(path) != 0; }

}  // namespace

namespace platform {

bool makeFolders(const char* path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    if (p.empty()) return fail("No such file or directory");
    if (gFiles.paths.count(p) != 0) return fail("Not a directory");
    if (folderThere(p)) return true;
    if (!gFiles.writable) return fail("Permission denied");
    for (size_t slash = p.find('/', 1); slash != std::string::npos; slash = p.find('/', slash + 1)) {
        if (gFiles.paths.count(p.substr(0, slash)) != 0) return fail("Not a directory");
        gFiles.folders.insert(p.substr(0, slash));
    }
    gFiles.folders.insert(p);
    return true;
}

bool fileExists(const char* path) { return gFiles.paths.count(path) != 0 || gFiles.folders.count(path) != 0; }

FileHandle createFile(const char* path) {
    if (!folderThere(folderOf(path)) || !gFiles.writable) {
        fail(gFiles.writable ? "No such file or directory" : "Permission denied");
        return kNoFile;
    }
    auto found = gFiles.paths.find(path);
    int file = 0;
    if (found != gFiles.paths.end()) {
        file = found->second;
        gFiles.contents[file].clear();
    } else {
        file = static_cast<int>(gFiles.contents.size());
        gFiles.contents.emplace_back();
        gFiles.paths[path] = file;
    }
    const FileHandle handle = gFiles.nextHandle++;
    gFiles.open[handle] = file;
    return handle;
}

bool writeFile(FileHandle handle, const char* data, size_t length) {
    auto found = gFiles.open.find(handle);
    if (found == gFiles.open.end()) return fail("Bad file descriptor");
    std::string& text = gFiles.contents[found->second];
    size_t fits = length;
    if (gFiles.space >= 0) fits = static_cast<size_t>(std::clamp(gFiles.space - bytesInUse(), 0ll, static_cast<long long>(length)));
    text.append(data, fits);
    return fits == length || fail("No space left on device");
}

bool cutFile(FileHandle handle, size_t length) {
    auto found = gFiles.open.find(handle);
    if (found == gFiles.open.end()) return fail("Bad file descriptor");
    gFiles.contents[found->second].resize(length);
    return true;
}

void closeFile(FileHandle handle) { gFiles.open.erase(handle); }

bool renameFile(const char* from, const char* to) {
    auto found = gFiles.paths.find(from);
    if (found == gFiles.paths.end()) return fail("No such file or directory");
    if (!folderThere(folderOf(to))) return fail("No such file or directory");
    const int file = found->second;
    gFiles.paths.erase(found);
    gFiles.paths[to] = file;
    return true;
}

void removeFile(const char* path) { gFiles.paths.erase(path); }

const char* fileError() { return gFiles.error; }

namespace headless {

std::string fileText(const std::string& path) {
    auto found = gFiles.paths.find(path);
    return found == gFiles.paths.end() ? std::string() : gFiles.contents[found->second];
}

std::vector<std::string> filePaths() {
    std::vector<std::string> all;
    for (const auto& [path, file] : gFiles.paths) all.push_back(path);
    return all;
}

void setFileSpace(long long bytes) { gFiles.space = bytes; }
void setFoldersWritable(bool writable) { gFiles.writable = writable; }
int openFileCount() { return static_cast<int>(gFiles.open.size()); }
void resetFiles() { gFiles = HeadlessFiles{}; }

}  // namespace headless
}  // namespace platform
