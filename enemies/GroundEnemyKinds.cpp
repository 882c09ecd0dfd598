#include "enemies/GroundEnemyKinds.h"

#include <memory>
#include <utility>
#include <variant>

#include "enemies/Caterpillar001.h"
#include "enemies/Chop001.h"
#include "enemies/Drill001.h"
#include "enemies/Flower001.h"
#include "enemies/Flower002.h"
#include "enemies/Gun001.h"
#include "enemies/IceSculpture001.h"
#include "enemies/Ichigo001.h"
#include "enemies/Megane001.h"
#include "enemies/Moyashi001.h"
#include "enemies/Moyashi002.h"
#include "enemies/Nageru001.h"
#include "enemies/Needle001.h"
#include "enemies/OtoBall001.h"
#include "enemies/Professor001.h"
#include "enemies/TonFar001.h"
#include "enemies/Tornado001.h"
#include "play/LiveObjectFactory.h"

namespace {

// A placed record passes its facing first when the class has one (a bool, true facing right),
// then whole numbers; `Ints` reads the n-th whole number after the facing, 0 when absent.
struct PlacedArgs {
    const LiveObjectArgs& args;
    bool hasFacing;

    int Facing() const {
        if (!hasFacing || args.empty()) return 0;
        if (const bool* b = std::get_if<bool>(&args[0])) return *b ? 1 : 0;
        if (const int* i = std::get_if<int>(&args[0])) return *i == 1 ? 1 : 0;
        return 0;
    }
    int Int(size_t n) const {
        const size_t at = n + (hasFacing ? 1 : 0);
        if (at >= args.size()) return 0;
        if (const int* i = std::get_if<int>(&args[at])) return *i;
        return 0;
    }
};

// Makes T from the record's position and what `make` reads of its arguments.
template <class Make>
void Register(const char* name, bool hasFacing, LiveObjectPreloads preloads, Make make) {
    RegisterLiveObjectCreator(
        name,
        [hasFacing, make](CStage* owner, double x, double y,
                          const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return make(owner, x, y, PlacedArgs{args, hasFacing});
        },
        std::move(preloads));
}

// Every ground enemy is preloaded facing left (kPreloadFacingLeft); those with variants in each
// variant.
const LiveObjectPreloads kEachGroundVariant = {{false, 0}, {false, 1}};

template <class T>
void RegisterWithFacing(const char* name, bool hasFacing) {
    Register(name, hasFacing, kPreloadFacingLeft,
             [](CStage* owner, double x, double y, const PlacedArgs& a) -> std::unique_ptr<IBase> {
                 return std::make_unique<T>(owner, x, y, a.Facing());
             });
}

// The variants take (facing, variant).
template <class T>
void RegisterWithVariant(const char* name, LiveObjectPreloads preloads) {
    Register(name, true, std::move(preloads),
             [](CStage* owner, double x, double y, const PlacedArgs& a) -> std::unique_ptr<IBase> {
                 return std::make_unique<T>(owner, x, y, a.Facing(), a.Int(0));
             });
}

}  // namespace

void RegisterGroundEnemyKinds() {
    RegisterWithFacing<CMoyashi001>("CMoyashi001", false);
    RegisterWithFacing<CMoyashi002>("CMoyashi002", false);
    Register("CFlower001", false, kPreloadOnce,
             [](CStage* owner, double x, double y, const PlacedArgs&) -> std::unique_ptr<IBase> {
                 return std::make_unique<CFlower001>(owner, x, y);
             });
    Register("CFlower002", false, kPreloadOnce,
             [](CStage* owner, double x, double y, const PlacedArgs&) -> std::unique_ptr<IBase> {
                 return std::make_unique<CFlower002>(owner, x, y);
             });
    RegisterWithFacing<CIchigo001>("CIchigo001", true);
    // The caterpillars' variant is their length.
    RegisterWithVariant<CCaterpillar001>("CCaterpillar001", {{false, 3}, {false, 5}, {false, 7}});
    RegisterWithFacing<COtoBall001>("COtoBall001", true);
    RegisterWithFacing<CNeedle001>("CNeedle001", true);
    RegisterWithFacing<CIceSculpture001>("CIceSculpture001", true);
    RegisterWithFacing<CDrill001>("CDrill001", true);
    RegisterWithFacing<CTonFar001>("CTonFar001", true);
    RegisterWithFacing<CProfessor001>("CProfessor001", true);
    RegisterWithVariant<CChop001>("CChop001", kEachGroundVariant);
    RegisterWithVariant<CGun001>("CGun001", kEachGroundVariant);
    RegisterWithVariant<CMegane001>("CMegane001", kEachGroundVariant);
    RegisterWithVariant<CNageru001>("CNageru001", kEachGroundVariant);
    RegisterWithVariant<CTornado001>("CTornado001", kEachGroundVariant);
}

bool IsUncountedGroundEnemy(const IBase* o) {
    return dynamic_cast<const CTornado001*>(o) != nullptr || dynamic_cast<const COtoBall001*>(o) != nullptr;
}
