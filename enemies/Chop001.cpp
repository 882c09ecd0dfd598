#include "enemies/Chop001.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "play/Hitboxes.h"

namespace {

constexpr size_t kBarCell = 20, kChopperHandCell1 = 21, kChopperHandCell2 = 22;

const HandOffsets kChopperHands[20] = {{9, 29, 26, 33}, {7, 24, 24, 31},  {7, 34, 23, 30},  {7, 33, 23, 29},
                                       {9, 33, 25, 29}, {9, 34, 25, 30},  {13, 22, 27, 31}, {15, 17, 19, 33},
                                       {6, 22, 20, 31}, {2, 31, 18, 27},  {19, 35, 30, 25}, {2, 29, 29, 34},
                                       {4, 36, 20, 32}, {4, 35, 20, 31},  {4, 35, 20, 31},  {6, 19, 22, 35},
                                       {6, 19, 21, 19}, {12, 16, 26, 35}, {9, 29, 26, 34},  {9, 29, 26, 33}};

std::vector<SpriteCell> ChopperCells(int variant) {
    std::vector<SpriteCell> cells;
    cells.reserve(23);
    for (int i = 0; i < 20; ++i)
        cells.push_back({40 * (i % 6), 48 * (i / 6), 40 * (i % 6) + 40, 48 * (i / 6) + 48});
    cells.push_back(variant == 0 ? SpriteCell{0, 224, 128, 256} : SpriteCell{128, 224, 256, 256});
    cells.push_back({240, 0, 256, 16});  // a hand each
    cells.push_back({240, 0, 256, 16});
    return cells;
}

const std::vector<SpriteCell> kBigSwingCells = {{0, 0, 96, 96}, {96, 0, 192, 96}, {0, 96, 96, 192}};
const std::vector<SpriteCell> kSweepCells = {{192, 200, 256, 248}, {192, 136, 256, 184}};

}  // namespace

CChop001::CChop001(CStage* ownerStage, double px, double py, int facingIn, int variantIn)
    : CFighterEnemy(ownerStage, px, py, facingIn, 40, kChopRecoil),
      variant(variantIn == 1 ? 1 : 0),
      left_("Char", "Enemy002_L", ChopperCells(variant)),
      right_("Char", "Enemy002_R", ChopperCells(variant)),
      bigSwingLeft_("Effect", "Bar_Effect001_L", kBigSwingCells),
      bigSwingRight_("Effect", "Bar_Effect001_R", kBigSwingCells),
      sweepLeft_("Effect", "Bar_Effect003_L", kSweepCells),
      sweepRight_("Effect", "Bar_Effect003_R", kSweepCells) {
    ScaleSheet(bigSwingLeft_, 0.85f);
    ScaleSheet(bigSwingRight_, 0.85f);
    ScaleSheet(sweepLeft_, 0.6f);
    ScaleSheet(sweepRight_, 0.6f);
    width = 20.0;
    height = 40.0;
    vx = 0.0;
    vy = 4.0 * GetFrameRate();
    maxSpeedUp = 500.0;
    maxSpeedDown = 700.0;
    maxSpeedLeft = maxSpeedRight = 100.0;
    ay = 900.0;
}

CChop001::~CChop001() = default;

void CChop001::NextMove() {
    if (IsHeroLost())
        SetState(kChopStand);
    else if (IsHeroClose())
        SetState(kChopHopBack);
    else
        SetState(kChopDash);
}

void CChop001::SetState(int s) {
    EnterState(s);
    if (s == kChopHopBack) PlaySE(SoundId::kJump4);
    foot_.Clear(this);

    maxSpeedUp = 500.0;
    maxSpeedDown = 700.0;
    if (s == kChopCharge || s == kChopChargeAir || s == kChopSweep)
        maxSpeedLeft = maxSpeedRight = 320.0;
    else
        maxSpeedLeft = maxSpeedRight = s == kChopRecoil ? 200.0 : 100.0;

    const double toward = FacingSign();
    switch (s) {
        case kChopStand:
        case kChopFall:
        case kChopRecover:
        case kChopWindUp:
            ax = -600.0 * toward;
            break;
        case kChopDash:
            ax = -400.0 * toward;
            break;
        case kChopChop:
        case kChopSecondSwing:
            ax = onGround ? -1200.0 * toward : 0.0;
            break;
        case kChopSlide:
            ax = -200.0 * toward;
            break;
        case kChopCharge:
        case kChopChargeAir:
            ax = 600.0 * toward;
            break;
        case kChopSweep:
            ax = -1500.0 * toward;
            break;
        default:
            ax = 0.0;
            break;
    }
    ay = 900.0;

    switch (s) {
        case kChopFall:
        case kChopAirborne:
        case kChopStomped:
            vx = 0.0;
            break;
        case kChopDash:
        case kChopSlide:
            vx = 500.0 * toward;
            break;
        case kChopHopBack:
            vx = -420.0 * toward;
            break;
        case kChopHopAway:
            vx = -450.0 * toward;
            break;
        case kChopCharge:
            vx = 200.0 * toward;
            break;
        case kChopLeap:
            // After the hero, the way it faces, never slower than 20 nor faster than 400.
            vx = std::clamp(0.6 * GetDistanceXToHero() * toward, 20.0, 400.0) * toward;
            break;
        default:
            break;
    }

    const double rise = GetLiftRise();
    if (s == kChopHopBack) SetUpwardSpeed(200.0 + rise);
    if (s == kChopLeap) {
        SetUpwardSpeed(320.0 + rise);
        jumpStartY = y;
    }
    if (s == kChopHopAway) SetUpwardSpeed(160.0 + rise);
    if (s == kChopStomped && !wasOnGround && vy < 50.0) vy = 50.0;
}

void CChop001::ChopBrake() {
    if (vx * FacingSign() > 0) {
        ax = onGround ? -1200.0 * FacingSign() : 0.0;
    } else {
        vx = ax = 0.0;
    }
}

void CChop001::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    switch (state) {
        case kChopStand:
        case kChopFall:
        case kChopReady:
        case kChopDash:
        case kChopAirborne:
            StepApproach(f);
            break;
        case kChopHopBack:
        case kChopLeap:
        case kChopChop:
        case kChopSecondSwing:
        case kChopSlide:
        case kChopRecover:
        case kChopHopAway:
            StepChopAttack(f);
            break;
        case kChopWindUp:
        case kChopCharge:
        case kChopChargeAir:
        case kChopSweep:
            StepChargeAttack(f);
            break;
        case kChopRecoil:
        case kChopStomped:
            BrakeStop();
            if (f > (state == kChopRecoil ? 25 : 20) && onGround) {
                FaceHero();
                NextMove();
            }
            break;
        default:
            break;
    }
    clashGuard = false;
    AdvanceStateClock();
    EndFrame();
}

// Standing, falling and dashing in until the hero is in reach.
void CChop001::StepApproach(double f) {
    switch (state) {
        case kChopStand:
            BrakeStop();
            if (!onGround) {
                SetState(kChopFall);
                return;
            }
            FaceHero();
            if (IsHeroInReach()) {
                if (variant == 0) {
                    SetState(kChopReady);
                } else {
                    SetState(kChopWindUp);
                    PlaySE(SoundId::kAttack3);
                }
            }
            break;
        case kChopFall:
            BrakeStop();
            if (onGround) SetState(kChopStand);
            break;
        case kChopReady:
            BrakeStop();
            if (!onGround) {
                SetState(kChopAirborne);
            } else if (f > 12) {
                FaceHero();
                SetState(IsHeroClose() ? kChopHopBack : kChopDash);
            }
            break;
        case kChopDash:
            BrakeStop();
            if (!onGround) {
                SetState(kChopAirborne);
            } else if (f > (variant == 0 ? 20 : 14)) {
                FaceHero();
                if (IsHeroLost())
                    SetState(kChopStand);
                else if (IsHeroClose())
                    SetState(kChopHopBack);
                else if (variant == 1 && std::fabs(GetDistanceXToHero()) > 256)
                    SetState(kChopWindUp);
                else
                    SetState(kChopDash);
            }
            break;
        case kChopAirborne:
            BrakeStop();
            if (onGround) {
                FaceHero();
                NextMove();
            }
            break;
        default:
            break;
    }
}

// The hop back, the leaping chop, the second swing and the slide, and the hop away.
void CChop001::StepChopAttack(double f) {
    switch (state) {
        case kChopHopBack:
            if (onGround && f > 8) {
                FaceHero();
                PlaySE(SoundId::kJump4);
                SetState(kChopLeap);
                MakeFoot();
            }
            break;
        case kChopLeap: {
            const bool heroHigher = HasHero() && GetDistanceYToHero() < 0;
            if (f > 8 && (onGround || y > jumpStartY - 20 || (vy > 50 && heroHigher))) {
                SetState(kChopChop);
                PlaySE(SoundId::kAttack1);
                MakeChop();
            }
            break;
        }
        case kChopChop:
            ChopBrake();
            if (variant == 0 && f > 22) {
                if (onGround) {
                    SetState(kChopHopAway);
                    PlaySE(SoundId::kJump4);
                } else {
                    SetState(kChopAirborne);
                }
            } else if (variant == 1 && f > 6) {
                SetState(kChopSecondSwing);
            }
            break;
        case kChopSecondSwing:
            ChopBrake();
            if (f > 6 && onGround) {
                SetState(kChopSlide);
                PlaySE(SoundId::kAttack2);
                MakeSweep(12);
            }
            break;
        case kChopSlide:
            BrakeStop();
            if (!onGround)
                SetState(kChopAirborne);
            else if (f > 8)
                SetState(kChopRecover);
            break;
        case kChopRecover:
            BrakeStop();
            if (!onGround) {
                SetState(kChopAirborne);
            } else if (f > 20) {
                FaceHero();
                SetState(kChopHopAway);
                PlaySE(SoundId::kJump4);
            }
            break;
        case kChopHopAway:
            if (onGround && f > 8) SetState(kChopAirborne);
            break;
        default:
            break;
    }
}

// The wind-up, the charge along the ground and the sweep at its end.
void CChop001::StepChargeAttack(double f) {
    switch (state) {
        case kChopWindUp:
            BrakeStop();
            if (!onGround) {
                SetState(kChopAirborne);
            } else if (f > 35) {
                SetState(kChopCharge);
                PlaySE(SoundId::kDash1);
            }
            break;
        case kChopCharge: {
            const bool passed = HasHero() && GetDistanceXToHero() * FacingSign() < 0;
            if (!onGround) {
                SetState(kChopChargeAir);
            } else if (f > 240) {
                SetState(kChopStand);
            } else if (IsHeroClose() || passed) {
                SetState(kChopSweep);
                PlaySE(SoundId::kAttack2);
                MakeSweep(10);
            }
            break;
        }
        case kChopChargeAir:
            if (onGround) SetState(kChopCharge);
            break;
        case kChopSweep:
            BrakeStop();
            if (!onGround)
                SetState(kChopAirborne);
            else if (f > 12)
                SetState(kChopRecover);
            break;
        default:
            break;
    }
}

void CChop001::MakeFoot() {
    AttackInfo a;
    a.damage = 10;
    a.power = 200.0;
    a.angle = facing == 0 ? kPi * 1.1 : kPi * -0.1;
    foot_.Set(this, std::make_unique<CCollisionDetectionRectangle>(
                        this, this, owner, facing == 0 ? -4.0 : 0.0, height - 8, static_cast<int>(width + 4),
                        13, CCollisionDetectionBase::kNeverExpires, 9999.0, kSideEnemy, kAimKeep, a));
}

void CChop001::MakeChop() {
    AttackInfo a;
    a.damage = variant == 0 ? 15 : 8;
    a.power = 300.0;
    a.angle = facing == 0 ? kPi * 0.75 : kPi * 0.25;
    a.flags[kAttackReflectable] = 1;
    if (facing == 0)
        AddChild(std::make_unique<CCollisionDetectionSectorUpLeft>(this, this, owner, width * 0.5, 26.0, 88.0,
                                                                   4.0, 9999.0, kSideEnemy, kAimKeep, a));
    else
        AddChild(std::make_unique<CCollisionDetectionSectorUpRight>(
            this, this, owner, width * 0.5, 26.0, 88.0, 4.0, 9999.0, kSideEnemy, kAimKeep, a));
}

void CChop001::MakeSweep(int damage) {
    AttackInfo a;
    a.damage = damage;
    a.power = 500.0;
    a.angle = facing == 0 ? kPi * 1.1 : kPi * -0.1;
    a.flags[kAttackReflectable] = 1;
    AddChild(std::make_unique<CCollisionDetectionRectangle>(this, this, owner,
                                                            facing == 0 ? -96.0 : width + 16, 12.0, 80, 24,
                                                            4.0, 9999.0, kSideEnemy, kAimKeep, a));
}

int CChop001::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (isBlown) return r;
    if (r == kHitBounced) {
        SetState(kChopStomped);
    } else if (r == kHitPushed) {
        SetState(kChopRecoil);
        const double a = GetAngle(other->centerX, other->centerY, centerX, centerY);
        if (wasOnGround) {
            RecoilAlong(this, a, 500.0, 500.0, 900.0);
        } else {
            vx = 500.0 * std::cos(a);
            vy = 300.0 * std::sin(a);
            ax = -500.0 * std::cos(a);
            if (std::fabs(vx) < 100.0) {  // never a feeble push in the air
                const double s = vx >= 0 ? 1.0 : -1.0;
                vx = 100.0 * s;
                vy = -100.0;
                ax = -100.0 * s;
            }
            ay = 900.0;
        }
    }
    return r;
}

void CChop001::Draw() {
    imageX = centerX;
    imageY = centerY;
    const double f = stateFrames;
    int pose = 0, effect = 0;
    double barAngle = -1.0;
    if (isBlown) {
        pose = 17;
    } else {
        switch (state) {
            case kChopStand:
                pose = static_cast<int>(f) % 40 < 20 ? 0 : 18;
                break;
            case kChopFall:
                pose = 19;
                break;
            case kChopReady:
                pose = f < 6 ? 1 : 2;
                break;
            case kChopDash:
                pose = f < 6 ? 2 : 3;
                break;
            case kChopAirborne:
                pose = 5;
                break;
            case kChopHopBack:
            case kChopHopAway:
                pose = 6;
                break;
            case kChopLeap:
                pose = 7;
                break;
            case kChopChop:
                pose = f < 3 ? 8 : 9;
                effect = f < 3 ? 1 : (f < 5 ? 2 : (f < 7 ? 3 : 0));
                break;
            case kChopSecondSwing:
                pose = f < 3 ? 9 : 10;
                break;
            case kChopSlide:
                pose = 11;
                effect = f < 4 ? 4 : 5;
                break;
            case kChopRecover:
                pose = 11;
                break;
            case kChopWindUp:
                pose = f < 5 ? 1 : 10;
                if (f >= 5) barAngle = f < 25 ? (f - 5) * kPi * 0.2 : 4 * kPi;  // the bar twirls
                break;
            case kChopCharge: {
                const int n = static_cast<int>(f) % 12;
                pose = n < 3 ? 12 : (n < 6 ? 13 : (n < 9 ? 12 : 14));
                break;
            }
            case kChopChargeAir:
                pose = 12;
                break;
            case kChopSweep:
                pose = 11;
                effect = f < 4 ? 4 : (f < 8 ? 5 : 0);
                break;
            case kChopRecoil:
                pose = onGround ? 15 : 6;
                break;
            default:
                pose = 16;
                break;
        }
    }

    CPartsFigure& g = figure;
    g.Place(centerX, centerY, width, height, facing, pose == 11 ? 8.0 : 0.0, kChopperHands[pose]);
    const float d = facing == 1 ? 1.0f : -1.0f;
    switch (pose) {
        case 0:
        case 18:
        case 19:
            g.toolX = g.handX1, g.toolY = g.handY1 - 29;
            break;
        case 1:
        case 6:
            g.toolX = g.handX1 + 10 * d, g.toolY = g.handY1 - 12;
            break;
        case 7:
            g.toolX = g.handX1 - d, g.toolY = g.handY1 - 21;
            break;
        case 8:
            g.toolX = g.handX1 + 12 * d, g.toolY = g.handY1 - 14;
            break;
        case 11:
            g.toolX = g.handX1 + 22 * d, g.toolY = g.handY1 + 2;
            break;
        case 15:
            g.toolX = g.handX1 + 12 * d, g.toolY = g.handY1 - 12;
            break;
        case 17:
            g.toolX = g.handX2 + 30 * d, g.toolY = g.handY2 + 5;
            break;
        default:
            g.toolX = g.handX1 + 22 * d, g.toolY = g.handY1 - 2;
            break;
    }
    double angle = 0.0;
    if (pose == 0 || pose == 7 || pose == 18 || pose == 19) angle = kPi / 2;
    if (pose == 1 || pose == 6 || pose == 8 || pose == 15) angle = kPi / 4;
    if (pose == 17) angle = -0.16;
    if (barAngle != -1.0 && pose == 10) {
        g.toolX = g.handX1;
        g.toolY = g.handY1;
        angle = barAngle;
    }
    g.toolAngle = static_cast<float>(facing == 1 ? kPi - angle : angle);

    CSprite* effectSprite = nullptr;
    if (effect > 0) {
        if (effect <= 3)
            effectSprite = (facing == 1 ? bigSwingRight_ : bigSwingLeft_)[static_cast<size_t>(effect - 1)];
        else
            effectSprite = (facing == 1 ? sweepRight_ : sweepLeft_)[static_cast<size_t>(effect - 4)];
        const float ex = effect <= 3 ? 50.0f : (effect == 4 ? 78.0f : 81.0f);
        g.effectX = g.bodyX + ex * d;
        g.effectY = g.bodyY + (effect <= 3 ? -27.0f : 7.0f);
    }
    const CSpriteSheet& sheet = facing == 1 ? right_ : left_;
    g.Draw(sheet[static_cast<size_t>(pose)], left_[kChopperHandCell1], left_[kChopperHandCell2],
           sheet[kBarCell], effectSprite);
}
