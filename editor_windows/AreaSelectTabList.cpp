#include "editor_windows/AreaSelectTabList.h"

#include <memory>

#include "controls/ControlPort.h"

namespace Controls {

CAreaSelectTabButton::CAreaSelectTabButton(int32_t x, int32_t y, int32_t number)
    : CToggleButtonBase(x, y, 18, 31), number_(number) {}

void CAreaSelectTabButton::Draw() {
    int32_t column = 0, top = 0;
    if (number_ >= 1 && number_ <= 5) {
        top = (number_ - 1) * 40;
    } else if (number_ >= 6 && number_ <= 10) {
        column = 24;
        top = (number_ - 6) * 40;
    }
    const bool enabled = IsEnabled();
    const int32_t shift = enabled && (IsDown() || IsHovered()) ? 0 : -2;
    int32_t left = column;
    if (!enabled) {
        left = column + 96;
    } else if (IsDown()) {
        left = column + 48;
    }
    int32_t x, y;
    GetAbsolutePosition(x, y);
    PutSheet(kSheet5, x + shift, y - 2, left, top, left + 24, top + 40);
}

CAreaSelectTabList::CAreaSelectTabList(int32_t x, int32_t y) : CExclusiveToggleButtonList(x, y, 20, 320) {
    for (int32_t i = 0; i < kTabCount; ++i)
        AddButton(std::make_unique<CAreaSelectTabButton>(0, 32 * i, i + 1));
    SelectTab(0);
    EnableTabsUpTo(0);
}

void CAreaSelectTabList::Draw() {
    if (!IsVisible()) return;
    const int32_t selected = GetSelectedIndex();
    const int32_t count = GetButtonCount();
    for (int32_t i = 0; i < count; ++i) {
        GCBase* tab = GetControls().At(i);
        if (i != selected && tab->IsVisible()) tab->Draw();
    }
    if (selected >= 0 && selected < count && GetControls().At(selected)->IsVisible())
        GetControls().At(selected)->Draw();
}

void CAreaSelectTabList::SelectTab(int32_t index) {
    CAreaSelectTabButton* tab = GetTab(index);
    if (tab && tab->IsEnabled()) tab->TurnOn();
}

void CAreaSelectTabList::EnableTabsUpTo(int32_t last) {
    if (GetSelectedIndex() > last) SelectTab(last);
    for (int32_t i = 0; i < GetButtonCount(); ++i) GetButton(i)->SetEnabled(i <= last);
}

CAreaSelectTabButton* CAreaSelectTabList::GetTab(int32_t index) {
    return dynamic_cast<CAreaSelectTabButton*>(GetButton(index));
}

void CAreaPushButton::Draw() {
    if (!IsEnabled()) return;
    int32_t top = 80;
    if (IsDown()) {
        top = 112;
    } else if (IsHovered()) {
        top = 96;
    }
    int32_t x, y;
    GetAbsolutePosition(x, y);
    PutSheet(kSheet5, x, y, pieceLeft_, top, pieceLeft_ + 16, top + 16);
}

CAreaButtonArea::CAreaButtonArea(int32_t x, int32_t y) : COriginalBaseForm(x, y, 24, 80) {
    AddControl(std::make_unique<CAreaAddButton>(4, 8));
    AddControl(std::make_unique<CAreaCopyButton>(4, 32));
    AddControl(std::make_unique<CAreaDeleteButton>(4, 56));
}

void CAreaButtonArea::Draw() {
    if (!IsVisible()) return;
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const int32_t left = enabled_ ? 160 : 192;
    PutSheet(kSheet5, x, y, left, 0, left + 32, 80);
    COriginalBaseForm::Draw();
}

void CAreaButtonArea::SetEnabled(bool enabled) {
    enabled_ = enabled;
    for (int32_t i = 0; i < 3 && i < GetControls().Count(); ++i) {
        if (auto* button = dynamic_cast<COriginalBaseButton*>(GetControls().At(i)))
            button->SetEnabled(enabled);
    }
}

}  // namespace Controls
