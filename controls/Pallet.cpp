#include "controls/Pallet.h"

#include <algorithm>
#include <memory>

#include "controls/ControlPort.h"

namespace Controls {

namespace {
constexpr int32_t kPreviewCentreX = 344, kPreviewCentreY = 136;
}  // namespace

CPalletWindowBase::CPalletWindowBase(const std::string& title, int32_t x, int32_t y)
    : CCloseableBeigeForm(title, x, y, kWidth, kHeight) {
    panel_ = AddControl(
        std::make_unique<CFreeVerticalScrollablePanel>(16, 48, 240, 216, 0, kVisibleRows, kRowHeight));
    ribbon_ = AddControl(std::make_unique<CCaptionRibon>("", 264, 48, 160, 1));
    descriptionLabel_ = AddControl(std::make_unique<CSpriteTextLabel>("", 264, 200, 160, 60, 14, 45, 30, 8));
    descriptionLabel_->SetAlignment(0);
    tagLabel_ = AddControl(std::make_unique<CSpriteTextLabel>("", 264, 80, 160, 20, 13, 45, 30, 8));
    tagLabel_->SetAlignment(2);
}

void CPalletWindowBase::UpdateSelf() {
    // Cleared before the buttons report this frame's mouse enters.
    itemHovered_ = false;
    CCloseableBeigeForm::UpdateSelf();
}

void CPalletWindowBase::HandleInput() {
    CCloseableBeigeForm::HandleInput();
    const MouseInput m = Port().Mouse();
    if (m.rightPressed) {
        Port().PlaySound(ControlSound::kCloseWindow);
        Close();
        return;
    }
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    if (m.leftPressed && !IsPointInRect(m.x, m.y, ax, ay, ax + GetWidth(), ay + GetHeight())) Close();
}

void CPalletWindowBase::Draw() {
    if (!IsVisible()) return;
    CCloseableBeigeForm::Draw();
    if (hoveredIndex_ == -1) return;
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const ImageClip& p = previews_[size_t(hoveredIndex_)];
    Port().PutImage(ax + kPreviewCentreX - (p.right - p.left) / 2,
                    ay + kPreviewCentreY - (p.bottom - p.top) / 2, p.group, p.key, p.left, p.top, p.right,
                    p.bottom);
}

void CPalletWindowBase::OnButtonPushed(GCButton* sender) {
    const auto it = std::find(itemButtons_.begin(), itemButtons_.end(), sender);
    if (it != itemButtons_.end()) {
        const int32_t i = int32_t(it - itemButtons_.begin());
        chosenId_ = GetItemId(i);
        chosenKey_ = GetItemKey(i);
        chosenPicture_ = (*it)->GetImageClip();
    }
    Close();
}

void CPalletWindowBase::OnFocused(GCButton* sender) {
    itemHovered_ = true;
    const auto it = std::find(itemButtons_.begin(), itemButtons_.end(), sender);
    if (it == itemButtons_.end()) {
        hoveredIndex_ = -1;
        return;
    }
    hoveredIndex_ = int32_t(it - itemButtons_.begin());
    const size_t i = size_t(hoveredIndex_);
    ShowTexts(names_[i], descriptions_[i], tags_[i]);
}

void CPalletWindowBase::OnUnFocused(GCButton*, int32_t) {
    // Another item entered in this same update keeps its texts.
    if (itemHovered_) return;
    hoveredIndex_ = -1;
    ShowTexts("", "", "");
}

void CPalletWindowBase::ShowTexts(const std::string& name, const std::string& description,
                                  const std::string& tag) {
    ribbon_->SetText(name);
    descriptionLabel_->SetText(description);
    tagLabel_->SetText(tag);
}

std::string CPalletWindowBase::PassabilityTag(int32_t passability) {
    switch (passability) {
        case 0:
            return "[通行不可]";
        case 1:
            return "[すり抜け可]";
        case 2:
            return "[通行可]";
        case 3:
            return "[スイッチ次第]";
        default:
            return "";
    }
}

void CPalletWindowBase::AddItemButton(const ImageClip& icon, const ImageClip& preview, const std::string& key,
                                      int32_t passability, int32_t id) {
    // The texts first: when the table cannot be read nothing has been added yet.
    std::string name = GetItemName(key);
    std::string description = GetItemDescription(key);
    if (!currentRow_ || currentRow_->GetControls().Count() >= kButtonsPerRow) {
        const int32_t rows = panel_->GetItemCount();
        currentRow_ = panel_->AddItem(std::make_unique<CGeneralPurposeButtonList>(
            0, rows * kRowHeight, kButtonsPerRow * kCellWidth, kRowHeight));
    }
    auto button =
        std::make_unique<CFreeImageClickArea>(currentRow_->GetControls().Count() * kCellWidth, 0, icon);
    button->AddPushedEventHandler(this);
    button->AddFocusedEventHandler(this);
    button->AddUnFocusedEventHandler(this);
    itemButtons_.push_back(currentRow_->AddControl(std::move(button)));
    previews_.push_back(preview);
    names_.push_back(std::move(name));
    descriptions_.push_back(std::move(description));
    tags_.push_back(PassabilityTag(passability));
    keys_.push_back(key);
    ids_.push_back(id);
}

int32_t CPalletWindowBase::GetItemIdAt(int32_t index) const {
    if (index < 0 || index >= int32_t(ids_.size())) return 0;
    return ids_[size_t(index)];
}

std::string CPalletWindowBase::GetItemKeyAt(int32_t index) const {
    if (index < 0 || index >= int32_t(keys_.size())) return std::string();
    return keys_[size_t(index)];
}

std::string CPalletWindowBase::GetItemName(const std::string& key) {
    if (!tableLoaded_) LoadItemTexts();
    const KeyTextRow* row = itemTexts_.Find(key);
    return row ? row->name : std::string();
}

std::string CPalletWindowBase::GetItemDescription(const std::string& key) {
    if (!tableLoaded_) LoadItemTexts();
    const KeyTextRow* row = itemTexts_.Find(key);
    return row ? row->description : std::string();
}

void CPalletWindowBase::LoadItemTexts() {
    itemTexts_.Load(GetDataFileName(), PalletTableErrors());
    tableLoaded_ = true;
}

}  // namespace Controls
