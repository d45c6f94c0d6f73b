#pragma once
// The folder that holds the running program: its images and sounds lie beside it.

namespace platform {
// Makes the program's folder the working directory, so that img/ and sound/ are found wherever
// the game was started from. False on failure (executableFolderFailure says why).
bool enterExecutableFolder();
// Why the last enterExecutableFolder failed, in the system's words; "" when it has not failed.
const char* executableFolderFailure();
}  // namespace platform
