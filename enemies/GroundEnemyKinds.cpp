#include "enemies/GroundEnemyKinds.h"

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
#include "stage/LiveObjectFactory.h"

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
void Register(const char* name, bool hasFacing, Make make) {
    RegisterLiveObjectCreator(
        name, [hasFacing, make](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
            return make(owner, x, y, PlacedArgs{args, hasFacing});
        });
}

template <class T>
void RegisterWithFacing(const char* name, bool hasFacing) {
    Register(name, hasFacing, [](CStage* owner, double x, double y, const PlacedArgs& a) -> IBase* {
        return new T(owner, x, y, a.Facing());
    });
}

}  // namespace

void RegisterGroundEnemyKinds() {
    RegisterWithFacing<CMoyashi001>("CMoyashi001", false);
    RegisterWithFacing<CMoyashi002>("CMoyashi002", false);
    Register("CFlower001", false, [](CStage* owner, double x, double y, const PlacedArgs&) -> IBase* {
        return new CFlower001(owner, x, y);
    });
    Register("CFlower002", false, [](CStage* owner, double x, double y, const PlacedArgs&) -> IBase* {
        return new CFlower002(owner, x, y);
    });
    RegisterWithFacing<CIchigo001>("CIchigo001", true);
    Register("CCaterpillar001", true, [](CStage* owner, double x, double y, const PlacedArgs& a) -> IBase* {
        return new CCaterpillar001(owner, x, y, a.Facing(), a.Int(0));
    });
    RegisterWithFacing<COtoBall001>("COtoBall001", true);
    RegisterWithFacing<CNeedle001>("CNeedle001", true);
    RegisterWithFacing<CIceSculpture001>("CIceSculpture001", true);
    RegisterWithFacing<CDrill001>("CDrill001", true);
    RegisterWithFacing<CTonFar001>("CTonFar001", true);
    RegisterWithFacing<CProfessor001>("CProfessor001", true);
    Register("CChop001", true, [](CStage* owner, double x, double y, const PlacedArgs& a) -> IBase* {
        return new CChop001(owner, x, y, a.Facing(), a.Int(0));
    });
    Register("CGun001", true, [](CStage* owner, double x, double y, const PlacedArgs& a) -> IBase* {
        return new CGun001(owner, x, y, a.Facing(), a.Int(0));
    });
    Register("CMegane001", true, [](CStage* owner, double x, double y, const PlacedArgs& a) -> IBase* {
        return new CMegane001(owner, x, y, a.Facing(), a.Int(0));
    });
    Register("CNageru001", true, [](CStage* owner, double x, double y, const PlacedArgs& a) -> IBase* {
        return new CNageru001(owner, x, y, a.Facing(), a.Int(0));
    });
    Register("CTornado001", true, [](CStage* owner, double x, double y, const PlacedArgs& a) -> IBase* {
        return new CTornado001(owner, x, y, a.Facing(), a.Int(0));
    });
}

bool IsUncountedGroundEnemy(const IBase* o) {
    return dynamic_cast<const CTornado001*>(o) != nullptr || dynamic_cast<const COtoBall001*>(o) != nullptr;
}
