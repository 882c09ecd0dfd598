#include "editor_windows/CatalogueSelectWindow.h"

#include <memory>

#include "controls/ControlPort.h"
#include "foundation/ClientInfo.h"

using namespace Controls;

CCatalogueSelectWindow::CCatalogueSelectWindow(const std::string& title, int32_t x, int32_t y,
                                               const CatalogueWindowLayout& layout,
                                               const Catalogue& catalogue, int32_t value)
    : CCloseableBeigeForm(title, x, y, layout.width, layout.height),
      value_(value),
      catalogue_(catalogue),
      layout_(layout) {
    ok_ = AddControl(std::make_unique<CTextPushButton>(layout.okX, layout.okY, "O K"));
    ok_->AddPushedEventHandler(this);
    cancel_ = AddControl(std::make_unique<CTextPushButton>(layout.cancelX, layout.cancelY, "ｷｬﾝｾﾙ",
                                                           ControlSound::kCloseWindow));
    cancel_->AddPushedEventHandler(this);
    auto label = std::make_unique<CTextLabel>(catalogue.name(value), 32, layout.labelY, layout.width - 110,
                                              16, 16, 45, 30, 8);
    label->SetAlignment(0);
    label_ = AddControl(std::move(label));
}

void CCatalogueSelectWindow::AddList(const std::vector<int32_t>& ids) {
    auto list = std::make_unique<CExclusiveTextPanel>(layout_.listX, layout_.listY, layout_.listWidth,
                                                      layout_.listHeight);
    CClientInfo* info = CClientInfo::GetInstance();
    for (const int32_t id : ids) {
        const std::string key = catalogue_.key(id);
        if (catalogue_.shopItem(id) && !info->IsItemBought(key)) continue;
        list->AddItem(catalogue_.name(id), key);
    }
    list_ = AddControl(std::move(list));
}

int32_t CCatalogueSelectWindow::IdOfRow(int32_t row) const {
    return catalogue_.idOfKey(list_->GetItemValue(row));
}

void CCatalogueSelectWindow::UpdateSelf() {
    const int32_t row = list_->GetSelectedIndex();
    if (row >= 0) label_->SetText(list_->GetItemText(row));
    OnHighlight(row);
    CCloseableBeigeForm::UpdateSelf();
}

void CCatalogueSelectWindow::OnButtonPushed(GCButton* sender) {
    if (sender == ok_) {
        const int32_t row = list_->GetSelectedIndex();
        if (row >= 0) value_ = IdOfRow(row);
        decided_ = true;
        Close();
    } else if (sender == cancel_) {
        Close();
    } else {
        OnOtherButtonPushed(sender);
    }
}
