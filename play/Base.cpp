#include "play/Base.h"

#include <algorithm>
#include <cmath>

#include "engine/Camera.h"
#include "engine/Scene.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"
#include "stage/Stage.h"

// ---- Handles ----

namespace {
struct HandleEntry {
    IBase* object = nullptr;
    uint32_t generation = 1;
};
// Slot 0 is never used, so the empty handle resolves to null.
std::vector<HandleEntry> g_handles(1);
std::vector<uint32_t> g_freeHandles;
int g_liveCount = 0;
}  // namespace

ObjectHandle::ObjectHandle(const IBase* object) {
    if (object) {
        slot_ = object->handleSlot_;
        generation_ = object->handleGeneration_;
    }
}

IBase* ObjectHandle::Get() const {
    if (generation_ == 0 || slot_ >= g_handles.size()) return nullptr;
    const HandleEntry& e = g_handles[slot_];
    return e.generation == generation_ ? e.object : nullptr;
}

IPlaySceneServices* GetSceneServices(const CStage* stage) {
    if (!stage || !stage->scene) return nullptr;
    return dynamic_cast<IPlaySceneServices*>(stage->scene);
}

// ---- Construction ----

void IBase::Init() {
    uint32_t slot;
    if (!g_freeHandles.empty()) {
        slot = g_freeHandles.back();
        g_freeHandles.pop_back();
    } else {
        slot = static_cast<uint32_t>(g_handles.size());
        g_handles.emplace_back();
    }
    g_handles[slot].object = this;
    handleSlot_ = slot;
    handleGeneration_ = g_handles[slot].generation;
    ++g_liveCount;
}

IBase::IBase(CStage* ownerStage, double px, double py) {
    Init();
    owner = ownerStage;
    x = startX = px;
    y = startY = py;
}

IBase::IBase(CStage* ownerStage, double offsetX, double offsetY, IBase* parentObject) {
    Init();
    owner = ownerStage;
    parentOffsetX = offsetX;
    parentOffsetY = offsetY;
    parent = parentObject;
    if (parentObject) {
        x = startX = parentObject->x + offsetX;
        y = startY = parentObject->y + offsetY;
    }
}

IBase::~IBase() {
    --g_liveCount;
    DeleteChildren();
    HandleEntry& e = g_handles[handleSlot_];
    e.object = nullptr;
    if (++e.generation == 0) e.generation = 1;
    g_freeHandles.push_back(handleSlot_);
}

int IBase::GetLiveCount() { return g_liveCount; }

// ---- Virtual defaults ----

void IBase::ComputeCentre() {
    // Only a rectangle's position is a corner; every other shape, the shapeless one included, has
    // its centre at (x, y).
    if (shapeType == kShapeRect) {
        centerX = x + width * 0.5;
        centerY = y + height * 0.5;
    } else {
        centerX = x;
        centerY = y;
    }
}

void IBase::UpdateCentre() {
    ComputeCentre();
    if (touchBottom) onGround = true;
}

int IBase::Collide(IBase*) { return kHitNoEffect; }
int IBase::ReceiveAttack(AttackInfo) { return kHitNoEffect; }

// ---- Children ----

bool IBase::AddChild(std::unique_ptr<IBase> child) {
    if (!child || child.get() == this) {
        [[maybe_unused]] IBase* notOurs = child.release();  // never ours to delete: null, or ourselves
        return false;
    }
    child->holder_ = this;
    pendingChildren.push_back(std::move(child));
    return true;
}

void IBase::RemoveChild(IBase* child) {
    if (!child) return;
    for (auto& c : children)
        if (c.get() == child) c->lifeState = kLifeDead;
    for (auto& c : pendingChildren)
        if (c.get() == child) c->lifeState = kLifeDead;
}

void IBase::DeleteDeadChildren() {
    children.erase(
        std::remove_if(children.begin(), children.end(),
                       [](const std::unique_ptr<IBase>& c) { return c && c->lifeState == kLifeDead; }),
        children.end());
}

void IBase::AdoptPendingChildren() {
    for (auto& c : pendingChildren) {
        if (c) c->adopted_ = true;
        children.push_back(std::move(c));
    }
    pendingChildren.clear();
}

void IBase::SortChildren(int flag) {
    for (auto& c : children)
        if (c) c->sortByBottom = flag;
    std::sort(children.begin(), children.end(),
              [](const std::unique_ptr<IBase>& a, const std::unique_ptr<IBase>& b) {
                  if (!a || !b) return !b && a;  // nulls last
                  return DrawsBefore(a.get(), b.get());
              });
}

void IBase::DeleteChildren() {
    // Moved out first: a child's destructor may look at its holder's lists.
    auto gone = std::move(children);
    auto pending = std::move(pendingChildren);
    children.clear();
    pendingChildren.clear();
    gone.clear();
    pending.clear();
}

// ---- Frame steps ----

void IBase::BeginFrame() {
    beganFrame_ = CObjectRegistry::GetFrameNumber();
    age += GetFrameTime() * 60.0;
    prevX = x;
    prevY = y;
    if (!CObjectRegistry::Contains(riddenObject)) riddenObject.Reset();
    if (!CObjectRegistry::Contains(previousRiddenObject)) previousRiddenObject.Reset();
    riders.erase(std::remove_if(riders.begin(), riders.end(),
                                [](const ObjectHandle& h) { return !CObjectRegistry::Contains(h); }),
                 riders.end());
}

void IBase::Move(double slow) {
    const double dt = GetFrameTime();
    double f = 1.0;
    onSlipperyGround = false;
    if (usesGroundFriction && !ignoresMap && onGround) {
        IBase* ridden = riddenObject.Get();
        f = ridden ? ridden->GetSurfaceFriction() : GetGroundFriction();
        onSlipperyGround = f < 0.7;
    }
    vx += dt * ax * f * slow;
    vy += dt * ay * slow;
    if (vx >= 0 && vx > maxSpeedRight) vx = maxSpeedRight;
    if (vx < 0 && vx < -maxSpeedLeft) vx = -maxSpeedLeft;
    if (vy >= 0 && vy > maxSpeedDown) vy = maxSpeedDown;
    if (vy < 0 && vy < -maxSpeedUp) vy = -maxSpeedUp;
    if (IBase* p = parent.Get(); p && attachedToParent) {
        parentOffsetX += dt * vx * slow;
        parentOffsetY += dt * vy * slow;
        x = p->x + parentOffsetX;
        y = p->y + parentOffsetY;
        return;
    }
    x += dt * vx * slow;
    y += dt * vy * slow;
    if (!ignoresMap && onGround && !riddenObject.Get()) x += GetGroundConveyorSpeed() * conveyorFactor * dt;
}

void IBase::EndFrame() {
    ComputeCentre();
    touchTop = touchBottom = touchLeft = touchRight = false;
    wasOnGround = onGround;
    onGround = false;
    previousRiddenObject = riddenObject;
    riddenObject.Reset();
    riders.clear();
    SortChildren(0);
}

// ---- Shape ----

namespace {
struct Edges {
    double left, right, top, bottom;
};

Edges EdgesAt(int shape, double x, double y, double w, double h, double r) {
    switch (shape) {
        case kShapePoint:
            return {x, x, y, y};
        case kShapeCircle:
            return {x - r, x + r, y - r, y + r};
        case kShapeQuarterUpLeft:
            return {x - r, x, y - r, y};
        case kShapeQuarterUpRight:
            return {x, x + r, y - r, y};
        default:
            return {x, x + w, y, y + h};
    }
}
}  // namespace

double IBase::GetLeft() const { return EdgesAt(shapeType, x, y, width, height, radius).left; }
double IBase::GetRight() const { return EdgesAt(shapeType, x, y, width, height, radius).right; }
double IBase::GetTop() const { return EdgesAt(shapeType, x, y, width, height, radius).top; }
double IBase::GetBottom() const { return EdgesAt(shapeType, x, y, width, height, radius).bottom; }
double IBase::GetPreviousLeft() const { return EdgesAt(shapeType, prevX, prevY, width, height, radius).left; }
double IBase::GetPreviousRight() const {
    return EdgesAt(shapeType, prevX, prevY, width, height, radius).right;
}
double IBase::GetPreviousTop() const { return EdgesAt(shapeType, prevX, prevY, width, height, radius).top; }
double IBase::GetPreviousBottom() const {
    return EdgesAt(shapeType, prevX, prevY, width, height, radius).bottom;
}

namespace {
// Width or height of a shape: a rectangle's own side, the diameter of a circle, the radius of a
// quarter circle, and 1 for a point.
double ExtentOf(int shape, double rectSide, double r) {
    switch (shape) {
        case kShapePoint:
            return 1.0;
        case kShapeCircle:
            return 2 * r;
        case kShapeQuarterUpLeft:
        case kShapeQuarterUpRight:
            return r;
        default:
            return rectSide;
    }
}
}  // namespace

double IBase::GetWidth() const { return ExtentOf(shapeType, width, radius); }
double IBase::GetHeight() const { return ExtentOf(shapeType, height, radius); }

double IBase::GetRadius() const {
    switch (shapeType) {
        case kShapePoint:
            return 1.0;
        case kShapeRect:
        case kShapeNone:
            return 0.5 * std::sqrt(width * width + height * height);
        default:
            return radius;
    }
}

void IBase::SetLeft(double v) {
    x = (shapeType == kShapeCircle || shapeType == kShapeQuarterUpLeft) ? v + radius : v;
}

void IBase::SetTop(double v) {
    const bool round =
        shapeType == kShapeCircle || shapeType == kShapeQuarterUpLeft || shapeType == kShapeQuarterUpRight;
    y = round ? v + radius : v;
}

void IBase::SetBottom(double v) {
    switch (shapeType) {
        case kShapePoint:
        case kShapeQuarterUpLeft:
        case kShapeQuarterUpRight:
            y = v;
            break;
        case kShapeCircle:
            y = v - radius;
            break;
        default:
            y = v - height;
            break;
    }
}

// ---- The world ----

CObjectRegistry& IBase::Registry() const {
    IPlaySceneServices* s = GetSceneServices(owner);
    return s ? s->GetRegistry() : *CObjectRegistry::GetInstance();
}

CCamera& IBase::Camera() const {
    IPlaySceneServices* s = GetSceneServices(owner);
    return s ? s->GetCamera() : *CCamera::GetInstance();
}

// ---- The hero ----

IBase* IBase::GetHero() const {
    IPlaySceneServices* s = GetSceneServices(owner);
    return s ? s->GetHero() : nullptr;
}

double IBase::GetDistanceXToHero() const {
    const IBase* hero = GetHero();
    return hero ? hero->centerX - centerX : 0.0;
}

double IBase::GetDistanceYToHero() const {
    const IBase* hero = GetHero();
    return hero ? hero->centerY - centerY : 0.0;
}

double IBase::GetAngleToHero() const {
    const IBase* hero = GetHero();
    return hero ? GetAngle(centerX, centerY, hero->centerX, hero->centerY) : 0.0;
}

bool IBase::IsHeroInSight() const {
    const IBase* hero = GetHero();
    if (!hero) return false;
    return owner->IsLineClear(static_cast<int>(centerX), static_cast<int>(centerY),
                              static_cast<int>(hero->centerX), static_cast<int>(hero->centerY));
}

// ---- Screen ----

double IBase::GetScreenDistanceSelf() const {
    const CCamera* cam = &Camera();
    const double l = cam->ScreenToWorldX(0, 0), t = cam->ScreenToWorldY(0, 0);
    const double r = cam->ScreenToWorldX(640, 480), b = cam->ScreenToWorldY(640, 480);
    return GetRectDistance(GetLeft(), GetTop(), GetRight(), GetBottom(), std::min(l, r), std::min(t, b),
                           std::max(l, r), std::max(t, b));
}

double IBase::GetScreenDistance() const {
    double d = GetScreenDistanceSelf();
    for (const auto& c : children)
        if (c) d = std::min(d, c->GetScreenDistanceSelf());
    return d;
}

void IBase::DrawSprite() {
    if (!sprite) return;
    sprite->x = static_cast<float>(imageX / 256.0);
    sprite->y = static_cast<float>(imageY / 256.0);
    sprite->z = static_cast<float>(depth);
    sprite->ApplyTransform();
    screenX = sprite->screenX;
    screenY = sprite->screenY;
    sprite->Draw();
}

// ---- Order and queries ----

bool IBase::DrawsBefore(const IBase* a, const IBase* b) {
    if (a->sortByBottom == 0) return a->drawPriority < b->drawPriority;
    return a->GetBottom() < b->GetBottom();
}

bool IBase::MayDespawn() const {
    if (!removeWhenOffScreen) return false;
    for (const auto& c : children)
        if (c && !c->removeWhenOffScreen) return false;
    return true;
}

bool IBase::IsPartlySolidPair(const IBase* other) const {
    const bool mine = !(solidTop && solidBottom && solidLeft && solidRight);
    const bool theirs = !(other->solidTop && other->solidBottom && other->solidLeft && other->solidRight);
    return mine && theirs;
}
