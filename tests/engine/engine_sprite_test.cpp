// The sprite manager: the image index, texture sizing, the model pool, group loading and sprites
// made when the 3-D layer has no model left.
#include <cmath>

#include "engine/el/el4D.h"
#include "engine_test_env.h"
#include "platform/messagebox.h"
#include "tests/common/caught_code.h"

using namespace enginetest;

namespace {

constexpr uint32_t kRed = 0xFF0000;  // 0x00RRGGBB for MakeBmp
constexpr uint32_t kGreen = 0x00FF00;

class Sprites : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        WriteRaw("system/colorSample.bmp", MakeBmp(32, 32, [](int, int) { return kGreen; }));
        // A 256 x 256 picture: red everywhere, blue at (0, 0)..(1, 1) so its corner can be found.
        WriteRaw("img/pic.bmp",
                 MakeBmp(256, 256, [](int x, int y) { return (x < 2 && y < 2) ? 0x0000FFu : kRed; }));
    }
    void Index(const std::string& text) { ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", text)); }
    CSpriteManager* sm() { return CSpriteManager::GetInstance(); }
};

TEST_F(Sprites, MissingOrMalformedIndex) {
    EXPECT_EQ(CaughtCode([&] { sm(); }), "IFE0000");
    CSpriteManager::DeleteInstance();
    std::string text;
    for (int i = 0; i < 513; ++i) text += "T.K" + std::to_string(i) + ",img\\pic.bmp,0,0\n";
    Index(text);
    EXPECT_EQ(CaughtCode([&] { sm(); }), "IFE0001");
    CSpriteManager::DeleteInstance();
    Index("T.A,img\\pic.bmp,0,0,extra\n");
    EXPECT_EQ(CaughtCode([&] { sm(); }), "IFE0001");
}

TEST_F(Sprites, The512thLineIsNeverRead) {
    std::string text;
    for (int i = 1; i <= 512; ++i) text += "T.L" + std::to_string(i) + ",img\\pic.bmp,0,0\n";
    Index(text);
    EXPECT_EQ(sm()->GetImageId("T.L511"), 511);
    EXPECT_EQ(sm()->GetImageId("T.L512"), 0);
    EXPECT_EQ(sm()->GetImageCount(), 511);
}

TEST_F(Sprites, EmptyColumnsSkipAndTheLaterDuplicateWins) {
    Index("T.A,img\\pic.bmp,32,32\n,img\\pic.bmp,1,1\nT.B,,1,1\nT.A,img\\other.bmp,16,8\n");
    EXPECT_EQ(sm()->GetImageId("T.A"), 4);
    EXPECT_EQ(sm()->GetImageId("T.B"), 0);
    EXPECT_EQ(sm()->GetImagePath(4), "img\\other.bmp");
    EXPECT_EQ(sm()->GetCellWidth(4), 16);
    EXPECT_EQ(sm()->GetCellHeight(4), 8);
    EXPECT_EQ(CaughtCode([&] { FindImage("T", "B"); }), "IFE0002");
    EXPECT_EQ(CaughtCode([&] { FindImage("T", "Nothing"); }), "IFE0002");
}

TEST_F(Sprites, FindImageLoadsOnDemandOnce) {
    Index("T.Pic,img\\pic.bmp,0,0\n");
    const int id = sm()->GetImageId("T.Pic");
    EXPECT_EQ(sm()->GetImageSlot(id), 0);
    const int slot = FindImage("T", "Pic");
    EXPECT_GE(slot, elDraw::kFirstImageObject);
    EXPECT_EQ(FindImage("T", "Pic"), slot);
    const plat::Surface* s = elDraw::GetObjectSurface(slot);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->width, 256);
}

TEST_F(Sprites, A20x40RectangleGetsA64TextureWithThePictureAt22_12) {
    Index("T.Pic,img\\pic.bmp,0,0\n");
    OwnedSprite sp = CreateSprite("T", "Pic", 2, 0, 0, 20, 40);
    ASSERT_GT(sp->model, 0);
    EXPECT_EQ(sp->width, 64);
    EXPECT_EQ(sp->height, 64);
    const plat::Surface* tex = elDraw::GetObjectSurface(el4D::GetModelTexture(sp->model));
    ASSERT_NE(tex, nullptr);
    ASSERT_EQ(tex->width, 64);
    auto rgb = [&](int x, int y) { return tex->Row(y)[x] & 0xFFFFFF; };
    EXPECT_EQ(rgb(22, 12), 0x0000FFu);  // the picture's corner
    EXPECT_EQ(rgb(21, 12), 0x00FF00u);  // the key-coloured background around it
    EXPECT_EQ(rgb(22, 11), 0x00FF00u);
    EXPECT_EQ(rgb(41, 51), 0xFF0000u);  // the picture's last pixel
    EXPECT_EQ(rgb(42, 51), 0x00FF00u);
    EXPECT_EQ(rgb(41, 52), 0x00FF00u);
    EXPECT_EQ(CSpriteManager::TextureSizeFor(32, 1), 32);
    EXPECT_EQ(CSpriteManager::TextureSizeFor(33, 1), 64);
    EXPECT_EQ(CSpriteManager::TextureSizeFor(100, 128), 128);
    EXPECT_EQ(CSpriteManager::TextureSizeFor(129, 2), 256);
    EXPECT_EQ(CSpriteManager::TextureSizeFor(300, 2), 256);
}

TEST_F(Sprites, SameRectangleSharesOnePoolEntry) {
    Index("T.Pic,img\\pic.bmp,0,0\n");
    OwnedSprite a = CreateSprite("T", "Pic", 2, 0, 0, 32, 32);
    OwnedSprite b = CreateSprite("T", "Pic", 3, 0, 0, 32, 32);
    OwnedSprite c = CreateSprite("T", "Pic", 2, 0, 0, 32, 31);
    EXPECT_EQ(a->model, b->model);
    EXPECT_NE(a->model, c->model);
    EXPECT_EQ(sm()->GetPoolUsed(), 2);
    EXPECT_EQ(sm()->GetPoolIndex(CSpriteManager::MakeModelKey("T", "Pic", 0, 0, 32, 32)), 1);
    EXPECT_EQ(CSpriteManager::MakeModelKey("T", "Pic", 0, 0, 32, 31), "T.Pic.000.000.032.031");
    a.reset();
    b.reset();
    c.reset();
    // The reset releases the models and the images; indices are handed out afresh.
    sm()->Reset();
    EXPECT_EQ(sm()->GetPoolUsed(), 0);
    EXPECT_EQ(sm()->GetImageSlot(1), 0);
    OwnedSprite d = CreateSprite("T", "Pic", 2, 0, 0, 32, 31);
    EXPECT_EQ(sm()->GetPoolIndex(CSpriteManager::MakeModelKey("T", "Pic", 0, 0, 32, 31)), 1);
}

TEST_F(Sprites, PoolFullRaisesRAE0001) {
    Index("T.Pic,img\\pic.bmp,0,0\n");
    int boxes = 0;
    plat::SetMessageBoxHandler([&](const std::string&, const std::string&) { ++boxes; });
    for (int i = 0; i < CSpriteManager::kPoolSize - 1; ++i)
        CreateSprite("T", "Pic", 2, 0, 0, 1 + i % 200, 1 + i / 200);
    EXPECT_EQ(sm()->GetPoolUsed(), 4095);
    EXPECT_EQ(CaughtCode([&] { CreateSprite("T", "Pic", 2, 5, 5, 6, 6); }), "RAE0001");
    // A rectangle already pooled is still served.
    OwnedSprite again = CreateSprite("T", "Pic", 2, 0, 0, 1, 1);
    EXPECT_NE(again, nullptr);
    // The engine's object table (3072 objects) ran out before the pool did.
    EXPECT_GT(boxes, 0);
}

TEST_F(Sprites, PreBuildingMakesEveryCellOfTheSquare) {
    Index(
        "G.Cells32,img\\pic.bmp,32,32\nG.Cells100x60,img\\pic.bmp,100,60\nG.Small,img\\pic.bmp,8,32\n"
        "G.Big,img\\pic.bmp,257,32\nH.Other,img\\pic.bmp,32,32\n");
    sm()->BeginLoadGroup("G");
    EXPECT_EQ(sm()->GetLoadPercent(), 0);
    // Key order: Big, Cells100x60, Cells32, Small.
    EXPECT_EQ(sm()->LoadNextImage("G"), "img\\pic.bmp");
    EXPECT_EQ(sm()->GetPoolUsed(), 0);  // 257 wide: nothing
    sm()->LoadNextImage("G");
    EXPECT_EQ(sm()->GetPoolUsed(), 8);  // 2 columns x 4 rows
    EXPECT_EQ(sm()->GetPoolIndex(CSpriteManager::MakeModelKey("G", "Cells100x60", 100, 180, 200, 240)), 8);
    EXPECT_EQ(sm()->GetLoadPercent(), 50);
    sm()->LoadNextImage("G");
    EXPECT_EQ(sm()->GetPoolUsed(), 8 + 64);
    sm()->LoadNextImage("G");
    EXPECT_EQ(sm()->GetPoolUsed(), 8 + 64);  // 8 wide: nothing
    EXPECT_EQ(sm()->GetLoadPercent(), 100);
    EXPECT_GT(sm()->GetImageSlot(sm()->GetImageId("G.Small")), 0);
    EXPECT_EQ(sm()->GetImageSlot(sm()->GetImageId("H.Other")), 0);
    // Past the group: the last entry examined, then nothing.
    EXPECT_EQ(sm()->LoadNextImage("G"), "img\\pic.bmp");
    EXPECT_EQ(sm()->LoadNextImage("G"), "");
}

TEST_F(Sprites, EmptyGroupIsAtOnceComplete) {
    Index("G.A,img\\pic.bmp,0,0\n");
    sm()->BeginLoadGroup("Nothing");
    EXPECT_EQ(sm()->GetLoadPercent(), 100);
}

TEST(SpriteVisibility, CircleTouchingTheScreenIsDrawn) {
    CSprite s(0, 2);
    s.width = s.height = 64;
    const float r = 0.5f * std::sqrt(2.0f * 64 * 64);
    s.screenX = -r;
    s.screenY = 100;
    EXPECT_TRUE(s.IsOnScreen());
    s.screenX = -r - 0.01f;
    EXPECT_FALSE(s.IsOnScreen());
    s.screenX = 640 + r;
    EXPECT_TRUE(s.IsOnScreen());
    // Just off a corner: the circle misses the screen, its square does not.
    s.screenX = -40;
    s.screenY = -40;
    EXPECT_TRUE(s.IsOnScreen());
    s.scaleX = 0.5f;
    s.scaleY = 0.5f;
    EXPECT_FALSE(s.IsOnScreen());
}

TEST(SpriteAlpha, ClampedToZeroOne) {
    CSprite s(0, 1);
    s.SetAlpha(1.5f);
    EXPECT_FLOAT_EQ(s.alpha, 1.0f);
    s.SetAlpha(-1.0f);
    EXPECT_FLOAT_EQ(s.alpha, 0.0f);
}

TEST_F(Sprites, ASpriteWithoutAModelLeavesNoTextureBehind) {
    Index("T.Pic,img\\pic.bmp,0,0\n");
    FindImage("T", "Pic");
    // Every model of the 3-D layer taken.
    while (el4D::Primitive::Square(1, 1, 0.125f, 0.125f, 1.0f, 0.0f) > 0) {}
    auto usedObjects = [] {
        int n = 0;
        for (int i = 0; i < elDraw::kObjectCount; ++i)
            if (const elDraw::ElObjectSlot* s = elDraw::GetObjectSlot(i); s && s->surface) ++n;
        return n;
    };
    const int before = usedObjects();
    for (int i = 0; i < 3; ++i) {
        OwnedSprite s = sm()->CreateSprite("T", "Pic", 2, 0, 0, 32, 32);
        EXPECT_EQ(s->model, 0);
        s->ApplyTransform();
        s->Draw();
    }
    EXPECT_EQ(usedObjects(), before);
    for (int i = 1; i < el4D::kModelCount; ++i) el4D::ResetModel(i);
}

}  // namespace
