#include "engine/Camera.h"

#include <cmath>
#include <numbers>

#include "engine/GameState.h"
#include "engine/el/el4D.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"

void CCamera::OnInstanceCreated() {
    if (!game::GetExitFlag()) Reset();
}

float CCamera::DefaultZoomRate() {
    return static_cast<float>(-(480.0 / (std::tan(std::numbers::pi / 6.0) * 512.0)));
}

CCamera::CCamera() {
    defaultZoom_ = DefaultZoomRate();
    zoom_ = targetZoom_ = defaultZoom_;
}

void CCamera::Reset() {
    x_ = y_ = targetX_ = targetY_ = 0;
    ax_ = ay_ = vx_ = vy_ = 0;
    maxSpeedX_ = maxSpeedY_ = 400;
    defaultZoom_ = DefaultZoomRate();
    zoom_ = targetZoom_ = defaultZoom_;
    zoomAcc_ = zoomVel_ = 0;
    maxZoomSpeed_ = 10;
    rotation_ = auxAngle_ = 0;
    shake_ = 0;
    scale_ = 1;
    ResetBounds();
    PushToEngine();
}

void CCamera::SetTarget(float x, float y, float speed) {
    targetX_ = static_cast<float>(TruncToInt(x));
    targetY_ = static_cast<float>(TruncToInt(y));
    if (speed <= 0) {
        x_ = targetX_;
        y_ = targetY_;
        vx_ = vy_ = ax_ = ay_ = 0;
        return;
    }
    double a = GetAngle(x_, y_, targetX_, targetY_);
    ax_ = static_cast<float>(std::cos(a) * speed);
    ay_ = static_cast<float>(std::sin(a) * speed);
}

void CCamera::SetZoomRate(float rate, float speed) {
    if (speed <= 0) {
        zoom_ = targetZoom_ = rate;
        scale_ = defaultZoom_ / zoom_;
        zoomVel_ = zoomAcc_ = 0;
        return;
    }
    targetZoom_ = rate;
    zoomAcc_ = zoom_ <= rate ? speed : -speed;
}

void CCamera::SetBounds(int minX, int minY, int maxX, int maxY) {
    minX_ = minX;
    minY_ = minY;
    maxX_ = maxX;
    maxY_ = maxY;
}

void CCamera::ResetBounds() { SetBounds(-999999, -999999, 999999, 999999); }

void CCamera::Update() {
    const float dt = GetFrameTime();
    FadeShake(dt);
    FollowTarget(dt);
    FollowTargetZoom(dt);
    // The bounds are checked at the last update's scale; the scale catches up with the zoom
    // only once the 3-D camera has the new state.
    KeepInsideBounds();
    PushToEngine();
    scale_ = defaultZoom_ / zoom_;
}

// The shake dies away in a third of a second.
void CCamera::FadeShake(float dt) {
    shake_ -= dt * 60.0f;
    if (shake_ < 0) shake_ = 0;
}

// The acceleration turns toward the target at 2 radians per second; the speed is capped and
// drops on arrival, and the position snaps to the target once it passes it.
void CCamera::FollowTarget(float dt) {
    double mag = std::sqrt(double(ax_) * ax_ + double(ay_) * ay_);
    double a = GetAngle(0.0, 0.0, ax_, ay_);
    double t = GetAngle(x_, y_, targetX_, targetY_);
    double d = GetAngleDiff(a, t);
    double step = 2.0 * dt;
    if (d > 0)
        a = (step >= d) ? t : a + step;
    else if (d < 0)
        a = (step >= -d) ? t : a - step;
    if (mag > 0) {
        ax_ = static_cast<float>(std::cos(a) * mag);
        ay_ = static_cast<float>(std::sin(a) * mag);
    }

    vx_ += ax_ * dt;
    vy_ += ay_ * dt;
    if (vx_ > maxSpeedX_) vx_ = maxSpeedX_;
    if (vx_ < -maxSpeedX_) vx_ = -maxSpeedX_;
    if (vy_ > maxSpeedY_) vy_ = maxSpeedY_;
    if (vy_ < -maxSpeedY_) vy_ = -maxSpeedY_;

    // Slow down on arrival.
    auto capArrival = [](float pos, float target, float& v, float maxSpeed) {
        float dist = std::fabs(target - pos);
        if (dist >= 120.0f) return;
        float cap = 10.0f + dist * maxSpeed / 120.0f;
        if (target > pos && v > cap) v = cap;
        if (target < pos && v < -cap) v = -cap;
    };
    capArrival(x_, targetX_, vx_, maxSpeedX_);
    capArrival(y_, targetY_, vy_, maxSpeedY_);

    x_ += vx_ * dt;
    y_ += vy_ * dt;

    auto snap = [](float& pos, float target, float& v, float& acc) {
        if ((acc > 0 && pos >= target) || (acc < 0 && pos <= target)) {
            pos = target;
            v = 0;
            acc = 0;
        }
    };
    snap(x_, targetX_, vx_, ax_);
    snap(y_, targetY_, vy_, ay_);
}

// The zoom speeds up toward its target (twice as fast while the acceleration points at it), is
// capped near it and snaps to it once it passes.
void CCamera::FollowTargetZoom(float dt) {
    float inc = zoomAcc_ * dt;
    if ((targetZoom_ - zoom_) * zoomAcc_ > 0) inc *= 2.0f;
    zoomVel_ += inc;
    if (zoomVel_ > maxZoomSpeed_) zoomVel_ = maxZoomSpeed_;
    if (zoomVel_ < -maxZoomSpeed_) zoomVel_ = -maxZoomSpeed_;
    float diff = std::fabs(targetZoom_ - zoom_);
    if (diff < 2.0f) {
        float cap = 0.1f + diff * 10.0f * 0.5f;
        if (targetZoom_ > zoom_ && zoomVel_ > cap) zoomVel_ = cap;
        if (targetZoom_ < zoom_ && zoomVel_ < -cap) zoomVel_ = -cap;
    }
    zoom_ += zoomVel_ * dt;
    if ((zoomAcc_ > 0 && zoom_ >= targetZoom_) || (zoomAcc_ < 0 && zoom_ <= targetZoom_)) {
        zoom_ = targetZoom_;
        zoomVel_ = 0;
        zoomAcc_ = 0;
    }
}

// Moves the view back inside the bounds, stopping the motion toward the bound it crossed.
void CCamera::KeepInsideBounds() {
    const float cx[4] = {0, 0, 639, 639};
    const float cy[4] = {0, 479, 0, 479};
    int minCX = 0, maxCX = 0, minCY = 0, maxCY = 0;
    for (int i = 0; i < 4; ++i) {
        int wx = TruncToInt(ScreenToWorldX(cx[i], cy[i]));
        int wy = TruncToInt(ScreenToWorldY(cx[i], cy[i]));
        if (i == 0 || wx < minCX) minCX = wx;
        if (i == 0 || wx > maxCX) maxCX = wx;
        if (i == 0 || wy < minCY) minCY = wy;
        if (i == 0 || wy > maxCY) maxCY = wy;
    }
    double k = 1.0 / scale_ - 1.0;
    int L = TruncToInt(minCX + 320.0 * k);
    int R = TruncToInt(maxCX - 320.0 * k);
    int T = TruncToInt(minCY + 480.0 * k);
    int B = maxCY;
    // Past a low bound the position grows by the overshoot, to the next whole pixel when the sum
    // has a fraction; past a high one it shrinks by the overshoot and drops its fraction. The
    // motion toward the bound stops and the target stays inside.
    auto pushUp = [](float& pos, float& v, float& acc, float& target, int by) {
        const double moved = double(pos) + by;
        const int whole = TruncToInt(moved);
        pos = static_cast<float>(static_cast<double>(whole) != moved ? whole + 1 : whole);
        v = 0;
        if (acc < 0) acc = 0;
        if (target < pos) target = pos;
    };
    auto pushDown = [](float& pos, float& v, float& acc, float& target, int by) {
        pos = static_cast<float>(TruncToInt(double(pos) + by));
        v = 0;
        if (acc > 0) acc = 0;
        if (target > pos) target = pos;
    };
    if (L < minX_) pushUp(x_, vx_, ax_, targetX_, minX_ - L);
    if (R > maxX_) pushDown(x_, vx_, ax_, targetX_, maxX_ - R);
    if (T < minY_) pushUp(y_, vy_, ay_, targetY_, minY_ - T);
    if (B > maxY_) pushDown(y_, vy_, ay_, targetY_, maxY_ - B);
}

void CCamera::PushToEngine() {
    int amp = TruncToInt(0.2 * shake_);
    shakeX_ = RandomRange(-amp, amp);
    shakeY_ = RandomRange(-amp, amp);
    el4D::SetCameraRotX(auxAngle_);
    el4D::SetCameraRotZ(rotation_);
    el4D::SetCameraX((x_ + shakeX_) / 256.0f);
    el4D::SetCameraY((shakeY_ - y_) / 256.0f);
    el4D::SetCameraZ(zoom_);
    el4D::ComposeCamera(0);
    el4D::ApplyCamera();
}

float CCamera::WorldToScreenX(float px, float py) const {
    double d = GetDistance(px, py, x_, y_);
    double a = GetAngle(px, py, x_, y_);
    return static_cast<float>(320.0 - d * std::cos(a - rotation_) * scale_);
}

float CCamera::WorldToScreenY(float px, float py) const {
    double d = GetDistance(px, py, x_, y_);
    double a = GetAngle(px, py, x_, y_);
    return static_cast<float>(240.0 - d * std::sin(a - rotation_) * scale_);
}

float CCamera::ScreenToWorldX(float sx, float sy) const {
    double d = GetDistance(sx, sy, 320.0, 240.0);
    double a = GetAngle(sx, sy, 320.0, 240.0);
    return static_cast<float>(x_ - d * std::cos(a + rotation_) / scale_);
}

float CCamera::ScreenToWorldY(float sx, float sy) const {
    double d = GetDistance(sx, sy, 320.0, 240.0);
    double a = GetAngle(sx, sy, 320.0, 240.0);
    return static_cast<float>(y_ - d * std::sin(a + rotation_) / scale_);
}
