#include "engine/el/elBmp.h"
#include "foundation/Log.h"
#include "foundation/TextEncoding.h"
#include "tests/common/bmp_writer.h"
#include "tests/common/headless_test.h"

namespace {

using testsupport::HeadlessTest;

using bmptest::MakeBmp;
using bmptest::Options;

bool Decode(const std::string& bytes, plat::Surface& out) {
    return elDraw::DecodeBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
}

// A 3x2 picture: red green blue / white black grey.
const std::vector<uint32_t> kColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
const std::vector<uint32_t> kIndices = {1, 2, 3, 4, 0, 5};
const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x808080};

void ExpectPicture(const plat::Surface& s) {
    ASSERT_EQ(s.width, 3);
    ASSERT_EQ(s.height, 2);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(s.pixels[i], 0xFF000000u | kColours[i]) << "pixel " << i;
}

TEST(DrawBmp, TrueColourDepthsBothRowOrders) {
    for (int bpp : {24, 32}) {
        for (bool topDown : {false, true}) {
            Options o;
            o.bpp = bpp;
            o.topDown = topDown;
            plat::Surface s;
            ASSERT_TRUE(Decode(MakeBmp(3, 2, kColours, o), s)) << bpp << " " << topDown;
            ExpectPicture(s);
        }
    }
}

TEST(DrawBmp, PaletteDepthsAndCoreHeader) {
    for (int bpp : {4, 8}) {
        for (bool core : {false, true}) {
            Options o;
            o.bpp = bpp;
            o.coreHeader = core;
            o.palette = kPalette;
            plat::Surface s;
            ASSERT_TRUE(Decode(MakeBmp(3, 2, kIndices, o), s)) << bpp << " " << core;
            ExpectPicture(s);
        }
    }
    // One bit: a 10-pixel row crosses a byte.
    Options o;
    o.bpp = 1;
    o.palette = {0x000000, 0xFFFFFF};
    std::vector<uint32_t> bits = {1, 0, 1, 1, 0, 0, 0, 0, 1, 1};
    plat::Surface s;
    ASSERT_TRUE(Decode(MakeBmp(10, 1, bits, o), s));
    for (int x = 0; x < 10; ++x) EXPECT_EQ(s.pixels[x], bits[x] ? 0xFFFFFFFFu : 0xFF000000u) << x;
}

TEST(DrawBmp, SixteenBitsPlainAndWithMasks) {
    Options o;
    o.bpp = 16;  // 5:5:5
    plat::Surface s;
    ASSERT_TRUE(Decode(MakeBmp(2, 1, {0x7C00, 0x001F}, o), s));
    EXPECT_EQ(s.pixels[0], 0xFFFF0000u);
    EXPECT_EQ(s.pixels[1], 0xFF0000FFu);
    o.bitfields = true;  // 5:6:5
    o.masks[0] = 0xF800;
    o.masks[1] = 0x07E0;
    o.masks[2] = 0x001F;
    ASSERT_TRUE(Decode(MakeBmp(2, 1, {0x07E0, 0xFFFF}, o), s));
    EXPECT_EQ(s.pixels[0], 0xFF00FF00u);
    EXPECT_EQ(s.pixels[1], 0xFFFFFFFFu);
}

TEST(DrawBmp, BrokenFilesAreRefused) {
    Options o;
    std::string good = MakeBmp(3, 2, kColours, o);
    plat::Surface s;
    EXPECT_FALSE(Decode(good.substr(0, good.size() - 1), s));  // a byte short
    EXPECT_FALSE(Decode(good.substr(0, 20), s));
    EXPECT_FALSE(Decode("", s));
    std::string bad = good;
    bad[0] = 'X';
    EXPECT_FALSE(Decode(bad, s));
    bad = good;
    bad[28] = 7;  // 7 bits per pixel
    EXPECT_FALSE(Decode(bad, s));
    bad = good;
    bad[30] = 1;  // run-length
    EXPECT_FALSE(Decode(bad, s));
    bad = good;
    bad[10] = char(0xF0);  // pixel data past the end
    bad[11] = char(0xFF);
    EXPECT_FALSE(Decode(bad, s));
    bad = good;
    bad[18] = 0;  // zero width
    EXPECT_FALSE(Decode(bad, s));
    bad = good;
    bad[21] = 0x7F;  // an absurd width
    EXPECT_FALSE(Decode(bad, s));
    // A palette shorter than its indices reads black for the missing entries.
    Options p;
    p.bpp = 8;
    p.palette = {0xFFFFFF};
    ASSERT_TRUE(Decode(MakeBmp(2, 1, {0, 200}, p), s));
    EXPECT_EQ(s.pixels[1], 0xFF000000u);
}

class DrawLoad : public HeadlessTest {};

TEST_F(DrawLoad, LoadsFromTheGameFolderWithBackslashes) {
    std::filesystem::create_directories(GameFolder() / "system");
    Options o;
    bmptest::WriteFile((GameFolder() / "system" / "pic.bmp").string(), MakeBmp(3, 2, kColours, o));
    int slot = elDraw::LoadObject("system\\pic.bmp", 2);
    ASSERT_EQ(slot, 4);
    const elDraw::ElObjectSlot* s = elDraw::GetObjectSlot(slot);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->name, "system\\pic.bmp");
    EXPECT_EQ(s->width, 3);
    EXPECT_EQ(s->height, 2);
    EXPECT_EQ(s->memoryKind, 2);
    ExpectPicture(*s->surface);

    // Reloading into the same slot keeps the number.
    bmptest::WriteFile((GameFolder() / "system" / "one.bmp").string(), MakeBmp(1, 1, {0x123456}, o));
    EXPECT_TRUE(elDraw::SwapObject("system\\one.bmp", slot, 3));
    EXPECT_EQ(elDraw::GetObjectSurface(slot)->pixels[0], 0xFF123456u);
    EXPECT_FALSE(elSystem::GetErrorFlag());
}

TEST_F(DrawLoad, NameOfThirtyBytesLoadsThirtyOneFails) {
    Options o;
    std::string name30 = std::string(26, 'a') + ".bmp";
    ASSERT_EQ(name30.size(), 30u);
    bmptest::WriteFile((GameFolder() / name30).string(), MakeBmp(1, 1, {0}, o));
    EXPECT_EQ(elDraw::LoadObject(name30, 2), 4);
    EXPECT_EQ(elDraw::LoadObject("b" + name30, 2), 0);
    EXPECT_EQ(LastMessage(), "エラー発生|elDraw::LoadObject : ファイル名またはリソース名が長すぎます");
    // Japanese names count in the game's two-byte encoding: 13 kana + ".bmp" = 30 bytes.
    std::string kana;
    for (int i = 0; i < 13; ++i) kana += "あ";
    bmptest::WriteFile((GameFolder() / (kana + ".bmp")).string(), MakeBmp(1, 1, {0}, o));
    EXPECT_EQ(elDraw::LoadObject(kana + ".bmp", 2), 5);
    EXPECT_EQ(elDraw::LoadObject(kana + "あ.bmp", 2), 0);
}

TEST_F(DrawLoad, UnreadablePictureIsNamedInTheBoxAndTheLogAndLeavesTheSlotFree) {
    const std::string missing = (GameFolder() / "system" / "nothing.bmp").string();
    EXPECT_EQ(elDraw::LoadObject("system\\nothing.bmp", 2), 0);
    EXPECT_EQ(
        LastMessage(),
        "エラー発生|elDraw::LoadObject : Error Code:[IFE0003] \nBMPファイルを読み込めません: " + missing);
    EXPECT_TRUE(elSystem::GetErrorFlag());
    EXPECT_EQ(elDraw::CreateObject(8, 8, 2), 4);
    // A file that is there but no picture fails the same way.
    bmptest::WriteFile((GameFolder() / "broken.bmp").string(), "BM not a picture");
    EXPECT_FALSE(elDraw::SwapObject("broken.bmp", 4, 2));
    const std::string broken = (GameFolder() / "broken.bmp").string();
    EXPECT_EQ(
        LastMessage(),
        "エラー発生|elDraw::SwapObject : Error Code:[IFE0003] \nBMPファイルを読み込めません: " + broken);
    EXPECT_EQ(elDraw::GetObjectSlot(4)->name, "*");  // the old image stays

    std::string log;
    ASSERT_TRUE(ReadWholeFile(GetGamePath(CLog::GetInstance()->GetFilePath()), log));
    log = Cp932ToUtf8(log);
    EXPECT_NE(log.find("Error Code:[IFE0003] \\nBMPファイルを読み込めません: " + missing), std::string::npos)
        << log;
    EXPECT_NE(log.find("Error Code:[IFE0003] \\nBMPファイルを読み込めません: " + broken), std::string::npos);
}

}  // namespace
