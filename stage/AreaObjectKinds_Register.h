#pragma once
// Everything that lists every kind at once: the factory registration (RegisterStageAreaObjectKinds,
// declared with the factory list) and the editor cells of all kinds. These sit above the kind
// families, which know only their own kinds.
#include <string>
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

// Every cell the kinds use, kind by kind in factory order (switches: red, green, blue).
const std::vector<KindEditorCell>& AllKindEditorCells();

// The first cell of a kind, or null for a key that is no kind.
const KindEditorCell* FindKindEditorCell(const std::string& kindKey);
