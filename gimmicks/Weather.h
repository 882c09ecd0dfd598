#pragma once
// Weather particles: one live object per raindrop, snowflake, leaf, petal or maple leaf. The
// play scene decides where and how fast they are born; each drifts by its own small law, ignores
// the map and the wind of the frame (the wind weathers launch their leaves with it instead) and
// dies when its age passes its duration.
#include "engine/SpriteManager.h"
#include "play/Base.h"
#include "stage/StageCatalogues.h"

class CWeatherBase : public IBase {
  public:
    // duration: frames of age the particle lives.
    CWeatherBase(CStage* owner, double x, double y, int duration);

    // Step, then death once the age is past the duration.
    void Update() override;
    void UpdateSuspended() override {}
    void DrawDebug() override {}
    // The particle's own motion for one frame.
    virtual void Step() = 0;

    int duration;

  protected:
    // The particle's sprite cut from the effect sheet, kept and shown as the object's sprite.
    void MakeImage(int left, int top, int right, int bottom);
    // Places the sprite at the centre and draws it.
    void DrawAtCentre();

  private:
    OwnedSprite image_;
};

class CWeatherRain : public CWeatherBase {
  public:
    CWeatherRain(CStage* owner, double x, double y, double vx, double vy);
    void Step() override;
    void Draw() override;
};

class CWeatherSnow : public CWeatherBase {
  public:
    CWeatherSnow(CStage* owner, double x, double y, double vx, double vy);
    void Step() override;
    void Draw() override;

    double swayTimer = 0;
};

// The tumbling law of the leaf-like particles: a leaf flips (its width follows |sin|) and turns
// in the screen plane, and every 8 to 12 frames takes a new push and a nudge of both speeds.
struct LeafTumble {
    double swayTimer = 0;
    double flipSpeed = 0, spinSpeed = 0;  // radians per second
    double flipPhase = 0, spin = 0;       // radians

    // The random start values, in their fixed order.
    void Start();
    // One frame of tumbling for the particle (between its Move and EndFrame).
    void Advance(IBase& particle);
    // Alpha 0.7, width from the flip, turn from the spin.
    void Apply(CSprite* s) const;
};

// Leaves blown by the wind weathers.
class CWeatherLeaf : public CWeatherBase {
  public:
    CWeatherLeaf(CStage* owner, double x, double y, double vx, double vy);
    void Step() override;
    void Draw() override;

    LeafTumble tumble;
};

// Cherry petals of spring.
class CWeatherSakura : public CWeatherBase {
  public:
    CWeatherSakura(CStage* owner, double x, double y, double vx, double vy);
    void Step() override;
    void Draw() override;

    LeafTumble tumble;
};

// Maple leaves of autumn.
class CWeatherMaple : public CWeatherBase {
  public:
    CWeatherMaple(CStage* owner, double x, double y, double vx, double vy);
    void Step() override;
    void Draw() override;

    LeafTumble tumble;
};
