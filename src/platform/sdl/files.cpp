#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

int gError = 0;

bool failed() {
    gError = errno;
    return false;
}

bool isFolder(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

namespace platform {

bool makeFolders(const char* path) {
    char partial[4096];
    const size_t length = std::strlen(path);
    if (length == 0 || length >= sizeof partial) {
        gError = length == 0 ? ENOENT : ENAMETOOLONG;
        return false;
    }
    std::memcpy(partial, path, length + 1);
    // Each folder from the top down; one that exists already is passed.
    for (size_t i = 1; i <= length; ++i) {
        if (partial[i] != '/' && partial[i] != '\0') continue;
        const char kept = partial[i];
        partial[i] = '\0';
        if (mkdir(partial, 0777) != 0 && errno != EEXIST) return failed();
        partial[i] = kept;
    }
    if (isFolder(path)) return true;
    gError = ENOTDIR;
    return false;
}

bool fileExists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0;
}

FileHandle createFile(const char* path) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) failed();
    return fd < 0 ? kNoFile : fd;
}

bool writeFile(FileHandle file, const char* data, size_t length) {
    while (length > 0) {
        const ssize_t written = write(file, data, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            return failed();
        }
        data += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

bool cutFile(FileHandle file, size_t length) {
    const off_t at = static_cast<off_t>(length);
    if (ftruncate(file, at) != 0 || lseek(file, at, SEEK_SET) != at) return failed();
    return true;
}

void closeFile(FileHandle file) {
    if (file != kNoFile) close(file);
}

bool renameFile(const char* from, const char* to) { return std::rename(from, to) == 0 || failed(); }

void removeFile(const char* path) { unlink(path); }

const char* fileError() { return std::strerror(gError); }

}  // namespace platform
