#pragma once
// Checks where a point of the window's client area lands on the 640 x 480 logical screen.
#include <gtest/gtest.h>

#include "platform/window.h"

namespace testsupport {

inline void expectLogical(int wx, int wy, int lx, int ly) {
    int x = 0, y = 0;
    platform::windowToLogical(wx, wy, x, y);
    EXPECT_EQ(x, lx) << "client " << wx << ", " << wy;
    EXPECT_EQ(y, ly) << "client " << wx << ", " << wy;
}

}  // namespace testsupport
