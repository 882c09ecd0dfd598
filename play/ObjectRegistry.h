#pragma once
// CObjectRegistry owns every live top-level object of play (at most 1024; children hang off their
// parents) and runs the frame: housekeeping, updates, wind, the solid pass with riding, the map,
// attached children, and the hit-and-touch pass, for the pairs that the relation table links.
// 256 id slots remember which placed objects of the area have a live object.
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/Singleton.h"
#include "play/Base.h"

class CObjectRegistry : public CSingleton<CObjectRegistry> {
  public:
    // The play scene's registry is the process's (GetInstance); a test's world may own one of its
    // own. Either way the relation table is the process's.
    CObjectRegistry() = default;
    ~CObjectRegistry();
    CObjectRegistry(const CObjectRegistry&) = delete;
    CObjectRegistry& operator=(const CObjectRegistry&) = delete;

    static constexpr int kMaxObjects = 1024;
    static constexpr int kIdSlots = 256;
    static constexpr double kDespawnDistance = 64.0;

    // Clear, then reload the relation table. A failed load (CInitFileException) passes to the
    // caller and leaves the previous table in place.
    void Reset();
    // Deletes every object and frees every id slot. Called from inside UpdateAll (by an object),
    // the objects leave at once but are deleted when the frame, which stops there, returns.
    void Clear();
    void ClearAll() { Clear(); }

    // Takes the object. False when 1024 objects are registered (the object is deleted) or the
    // object is null (nothing happens).
    bool Add(std::unique_ptr<IBase> object);
    // Add, remembering the object in id slot `id` (0..255); any other id takes nothing and deletes
    // the object. False when the object was not taken.
    bool AddWithId(std::unique_ptr<IBase> object, int id);
    bool IsIdSlotUsed(int id) const;

    // Registered, directly or as an adopted child of a registered object. The pointer form only
    // compares addresses (safe with a dangling pointer, but a new object at a freed address
    // answers for the old one); the handle form cannot be fooled that way.
    bool Contains(const IBase* object);
    static bool Contains(const ObjectHandle& handle);
    int Count();
    // The enemies of the walk, less those that a class marks as not counting (see SetEnemyCounter).
    int CountEnemies();
    void NotifyHeroAttackStarted();
    void DrawAll();
    void DrawAllDebug();
    // "IBaseオブジェクト総数:%d" with the live-object count, at (400, 20).
    void DrawDebugCount();

    // The walk: top-level objects in list order, each followed by its children; null at the end.
    void BeginWalk();
    IBase* NextInWalk();

    // One frame of play with the weather's wind (pixels per second).
    void UpdateAll(double wind);

    // The steps of the housekeeping (run at the start of UpdateAll).
    void Housekeep();
    void KillFarObjects();
    void DeleteDeadObjects();
    void SortObjects();
    void AdoptAllPendingChildren();

    // Which objects CountEnemies counts; the enemy layer sets it (no test: nothing counts).
    using EnemyTest = bool (*)(const IBase*);
    static void SetEnemyCounter(EnemyTest test);

    // Counts UpdateAll calls; an object that ran BeginFrame in this frame carries the number.
    static uint64_t GetFrameNumber();

    int GetObjectCount() const { return static_cast<int>(objects_.size()); }

  private:
    friend class CSingleton<CObjectRegistry>;
    void OnInstanceCreated() { Reset(); }
    // The objects of a walk, top-level then children, into `out` (kept allocated).
    void CollectWalk(std::vector<IBase*>& out) const;
    void ForgetIdSlotsOf(const IBase* object);
    // Steps 2 to 10 of the frame, after the housekeeping; stops early when the registry is cleared.
    void RunFrame(double wind);

    std::vector<std::unique_ptr<IBase>> objects_;
    IBase* idSlots_[kIdSlots] = {};
    // The walk cursor.
    size_t walkTop_ = 0;
    size_t walkChild_ = 0;
    bool walkingChildren_ = false;
    // Reused every frame so that a warm frame allocates nothing.
    std::vector<IBase*> updateList_;
    std::vector<IBase*> collisionList_;
    std::vector<int> collisionCategory_;
    struct Box {
        double left, top, right, bottom;
    };
    std::vector<Box> boxes_;
    // Cleared away during UpdateAll, deleted when it returns.
    bool updating_ = false;
    bool clearedDuringUpdate_ = false;
    std::vector<std::unique_ptr<IBase>> graveyard_;
};

// The frame's shape test and the dispatch of relation values 2 (hit) and 4 (touch).
bool TestShapeOverlap(const IBase* a, const IBase* b);
void DispatchHitAndTouch(IBase* a, IBase* b);
