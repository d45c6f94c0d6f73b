#include "platform/message.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/headless/headless.h"

namespace {
std::vector<platform::headless::Message> gMessages;
}

namespace platform {

void showMessage(const char* caption, const char* text, const char* detail) {
    if (detail) {
        std::fprintf(stderr, "%s\n%s\n", text, detail);
    } else {
        std::fprintf(stderr, "%s\n", text);
    }
    std::fflush(stderr);
    gMessages.push_back({caption ? caption : "", text, detail ? detail : ""});
}

void fatal(const char* text, const char* detail, int exitCode) {
    showMessage(nullptr, text, detail);
    std::exit(exitCode);
}

namespace headless {
const std::vector<Message>& messages() { return gMessages; }
void clearMessages() { gMessages.clear(); }
}  // namespace headless

}  // namespace platform
