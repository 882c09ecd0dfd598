#include "platform/png.h"
#include "tests/common/bmp_writer.h"
#include "tests/common/headless_test.h"

namespace {

using testsupport::HeadlessTest;

using elDraw::BackBuffer;

// An object whose pixel (x, y) is 0xFF000000 | (y << 8) | x + 1 (never black), or `key` where
// `keyed` says so.
int MakeNumbered(int w, int h) {
    int slot = elDraw::CreateObject(w, h, 2);
    plat::Surface* s = elDraw::GetObjectSurface(slot);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s->Row(y)[x] = 0xFF000000u | uint32_t(y) << 8 | uint32_t(x + 1);
    return slot;
}

uint32_t Numbered(int x, int y) { return 0xFF000000u | uint32_t(y) << 8 | uint32_t(x + 1); }

int CountNonBlack(const plat::Surface& s) {
    int n = 0;
    for (uint32_t p : s.pixels) n += (p & 0xFFFFFF) != 0;
    return n;
}

class DrawBlit : public HeadlessTest {};

TEST_F(DrawBlit, CopyClipsToTheClipRectangleShiftingTheSource) {
    int slot = MakeNumbered(20, 10);
    elDraw::SetClip(100, 50, 200, 150);
    // Partly left of and above the clip rectangle.
    EXPECT_EQ(elDraw::PutObject(95, 47, slot, 0, 0, 20, 10), 1);
    plat::Surface& bb = BackBuffer();
    EXPECT_EQ(bb.Row(50)[100], Numbered(5, 3));
    EXPECT_EQ(bb.Row(56)[114], Numbered(19, 9));
    EXPECT_EQ(bb.Row(50)[99] & 0xFFFFFF, 0u);
    EXPECT_EQ(bb.Row(49)[100] & 0xFFFFFF, 0u);
    EXPECT_EQ(CountNonBlack(bb), 15 * 7);

    // Partly right of and below it.
    elDraw::ClearScreen();
    elDraw::PutObject(190, 145, slot, 0, 0, 20, 10);
    EXPECT_EQ(CountNonBlack(bb), 10 * 5);
    EXPECT_EQ(bb.Row(149)[199], Numbered(9, 4));

    // Wholly outside.
    elDraw::ClearScreen();
    elDraw::PutObject(300, 60, slot, 0, 0, 20, 10);
    elDraw::PutObject(60, 60, slot, 0, 0, 20, 10);
    elDraw::PutObject(150, 10, slot, 0, 0, 20, 10);
    EXPECT_EQ(CountNonBlack(bb), 0);
}

TEST_F(DrawBlit, CopyNeverLeavesTheSurfaces) {
    int slot = MakeNumbered(20, 10);
    // A clip rectangle larger than the screen and a source larger than the object.
    elDraw::SetClip(-100, -100, 2000, 2000);
    elDraw::PutObject(630, 475, slot, 0, 0, 20, 10);
    plat::Surface& bb = BackBuffer();
    EXPECT_EQ(CountNonBlack(bb), 10 * 5);
    EXPECT_EQ(bb.Row(479)[639], Numbered(9, 4));
    elDraw::ClearScreen();
    elDraw::PutObject(-5, -3, slot, -10, -10, 500, 500);
    EXPECT_EQ(bb.Row(7)[5], Numbered(0, 0));  // the source starts at the object's corner
    EXPECT_EQ(CountNonBlack(bb), 20 * 10);
    // Inverted or empty source rectangles draw nothing.
    elDraw::ClearScreen();
    elDraw::PutObject(10, 10, slot, 10, 0, 5, 10);
    elDraw::PutObject(10, 10, slot, 0, 0, 0, 10);
    EXPECT_EQ(CountNonBlack(bb), 0);
    // Free slots and numbers out of range are refused.
    EXPECT_EQ(elDraw::PutObject(0, 0, 3071, 0, 0, 1, 1), 0);
    EXPECT_EQ(elDraw::PutObject(0, 0, 3072, 0, 0, 1, 1), 0);
    EXPECT_EQ(elDraw::PutObject(0, 0, -1, 0, 0, 1, 1), 0);

    // Object to object: clipped to the (screen) clip rectangle and to the small destination.
    elDraw::SetClip(0, 0, 640, 480);
    int small = elDraw::CreateObject(8, 4, 2);
    elDraw::PutObjectToObject(small, 3, 1, slot, 0, 0, 20, 10);
    const plat::Surface& d = *elDraw::GetObjectSurface(small);
    EXPECT_EQ(d.Row(1)[3], Numbered(0, 0));
    EXPECT_EQ(d.Row(3)[7], Numbered(4, 2));
    EXPECT_EQ(d.Row(0)[3] & 0xFFFFFF, 0u);
    elDraw::SetClip(0, 0, 5, 480);
    elDraw::ClearObject(small);
    elDraw::PutObjectToObject(small, 0, 0, slot, 0, 0, 20, 10);
    EXPECT_EQ(CountNonBlack(d), 5 * 4);
}

TEST_F(DrawBlit, CopyWithinOneObjectOverlaps) {
    int slot = MakeNumbered(10, 10);
    elDraw::PutObjectToObject(slot, 2, 2, slot, 0, 0, 6, 6);
    const plat::Surface& s = *elDraw::GetObjectSurface(slot);
    EXPECT_EQ(s.Row(2)[2], Numbered(0, 0));
    EXPECT_EQ(s.Row(7)[7], Numbered(5, 5));
    EXPECT_EQ(s.Row(8)[8], Numbered(8, 8));
}

TEST_F(DrawBlit, ColourKeyOfEachObjectIsTheOneAtItsLoad) {
    int before = elDraw::CreateObject(2, 1, 2);  // key black
    elDraw::SetColorKey(0x00FF00);
    int after = elDraw::CreateObject(2, 1, 2);  // key pure green
    EXPECT_EQ(elDraw::GetObjectSlot(before)->colorKey, 0u);
    EXPECT_EQ(elDraw::GetObjectSlot(after)->colorKey, 0x00FF00u);
    for (int slot : {before, after}) {
        plat::Surface* s = elDraw::GetObjectSurface(slot);
        s->pixels[0] = plat::ColorRefToPixel(0x00FF00);
        s->pixels[1] = plat::ColorRefToPixel(0x000000);
    }
    plat::Surface& bb = BackBuffer();
    std::fill(bb.pixels.begin(), bb.pixels.end(), 0xFF0000FFu);
    elDraw::PutObject(0, 0, before, 0, 0, 2, 1);
    elDraw::PutObject(0, 1, after, 0, 0, 2, 1);
    EXPECT_EQ(bb.Row(0)[0], 0xFF00FF00u);  // green drawn, black transparent
    EXPECT_EQ(bb.Row(0)[1], 0xFF0000FFu);
    EXPECT_EQ(bb.Row(1)[0], 0xFF0000FFu);  // green transparent, black drawn
    EXPECT_EQ(bb.Row(1)[1], 0xFF000000u);
    // The key compares colours, whatever the alpha.
    elDraw::GetObjectSurface(after)->pixels[0] = 0x0000FF00u;
    elDraw::PutObject(5, 5, after, 0, 0, 1, 1);
    EXPECT_EQ(bb.Row(5)[5], 0xFF0000FFu);
    // Object-to-object copies are opaque.
    elDraw::PutObjectToObject(before, 0, 0, after, 0, 0, 2, 1);
    EXPECT_EQ(elDraw::GetObjectSurface(before)->pixels[0] & 0xFFFFFF, 0x00FF00u);
}

TEST_F(DrawBlit, SlotsRunOutAfter3068AndAReleasedSlotIsReused) {
    for (int i = 0; i < 3068; ++i) ASSERT_EQ(elDraw::CreateObject(1, 1, 2), 4 + i);
    EXPECT_FALSE(elSystem::GetErrorFlag());
    EXPECT_EQ(elDraw::CreateObject(1, 1, 2), 0);
    EXPECT_EQ(LastMessage(), "エラー発生|elDraw::CreateObject : オブジェクト数が多過ぎます");
    EXPECT_EQ(elDraw::LoadObject("x.bmp", 2), 0);
    EXPECT_EQ(LastMessage(), "エラー発生|elDraw::LoadObject : オブジェクト数が多過ぎます");
    elDraw::ReleaseObject(1000);
    EXPECT_EQ(elDraw::GetObjectSlot(1000), nullptr);
    EXPECT_EQ(elDraw::CreateObject(3, 3, 2), 1000);
    EXPECT_EQ(elDraw::GetObjectSlot(1000)->width, 3);
}

TEST_F(DrawBlit, InternalObjectsAndBadSizes) {
    const char* names[4] = {"内部用１", "内部用２", "内部用３", "内部用４"};
    for (int i = 0; i < 4; ++i) {
        const elDraw::ElObjectSlot* s = elDraw::GetObjectSlot(i);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->name, names[i]);
        EXPECT_EQ(s->width, 640);
        EXPECT_EQ(s->height, 480);
    }
    EXPECT_EQ(elDraw::CreateObject(0, 5, 2), 0);
    EXPECT_EQ(LastMessage(), "エラー発生|elDraw::CreateObject : スプライトを作成できません");
    EXPECT_EQ(elDraw::CreateObject(100000, 5, 2), 0);
}

TEST_F(DrawBlit, CaptureScreenCopiesFromTheCornerWithinBothSurfaces) {
    plat::Surface& bb = BackBuffer();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) bb.Row(y)[x] = 0xFF000000u | uint32_t(y) << 12 | uint32_t(x + 1);
    int slot = elDraw::CreateObject(16, 16, 2);
    elDraw::CaptureScreen(slot, 630, 470, 700, 500);
    const plat::Surface& s = *elDraw::GetObjectSurface(slot);
    EXPECT_EQ(s.Row(0)[0], bb.Row(470)[630]);
    EXPECT_EQ(s.Row(9)[9], bb.Row(479)[639]);
    EXPECT_EQ(s.Row(10)[10] & 0xFFFFFF, 0u);
    elDraw::CaptureScreen(slot, 0, 0, 640, 480);
    EXPECT_EQ(s.Row(15)[15], bb.Row(15)[15]);
}

TEST_F(DrawBlit, PresentShowsTheBackBufferAndWritesAPng) {
    elDraw::ClearScreen();
    elDraw::DrawRect(10, 10, 50, 40, 0x0000FF, 0xFFFFFF, 1);
    EXPECT_EQ(elDraw::Present(), 1);
    EXPECT_EQ(Headless().PresentCount(), 1);
    EXPECT_EQ(Headless().Frame().pixels, BackBuffer().pixels);
    std::string path = (GameFolder() / "frame.png").string();
    ASSERT_TRUE(Headless().WriteFramePng(path));
    plat::Surface png;
    ASSERT_TRUE(plat::ReadPng(path, png));
    EXPECT_EQ(png.width, 640);
    EXPECT_EQ(png.Row(20)[20], 0xFFFF0000u);  // red fill (0x0000FF is red)
    EXPECT_EQ(png.Row(10)[10], 0xFFFFFFFFu);
}

TEST_F(DrawBlit, FillObjectCopiesTheBackBufferRectangleToTheObjectCorner) {
    elDraw::DrawRect(100, 50, 110, 60, 0x0000FF, 0x0000FF, 1);
    const int slot = elDraw::CreateObject(32, 32, elDraw::kMemoryDriver);
    ASSERT_GT(slot, 0);
    elDraw::FillObject(slot, 95, 45, 127, 77);
    const plat::Surface* s = elDraw::GetObjectSurface(slot);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Row(0)[0] & 0xFFFFFFu, 0u);
    EXPECT_EQ(s->Row(5)[5], plat::ColorRefToPixel(0x0000FF));
    EXPECT_EQ(s->Row(14)[14], plat::ColorRefToPixel(0x0000FF));
    EXPECT_EQ(s->Row(15)[15] & 0xFFFFFFu, 0u);
    // Whatever lies beyond the back buffer is left alone.
    elDraw::FillObject(slot, 630, 470, 662, 502);
    EXPECT_EQ(s->Row(20)[20] & 0xFFFFFFu, 0u);
    elDraw::FillObject(0xFFFF, 0, 0, 10, 10);  // no such slot: nothing
}

}  // namespace
