#pragma once
// IEffect: the short-lived pictures of play (sparks, blasts, smoke, rings, splinters). An effect is
// a live object that never touches the map, ignores wind, cannot be hurt, stays when it leaves the
// screen and kills itself when its lifetime (ticks of 1/60 s) runs out. Each class makes all its
// sprites in its constructor and keeps them until it goes, so a warm frame allocates nothing.
#include <array>

#include "engine/SpriteManager.h"
#include "play/Base.h"
#include "play/ObjectHandle.h"

// A source rectangle in an image: left, top, right, bottom pixels.
struct EffectCell {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class IEffect : public IBase {
  public:
    static constexpr int kMaxSprites = 17;
    static constexpr double kEffectDepth = -0.004;

    IEffect(CStage* owner, double x, double y, double lifetime);

    // The ageing step; classes that move or carry pieces replace it.
    void Update() override;
    void UpdateSuspended() override {}
    void CollideWithMap() override {}
    void Draw() override = 0;

    // Ties the effect to an object: it moves by as much as the object does and ends at once when
    // the object is gone or dead, so it never stays behind on a vanished target.
    void FollowTarget(IBase* target);
    bool HasTarget() const { return !target_.IsEmpty(); }

    double lifetime;

  protected:
    // Lifetime down by the frame; at 0 or less the effect kills itself. Also keeps a followed
    // target's step.
    void Age();
    // The update of the effects that fly: BeginFrame, Move, Age, EndFrame.
    void MoveAndAge();
    // A sprite of the effect (blend mode 2), kept in sprites_; null once kMaxSprites are made.
    CSprite* MakeOwnSprite(const char* group, const char* key, EffectCell cell);
    CSprite* MakeEffectSprite(const char* key, EffectCell cell) { return MakeOwnSprite("Effect", key, cell); }
    // Draws the sprite through the object's own image position (world pixels).
    void ShowAt(CSprite* s, double worldX, double worldY);
    // Places one of several sprites at a world point with the effect's depth (or the one given)
    // and draws it.
    void PlaceAndDraw(CSprite* s, double worldX, double worldY) { PlaceAndDraw(s, worldX, worldY, depth); }
    void PlaceAndDraw(CSprite* s, double worldX, double worldY, double spriteDepth);
    // 0.1 x life while life is below 10, else 1.0: the fade of the last ten ticks.
    double FadeOutAlpha() const { return lifetime < 10.0 ? 0.1 * lifetime : 1.0; }

    std::array<OwnedSprite, kMaxSprites> sprites_;
    int spriteCount_ = 0;

  private:
    ObjectHandle target_;
    double targetX_ = 0, targetY_ = 0;
};

// The class of one effect kind: a family's class made with that kind's look and timing.
template <class Family, int Kind>
class CEffectOfKind : public Family {
  public:
    CEffectOfKind(CStage* ownerStage, double px, double py) : Family(ownerStage, px, py, Kind) {}
};
