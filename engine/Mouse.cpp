#include "engine/Mouse.h"

#include "engine/InputManager.h"
#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"

namespace {
struct Cell {
    int left, top, right, bottom, dx, dy;
};
// The arrow of each cursor kind: a cell of "Mouse001" and its offset from the mouse.
const Cell kArrows[10] = {
    {0, 0, 32, 32, 0, 0},    {32, 0, 64, 32, 0, 0},       {64, 0, 96, 32, 0, 0},   {96, 0, 128, 32, 0, 0},
    {128, 0, 160, 32, 0, 0}, {160, 0, 192, 32, 0, 0},     {192, 0, 224, 32, 0, 0}, {96, 32, 144, 80, 0, -24},
    {224, 0, 256, 32, 0, 0}, {160, 32, 192, 64, -3, -16},
};
}  // namespace

void CMouse::Reset() {
    kind_ = 0;
    ClearCarriedImage();
    badge1_ = badge2_ = false;
}

void CMouse::SetCarriedImage(const std::string& group, const std::string& key, int left, int top, int right,
                             int bottom) {
    carried_ = true;
    carriedGroup_ = group;
    carriedKey_ = key;
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
}

void CMouse::ClearCarriedImage() {
    carried_ = false;
    carriedGroup_.clear();
    carriedKey_.clear();
    left_ = top_ = right_ = bottom_ = 0;
}

void CMouse::DrawCursor() {
    CInputManager* input = CInputManager::GetInstance();
    const int x = input->GetMouseX(), y = input->GetMouseY();
    if (!IsOnScreen(x, y)) return;
    const int slot = FindImage("System", "Mouse001");
    if (kind_ >= 0 && kind_ < 10) {
        const Cell& c = kArrows[kind_];
        elDraw::PutObject(x + c.dx, y + c.dy, slot, c.left, c.top, c.right, c.bottom);
    }
    if (carried_) {
        elDraw::PutObject(x + 20, y + 8, slot, 0, 32, 64, 80);
        const int w = right_ - left_, h = bottom_ - top_;
        elDraw::PutObject(x + 54 - w / 2, y + 33 - h / 2, FindImage(carriedGroup_, carriedKey_), left_, top_,
                          right_, bottom_);
    }
    if (badge1_) elDraw::PutObject(x + 16, y + 12, slot, 64, 32, 80, 56);
    if (badge2_) elDraw::PutObject(x + 16, y + 12, slot, 80, 32, 96, 56);
}
