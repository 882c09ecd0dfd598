#include <gtest/gtest.h>
#include "foundation/TextEncoding.h"
#include "platform/surface.h"

TEST(Surface, ColorRefRoundTrip) {
    EXPECT_EQ(plat::ColorRefToPixel(0x00112233u), 0xFF332211u);
    EXPECT_EQ(plat::PixelToColorRef(0xFF332211u), 0x00112233u);
}

TEST(TextEncoding, Cp932RoundTripAndLength) {
    ASSERT_TRUE(Cp932ConversionWorks());
    const std::string text = "ステージ1";
    EXPECT_EQ(Cp932Length(text), 9u);
    EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(text)), text);
    EXPECT_EQ(Utf8ToCp932("\xF0\x9F\x98\x80"
                          "a"),
              "?a");  // no CP932 form
}
