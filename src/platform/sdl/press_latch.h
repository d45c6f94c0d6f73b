#pragma once
// For the SDL platform files: key and button changes seen in the event stream between two
// readings of the keyboard or the mouse. The state is read once a frame, so a key or button
// pressed and released in between (a touchpad's tap, a quick typist) would never be seen down,
// and one let go and pressed again in between would never be seen up.
#include <SDL.h>

namespace platform {
// Notes a key or mouse button going down or up; the event pump hands it every event it takes.
void latchChange(const SDL_Event& event);

// What one reading reports of a key or button: what it is now, unless it is as the last reading
// said but went down or up in between; then the other state, for this one reading.
inline bool latchedReading(bool downNow, bool reportedLast, bool changedSince) {
    return downNow == reportedLast && changedSince ? !downNow : downNow;
}
}  // namespace platform
