#pragma once
// Construction of live play objects from placed-object records.
//
// The records of an area build enemies, bosses, gimmicks and events of the play layers, which sit
// above the stage model. Those layers register one creator per live class name here when they
// start; a record asks for its live object by that class name, the owner stage, the position in
// world pixels and the constructor arguments that follow the position, in order. Without a
// registered creator nothing is created (null), as with a failed allocation.
#include <functional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

class IBase;
class CStage;

// One constructor argument after the position: a facing flag, a variant/colour/direction number,
// a phase or angle, or a text (route, content key).
using LiveObjectArg = std::variant<bool, int, double, std::string>;
using LiveObjectArgs = std::vector<LiveObjectArg>;

// Argument i of a record as a T: a number of any numeric form (bool, int or double) converts to an
// arithmetic T, a text only to a text; `fallback` when the record passed none there, or one that
// does not convert.
template <class T>
T LiveArg(const LiveObjectArgs& args, size_t i, T fallback) {
    if (i >= args.size()) return fallback;
    return std::visit(
        [&](const auto& v) -> T {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, T>)
                return v;
            else if constexpr (std::is_arithmetic_v<T> && std::is_arithmetic_v<V>)
                return static_cast<T>(v);
            else
                return fallback;
        },
        args[i]);
}

// Builds a new, unregistered live object; may return null.
using LiveObjectCreator =
    std::function<IBase*(CStage* owner, double x, double y, const LiveObjectArgs& args)>;

// Registers (or replaces) the creator of a live class, e.g. "CKid001". An empty creator removes it.
void RegisterLiveObjectCreator(const std::string& className, LiveObjectCreator creator);

// Removes every registered creator.
void ClearLiveObjectCreators();

// True when a creator is registered for the class.
bool HasLiveObjectCreator(const std::string& className);

// Calls the creator of the class; null when none is registered or it yields none.
IBase* CreateLiveObject(const std::string& className, CStage* owner, double x, double y,
                        const LiveObjectArgs& args = {});
