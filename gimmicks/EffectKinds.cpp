#include "gimmicks/EffectKinds.h"

#include "gimmicks/EffectClasses.h"
#include "gimmicks/ParticleEffects.h"
#include "play/EffectFactory.h"
#include "play/ObjectRegistry.h"

namespace {

using EffectMaker = std::unique_ptr<IEffect> (*)(CStage* owner, double x, double y);

template <class T>
std::unique_ptr<IEffect> Make(CStage* owner, double x, double y) {
    return std::make_unique<T>(owner, x, y);
}

// The class of each kind, 1..40.
const EffectMaker kMakers[41] = {
    nullptr,
    &Make<CEffect_Brunt>,
    &Make<CEffect_PowerBrunt>,
    &Make<CEffect_Slash>,
    &Make<CEffect_EnemyDeath001>,
    &Make<CEffect_BurstRed>,
    &Make<CEffect_BurstBlue>,
    &Make<CEffect_GuardRing>,
    &Make<CEffect_SmallFire>,
    &Make<CEffect_Smoke>,
    &Make<CEffect_IceSmoke>,
    &Make<CEffect_BrownSmoke>,
    &Make<CEffect_RandomIce>,
    &Make<CEffect_IceBreak>,
    &Make<CEffect_SmallBlueFire>,
    &Make<CEffect_Healing001>,
    &Make<CEffect_1UP>,
    &Make<CEffect_WaterDropUp>,
    &Make<CEffect_WaterDropDown>,
    &Make<CEffect_WaterDropLeft>,
    &Make<CEffect_WaterDropRight>,
    &Make<CEffect_GetKey>,
    &Make<CEffect_GetFlag>,
    &Make<CEffect_BreakBlock001>,
    &Make<CEffect_BreakBlock002>,
    &Make<CEffect_MagicBrakeUp001>,
    &Make<CEffect_Flash>,
    &Make<CEffect_BreakRock001>,
    &Make<CEffect_SkyMobileDown>,
    &Make<CEffect_ShotBreak>,
    &Make<CEffect_MagicBrakeUp002>,
    &Make<CEffect_FrameSword001>,
    &Make<CEffect_FrameSword002>,
    &Make<CEffect_FrameSword003>,
    &Make<CEffect_FrameSword004>,
    &Make<CEffect_ThunderBrunt>,
    &Make<CEffect_WaveShotCharge>,
    &Make<CEffect_DarkThunderBrunt>,
    &Make<CEffect_DarkMagicBrakeUp001>,
    &Make<CEffect_DarkMagicBrakeUp002>,
    &Make<CEffect_BreakBlock003>,
};

}  // namespace

std::unique_ptr<IEffect> NewEffect(int kind, CStage* owner, double x, double y) {
    if (kind < 1 || kind > 40) return nullptr;
    return kMakers[kind](owner, x, y);
}

void MakeEffect(int kind, double x, double y, CStage* owner) {
    // Effects land on whole pixels, truncated toward zero.
    auto effect = NewEffect(kind, owner, static_cast<int>(x), static_cast<int>(y));
    if (!effect) return;
    CObjectRegistry& registry = effect->Registry();  // the registry of the effect's scene
    registry.Add(std::move(effect));
}

void InstallEffectFactory() { SetEffectFactory(&MakeEffect); }
