#include "bosses/BarManBase.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "bosses/BarManPoses.h"
#include "enemies/PatternEnemy.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "foundation/WindowHelpers.h"
#include "play/SceneServices.h"

namespace {

constexpr double kGravity = 750.0;
constexpr double kMaxSpeed = 1000.0;
// More damage than this between two jumps away is not taken: the boss jumps away instead.
constexpr int kJumpAwayDamage = 100;

// Cells of "Boss011_L": the title picture, the one that flies off, five falling pieces and five
// lying in a row.
constexpr int kEntranceCells[CBarManBase::kEntrancePieces][4] = {
    {0, 0, 48, 64},       {48, 0, 96, 64},      {0, 224, 16, 256},    {16, 224, 32, 256},
    {32, 224, 48, 256},   {48, 224, 64, 256},   {64, 224, 80, 256},   {96, 216, 128, 256},
    {128, 216, 160, 256}, {160, 216, 192, 256}, {192, 216, 224, 256}, {224, 216, 256, 256},
};
// Where each colour's title sits on the picture, and which of the five row places is its own.
constexpr int kEntranceOffset[5] = {4, 36, -28, 68, -60};
constexpr int kOwnRowPlace[5] = {2, 1, 3, 0, 4};  // index into -64, -32, 0, 32, 64

void PlaceSprite(CSprite* s, double px, double py, double depth, double turn) {
    if (!s) return;
    s->x = static_cast<float>(px / 256.0);
    s->y = static_cast<float>(py / 256.0);
    s->z = static_cast<float>(depth);
    s->angleZ = static_cast<float>(turn);
    s->ApplyTransform();
    s->Draw();
}

}  // namespace

CBarManBase::CBarManBase(CStage* ownerStage, double px, double py, int facingIn, int colourIn, int creator)
    : IBoss(ownerStage, px, py), facing(facingIn), creatorValue(creator), colour(colourIn) {
    if (colour >= 0 && colour <= 4) barKind = colour;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = kMaxSpeed;
    width = 20.0;
    height = 38.0;
    SetState(kBarManIntro);
    ShowPose(2, 5, 5);
    for (int i = 0; i < kEntrancePieces; ++i) {
        const int* c = kEntranceCells[i];
        entranceSprites[i] = CreateSprite("Char", "Boss011_L", 2, c[0], c[1], c[2], c[3]);
    }
}

CBarManBase::~CBarManBase() = default;

IPlaySceneServices* CBarManBase::Scene() const { return GetSceneServices(owner); }

int CBarManBase::MidX() const { return static_cast<int>(std::trunc((GetLeft() + GetRight()) / 2.0)); }
int CBarManBase::MidY() const { return static_cast<int>(std::trunc((GetTop() + GetBottom()) / 2.0)); }

int CBarManBase::Roll(int lo, int hi) { return dice ? dice(lo, hi) : RandomRange(lo, hi); }

void CBarManBase::FaceHero() { facing = GetDistanceXToHero() >= 0 ? 1 : 0; }

void CBarManBase::BackToFree() {
    FaceHero();
    if (std::fabs(GetDistanceXToHero()) < 128)
        StartJump();
    else
        RestartAttack(false);
}

void CBarManBase::OnStateEnd(int state) {
    if (state == kBarManDefeat) return;
    FaceHero();
    RestartAttack(state == kBarManIntro);
}

void CBarManBase::BrakeStop() {
    if ((ax < 0 && vx < 0) || (ax > 0 && vx > 0)) ax = vx = 0;
}

bool CBarManBase::StillOnGround() {
    if (onGround) return true;
    EnterAirborneState();
    return false;
}

bool CBarManBase::BrakeOnGround() {
    BrakeStop();
    return StillOnGround();
}

void CBarManBase::SetState(int s) {
    bossState = s;
    bossStateTime = 0;
    if (s >= kBarManIntro && s <= kBarManWallJump) OnEnterState(s);  // any state but the free one
    const double f = FacingSign();
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = kMaxSpeed;
    switch (s) {
        case kBarManIntro:
            vx = 0, vy = -300.0, ax = 0, ay = kGravity;
            break;
        case kBarManPushed:
            vx = -250.0 * f, vy = 250.0, ax = 700.0 * f, ay = kGravity;
            break;
        case kBarManJump:
            PlaySE(SoundId::kJump4);
            vx = -270.0 * f, vy = -140.0, ax = 0, ay = kGravity;
            break;
        case kBarManWallJump:
            PlaySE(SoundId::kJump2);
            vx = 330.0 * f, vy = -340.0, ax = 330.0 * f, ay = kGravity;
            maxSpeedLeft = maxSpeedRight = 330.0;
            break;
        default:
            break;
    }
    if (s != kBarManFree)
        if (IPlaySceneServices* scene = Scene()) scene->ClearZoomOverride(1, 1.5f);
}

void CBarManBase::ShiftAfterimages() {
    for (int i = kTrail - 1; i > 0; --i) afterimages[i] = std::move(afterimages[i - 1]);
    afterimages[0].reset();
}

void CBarManBase::ShowPoseShifted(int page, int column, int row, double angle, double spinTime, int xShift) {
    BarManFigureLayout l;
    if (!LayoutBarManPose(barKind, page, column, row, facing == 1, angle, spinTime, &l)) return;
    auto figure = std::make_unique<CBarFigure>();
    char key[32];
    std::snprintf(key, sizeof key, "Boss%03d_%s", 2 * colour + page, facing == 1 ? "R" : "L");
    OwnedSprite body =
        CreateSprite("Char", key, 2, l.bodyCell[0], l.bodyCell[1], l.bodyCell[2], l.bodyCell[3]);
    if (body) body->angleZ = static_cast<float>(l.bodyTurn);
    OwnedSprite bar;
    if (l.disc) {
        bar = CreateSprite("Effect", "Bar_Effect002_L", 2, l.discCell[0], l.discCell[1], l.discCell[2],
                           l.discCell[3]);
        if (bar) bar->scaleX = bar->scaleY = static_cast<float>(GetBarManBarLength(barKind) / 128.0);
    } else {
        bar = facing == 1 ? MakeBarManBarSpriteRight(barKind) : MakeBarManBarSprite(barKind);
        if (bar) bar->angleZ = static_cast<float>(l.barTurn);
    }
    if (l.barInFront) figure->SetPartOrder(true);
    figure->SetParts(std::move(body), std::move(bar), nullptr);
    // A sideways shift moves every shown part; a hidden one stays hidden.
    auto shifted = [xShift](int v) { return v == CBarFigure::kHidden ? v : v + xShift; };
    figure->SetPartOffsets(l.bodyShift + xShift, 0, shifted(l.barX), l.barY, shifted(l.hand1X), l.hand1Y,
                           shifted(l.hand2X), l.hand2Y);
    const bool titlePose = page == 2 && column == 5 && row == 5;
    if (!titlePose && bossState == kBarManFree && !isBlown)
        AttachBarEffect(figure.get(), angle, spinTime, shifted(l.barX), l.barY);
    figure->SetPosition(centerX, centerY);
    afterimages[0] = std::move(figure);
}

void CBarManBase::AttachBarEffect(CBarFigure* figure, double angle, double /*spinTime*/, int barX, int barY) {
    BarEffectChoice c;
    if (!ChooseBarEffect(GetBarEffectKind(), GetBarEffectTime(), barKind, facing == 1, angle, barX, barY, &c))
        return;
    char key[32];
    std::snprintf(key, sizeof key, "Bar_Effect%03d_%s", GetBarEffectSheet(colour, c.image),
                  facing == 1 ? "R" : "L");
    OwnedSprite s = CreateSprite("Effect", key, 2, c.cell[0], c.cell[1], c.cell[2], c.cell[3]);
    if (!s) return;
    s->scaleX = static_cast<float>(c.scaleX);
    s->scaleY = static_cast<float>(c.scaleY);
    s->angleZ = static_cast<float>(c.turn);
    s->SetAlpha(static_cast<float>(c.alpha));
    figure->SetPart(CBarFigure::kEffect, std::move(s));
    figure->SetEffectOffset(c.offsetX, c.offsetY);
}

void CBarManBase::Act() {
    inEntrance = false;
    if (!registered) {
        if (IPlaySceneServices* scene = Scene()) scene->RegisterBoss(this);
        SetState(kBarManIntro);
    }
    BeginFrame();
    ShiftAfterimages();
    if (registered)
        Move();
    else
        registered = true;
    const double t = bossStateTime;
    switch (bossState) {
        case kBarManFree:
            UpdateAttack();
            break;
        case kBarManIntro:
            afterimageVisible = false;
            if (t > 120) {
                ShowPose(2, 0, 4, 0, t);
                SetState(kBarManFree);
                OnStateEnd(kBarManIntro);
            } else if (onGround && t > 60) {
                ShowPose(2, 0, 4, 0, t);
            } else if (onGround && t > 8) {
                ShowPose(2, 3, 5);
            } else if (t > 2) {
                ShowPose(2, 4, 5, 0.7 * t);
            } else {
                ShowPose(2, 5, 5);
            }
            break;
        case kBarManDefeat:
            ShowPose(2, 3, 3, 0.5 * t);
            afterimageVisible = false;
            if (t > 110) {
                OnStateEnd(kBarManDefeat);
                if (IPlaySceneServices* scene = Scene()) scene->OnBossDefeated();
                Kill();
            }
            break;
        case kBarManRecoil:
            ShowPose(2, 5, 2);
            afterimageVisible = false;
            if (t > 35) {
                damageSinceJump = 0;
                SetState(kBarManFree);
                OnStateEnd(kBarManRecoil);
            } else {
                BrakeStop();
            }
            break;
        case kBarManPushed:
            ShowPose(2, 4, 3);
            afterimageVisible = false;
            if (t > 30) {
                SetState(kBarManFree);
                OnStateEnd(kBarManPushed);
            } else {
                BrakeStop();
            }
            break;
        case kBarManJump:
            ShowPose(1, 5, 1);
            afterimageVisible = true;
            if (t > 8 && onGround) {
                SetState(kBarManFree);
                OnStateEnd(kBarManJump);
            } else if (touchLeft || touchRight) {
                SetState(kBarManWallJump);
            }
            break;
        case kBarManWallJump:
            if (t < 6 * kPi)
                ShowPose(1, 4, 1, t / 3.0);
            else
                ShowPose(1, 0, 2);
            afterimageVisible = true;
            if (t > 8 && onGround) {
                SetState(kBarManFree);
                OnStateEnd(kBarManWallJump);
            }
            break;
        default:
            break;
    }
    bossStateTime += FramesThisFrame();
    EndFrame();
}

bool CBarManBase::EntranceStep() {
    inEntrance = true;
    BeginFrame();
    ShiftAfterimages();
    bossStateTime += FramesThisFrame();
    const double t = bossStateTime;
    const double cues[3] = {40, 100, 140};
    const int sounds[3] = {SoundId::kItem2, SoundId::kAttack10, SoundId::kAttack6};
    for (int i = 0; i < 3; ++i) {
        if (t >= cues[i] && !entranceSoundPlayed[i]) {
            entranceSoundPlayed[i] = true;
            PlaySE(sounds[i]);
        }
    }
    if (t <= 150)
        ShowPose(2, 5, 5);
    else if (t <= 170)
        ShowPose(2, 0, 4, 0, t);
    else
        ShowPose(1, 0, 0);
    const bool done = t >= kEntranceFrames;
    if (done) {
        vx = 0;
        vy = 4.0 * GetFrameRate();
        ax = 0;
        ay = kGravity;
        maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = kMaxSpeed;
        SetState(kBarManFree);
        OnStateEnd(kBarManIntro);
        inEntrance = false;
    }
    EndFrame();
    return done;
}

int CBarManBase::ReceiveAttack(AttackInfo a) {
    if ((bossState == kBarManFree && IsAttackImmune()) || bossState == kBarManIntro ||
        bossState == kBarManDefeat || bossState == kBarManJump || bossState == kBarManWallJump)
        return kHitImmune;
    if (IPlaySceneServices* scene = Scene()) scene->ClearZoomOverride(1, 1.5f);

    damageSinceJump += a.damage;
    if (damageSinceJump > kJumpAwayDamage) {
        ResetBlowState();
        FaceHero();
        damageSinceJump = 0;
        SetState(kBarManJump);
        return kHitImmune;
    }

    const bool water = a.flags[kAttackWater] != 0;
    const int chance = water ? static_cast<int>(guardChance * 1.5) : guardChance;
    const bool guards = bossState == kBarManRecoil || (IsStanding() && !isBlown && Roll(0, 99) < chance);
    if (guards) {
        FaceHero();
        SetState(kBarManRecoil);
        PlaySE(SoundId::kGuard1);
        if (IsStanding()) {
            vx = 0.7 * a.power * std::cos(a.angle);
            vy = 4.0 * GetFrameRate();
        } else {
            vx = 0.8 * a.power * std::cos(a.angle);
            vy = 0.8 * a.power * std::sin(a.angle);
        }
        ax = -3.0 * vx;
        if (ax > 0 && ax < 200.0) ax = 200.0;
        if (ax < 0 && ax > -200.0) ax = -200.0;
        ay = kGravity;
        return kHitGuarded;
    }

    hitPoints -= water ? a.damage / 2 : a.damage;
    afterimageVisible = false;
    OnHurt();
    if (hitPoints > 0) {
        PlaySE(SoundId::kDamage);
        StartBlow(a, false);
        return kHitHurt;
    }
    Defeat();
    return kHitDefeated;
}

void CBarManBase::Defeat() {
    ResetBlowState();
    SetState(kBarManDefeat);
    if (IPlaySceneServices* scene = Scene()) {
        scene->StopMusicAfterBoss();
        scene->ResetHeroLongTimer();
    }
    PlaySE(SoundId::kDeath1);
    FaceHero();
    // Away from the hero, through walls: a boss carried off screen still plays its defeat out
    // (bosses are never removed for being off screen), so the scene always hears of it.
    vx = -450.0 * FacingSign();
    vy = -300.0;
    ax = 0;
    ay = 0;
    category = kCategoryFlyer;
    ignoresMap = true;
    ClearPlacedSpawnFlag(this);
}

int CBarManBase::Collide(IBase* other) {
    if ((bossState == kBarManFree && IsContactHarmless()) || bossState == kBarManIntro ||
        bossState == kBarManDefeat || bossState == kBarManJump || bossState == kBarManWallJump)
        return kHitImmune;
    const int r = DeliverContactAttack(other);
    if (isBlown) return r;
    if (r == kHitBounced) {
        FaceHero();
        SetState(kBarManPushed);
        return r;
    }
    if (r == kHitPushed) {
        FaceHero();
        SetState(kBarManRecoil);
        const double a = GetAngle(other->centerX, other->centerY, centerX, centerY);
        if (IsStanding()) {
            const double s = std::cos(a) >= 0 ? 1.0 : -1.0;
            vx = 200.0 * s;
            vy = 4.0 * GetFrameRate();
            ax = -900.0 * s;
        } else {
            vx = 200.0 * std::cos(a);
            vy = 200.0 * std::sin(a);
            ax = -900.0 * std::cos(a);
        }
        ay = kGravity;
    }
    return r;
}

void CBarManBase::AfterAttackClash() {
    if (IsClashProof()) return;
    FaceHero();
    SetState(kBarManRecoil);
    const double f = FacingSign();
    vx = -200.0 * f;
    vy = IsStanding() ? 4.0 * GetFrameRate() : -100.0;
    ax = 700.0 * f;
    ay = kGravity;
}

void CBarManBase::BlowHook() {
    inEntrance = false;
    ShowPose(1, 0, 3);
}

void CBarManBase::OnBlowEnd() {
    FaceHero();
    damageSinceJump = 0;
    SetState(kBarManFree);
    OnBlowRecovered();
}

void CBarManBase::UpdateCentre() {
    IBase::UpdateCentre();
    if (touchBottom) onGround = true;
    if (afterimages[0]) afterimages[0]->SetPosition(centerX, centerY);
}

void CBarManBase::Draw() {
    if (inEntrance) DrawEntrance();
    const int n = afterimageVisible ? kTrail : 1;
    for (int i = 0; i < n; i += 2) {
        if (!afterimages[i]) continue;
        const float alpha = i == 0 ? 1.0f : static_cast<float>(0.6 * (n - i) / n);
        afterimages[i]->Draw(0.0019 + 0.0004 * i, alpha);
    }
    DrawOverlay();
}

void CBarManBase::DrawEntrance() {
    const double t = bossStateTime;
    const double d = depth;
    const double px = centerX + (colour >= 0 && colour <= 4 ? kEntranceOffset[colour] : 0);
    const double py = centerY;
    const int own = colour >= 0 && colour <= 4 ? kOwnRowPlace[colour] : -1;
    if (t < 140) {
        double k = 0, alpha = 1.0;
        if (t < 16) {
            const double s = std::cos(4 * t) > 0 ? 1.0 : -1.0;
            k = std::trunc((16 - t) * s * 3.5);
            alpha = t / 16.0;
        }
        if (CSprite* s = entranceSprites[0].get()) {
            s->SetAlpha(static_cast<float>(alpha));
            PlaceSprite(s, px + k + 64, py - 160, d, 0);
        }
    } else {
        PlaceSprite(entranceSprites[1].get(), px + 64 + 0.3 * (t - 140) * (t - 140), py - 160, d, 0);
    }
    if (t > 40 && t <= 100) {
        for (int i = 2; i <= 6; ++i)
            PlaceSprite(entranceSprites[i].get(), px + 32 + (i - 5) * (t - 40) * 0.533,
                        py - 192 + 0.0948 * (t - 55) * (t - 55), d - 0.0001, 0.7 * t);
    }
    if (t > 100 && t <= 140) {
        for (int i = 0; i < 5; ++i)
            PlaceSprite(entranceSprites[7 + i].get(), px - 64 + 32 * i, py + 1, d - 0.001, 0);
    }
    if (t > 140 && t <= 150 && own >= 0)
        PlaceSprite(entranceSprites[7 + own].get(), px - 64 + 32 * own, py + 1, d - 0.001, 0);
    if (t > 140) {
        for (int i = 0; i < 5; ++i) {
            if (i == own) continue;
            PlaceSprite(entranceSprites[2 + i].get(), px - 64 + 32 * i, py - 12 * (t - 140), d - 0.0001,
                        0.7 * t);
        }
    }
}
