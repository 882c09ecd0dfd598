#pragma once
// The one view onto the game world: a position that eases toward a target, a zoom rate that
// eases toward a target zoom, a rotation, a random shake and four bounds that keep the visible
// area inside the stage. Its state goes to the 3-D layer's camera every update.

#include "foundation/Singleton.h"

// Made on first use and reset then, unless the game is already on its way out.
class CCamera : public CSingleton<CCamera> {
  public:
    // The default zoom rate: -(480 / (tan(pi / 6) x 512)).
    static float DefaultZoomRate();

    void Reset();

    void SetTarget(float x, float y, float speed);
    void SetZoomRate(float rate, float speed);
    void ResetZoomRate(float speed) { SetZoomRate(defaultZoom_, speed); }
    void SetBounds(int minX, int minY, int maxX, int maxY);
    void ResetBounds();
    void SetRotation(float r) { rotation_ = r; }
    void SetAuxAngle(float a) { auxAngle_ = a; }
    void Shake() { shake_ = 20.0f; }

    void Update();

    float GetX() const { return x_; }
    float GetY() const { return y_; }
    float GetTargetX() const { return targetX_; }
    float GetTargetY() const { return targetY_; }
    float GetVelocityX() const { return vx_; }
    float GetVelocityY() const { return vy_; }
    float GetZoomRate() const { return zoom_; }
    float GetRotation() const { return rotation_; }
    float GetAuxAngle() const { return auxAngle_; }
    float GetScale() const { return scale_; }
    float GetBaseScale() const { return defaultZoom_; }
    float GetShake() const { return shake_; }
    int GetMinX() const { return minX_; }
    int GetMinY() const { return minY_; }
    int GetMaxX() const { return maxX_; }
    int GetMaxY() const { return maxY_; }

    // The shake offsets pushed to the 3-D camera by the last update.
    int GetShakeOffsetX() const { return shakeX_; }
    int GetShakeOffsetY() const { return shakeY_; }

    // Transforms about the screen centre (320, 240).
    float WorldToScreenX(float px, float py) const;
    float WorldToScreenY(float px, float py) const;
    float ScreenToWorldX(float sx, float sy) const;
    float ScreenToWorldY(float sx, float sy) const;

    // Direct state access for tests and for the scene stack's camera hand-over.
    void SetVelocity(float vx, float vy) {
        vx_ = vx;
        vy_ = vy;
    }

  private:
    friend class CSingleton<CCamera>;
    CCamera();
    void OnInstanceCreated();
    // The steps of Update, in order.
    void FadeShake(float dt);
    void FollowTarget(float dt);
    void FollowTargetZoom(float dt);
    void KeepInsideBounds();
    // Hands the state, with this frame's random shake offsets, to the 3-D camera.
    void PushToEngine();

    float x_ = 0, y_ = 0, targetX_ = 0, targetY_ = 0;
    float ax_ = 0, ay_ = 0, vx_ = 0, vy_ = 0;
    float maxSpeedX_ = 400, maxSpeedY_ = 400;
    float zoom_ = 0, targetZoom_ = 0, zoomAcc_ = 0, zoomVel_ = 0, maxZoomSpeed_ = 10;
    float defaultZoom_ = 0;
    float scale_ = 1;
    float rotation_ = 0, auxAngle_ = 0;
    float shake_ = 0;
    int shakeX_ = 0, shakeY_ = 0;
    int minX_ = -999999, minY_ = -999999, maxX_ = 999999, maxY_ = 999999;
};
