#pragma once
// Construction of live play objects by class name.
//
// Enemies, bosses, gimmicks and events live in the layers above play. Each of those layers
// registers one creator per live class when the game starts (one registration entry per layer);
// a placed-object record's spec (stage/LiveObjectSpec.h), the play scene and the objects that
// fire or drop others ask for a live object by class name, owner stage, position in world pixels
// and the constructor arguments after the position. Without a registered creator nothing is
// created (null), as with a failed allocation.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "play/Base.h"
#include "stage/LiveObjectSpec.h"

class CStage;

// Builds a new, unregistered live object; may return null.
using LiveObjectCreator =
    std::function<std::unique_ptr<IBase>(CStage* owner, double x, double y, const LiveObjectArgs& args)>;

// The argument sets the loading scene builds a class with, once each and in order, so that every
// image the class loads in its constructor is there before play. Empty: the class is not built
// while loading (shots, bosses: what a stage only makes during play).
using LiveObjectPreloads = std::vector<LiveObjectArgs>;
// Built once while loading, with no arguments after the position.
inline const LiveObjectPreloads kPreloadOnce = {LiveObjectArgs{}};
// Built once facing left (a first argument of false).
inline const LiveObjectPreloads kPreloadFacingLeft = {{false}};

// Registers (or replaces, keeping its place) the creator of a live class, e.g. "CKid001", with the
// argument sets to preload it with. An empty creator removes the class.
void RegisterLiveObjectCreator(const std::string& className, LiveObjectCreator creator,
                               LiveObjectPreloads preloads = {});

// Removes every registered creator.
void ClearLiveObjectCreators();

// True when a creator is registered for the class.
bool HasLiveObjectCreator(const std::string& className);

// Calls the creator of the class; null when none is registered or it yields none.
std::unique_ptr<IBase> CreateLiveObject(const std::string& className, CStage* owner, double x, double y,
                                        const LiveObjectArgs& args = {});

// The live object a record's spec describes, owned by `owner`; null for a spec of none.
std::unique_ptr<IBase> CreateLiveObject(const LiveObjectSpec& spec, CStage* owner);

// One class and argument set for the loading scene to build.
struct LiveObjectPreload {
    std::string className;
    LiveObjectArgs args;
};
// Every class's preload argument sets, classes in registration order.
std::vector<LiveObjectPreload> GetLiveObjectPreloads();
