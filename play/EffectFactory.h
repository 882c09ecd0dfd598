#pragma once
// The one effect factory, as play sees it: gimmicks fills it in at start; until then nothing is made.
class CStage;

// The effect kinds 1..40 (gimmicks/EffectKinds.cpp makes each).
inline constexpr int kEffectBrunt = 1;
inline constexpr int kEffectPowerBrunt = 2;
inline constexpr int kEffectSlash = 3;
inline constexpr int kEffectEnemyDeath = 4;
inline constexpr int kEffectBurstRed = 5;
inline constexpr int kEffectBurstBlue = 6;
inline constexpr int kEffectGuardRing = 7;
inline constexpr int kEffectSmallFire = 8;
inline constexpr int kEffectSmoke = 9;
inline constexpr int kEffectIceSmoke = 10;
inline constexpr int kEffectBrownSmoke = 11;
inline constexpr int kEffectRandomIce = 12;
inline constexpr int kEffectIceBreak = 13;
inline constexpr int kEffectSmallBlueFire = 14;
inline constexpr int kEffectHealing = 15;
inline constexpr int kEffectOneUp = 16;
inline constexpr int kEffectWaterUp = 17;
inline constexpr int kEffectWaterDown = 18;
inline constexpr int kEffectWaterLeft = 19;
inline constexpr int kEffectWaterRight = 20;
inline constexpr int kEffectGetKey = 21;
inline constexpr int kEffectGetFlag = 22;
inline constexpr int kEffectBreakBlock1 = 23;
inline constexpr int kEffectBreakBlock2 = 24;
inline constexpr int kEffectMagicBreak = 25;
inline constexpr int kEffectFlash = 26;
inline constexpr int kEffectBreakRock = 27;
inline constexpr int kEffectCrash = 28;
inline constexpr int kEffectShotBreak = 29;
inline constexpr int kEffectMagicBreak2 = 30;
inline constexpr int kEffectFlameSword1 = 31;
inline constexpr int kEffectFlameSword2 = 32;
inline constexpr int kEffectFlameSword3 = 33;
inline constexpr int kEffectFlameSword4 = 34;
inline constexpr int kEffectThunderBrunt = 35;
inline constexpr int kEffectWaveShotCharge = 36;
inline constexpr int kEffectDarkThunderBrunt = 37;
inline constexpr int kEffectDarkBreak1 = 38;
inline constexpr int kEffectDarkBreak2 = 39;
inline constexpr int kEffectBreakBlock3 = 40;
using EffectFactoryFn = void (*)(int kind, double x, double y, CStage* ownerStage);
void SetEffectFactory(EffectFactoryFn fn);
void CreateEffect(int kind, double x, double y, CStage* ownerStage);
