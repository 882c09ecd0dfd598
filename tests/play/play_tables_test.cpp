// The relation table, the attack-parameter table, the background layer store and the loading
// steps.
#include <cmath>
#include "tests/common/caught_code.h"

#include "../engine/engine_test_env.h"
#include "play/AttackParameter.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectPreloader.h"
#include "play/ObjectRelationTable.h"
#include "play/SpriteBatch.h"

using namespace enginetest;

namespace {

class Tables : public EngineTest {
  protected:
    void TearDown() override {
        CAttackParameterTable::DeleteInstance();
        CSpriteBatch::DeleteInstance();
        CObjectRelationTable::Clear();
        EngineTest::TearDown();
    }
    void Write(const char* path, const std::string& text) { ASSERT_TRUE(WriteEncodedFile(path, text)); }
};

// ---- Relation table ----

TEST_F(Tables, RelationLineIsTheActorAndFieldTheOther) {
    Write("data\\obje_relation.dat", "0,1,,4\n2\n");
    CObjectRelationTable::Load();
    EXPECT_EQ(CObjectRelationTable::Get(0, 1), 1);
    EXPECT_EQ(CObjectRelationTable::Get(0, 2), 0);
    EXPECT_EQ(CObjectRelationTable::Get(0, 3), 4);
    EXPECT_EQ(CObjectRelationTable::Get(1, 0), 2);
    EXPECT_EQ(CObjectRelationTable::Get(3, 0), 0);
}

TEST_F(Tables, RelationRowsAndColumns30And31AreAlwaysZero) {
    std::string text;
    for (int l = 0; l < 32; ++l) {
        for (int f = 0; f < 32; ++f) text += (f ? ",3" : "3");
        text += "\n";
    }
    Write("data\\obje_relation.dat", text);
    CObjectRelationTable::Load();
    EXPECT_EQ(CObjectRelationTable::Get(29, 29), 3);
    EXPECT_EQ(CObjectRelationTable::Get(30, 0), 0);
    EXPECT_EQ(CObjectRelationTable::Get(0, 31), 0);
    EXPECT_EQ(CObjectRelationTable::Get(31, 31), 0);
}

TEST_F(Tables, RelationFailures) {
    EXPECT_EQ(CaughtCode([] { CObjectRelationTable::Load(); }), "IFE0300");
    std::string tooMany;
    for (int l = 0; l < 33; ++l) tooMany += "0\n";
    Write("data\\obje_relation.dat", tooMany);
    EXPECT_EQ(CaughtCode([] { CObjectRelationTable::Load(); }), "IFE0301");
    Write("data\\obje_relation.dat", "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n");
    EXPECT_EQ(CaughtCode([] { CObjectRelationTable::Load(); }), "IFE0301");
    Write("data\\obje_relation.dat", "1,-2\n");
    EXPECT_EQ(CaughtCode([] { CObjectRelationTable::Load(); }), "IFE0301");
    Write("data\\obje_relation.dat", "1,12345678901234567890\n");  // 20 characters read as -1
    EXPECT_EQ(CaughtCode([] { CObjectRelationTable::Load(); }), "IFE0301");
}

// ---- Attack parameters ----

const char* kAttackHeading =
    "name,lifetime,rehit,aim,damage,power,angle,delay,f0,f1,f2,f3,f4,f5,f6,f8,f9,f10\n";

TEST_F(Tables, AttackRowsAreReadByColumn) {
    Write("data\\attack_parameters.dat", std::string(kAttackHeading) +
                                             "Jab,6,30,2,10,300,-0.785398163,4,1,0,1,0,0,0,1,1,0,1\n"
                                             "Odd,1,2,4,5,6,7,8,2,x,1,1,1,1,1,1,1,1\n"
                                             "Neg,1,2,-1,5,6,7,8\n"
                                             ",9,9,9,9,9,9,9\n"
                                             "Jab,7,30,2,11,300,0,4\n");
    CAttackParameterTable::GetInstance();
    EXPECT_EQ(CAttackParameterTable::GetCount(), 3);
    AttackParameter jab = CAttackParameterTable::Get("Jab", 0);
    EXPECT_EQ(jab.attack.damage, 11);  // the later row wins
    EXPECT_DOUBLE_EQ(jab.lifetime, 7);
    AttackParameter odd = CAttackParameterTable::Get("Odd", 0);
    EXPECT_EQ(odd.aimMode, 0);
    EXPECT_EQ(odd.attack.flags[0], 0);  // 2 is not 1
    EXPECT_EQ(odd.attack.flags[1], 0);  // a word is not 1
    EXPECT_EQ(odd.attack.flags[2], 1);
    EXPECT_EQ(odd.attack.flags[6], 1);
    EXPECT_EQ(odd.attack.flags[7], 0);  // never from the table
    EXPECT_EQ(odd.attack.flags[8], 1);
    EXPECT_EQ(odd.attack.flags[10], 1);
    EXPECT_EQ(odd.attack.flags[11], 0);
    EXPECT_EQ(CAttackParameterTable::Get("Neg", 0).aimMode, 0);
    EXPECT_EQ(CAttackParameterTable::Get("jab", 0).attack.damage, 0);   // case matters
    EXPECT_EQ(CAttackParameterTable::Get("name", 0).attack.damage, 0);  // the heading is no row
}

TEST_F(Tables, AttackMirroringOnlyForOne) {
    Write("data\\attack_parameters.dat",
          std::string(kAttackHeading) + "Jab,6,30,2,10,300,-0.785398163397448,4\n");
    CAttackParameterTable::GetInstance();
    const double pi = 3.141592653589793;
    AttackParameter m = CAttackParameterTable::Get("Jab", 1);
    EXPECT_NEAR(m.attack.angle, 5 * pi / 4, 1e-9);
    EXPECT_EQ(m.aimMode, 3);
    EXPECT_DOUBLE_EQ(m.attack.power, 300);
    EXPECT_NEAR(CAttackParameterTable::Get("Jab", 0).attack.angle, -pi / 4, 1e-9);
    EXPECT_EQ(CAttackParameterTable::Get("Jab", 2).aimMode, 2);
    AttackParameter none = CAttackParameterTable::Get("Nothing", 1);
    EXPECT_EQ(none.attack.damage, 0);
    EXPECT_DOUBLE_EQ(none.lifetime, 0);
    EXPECT_DOUBLE_EQ(none.attack.angle, 0);
}

TEST_F(Tables, AttackFileFailures) {
    EXPECT_EQ(CaughtCode([] { CAttackParameterTable::GetInstance(); }), "IFE0400");
    EXPECT_FALSE(CAttackParameterTable::HasInstance());
    // A file that is not in the game's encoding yields no text either: it cannot be opened.
    WriteRaw("data/attack_parameters.dat", "garbage");
    EXPECT_EQ(CaughtCode([] { CAttackParameterTable::GetInstance(); }), "IFE0400");
    EXPECT_FALSE(CAttackParameterTable::HasInstance());
    Write("data\\attack_parameters.dat",
          std::string(kAttackHeading) + "A,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18\n");
    EXPECT_EQ(CaughtCode([] { CAttackParameterTable::GetInstance(); }), "IFE0401");
    Write("data\\attack_parameters.dat", kAttackHeading);
    CAttackParameterTable::GetInstance();
    EXPECT_EQ(CAttackParameterTable::GetCount(), 0);
}

// ---- Background layers ----

class LayerStore : public Tables {
  protected:
    void SetUp() override {
        Tables::SetUp();
        WriteRaw("system/colorSample.bmp", MakeBmp(32, 32, [](int, int) { return 0x00FF00u; }));
        WriteRaw("bg/b.bmp", MakeBmp(64, 64, [](int, int) { return 0x3060A0u; }));
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", "BackGround.BackGround001,bg\\b.bmp,0,0\n"));
    }
};

TEST_F(LayerStore, HoldsAtMost4000LayersAndClears) {
    CSpriteBatch* store = CSpriteBatch::GetInstance();
    EXPECT_EQ(store->GetBackGroundId(), 1);  // marked when made
    for (int i = 0; i < 4001; ++i)
        store->AddLayer("BackGround", "BackGround001", 2, 0, 0, 64, 64, float(i), 0, 0.5f, 0.5f);
    EXPECT_EQ(store->GetCount(), 4000);
    EXPECT_FLOAT_EQ(store->GetLayer(3999)->x, 3999);
    store->SetBackGroundId(7);
    store->Reset();
    EXPECT_EQ(store->GetCount(), 0);
    EXPECT_EQ(store->GetBackGroundId(), 1);
}

TEST_F(LayerStore, LayersFollowTheCameraByTheirFactors) {
    CSpriteBatch* store = CSpriteBatch::GetInstance();
    store->AddLayer("BackGround", "BackGround001", 2, 0, 0, 64, 64, 100, 50, 0.5f, 0.5f);
    CCamera::GetInstance()->SetTarget(1000, 400, -1);
    store->DrawLayers();
    CSprite* s = store->GetLayer(0)->sprite.get();
    EXPECT_FLOAT_EQ(s->x, (1000 * 0.5f + 100) / 256);
    EXPECT_FLOAT_EQ(s->y, (400 * 0.5f + 50) / 256);
}

TEST_F(LayerStore, ALayerOfAnUnknownImageThrowsAndTakesNoSlot) {
    CSpriteBatch* store = CSpriteBatch::GetInstance();
    EXPECT_EQ(
        CaughtCode([&] { store->AddLayer("BackGround", "Missing", 2, 0, 0, 64, 64, 0, 0, 0.5f, 0.5f); }),
        "IFE0002");
    EXPECT_EQ(store->GetCount(), 0);
    EXPECT_EQ(store->GetLayer(0), nullptr);
    store->AddLayer("BackGround", "BackGround001", 2, 0, 0, 64, 64, 5, 6, 0.5f, 0.5f);
    ASSERT_EQ(store->GetCount(), 1);
    EXPECT_FLOAT_EQ(store->GetLayer(0)->x, 5);
    EXPECT_NE(store->GetLayer(0)->sprite.get(), nullptr);
}

// ---- Loading steps ----

TEST_F(LayerStore, EmptyListWithoutSoundsIsOneObjectStep) {
    int built = 0;
    RegisterLiveObjectCreator(
        "CKid001",
        [&](CStage* owner, double, double, const LiveObjectArgs&) -> std::unique_ptr<IBase> {
            EXPECT_EQ(owner, nullptr);
            ++built;
            return nullptr;
        },
        kPreloadOnce);
    CObjectPreloader p({}, false);
    EXPECT_EQ(p.GetStepCount(), 1);
    p.Step();
    EXPECT_EQ(p.GetStatusText(), "オブジェクト初期化中...");
    EXPECT_FALSE(p.IsDone());
    p.Step();
    EXPECT_TRUE(p.IsDone());
    EXPECT_EQ(built, 1);
    p.Step();
    EXPECT_EQ(built, 1);
    RegisterLiveObjectCreator("CKid001", nullptr);
}

TEST_F(LayerStore, GroupsThenObjectsThenSounds) {
    CObjectPreloader p({"BackGround", "Nothing"}, true);
    EXPECT_EQ(p.GetStepCount(), 4);
    p.Step();  // the one image of the group
    EXPECT_EQ(p.GetStepsDone(), 1);
    EXPECT_EQ(p.GetStatusText(), "bg\\b.bmp");
    EXPECT_GT(CSpriteManager::GetInstance()->GetImageSlot(1), 0);
    p.Step();  // an empty group
    EXPECT_EQ(p.GetStepsDone(), 2);
    EXPECT_EQ(p.GetStatusText(), "オブジェクト初期化中...");
    p.Step();  // objects
    EXPECT_EQ(p.GetStepsDone(), 3);
    int frames = 0;
    while (!p.IsDone() && frames < 100) {
        p.Step();
        ++frames;
    }
    EXPECT_EQ(frames, 31);  // 92 sounds, 3 a frame
    EXPECT_EQ(CSoundEffects::GetInstance()->GetLoadCount(), 92);
}

}  // namespace
