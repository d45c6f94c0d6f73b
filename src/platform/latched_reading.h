#pragma once
// For the implementations of the platform: keys and buttons are read as state once a frame, so
// one pressed and released in between (a touchpad's tap, a quick typist) would never be seen
// down, and one let go and pressed again in between would never be seen up. Each reading
// therefore also knows whether the key or button went down or up since the last reading.

namespace platform {
// What one reading reports of a key or button: what it is now, unless it is as the last reading
// said but went down or up in between; then the other state, for this one reading.
inline bool latchedReading(bool downNow, bool reportedLast, bool changedSince) {
    return downNow == reportedLast && changedSince ? !downNow : downNow;
}
}  // namespace platform
