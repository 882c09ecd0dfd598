#pragma once
// The undo ring: the last commands done, oldest first, with a position that undo moves back and
// redo moves forward again. Pushing beyond its capacity drops the oldest command; pushing after
// an undo drops the commands that could have been redone.
#include <memory>
#include <vector>

#include "editor/Edit.h"

class RingStack {
  public:
    // 2 to 1024 commands; any other capacity (or no memory) throws CResourceAccessException RAE0003.
    explicit RingStack(int capacity);

    // Deletes every command: nothing to undo or redo.
    void Reset();
    // Keeps a done command as the newest.
    void Push(std::unique_ptr<IEdit> command);
    // The command an undo reverts, with the position moved back past it; null when none.
    IEdit* StepBack();
    // The command a redo re-applies, with the position moved onto it; null when none.
    IEdit* StepForward();
    bool CanUndo() const { return pushed && canUndo; }
    bool CanRedo() const { return pushed && canRedo; }
    int GetCapacity() const { return capacity; }

  private:
    int Next(int slot) const { return (slot + 1) % capacity; }
    // Slots oldest .. newest (walking forward) hold the kept commands.
    bool IsKept(int slot) const;

    std::vector<std::unique_ptr<IEdit>> entries;
    int capacity = 0;
    // The command the next undo reverts (while canUndo); with everything undone, the oldest.
    int current = 0;
    int oldest = 0;
    int newest = 0;
    bool pushed = false;
    bool canUndo = true;
    bool canRedo = true;
};
