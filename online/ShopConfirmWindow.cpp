#include "online/ShopConfirmWindow.h"

#include <memory>
#include <string>
#include <utility>

#include "controls/ControlPort.h"
#include "engine/Music.h"
#include "foundation/ClientInfo.h"
#include "foundation/TextConvert.h"

namespace Controls {

namespace {

constexpr int32_t kInk[3] = {45, 30, 8};
constexpr int32_t kRed[3] = {220, 0, 60};

std::unique_ptr<CSpriteTextLabel> Label(const std::string& text, int32_t x, int32_t y, int32_t width,
                                        int32_t height, int32_t size, const int32_t (&rgb)[3], bool bold,
                                        int32_t alignment) {
    auto label = std::make_unique<CSpriteTextLabel>(text, x, y, width, height, size, rgb[0], rgb[1], rgb[2]);
    label->SetBold(bold);
    label->SetAlignment(alignment);
    return label;
}

}  // namespace

CShopConfirmWindow::CShopConfirmWindow(int32_t x, int32_t y, CShopItem item, bool hasPreview)
    : CCloseableBeigeForm("購 入 確 認", x, y, kWidth, kHeight),
      hasPreview_(hasPreview),
      item_(std::move(item)) {
    const int32_t buttonsY = kHeight - 56;
    yesButton_ = AddControl(std::make_unique<CTextPushButton>(kWidth / 2 - 90, buttonsY, "はい"));
    yesButton_->AddPushedEventHandler(this);
    noButton_ = AddControl(
        std::make_unique<CTextPushButton>(kWidth / 2 + 10, buttonsY, "いいえ", ControlSound::kCloseWindow));
    noButton_->AddPushedEventHandler(this);
    if (hasPreview_) {
        previewButton_ = AddControl(std::make_unique<CTextPushButton>(kWidth / 2 + 110, buttonsY, "試聴"));
        previewButton_->AddPushedEventHandler(this);
    }
    AddControl(std::make_unique<CChaoImageNormal>(32, 64));
    AddControl(Label("こちらでよろしいですか？", 72, 64, 346, 36, 16, kInk, false, 1));
    AddControl(std::make_unique<CHorizontalLine>(72, 114, 344));
    AddControl(Label(item_.GetName(), 72, 136, 346, 20, 18, kRed, true, 1));
    AddControl(Label("before", 200, 180, 80, 20, 16, kInk, false, 2));
    AddControl(Label("after", 320, 180, 80, 20, 16, kInk, false, 2));
    AddControl(Label("クリエイターポイント", 72, 220, 300, 20, 16, kInk, false, 0));
    AddControl(Label("→", 300, 220, 30, 20, 16, kInk, false, 1));
    const int points = CClientInfo::GetInstance()->GetCreatorPoint();
    AddControl(Label(IntToString(points), 200, 218, 80, 24, 20, kInk, true, 2));
    const long long after = static_cast<long long>(points) - item_.price;
    AddControl(Label(std::to_string(after), 320, 218, 80, 24, 20, kRed, true, 2));
}

void CShopConfirmWindow::CloseBackToShopMusic() {
    PlayMusic(MusicId::kSelectStage);
    Close();
}

void CShopConfirmWindow::OnButtonPushed(GCButton* sender) {
    if (sender == yesButton_) {
        result_ = kResultYes;
        CloseBackToShopMusic();
    } else if (sender == noButton_) {
        CloseBackToShopMusic();
    } else if (sender != nullptr && sender == previewButton_) {
        PlayMusic(MusicIdFromKey(item_.GetPreviewMusicKey()));
    }
}

void CShopConfirmWindow::OnCloseButtonPushed() { CloseBackToShopMusic(); }

}  // namespace Controls
