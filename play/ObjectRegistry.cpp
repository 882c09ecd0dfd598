#include "play/ObjectRegistry.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "engine/el/elDraw.h"
#include "foundation/Geometry.h"
#include "play/ObjectRelationTable.h"
#include "play/SolidSeparation.h"

namespace {
CObjectRegistry::EnemyTest g_enemyTest = nullptr;
uint64_t g_frameNumber = 0;
}  // namespace

CObjectRegistry::~CObjectRegistry() {
    // Deleting never reloads anything: a throw from here would end the program.
    Clear();
}

void CObjectRegistry::SetEnemyCounter(EnemyTest test) { g_enemyTest = test; }

uint64_t CObjectRegistry::GetFrameNumber() { return g_frameNumber; }

void CObjectRegistry::Reset() {
    Clear();
    BeginWalk();
    CObjectRelationTable::Load();
}

void CObjectRegistry::Clear() {
    // Moved out first, so that destructors that ask the registry find it empty.
    auto gone = std::move(objects_);
    objects_.clear();
    std::fill(std::begin(idSlots_), std::end(idSlots_), nullptr);
    for (auto& o : gone)
        if (o) o->inRegistry_ = false;
    if (updating_) {
        // The frame still holds these objects in its lists: they die when it returns.
        for (auto& o : gone) graveyard_.push_back(std::move(o));
        clearedDuringUpdate_ = true;
    }
    gone.clear();
    walkTop_ = walkChild_ = 0;
    walkingChildren_ = false;
}

bool CObjectRegistry::Add(std::unique_ptr<IBase> object) {
    if (!object) return false;
    if (static_cast<int>(objects_.size()) >= kMaxObjects) return false;  // deleted on the way out
    object->UpdateCentre();
    object->inRegistry_ = true;
    objects_.push_back(std::move(object));
    return true;
}

bool CObjectRegistry::AddWithId(std::unique_ptr<IBase> object, int id) {
    if (!object || id < 0 || id >= kIdSlots) return false;
    if (static_cast<int>(objects_.size()) >= kMaxObjects) return false;
    IBase* raw = object.get();
    if (!Add(std::move(object))) return false;
    idSlots_[id] = raw;
    return true;
}

bool CObjectRegistry::IsIdSlotUsed(int id) const {
    return id >= 0 && id < kIdSlots && idSlots_[id] != nullptr;
}

bool CObjectRegistry::Contains(const IBase* object) {
    if (!object) return false;
    BeginWalk();
    while (IBase* o = NextInWalk())
        if (o == object) return true;
    return false;
}

bool CObjectRegistry::Contains(const ObjectHandle& handle) {
    const IBase* o = handle.Get();
    if (!o) return false;
    if (o->inRegistry_) return true;
    return o->adopted_ && o->holder_ && o->holder_->inRegistry_;
}

int CObjectRegistry::Count() {
    int n = 0;
    BeginWalk();
    while (NextInWalk()) ++n;
    return n;
}

int CObjectRegistry::CountEnemies() {
    if (!g_enemyTest) return 0;
    int n = 0;
    BeginWalk();
    while (IBase* o = NextInWalk())
        if (g_enemyTest(o)) ++n;
    return n;
}

void CObjectRegistry::NotifyHeroAttackStarted() {
    BeginWalk();
    while (IBase* o = NextInWalk()) o->OnHeroAttackStarted();
}

void CObjectRegistry::DrawAll() {
    BeginWalk();
    while (IBase* o = NextInWalk()) o->Draw();
}

void CObjectRegistry::DrawAllDebug() {
    BeginWalk();
    while (IBase* o = NextInWalk()) o->DrawDebug();
}

void CObjectRegistry::DrawDebugCount() {
    char text[64];
    std::snprintf(text, sizeof text, "IBaseオブジェクト総数:%d", IBase::GetLiveCount());
    elDraw::DrawDebugText(400, 20, text);
}

void CObjectRegistry::BeginWalk() {
    walkTop_ = 0;
    walkChild_ = 0;
    walkingChildren_ = false;
}

IBase* CObjectRegistry::NextInWalk() {
    while (walkTop_ < objects_.size()) {
        IBase* top = objects_[walkTop_].get();
        if (!top) return nullptr;
        if (!walkingChildren_) {
            walkingChildren_ = true;
            walkChild_ = 0;
            return top;
        }
        const auto& kids = top->children;
        while (walkChild_ < kids.size()) {
            IBase* c = kids[walkChild_++].get();
            if (c) return c;
        }
        walkingChildren_ = false;
        ++walkTop_;
    }
    return nullptr;
}

void CObjectRegistry::CollectWalk(std::vector<IBase*>& out) const {
    out.clear();
    for (const auto& top : objects_) {
        if (!top) break;
        out.push_back(top.get());
        for (const auto& c : top->children)
            if (c) out.push_back(c.get());
    }
}

// ---- Housekeeping ----

void CObjectRegistry::KillFarObjects() {
    for (auto& o : objects_)
        if (o && o->MayDespawn() && o->GetScreenDistance() > kDespawnDistance) o->lifeState = kLifeDead;
}

void CObjectRegistry::ForgetIdSlotsOf(const IBase* object) {
    for (auto& slot : idSlots_)
        if (slot == object) slot = nullptr;
}

void CObjectRegistry::DeleteDeadObjects() {
    size_t keep = 0;
    for (size_t i = 0; i < objects_.size(); ++i) {
        std::unique_ptr<IBase>& o = objects_[i];
        if (o && o->lifeState == kLifeDead) {
            if (o->areaObjectId >= 0 && o->areaObjectId < kIdSlots && idSlots_[o->areaObjectId] == o.get())
                idSlots_[o->areaObjectId] = nullptr;
            else
                ForgetIdSlotsOf(o.get());
            o->inRegistry_ = false;
            o.reset();
            continue;
        }
        if (o) o->DeleteDeadChildren();
        if (keep != i) objects_[keep] = std::move(o);
        ++keep;
    }
    objects_.resize(keep);
}

void CObjectRegistry::SortObjects() {
    for (auto& o : objects_)
        if (o) o->sortByBottom = 0;
    std::sort(objects_.begin(), objects_.end(),
              [](const std::unique_ptr<IBase>& a, const std::unique_ptr<IBase>& b) {
                  if (!a || !b) return !b && a;
                  return IBase::DrawsBefore(a.get(), b.get());
              });
}

void CObjectRegistry::AdoptAllPendingChildren() {
    for (auto& o : objects_)
        if (o) o->AdoptPendingChildren();
}

void CObjectRegistry::Housekeep() {
    KillFarObjects();
    DeleteDeadObjects();
    SortObjects();
    AdoptAllPendingChildren();
}

// ---- The frame ----

namespace {
// For each category, as bits, the categories with which a pass has something to do in either
// direction, so that a pair that the pass would leave alone costs one table read. The solid pass
// acts only on solid relations and the hit pass only on hits and touches; every other value
// would be tested for overlap and then do nothing.
using RelationMasks = uint32_t[CObjectRelationTable::kSize];
template <class Acts>
void BuildMasks(RelationMasks& masks, Acts acts) {
    for (int a = 0; a < CObjectRelationTable::kSize; ++a) {
        uint32_t m = 0;
        for (int b = 0; b < CObjectRelationTable::kSize; ++b)
            if (acts(CObjectRelationTable::Get(a, b)) || acts(CObjectRelationTable::Get(b, a))) m |= 1u << b;
        masks[a] = m;
    }
}

int CategoryIndex(int category) {
    return category >= 0 && category < CObjectRelationTable::kSize ? category
                                                                   : CObjectRelationTable::kSize - 1;
}

// The object of a riding link, when it is still registered.
IBase* RegisteredRidden(const ObjectHandle& h) { return CObjectRegistry::Contains(h) ? h.Get() : nullptr; }
}  // namespace

void CObjectRegistry::UpdateAll(double wind) {
    ++g_frameNumber;
    Housekeep();
    updating_ = true;
    clearedDuringUpdate_ = false;
    RunFrame(wind);
    updating_ = false;
    graveyard_.clear();
}

void CObjectRegistry::RunFrame(double wind) {
    CollectWalk(updateList_);
    for (IBase* o : updateList_) {
        if (o->lifeState == kLifeActive)
            o->Update();
        else if (o->lifeState == kLifeSuspended)
            o->UpdateSuspended();
        o->ApplyWind(wind);
        if (clearedDuringUpdate_) return;
    }

    collisionList_.assign(updateList_.begin(), updateList_.end());
    for (IBase* o : collisionList_) o->sortByBottom = 1;
    std::sort(collisionList_.begin(), collisionList_.end(), IBase::DrawsAfter);
    for (IBase* o : collisionList_) o->sortByBottom = 0;

    // Riders stay on what they stood on: one pixel into it, so the solid pass finds the contact.
    // Only an object that began this frame has checked its references.
    for (IBase* o : collisionList_) {
        if (o->vy <= 0 || o->beganFrame_ != g_frameNumber) continue;
        if (IBase* prev = RegisteredRidden(o->previousRiddenObject)) o->SetBottom(prev->GetTop() + 1.0);
    }

    RelationMasks solidMasks, hitMasks;
    BuildMasks(solidMasks, [](int r) { return r == kRelationSolid || r == kRelationSolidOnRequest; });
    BuildMasks(hitMasks, [](int r) { return r == kRelationHit || r == kRelationTouch; });
    const size_t n = collisionList_.size();
    collisionCategory_.resize(n);
    for (size_t i = 0; i < n; ++i) collisionCategory_[i] = CategoryIndex(collisionList_[i]->category);

    // Each pass walks every pair once, a before b. The bounding boxes are kept beside the list so
    // that far-apart pairs are turned away without touching the objects (shapes can only overlap
    // where their boxes do). A pair's action may move the pair, so both boxes are taken anew
    // after it.
    boxes_.resize(n);
    auto boxOf = [](const IBase* o) { return Box{o->GetLeft(), o->GetTop(), o->GetRight(), o->GetBottom()}; };
    auto forEachLinkedPair = [&](const RelationMasks& related, auto&& action) {
        for (size_t i = 0; i < n; ++i) boxes_[i] = boxOf(collisionList_[i]);
        for (size_t i = 0; i < n; ++i) {
            const uint32_t mask = related[collisionCategory_[i]];
            if (!mask) continue;
            IBase* a = collisionList_[i];
            for (size_t j = i + 1; j < n; ++j) {
                if (!((mask >> collisionCategory_[j]) & 1u)) continue;
                const Box& ba = boxes_[i];
                const Box& bb = boxes_[j];
                if (ba.left > bb.right || bb.left > ba.right || ba.top > bb.bottom || bb.top > ba.bottom)
                    continue;
                IBase* b = collisionList_[j];
                if (!TestShapeOverlap(a, b)) continue;
                action(a, b);
                boxes_[i] = boxOf(a);
                boxes_[j] = boxOf(b);
            }
        }
    };

    forEachLinkedPair(solidMasks, [](IBase* a, IBase* b) { ResolveSolidContact(a, b); });
    if (clearedDuringUpdate_) return;

    for (IBase* o : collisionList_) {
        if (IBase* ridden = RegisteredRidden(o->riddenObject)) {
            if (ridden->beganFrame_ == g_frameNumber) o->x += ridden->x - ridden->prevX;
            o->SetBottom(ridden->GetTop());
        }
        o->CollideWithMap();
    }

    for (IBase* o : updateList_) {
        if (IBase* p = o->parent.Get(); p && o->attachedToParent) {
            o->x = p->x + o->parentOffsetX;
            o->y = p->y + o->parentOffsetY;
        }
    }

    forEachLinkedPair(hitMasks, [](IBase* a, IBase* b) { DispatchHitAndTouch(a, b); });
    if (clearedDuringUpdate_) return;

    for (IBase* o : updateList_) o->UpdateCentre();
}

// ---- Pair operations ----

bool TestShapeOverlap(const IBase* a, const IBase* b) {
    const int sa = a->shapeType, sb = b->shapeType;
    if (sa == kShapeNone || sb == kShapeNone) return false;
    auto quadrant = [](int shape) { return shape == kShapeQuarterUpLeft ? 1 : 2; };
    const bool qa = sa == kShapeQuarterUpLeft || sa == kShapeQuarterUpRight;
    const bool qb = sb == kShapeQuarterUpLeft || sb == kShapeQuarterUpRight;
    // Boxes of rectangles are (x, y, x + width, y + height); circles (x, y, radius).
    const double al = a->x, at = a->y, ar = a->x + a->width, ab = a->y + a->height;
    const double bl = b->x, bt = b->y, br = b->x + b->width, bb = b->y + b->height;
    switch (sa) {
        case kShapePoint:
            if (sb == kShapePoint) return false;
            if (sb == kShapeCircle) return IsPointInCircle(a->x, a->y, b->x, b->y, b->radius);
            if (sb == kShapeRect) return IsPointInRect(a->x, a->y, bl, bt, br, bb);
            return IsPointInQuarterCircle(a->x, a->y, b->x, b->y, b->radius, quadrant(sb));
        case kShapeCircle:
            if (sb == kShapePoint) return IsPointInCircle(b->x, b->y, a->x, a->y, a->radius);
            if (sb == kShapeCircle) return IsCircleOverlap(a->x, a->y, a->radius, b->x, b->y, b->radius);
            if (sb == kShapeRect) return IsCircleRectOverlap(a->x, a->y, a->radius, bl, bt, br, bb);
            return IsQuarterCircleCircleOverlap(b->x, b->y, b->radius, quadrant(sb), a->x, a->y, a->radius);
        case kShapeRect:
            if (sb == kShapePoint) return IsPointInRect(b->x, b->y, al, at, ar, ab);
            if (sb == kShapeCircle) return IsCircleRectOverlap(b->x, b->y, b->radius, al, at, ar, ab);
            if (sb == kShapeRect) return IsRectOverlap(al, at, ar, ab, bl, bt, br, bb);
            return IsQuarterCircleRectOverlap(b->x, b->y, b->radius, quadrant(sb), al, at, ar, ab);
        default:
            if (!qa) return false;
            if (sb == kShapePoint)
                return IsPointInQuarterCircle(b->x, b->y, a->x, a->y, a->radius, quadrant(sa));
            if (sb == kShapeCircle)
                return IsQuarterCircleCircleOverlap(a->x, a->y, a->radius, quadrant(sa), b->x, b->y,
                                                    b->radius);
            if (sb == kShapeRect)
                return IsQuarterCircleRectOverlap(a->x, a->y, a->radius, quadrant(sa), bl, bt, br, bb);
            if (qb)
                return IsQuarterCircleOverlap(a->x, a->y, a->radius, quadrant(sa), b->x, b->y, b->radius,
                                              quadrant(sb));
            return false;
    }
}

void DispatchHitAndTouch(IBase* a, IBase* b) {
    const int ab = CObjectRelationTable::Get(a->category, b->category);
    const int ba = CObjectRelationTable::Get(b->category, a->category);
    if (ab == kRelationHit)
        a->Collide(b);
    else if (ab == kRelationTouch)
        a->OnTouch(b);
    if (ba == kRelationHit)
        b->Collide(a);
    else if (ba == kRelationTouch)
        b->OnTouch(a);
}
