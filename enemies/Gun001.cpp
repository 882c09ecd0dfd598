#include "enemies/Gun001.h"

#include <cmath>
#include <numbers>

#include "enemies/GroundHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/WindowHelpers.h"
#include "play/EffectFactory.h"

namespace {

constexpr size_t kGunCell = 10, kGunnerHandCell1 = 11, kGunnerHandCell2 = 12;

const HandOffsets kGunnerHands[10] = {{9, 29, 26, 33}, {9, 29, 26, 34}, {9, 29, 26, 33}, {7, 24, 24, 31},
                                      {7, 31, 22, 32}, {8, 31, 23, 32}, {7, 31, 22, 32}, {6, 19, 22, 35},
                                      {6, 19, 21, 19}, {12, 16, 26, 35}};

std::vector<SpriteCell> GunnerCells(int variant) {
    std::vector<SpriteCell> cells = {{0, 0, 40, 48},       {0, 144, 40, 192},   {40, 144, 80, 192},
                                     {40, 0, 80, 48},      {80, 144, 120, 192}, {120, 144, 160, 192},
                                     {160, 144, 200, 192}, {120, 96, 160, 144}, {160, 96, 200, 144},
                                     {200, 96, 240, 144}};
    cells.push_back(variant == 0 ? SpriteCell{0, 200, 56, 224} : SpriteCell{56, 200, 112, 224});
    cells.push_back({240, 0, 256, 16});  // a hand each
    cells.push_back({240, 0, 256, 16});
    return cells;
}

}  // namespace

CGun001::CGun001(CStage* ownerStage, double px, double py, int facingIn, int variantIn)
    : CGroundEnemy(ownerStage, px, py, facingIn, 10),
      variant(variantIn == 1 ? 1 : 0),
      left_("Char", "Enemy002_L", GunnerCells(variant)),
      right_("Char", "Enemy002_R", GunnerCells(variant)) {
    width = 20.0;
    height = 40.0;
    vx = 0.0;
    vy = 4.0 * GetFrameRate();
    maxSpeedUp = 500.0;
    maxSpeedDown = 700.0;
    maxSpeedLeft = maxSpeedRight = 100.0;
    ay = 900.0;
}

CGun001::~CGun001() = default;

void CGun001::SetState(int s) {
    EnterState(s);
    maxSpeedUp = 500.0;
    maxSpeedDown = 700.0;
    maxSpeedLeft = maxSpeedRight = s == kGunRecoil ? 200.0 : 100.0;
    ax = 0.0;
    ay = 900.0;
    if (s != kGunFire) return;
    Fire();
    if (variant == 0)
        PlaySE(SoundId::kWater1);
    else if (shotCount == 0)
        PlaySE(SoundId::kGun1);  // once a burst
}

void CGun001::Fire() {
    const double sx = facing == 1 ? prevX + width + 32.0 : prevX - 32.0;
    const double s = FacingSign();
    if (variant == 0) {
        FireEnemyShot("CGunWater", owner, sx, prevY + 19.0, 150.0 * s, 0.0);
    } else {
        CreateEffect(kEffectBrunt, std::trunc(sx), std::trunc(prevY + 19.0), owner);
        FireEnemyShot("CMachineGunShot", owner, sx, prevY + 17.0, 400.0 * s, 0.0);
    }
}

void CGun001::Act() {
    BeginFrame();
    Move();
    BrakeStop();
    const double f = stateFrames;
    switch (state) {
        case kGunStand:
            FaceHero();
            if (IsHeroInLineOfFire())
                SetState(kGunRaise);
            else if (!onGround)
                SetState(kGunFall);
            break;
        case kGunFall:
            if (IsHeroInLineOfFire())
                SetState(kGunRaise);
            else if (onGround)
                SetState(kGunStand);
            break;
        case kGunRaise:
            if (f > 5) SetState(kGunAim);
            break;
        case kGunAim:
            if (f > (variant == 0 ? 30 : 40)) {
                shotCount = 0;
                SetState(kGunFire);
            }
            break;
        case kGunFire: {
            // Variant 0: three shots 16 apart; variant 1: eight about 4 apart.
            const double gap = variant == 0 ? 16.0 : 3.8;
            const int more = variant == 0 ? 1 : 6;
            const double turnEnd = variant == 0 ? 80.0 : 100.0, burstEnd = variant == 0 ? 125.0 : 140.0;
            if (f > gap && f <= 30 && shotCount <= more) {
                ++shotCount;
                SetState(kGunFire);
            } else if (f > 30 && f < turnEnd) {
                FaceHero();
            } else if (f > burstEnd) {
                if (IsHeroLost()) {
                    SetState(kGunLower);
                } else {
                    shotCount = 0;
                    SetState(kGunFire);
                }
            }
            break;
        }
        case kGunLower:
            if (f > 5) StandOrFall();
            break;
        case kGunRecoil:
            if (f > 25) {
                FaceHero();
                StandOrFall();
            }
            break;
        case kGunStomped:
            if (f > 20) {
                FaceHero();
                StandOrFall();
            }
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

int CGun001::Collide(IBase* other) {
    return ContactAndReact(other, kGunStomped, kNoFallFloor, kGunRecoil, 300.0);
}

int CGun001::ChoosePose() const {
    if (isBlown) return 9;
    const double f = stateFrames;
    switch (state) {
        case kGunStand:
            return static_cast<int>(f) % 40 < 20 ? 0 : 1;
        case kGunFall:
            return 2;
        case kGunRaise:
        case kGunLower:
            return onGround ? 3 : 6;
        case kGunAim:
            return onGround ? 4 : 6;
        case kGunFire:
            if (!onGround) return 6;
            return f < (variant == 0 ? 5 : 2) ? 5 : 4;  // each shot kicks the gun back
        case kGunRecoil:
            return 7;
        default:
            return 8;
    }
}

void CGun001::Draw() {
    imageX = centerX;
    imageY = centerY;
    const int pose = ChoosePose();
    figure.Place(centerX, centerY, width, height, facing, pose >= 4 && pose <= 6 ? 8.0 : 0.0,
                 kGunnerHands[pose]);
    const float d = facing == 0 ? 1.0f : -1.0f;
    CPartsFigure& g = figure;
    float angle = 0.0f;
    if (pose <= 2) {
        g.toolX = g.handX1 + 4 * d;
        g.toolY = g.handY1 - 8;
        angle = static_cast<float>(std::numbers::pi / 2);
    } else if (pose == 3 || pose == 7) {
        g.toolX = g.handX1 + 5 * d;
        g.toolY = g.handY1 + (pose == 3 ? 0.0f : 2.0f);
        angle = static_cast<float>(std::numbers::pi / 4);
    } else if (pose == 9) {
        g.toolX = g.handX2 - 11 * d;
        g.toolY = g.handY2 - 3;
        angle = -0.16f;
    } else {
        g.toolX = g.handX1 + 4 * d;
        g.toolY = g.handY1 - 5;
    }
    g.toolAngle = facing == 1 ? static_cast<float>(std::numbers::pi) - angle : angle;
    const CSpriteSheet& sheet = facing == 1 ? right_ : left_;
    g.Draw(sheet[static_cast<size_t>(pose)], left_[kGunnerHandCell1], left_[kGunnerHandCell2],
           sheet[kGunCell], nullptr);
}
