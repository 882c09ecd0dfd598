#include "stage/LiveObjectFactory.h"

#include <map>
#include <new>

namespace {
std::map<std::string, LiveObjectCreator>& Creators() {
    static std::map<std::string, LiveObjectCreator> creators;
    return creators;
}
}  // namespace

void RegisterLiveObjectCreator(const std::string& className, LiveObjectCreator creator) {
    if (creator) {
        Creators()[className] = std::move(creator);
    } else {
        Creators().erase(className);
    }
}

void ClearLiveObjectCreators() { Creators().clear(); }

bool HasLiveObjectCreator(const std::string& className) { return Creators().count(className) != 0; }

IBase* CreateLiveObject(const std::string& className, CStage* owner, double x, double y,
                        const LiveObjectArgs& args) {
    auto it = Creators().find(className);
    if (it == Creators().end()) return nullptr;
    try {
        return it->second(owner, x, y, args);
    } catch (const std::bad_alloc&) {
        return nullptr;  // a failed allocation creates nothing
    }
}
