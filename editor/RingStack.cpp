#include "editor/RingStack.h"

#include <new>

#include "foundation/QuorException.h"

namespace {
[[noreturn]] void ThrowRingError() {
    throw CResourceAccessException("RAE0003", "リングスタックのメモリ取得に失敗しました。");
}
}  // namespace

RingStack::RingStack(int ringCapacity) : capacity(ringCapacity) {
    if (capacity < 2 || capacity > 1024) ThrowRingError();
    try {
        entries.resize(static_cast<size_t>(capacity));
    } catch (const std::bad_alloc&) {
        ThrowRingError();
    }
}

void RingStack::Reset() {
    for (std::unique_ptr<IEdit>& e : entries) e.reset();
    current = oldest = newest = 0;
    pushed = false;
    canUndo = canRedo = true;
}

bool RingStack::IsKept(int slot) const {
    const int span = (newest - oldest + capacity) % capacity;
    return (slot - oldest + capacity) % capacity <= span;
}

void RingStack::Push(std::unique_ptr<IEdit> command) {
    if (!pushed) {
        pushed = true;
    } else if (canUndo) {
        current = Next(current);
        if (current == oldest) oldest = Next(oldest);  // the oldest command falls out
    }
    // (With everything undone the command replaces the first undone one, at current.)
    newest = current;
    canUndo = true;
    canRedo = false;
    entries[current] = std::move(command);
    // What can no longer be redone is deleted now.
    for (int slot = 0; slot < capacity; ++slot) {
        if (!IsKept(slot)) entries[slot].reset();
    }
}

IEdit* RingStack::StepBack() {
    if (!CanUndo()) return nullptr;
    IEdit* command = entries[current].get();
    canRedo = true;
    if (current == oldest) {
        canUndo = false;
    } else {
        current = (current - 1 + capacity) % capacity;
    }
    return command;
}

IEdit* RingStack::StepForward() {
    if (!CanRedo()) return nullptr;
    if (!canUndo) {
        canUndo = true;
    } else {
        current = Next(current);
    }
    if (current == newest) canRedo = false;
    return entries[current].get();
}
