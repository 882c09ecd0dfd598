#include "editor_windows/PropertyChoiceWindowBase.h"

#include <memory>

namespace Controls {

CPropertyChoiceWindowBase::CPropertyChoiceWindowBase(const std::string& title, int32_t x, int32_t y,
                                                     int32_t width, int32_t height, int32_t areaIndex,
                                                     int32_t tileX, int32_t tileY)
    : CCloseableBeigeForm(title, x, y, width, height), CObjectPlace(areaIndex, tileX, tileY) {}

GCButton* CPropertyChoiceWindowBase::GetChoiceButton(int32_t index) const {
    return index >= 0 && index < GetChoiceCount() ? choices_[size_t(index)] : nullptr;
}

void CPropertyChoiceWindowBase::AddChoice(std::unique_ptr<GCButton> button, int32_t value) {
    button->AddPushedEventHandler(this);
    choices_.push_back(AddControl(std::move(button)));
    values_.push_back(value);
}

void CPropertyChoiceWindowBase::AddBlueChoices(std::initializer_list<PropertyChoice> choices) {
    int32_t top = 52;
    for (const PropertyChoice& c : choices) {
        AddChoice(std::make_unique<CTextBluePushButton>(68, top, c.text), c.value);
        top += 40;
    }
}

void CPropertyChoiceWindowBase::OnButtonPushed(GCButton* sender) {
    // The last choice answers for any sender that is none of the others.
    result_ = GetChoiceCount();
    for (int32_t i = 0; i < GetChoiceCount(); ++i)
        if (sender == choices_[size_t(i)]) result_ = i + 1;
    Close();
}

}  // namespace Controls
