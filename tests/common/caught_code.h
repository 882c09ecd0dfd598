#pragma once
// Runs a callable and returns the code of the CQuorException it throws ("" when none).
#include <string>
#include <utility>

#include "foundation/QuorException.h"

template <typename Fn>
std::string CaughtCode(Fn&& fn) {
    try {
        std::forward<Fn>(fn)();
    } catch (const CQuorException& e) {
        return e.GetCode();
    }
    return "";
}
