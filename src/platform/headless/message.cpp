#include "platform/message.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/headless/headless.h"

namespace {
std::vector<platform::headless::Message> gMessages;
}

namespace platform {

void showMessage(const char* caption, const char* text) {
    std::fprintf(stderr, "%s\n", text);
    std::fflush(stderr);
    gMessages.push_back({caption ? caption : "", text});
}

void fatal(const char* text, int exitCode) {
    showMessage(nullptr, text);
    std::exit(exitCode);
}

namespace headless {
const std::vector<Message>& messages() { return gMessages; }
void clearMessages() { gMessages.clear(); }
}  // namespace headless

}  // namespace platform
