#include "editor/Edit.h"

#include <cstdarg>
#include <cstdio>

#include "editor/ChipWriter.h"
#include "editor/Editor.h"
#include "stage/Stage.h"

void IEdit::PutChip(int x, int y, uint8_t chip) {
    if (stage) PutChipAutoTiled(*stage, x, y, chip);
}

void IEdit::ScrollToTargetCell(int x, int y) {
    if (editor) editor->ScrollToCell(x, y);
}

void IEdit::BringAreaToFront(int area) {
    if (editor) {
        editor->SelectArea(area);
        return;
    }
    if (stage) stage->SelectArea(area);
}

bool IEdit::HasArea() const { return stage && stage->GetAreaCount() >= 1; }

bool IEdit::InBounds(int x, int y) const {
    const CStageArea* area = stage ? stage->GetCurrentArea() : nullptr;
    return area && x >= 0 && y >= 0 && x < area->GetWidth() && y < area->GetHeight();
}

int IEdit::CurrentAreaIndex() const { return stage ? stage->GetCurrentAreaIndex() : 0; }

std::string FormatEditText(const char* format, ...) {
    // Large enough for eight "%.3f" of the largest doubles (at most 314 characters each) and the
    // integers around them.
    char buf[4096];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    return n > 0 ? std::string(buf) : std::string();
}
