#include "play/LiveObjectFactory.h"

#include <algorithm>
#include <new>

namespace {
struct CreatorEntry {
    std::string className;
    LiveObjectCreator creator;
    LiveObjectPreloads preloads;
};

// In registration order, which is the loading scene's order.
std::vector<CreatorEntry>& Creators() {
    static std::vector<CreatorEntry> creators;
    return creators;
}

std::vector<CreatorEntry>::iterator Find(const std::string& className) {
    auto& all = Creators();
    return std::find_if(all.begin(), all.end(),
                        [&](const CreatorEntry& e) { return e.className == className; });
}
}  // namespace

void RegisterLiveObjectCreator(const std::string& className, LiveObjectCreator creator,
                               LiveObjectPreloads preloads) {
    auto it = Find(className);
    if (!creator) {
        if (it != Creators().end()) Creators().erase(it);
    } else if (it != Creators().end()) {
        it->creator = std::move(creator);
        it->preloads = std::move(preloads);
    } else {
        Creators().push_back({className, std::move(creator), std::move(preloads)});
    }
}

void ClearLiveObjectCreators() { Creators().clear(); }

bool HasLiveObjectCreator(const std::string& className) { return Find(className) != Creators().end(); }

std::unique_ptr<IBase> CreateLiveObject(const std::string& className, CStage* owner, double x, double y,
                                        const LiveObjectArgs& args) {
    auto it = Find(className);
    if (it == Creators().end()) return nullptr;
    try {
        return it->creator(owner, x, y, args);
    } catch (const std::bad_alloc&) {
        return nullptr;  // a failed allocation creates nothing
    }
}

std::unique_ptr<IBase> CreateLiveObject(const LiveObjectSpec& spec, CStage* owner) {
    if (spec.IsNone()) return nullptr;
    return CreateLiveObject(spec.className, owner, spec.x, spec.y, spec.args);
}

std::vector<LiveObjectPreload> GetLiveObjectPreloads() {
    std::vector<LiveObjectPreload> out;
    for (const CreatorEntry& e : Creators())
        for (const LiveObjectArgs& args : e.preloads) out.push_back({e.className, args});
    return out;
}
