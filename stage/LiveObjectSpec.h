#pragma once
// What a placed-object record asks of play: the live class it stands for, where it appears and
// the constructor arguments that follow the position. The stage model only describes the live
// object; play's creator table (play/LiveObjectFactory.h) builds it.
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

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

// The live object of a record: its class name (e.g. "CKid001"; empty: the record makes none), its
// position in world pixels and its arguments after the position.
struct LiveObjectSpec {
    std::string className;
    double x = 0.0, y = 0.0;
    LiveObjectArgs args;

    bool IsNone() const { return className.empty(); }
};
