#pragma once
// Names for the sound-effect slots and the music pieces, so that no scene plays a bare number.
//
// A slot is named after the WAVE file the sound table loads into it: the file's stem in
// CamelCase, with its number when the stem has several files ("ok002.wav" is kOk2,
// "cancel001.wav" kCancel). Two names, fall001 and shock005, occur in both sound folders; the
// later slot of each pair carries a B. Slots 92..99 stay empty.
//
// A piece is named after its key in the music catalogue ("Stage003" is kStage3).

namespace SoundId {
inline constexpr int kOk1 = 0;
inline constexpr int kOk2 = 1;
inline constexpr int kOk3 = 2;
inline constexpr int kOk4 = 3;
inline constexpr int kCancel = 4;
inline constexpr int kCursor1 = 5;
inline constexpr int kCursor2 = 6;
inline constexpr int kCap = 7;
inline constexpr int kNetwork = 8;
inline constexpr int kNg = 9;
inline constexpr int kAttack1 = 10;
inline constexpr int kAttack2 = 11;
inline constexpr int kAttack3 = 12;
inline constexpr int kAttack4 = 13;
inline constexpr int kAttack5 = 14;
inline constexpr int kAttack6 = 15;
inline constexpr int kAttack7 = 16;
inline constexpr int kAttack8 = 17;
inline constexpr int kAttack9 = 18;
inline constexpr int kBomb1 = 19;
inline constexpr int kBrake1 = 20;
inline constexpr int kDash1 = 21;
inline constexpr int kDash2 = 22;
inline constexpr int kDown = 23;
inline constexpr int kFlash1 = 24;
inline constexpr int kGuard1 = 25;
inline constexpr int kIce1 = 26;
inline constexpr int kJump1 = 27;
inline constexpr int kJump2 = 28;
inline constexpr int kJump3 = 29;
inline constexpr int kShock1 = 30;
inline constexpr int kShock2 = 31;
inline constexpr int kWater1 = 32;
inline constexpr int kDeath1 = 33;
inline constexpr int kWater2 = 34;
inline constexpr int kDeath2 = 35;
inline constexpr int kAttack10 = 36;
inline constexpr int kBomb2 = 37;
inline constexpr int kIce2 = 38;
inline constexpr int kShock3 = 39;
inline constexpr int kShock4 = 40;
inline constexpr int kStep = 41;
inline constexpr int kJump4 = 42;
inline constexpr int kThrow = 43;
inline constexpr int kGoal = 44;
inline constexpr int kDoor1 = 45;
inline constexpr int kDoor2 = 46;
inline constexpr int kDoor3 = 47;
inline constexpr int kFall1 = 48;
inline constexpr int kShock5 = 49;
inline constexpr int kItem1 = 50;
inline constexpr int kItem2 = 51;
inline constexpr int kIce3 = 52;
inline constexpr int kIce4 = 53;
inline constexpr int kDamage = 54;
inline constexpr int kCharge = 55;
inline constexpr int kMagic1 = 56;
inline constexpr int kMagic2 = 57;
inline constexpr int kMagic3 = 58;
inline constexpr int kBeam = 59;
inline constexpr int kFlash2 = 60;
inline constexpr int kJump5 = 61;
inline constexpr int kBall1 = 62;
inline constexpr int kBall2 = 63;
inline constexpr int kBall3 = 64;
inline constexpr int kBall4 = 65;
inline constexpr int kBall5 = 66;
inline constexpr int kGun1 = 67;
inline constexpr int kFall1B = 68;
inline constexpr int kWind1 = 69;
inline constexpr int kShock5B = 70;
inline constexpr int kGuard2 = 71;
inline constexpr int kMagic4 = 72;
inline constexpr int kFire = 73;
inline constexpr int kSwitch = 74;
inline constexpr int kTri = 75;
inline constexpr int kTimer1 = 76;
inline constexpr int kTimer2 = 77;
inline constexpr int kRain = 78;
inline constexpr int kWind2 = 79;
inline constexpr int kFanfare = 80;
inline constexpr int kBrake2 = 81;
inline constexpr int kBrake3 = 82;
inline constexpr int kThunder = 83;
inline constexpr int kGun2 = 84;
inline constexpr int kGun3 = 85;
inline constexpr int kGun4 = 86;
inline constexpr int kGun5 = 87;
inline constexpr int kDark = 88;
inline constexpr int kIce5 = 89;
inline constexpr int kStart = 90;
inline constexpr int kOk5 = 91;
}  // namespace SoundId

namespace MusicId {
inline constexpr int kNone = 0;  // "NoMusic": silence
inline constexpr int kOpening = 1;
inline constexpr int kTopMenu = 2;
inline constexpr int kSelectStage = 3;
inline constexpr int kEditor = 4;
inline constexpr int kDownload = 5;
inline constexpr int kEvaluation = 6;
inline constexpr int kStage1 = 7;
inline constexpr int kStage2 = 8;
inline constexpr int kStage3 = 9;
inline constexpr int kStage4 = 10;
inline constexpr int kStage5 = 11;
inline constexpr int kStage6 = 12;
inline constexpr int kStage7 = 13;
inline constexpr int kStage8 = 14;
inline constexpr int kStage9 = 15;
inline constexpr int kBoss1 = 16;
inline constexpr int kBoss2 = 17;
inline constexpr int kEnding = 18;
}  // namespace MusicId
