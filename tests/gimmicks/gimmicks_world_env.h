#pragma once
// The play world of the gimmick tests: the play core's small world with the effect factory
// filled in, and ways to find what the registry holds.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/SpriteManager.h"
#include "gimmicks/EffectKinds.h"
#include "play/EffectFactory.h"
#include "tests/play/play_world_env.h"

namespace gimmicktest {

class GimmickWorld : public playtest::WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        if (HasFatalFailure()) return;
        // One plain sheet behind every image key the effects and bursts cut cells from.
        std::filesystem::create_directories(dir / "img");
        std::ofstream(dir / "system" / "colorSample.bmp", std::ios::binary)
            << bmptest::MakeBmp(32, 32, [](int, int) { return 0x00FF00u; });
        std::ofstream(dir / "img" / "sheet.bmp", std::ios::binary)
            << bmptest::MakeBmp(256, 256, [](int, int) { return 0xC08040u; });
        std::string index;
        for (const char* key : {"Effect.Effect001", "Effect.Effect002", "Effect.Bar_Effect008_L",
                                "Effect.Bar_Effect008_R", "Object.Objects001", "Object.Objects002",
                                "Object.Objects004", "Object.Objects005", "Char.Enemy002_L"})
            index += std::string(key) + ",img\\sheet.bmp,32,32\n";
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", index));
        ASSERT_NE(CSpriteManager::GetInstance(), nullptr);
        InstallEffectFactory();
    }
    void TearDown() override {
        SetEffectFactory(nullptr);
        WorldTest::TearDown();
    }

    // The registered objects of a class, in walk order.
    template <class T>
    std::vector<T*> All() {
        std::vector<T*> out;
        auto* r = CObjectRegistry::GetInstance();
        r->BeginWalk();
        while (IBase* o = r->NextInWalk())
            if (auto* t = dynamic_cast<T*>(o)) out.push_back(t);
        return out;
    }
};

}  // namespace gimmicktest
