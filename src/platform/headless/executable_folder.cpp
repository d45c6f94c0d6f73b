#include "platform/executable_folder.h"

#include "platform/headless/headless.h"

namespace {
// Tests share one process and its working directory, so entering the folder only counts.
int gEntries = 0;
bool gFails = false;
}  // namespace

namespace platform {

bool enterExecutableFolder() {
    gEntries += 1;
    return !gFails;
}

const char* executableFolderFailure() { return gFails ? "the headless platform was told to refuse" : ""; }

namespace headless {
void setExecutableFolderFails(bool fails) { gFails = fails; }
int executableFolderEntries() { return gEntries; }
}  // namespace headless

}  // namespace platform
