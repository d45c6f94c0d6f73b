#pragma once
// Message boxes and fatal endings. Every box shows the given text and, under it, one English
// line (detail) that says what failed and names the file where there is one; standard error
// gets the same lines, so a failure can be read without a display.

namespace platform {
// Shows a box with an OK button and waits for it; caption nullptr means the default (empty)
// caption, detail nullptr leaves the English line out.
void showMessage(const char* caption, const char* text, const char* detail = nullptr);
// Shows text and detail with no caption, then ends the process with exitCode.
[[noreturn]] void fatal(const char* text, const char* detail, int exitCode = 1);
}  // namespace platform
