#include "gimmicks/Batteries.h"

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "gimmicks/GimmickSupport.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"

namespace {

// The way each direction points.
const double kAlongX[4] = {0.0, 1.0, 0.0, -1.0};
const double kAlongY[4] = {-1.0, 0.0, 1.0, 0.0};

}  // namespace

CBatteryBase::CBatteryBase(CStage* ownerStage, double px, double py, int dir, int tim)
    : IBase(ownerStage, px, py),
      direction(dir & 3),
      timing(tim >= kTimingA && tim <= kTimingC ? tim : kTimingD) {
    SetUpHazard(*this, kCategoryBatteryBase, 0.003, true);
    const bool upright = direction == kUp || direction == kDown;
    width = upright ? 16.0 : 24.0;
    height = upright ? 24.0 : 16.0;
    UpdateCentre();
}

void CBatteryBase::MakeImages(int left) {
    const int l = left + 32 * direction;
    images_[0] = MakeObjectSprite("Objects003", l, 0, l + 32, 32);
    images_[1] = MakeObjectSprite("Objects003", l, 32, l + 32, 64);
}

void CBatteryBase::Launch(const char* liveClass, const Muzzle& muzzle, double speed) {
    const double sx = x + muzzle.acrossWidth * width + muzzle.dx;
    const double sy = y + muzzle.acrossHeight * height + muzzle.dy;
    // Without a creator for the shot's class nothing is fired.
    Registry().Add(CreateLiveObject(liveClass, owner, sx, sy,
                                    {speed * kAlongX[direction], speed * kAlongY[direction], 0}));
}

void CBatteryBase::Update() {
    BeginFrame();
    Move();
    EndFrame();
}

int CBatteryBase::GetPhase() const {
    static const int kOffsets[4] = {150, 100, 50, 0};
    IPlaySceneServices* scene = GetSceneServices(owner);
    const double clock = scene ? scene->GetMapAnimTime() : 0.0;
    const long long frames = static_cast<long long>(clock + kOffsets[timing]);
    const int phase = static_cast<int>(frames % 200);
    return phase < 0 ? phase + 200 : phase;
}

void CBatteryBase::Draw() {
    // The picture sits 4 pixels toward the muzzle from the body's middle.
    static const int kShiftX[4] = {0, 4, 0, -4};
    static const int kShiftY[4] = {-4, 0, 4, 0};
    imageX = centerX + kShiftX[direction];
    imageY = centerY + kShiftY[direction];
    sprite = images_[imageIndex].get();
    DrawSprite();
}

// ---- Battery --------------------------------------------------------------------------------

CNormalBattery::CNormalBattery(CStage* ownerStage, double px, double py, int dir, int tim)
    : CBatteryBase(ownerStage, px, py, dir, tim) {
    MakeImages(0);
}

void CNormalBattery::Update() {
    BeginFrame();
    if (GetPhase() < 150) {
        if (!fired) {
            Fire();
            fired = true;
        }
        imageIndex = kOpen;
    } else {
        fired = false;
        imageIndex = kClosed;
    }
    EndFrame();
}

void CNormalBattery::Fire() {
    static const Muzzle kMuzzles[4] = {
        {0.5, 0.0, 0.0, -8.0}, {1.0, 0.5, 8.0, 0.0}, {0.5, 1.0, 0.0, 8.0}, {0.0, 0.5, -8.0, 0.0}};
    Launch("CBatteryShot", kMuzzles[direction], 200.0);
    PlaySE(SoundId::kShock5B);
}

// ---- Burner ---------------------------------------------------------------------------------

CBurner::CBurner(CStage* ownerStage, double px, double py, int dir, int tim)
    : CBatteryBase(ownerStage, px, py, dir, tim) {
    MakeImages(128);
}

void CBurner::Update() {
    BeginFrame();
    const int phase = GetPhase();
    if (phase >= 80) {
        flameCount = 0;
        imageIndex = phase >= 150 ? kClosed : kOpen;
    } else {
        // One flame per update at most, however many multiples of 5 a long frame skipped.
        if (phase > flameCount * 5) {
            FireFlame();
            ++flameCount;
        }
        imageIndex = kOpen;
    }
    EndFrame();
}

void CBurner::FireFlame() {
    // The flame is 18 wide and 24 long; it starts just inside the nozzle.
    static const Muzzle kMuzzles[4] = {
        {0.5, 0.0, -9.0, -20.0}, {1.0, 0.5, -1.0, -12.0}, {0.5, 1.0, -9.0, -4.0}, {0.0, 0.5, -17.0, -12.0}};
    Launch("CBurnerFire", kMuzzles[direction], 270.0);
    if (flameCount == 0) PlaySE(SoundId::kFire);  // once per blow, with its first flame
}
