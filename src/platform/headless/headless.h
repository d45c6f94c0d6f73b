#pragma once
// The headless platform: no window, no sound device. It records what it is asked to do and
// lets tests set the clock and the input. Each part's controls live in its own header,
// included from here.
#include <cstdint>
#include <string>
#include <vector>

namespace platform::headless {

// Clock: ticks stand still unless set or advanced; sleepMs advances them and is recorded.
void setTicks(uint32_t ms);
void advanceTicks(uint32_t ms);
const std::vector<uint32_t>& sleeps();
void clearSleeps();

// Message boxes shown so far (fatal ones too, before the process ends).
struct Message {
    std::string caption;
    std::string text;
    std::string detail;  // the English line under the text; empty when there is none
};
const std::vector<Message>& messages();
void clearMessages();

// The program's folder: entering it never changes the working directory here, only counts.
void setExecutableFolderFails(bool fails);     // enterExecutableFolder returns false
int executableFolderEntries();

}  // namespace platform::headless

#include "platform/headless/input_audio_recorder.h"
#include "platform/headless/video_recorder.h"
