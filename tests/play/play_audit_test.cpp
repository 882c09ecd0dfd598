// Second-pass checks of the play core's stores: a background layer of an unknown image.
#include "tests/common/caught_code.h"

#include "../engine/engine_test_env.h"
#include "play/SpriteBatch.h"

using namespace enginetest;

namespace {

class LayerStoreAudit : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        WriteRaw("system/colorSample.bmp", MakeBmp(32, 32, [](int, int) { return 0x00FF00u; }));
        WriteRaw("bg/b.bmp", MakeBmp(64, 64, [](int, int) { return 0x3060A0u; }));
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", "BackGround.BackGround001,bg\\b.bmp,0,0\n"));
    }
    void TearDown() override {
        CSpriteBatch::DeleteInstance();
        EngineTest::TearDown();
    }
};

TEST_F(LayerStoreAudit, ALayerOfAnUnknownImageThrowsAndTakesNoSlot) {
    CSpriteBatch* store = CSpriteBatch::GetInstance();
    EXPECT_EQ(
        CaughtCode([&] { store->AddLayer("BackGround", "Missing", 2, 0, 0, 64, 64, 0, 0, 0.5f, 0.5f); }),
        "IFE0002");
    EXPECT_EQ(store->GetCount(), 0);
    EXPECT_EQ(store->GetLayer(0), nullptr);
    store->AddLayer("BackGround", "BackGround001", 2, 0, 0, 64, 64, 5, 6, 0.5f, 0.5f);
    ASSERT_EQ(store->GetCount(), 1);
    EXPECT_FLOAT_EQ(store->GetLayer(0)->x, 5);
    EXPECT_NE(store->GetLayer(0)->sprite, nullptr);
}

}  // namespace
