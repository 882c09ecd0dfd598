#include <gtest/gtest.h>
#include "platform/surface.h"

TEST(Surface, ColorRefRoundTrip) {
    EXPECT_EQ(plat::ColorRefToPixel(0x00112233u), 0xFF332211u);
    EXPECT_EQ(plat::PixelToColorRef(0xFF332211u), 0x00112233u);
}
