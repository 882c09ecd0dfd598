#include "enemies/EnemyKinds.h"

#include <variant>

#include "enemies/GroundEnemyKinds.h"
#include "enemies/Kids.h"
#include "play/ObjectRegistry.h"
#include "stage/LiveObjectFactory.h"

namespace {

// The facing a record passes first: true (or 1) faces right.
int FacingArg(const LiveObjectArgs& args) {
    if (args.empty()) return 0;
    if (const bool* b = std::get_if<bool>(&args[0])) return *b ? 1 : 0;
    if (const int* i = std::get_if<int>(&args[0])) return *i == 1 ? 1 : 0;
    return 0;
}

template <class T>
void RegisterFacing(const char* name) {
    RegisterLiveObjectCreator(name,
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new T(owner, x, y, FacingArg(args));
                              });
}

// Bumpers never keep a door shut.
bool CountsAsEnemy(const IBase* o) {
    return dynamic_cast<const IEnemy*>(o) != nullptr && dynamic_cast<const CPukka001*>(o) == nullptr &&
           !IsUncountedGroundEnemy(o);
}

}  // namespace

void RegisterEnemyKinds() {
    RegisterFacing<CKid001>("CKid001");
    RegisterFacing<CKid002>("CKid002");
    RegisterLiveObjectCreator("CPukka001",
                              [](CStage* owner, double x, double y, const LiveObjectArgs&) -> IBase* {
                                  return new CPukka001(owner, x, y);
                              });
    RegisterGroundEnemyKinds();
    CObjectRegistry::SetEnemyCounter(CountsAsEnemy);
}
