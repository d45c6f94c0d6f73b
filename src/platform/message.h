#pragma once
// Message boxes and fatal endings. Every text is also written to standard error,
// so a failure can be read without a display.

namespace platform {
// Shows a box with an OK button; caption nullptr means the default (empty) caption.
void showMessage(const char* caption, const char* text);
// Shows text with no caption, then ends the process with exitCode.
[[noreturn]] void fatal(const char* text, int exitCode = 1);
}  // namespace platform
