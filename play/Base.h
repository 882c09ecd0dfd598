#pragma once
// IBase: the root of every live object of play (hero, enemies, bosses, shots, hitboxes, items,
// lifts, blocks, switches, doors, hazards, effects, weather particles, controllers). It holds what
// the registry's frame works on: the collision shape, position and motion, the life state, the
// category that picks its row and column of the relation table, the contacts and riding links of
// the collision passes, and the children that live and die with it.
//
// Units: world pixels (y down, tiles of 32), pixels per second, frames at 60 per second.
#include <cstdint>
#include <memory>
#include <vector>

#include "play/AttackParameter.h"
#include "play/ObjectHandle.h"

class CCamera;
class CObjectRegistry;
class CStage;
class CStageArea;
class CStageMap;
class CSprite;

enum ShapeType {
    kShapePoint = 0,
    kShapeCircle = 1,
    kShapeRect = 2,
    kShapeQuarterUpLeft = 3,
    kShapeQuarterUpRight = 4,
    kShapeNone = 5,
};

enum LifeState { kLifeActive = 0, kLifeSuspended = 1, kLifeDead = 2 };

// Categories that the object classes set; the relation table is indexed by them.
enum ObjectCategory {
    kCategoryHero = 0,
    kCategoryEnemy = 2,
    kCategoryMusicBall = 4,
    kCategoryIronBall = 5,
    kCategoryBatteryBase = 6,
    kCategoryBlock = 7,
    kCategoryLift = 8,
    kCategoryShotFirst = 10,  // 10..15
    kCategoryHeroAttack = 16,
    kCategoryEnemyAttack = 17,
    kCategoryOtherAttack = 18,
    kCategorySwitch = 19,
    kCategoryDevilSwitch = 20,
    kCategoryForceSwitch = 22,
    kCategorySpringSwitch = 23,
    kCategoryItem = 24,
    kCategoryEffect = 25,
    kCategoryController = 26,
    kCategoryDoor = 27,
    kCategoryFlyer = 28,
    kCategoryDefault = 29,
};

// Result codes of Collide and ReceiveAttack.
enum HitResult {
    kHitDefeated = 0,
    kHitHurt = 1,
    kHitNoEffect = 2,
    kHitGuarded = 3,
    kHitBounced = 4,
    kHitPushed = 5,
    kHitImmune = 6,
};

class IBase {
  public:
    IBase(CStage* owner, double x, double y);
    // A part placed at the parent's position plus the offset (the class sets attachedToParent).
    IBase(CStage* owner, double offsetX, double offsetY, IBase* parent);
    IBase(const IBase&) = delete;
    IBase& operator=(const IBase&) = delete;

    // ---- The virtual operations, in table order ----
    virtual ~IBase();
    virtual void Update() = 0;
    virtual void UpdateSuspended() {}
    // Keeps the object out of the map after the solid pass; usually ResolveMapCollision.
    virtual void CollideWithMap() { ResolveMapCollision(); }
    // Recomputes the centre; touchBottom turns into onGround.
    virtual void UpdateCentre();
    virtual void Draw() { DrawSprite(); }
    virtual void DrawDebug() {}
    virtual void Kill() { lifeState = kLifeDead; }
    virtual double GetAuxValue() { return 0.0; }
    virtual void SetUpwardSpeed(double speed) { vy = -speed; }
    // Relation "hit", and "solid on request" in the solid pass (non-zero makes the contact solid).
    virtual int Collide(IBase* other);
    virtual int ReceiveAttack(AttackInfo info);
    virtual void OnTouch(IBase* /*other*/) {}
    // What objects standing on this one feel.
    virtual double GetSurfaceFriction() { return 1.0; }
    virtual void OnHeroAttackStarted() {}
    virtual void ApplyWind(double /*wind*/) {}
    virtual void SetAreaObjectId(int id) { areaObjectId = id; }

    // ---- Children ----
    // Takes the child; it joins the child list at the registry's next housekeeping, so it is first
    // updated in the next frame. False (nothing taken) for a null child or the object itself.
    bool AddChild(std::unique_ptr<IBase> child);
    // Marks the child dead; it leaves at the next housekeeping.
    void RemoveChild(IBase* child);
    void DeleteDeadChildren();
    void AdoptPendingChildren();
    void SortChildren(int bySortBottom);
    void DeleteChildren();
    const std::vector<std::unique_ptr<IBase>>& GetChildren() const { return children; }
    size_t GetPendingChildCount() const { return pendingChildren.size(); }
    const std::vector<std::unique_ptr<IBase>>& GetPendingChildren() const { return pendingChildren; }
    // The object whose child list holds this one, while it is held there.
    IBase* GetHolder() const { return holder_; }

    // ---- Per-frame steps that a class's Update calls ----
    void BeginFrame();
    // `slow` scales the frame's change of velocity and the object's own move (a hit-stop slows
    // both), never the carry of a conveyor under it.
    void Move(double slow = 1.0);
    void EndFrame();

    // ---- Shape ----
    double GetLeft() const;
    double GetRight() const;
    double GetTop() const;
    double GetBottom() const;
    double GetWidth() const;
    double GetHeight() const;
    double GetRadius() const;
    double GetPreviousLeft() const;
    double GetPreviousRight() const;
    double GetPreviousTop() const;
    double GetPreviousBottom() const;
    void SetLeft(double v);
    void SetTop(double v);
    void SetBottom(double v);
    double GetVelocityX() const { return vx; }

    // ---- Map (MapCollision.cpp) ----
    void ResolveMapCollision();
    void EscapeFromSolid();
    double GetGroundFriction() const;
    double GetGroundConveyorSpeed() const;
    // True when the floor ends just beyond the foot edge on that side (0 left, 1 right).
    bool IsAtLedge(int direction) const;
    // The current area and its map, or null.
    CStageArea* GetCurrentArea() const;
    CStageMap* GetCurrentMap() const;

    // ---- The world, through the play scene's services ----
    // The registry and camera of the scene that plays the owner stage. An object with no play scene
    // (loading, a tool, a test without a fake scene) gets the process's own registry and camera.
    CObjectRegistry& Registry() const;
    CCamera& Camera() const;

    // ---- The hero, through the play scene's services (0.0 / false without one) ----
    IBase* GetHero() const;
    double GetDistanceXToHero() const;
    double GetDistanceYToHero() const;
    double GetAngleToHero() const;
    bool IsHeroInSight() const;

    // ---- Screen ----
    double GetScreenDistanceSelf() const;
    double GetScreenDistance() const;
    void DrawSprite();

    // ---- Order and queries ----
    static bool DrawsBefore(const IBase* a, const IBase* b);
    static bool DrawsAfter(const IBase* a, const IBase* b) { return DrawsBefore(b, a); }
    bool MayDespawn() const;
    bool IsPartlySolidPair(const IBase* other) const;
    bool IsDead() const { return lifeState == kLifeDead; }

    ObjectHandle GetHandle() const { return ObjectHandle(this); }
    static int GetLiveCount();

    // ---- Fields ----
    bool solidTop = true, solidBottom = true, solidLeft = true, solidRight = true;
    int category = kCategoryDefault;
    int shapeType = kShapeRect;
    int lifeState = kLifeActive;
    bool attachedToParent = false;
    // The object this one is attached to; not owned (as a child, this object is owned by it). A
    // handle, so that a parent deleted first is seen as gone rather than followed.
    ObjectHandle parent;
    double x = 0, y = 0;
    double width = 0, height = 0;
    double radius = 0;
    double centerX = 0, centerY = 0;
    double prevX = 0, prevY = 0;
    double startX = 0, startY = 0;
    double imageX = 0, imageY = 0;
    double screenX = 0, screenY = 0;
    double parentOffsetX = 0, parentOffsetY = 0;
    CStage* owner = nullptr;
    double vx = 0, vy = 0;
    double ax = 0;
    double ay = 0;  // gravity
    double maxSpeedUp = 1000, maxSpeedDown = 1000, maxSpeedLeft = 1000, maxSpeedRight = 1000;
    bool ignoresMap = false;
    bool usesGroundFriction = false;
    bool onSlipperyGround = false;
    double conveyorFactor = 1.0;
    bool touchTop = false, touchBottom = false, touchLeft = false, touchRight = false;
    bool onGround = true, wasOnGround = true;
    double mapCorrectedX = 0, mapCorrectedY = 0;
    bool mapTop = false, mapBottom = false, mapLeft = false, mapRight = false;
    ObjectHandle riddenObject;
    ObjectHandle previousRiddenObject;
    std::vector<ObjectHandle> riders;
    bool stopOnTouchTop = true, stopOnTouchBottom = true, stopOnTouchLeft = true, stopOnTouchRight = true;
    CSprite* sprite = nullptr;  // the sprite drawn now; borrowed, never owned (see OwnedSprite)
    double depth = 0.002;
    int drawPriority = 30;
    bool removeWhenOffScreen = true;
    double age = 0;
    int sortByBottom = 0;
    int areaObjectId = -1;

  private:
    friend class ObjectHandle;
    friend class CObjectRegistry;
    void Init();
    void ComputeCentre();

    std::vector<std::unique_ptr<IBase>> children;
    std::vector<std::unique_ptr<IBase>> pendingChildren;
    IBase* holder_ = nullptr;  // whose child list (or pending list) holds this object
    bool inRegistry_ = false;  // a top-level object of the registry
    bool adopted_ = false;     // in the holder's child list (not only pending)
    uint64_t beganFrame_ = 0;  // the registry frame of the last BeginFrame
    uint32_t handleSlot_ = 0;
    uint32_t handleGeneration_ = 0;
};

// Makes the object die through its own Kill (nothing for null).
inline void InvokeKill(IBase* object) {
    if (object) object->Kill();
}
