#include "online/ShopSceneRootForm.h"

#include <algorithm>
#include <utility>

#include "controls/ControlPort.h"
#include "controls/Dialogs.h"
#include "engine/Music.h"
#include "engine/SoundIds.h"
#include "foundation/ClientInfo.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"
#include "online/CreatorPointWindow.h"
#include "online/ShopChaoArea.h"
#include "online/ShopConfirmWindow.h"
#include "online/ShopItemButton.h"
#include "play/Letterbox.h"

namespace Controls {

namespace {

const char kSoldOutText[] = "\nもう 売り切れちゃいました。";
const char kNoPointsText[] = "\nポイントが 足りないです。";
const char kLockedText[] = "\nまだ 買えません。";
const char kThanksText[] = "\nありがとう ございました！";
const char kComplaintText[] = "\nやめてください。";
const char kLockedName[] = "まだ 買えません。";
const char kLockedDescription[] = "もっと クリエイターレベルを 上げないと 買えません。";

constexpr int32_t kPointWindowX = 16, kPointWindowY = 72;

std::unique_ptr<CSpriteTextLabel> DetailLabel(int32_t x, int32_t y, int32_t width, int32_t height,
                                              int32_t size, int32_t alignment) {
    auto label = std::make_unique<CSpriteTextLabel>("", x, y, width, height);
    label->SetFontSize(size);
    label->SetAlignment(alignment);
    return label;
}

// The creator points after paying `price`; below 0 when they do not reach.
long long PointsLeft(int price) {
    return static_cast<long long>(CClientInfo::GetInstance()->GetCreatorPoint()) - price;
}

}  // namespace

CShopSceneRootForm::CShopSceneRootForm(IModeSceneHost* host) : host_(host) {
    AddControl(std::make_unique<CFreeImage>(208, 32, kImageGroup, kSheet11, 0, 0, 224, 40));
    closeButton_ = AddControl(std::make_unique<CBigCloseButton>(592, 4));
    closeButton_->AddPushedEventHandler(this);
    AddControl(std::make_unique<CFreeContainer>(16, 128, 240, 304));
    BuildItemButtons();
    AddControl(std::make_unique<CCaptionRibon>("メニュー", 48, 144, 176, 1));
    AddControl(std::make_unique<CCaptionRibon>("カテゴリ", 288, 144, 144, 0));
    AddControl(std::make_unique<CCaptionRibon>("必要ポイント", 288, 192, 144, 0));
    AddControl(std::make_unique<CCaptionRibon>("説明", 448, 144, 160, 0));
    nameLabel_ = AddControl(DetailLabel(288, 120, 320, 18, 16, 1));
    categoryLabel_ = AddControl(DetailLabel(296, 168, 136, 18, 14, 0));
    priceLabel_ = AddControl(DetailLabel(296, 216, 136, 18, 14, 0));
    descriptionLabel_ = AddControl(DetailLabel(456, 168, 152, 96, 14, 0));
    chaoArea_ = AddControl(std::make_unique<CShopChaoArea>(256, 272, this));
    ReplacePointWindow();
}

CShopSceneRootForm::~CShopSceneRootForm() = default;

void CShopSceneRootForm::BuildItemButtons() {
    const int count = CShopItemTable::GetCount();
    const int level = GetCreatorLevel();
    for (int i = 0; i < count; ++i) {
        const CShopItem item = CShopItemTable::GetItem(i);
        const int32_t x = kGridX + kGridStep * (i % kGridColumns),
                      y = kGridY + kGridStep * (i / kGridColumns);
        std::unique_ptr<CFreeImageClickArea> button;
        if (level < item.requiredLevel) {
            button = std::make_unique<CShopNonBuyItemButton>(x, y);
        } else {
            button = std::make_unique<CShopItemButton>(x, y, GetShopItemImage(item.key), item);
        }
        button->AddPushedEventHandler(this);
        button->AddFocusedEventHandler(this);
        button->AddUnFocusedEventHandler(this);
        AddControl(std::move(button));
    }
}

void CShopSceneRootForm::ShowDetails(const CShopItem& item) {
    nameLabel_->SetText(item.GetName());
    categoryLabel_->SetText(item.GetCategory());
    priceLabel_->SetText(IntToString(item.price));
    descriptionLabel_->SetText(item.GetDescription());
    soldOut_ = CClientInfo::GetInstance()->IsItemBought(item.key);
}

void CShopSceneRootForm::ShowLockedDetails() {
    nameLabel_->SetText(kLockedName);
    categoryLabel_->SetText("");
    priceLabel_->SetText("");
    descriptionLabel_->SetText(kLockedDescription);
    soldOut_ = false;
}

void CShopSceneRootForm::ClearDetails() {
    for (CSpriteTextLabel* label : {nameLabel_, categoryLabel_, priceLabel_, descriptionLabel_})
        label->SetText("");
    soldOut_ = false;
}

void CShopSceneRootForm::OnFocused(GCButton* sender) {
    focusSeen_ = true;
    if (auto* itemButton = dynamic_cast<CShopItemButton*>(sender)) {
        ShowDetails(itemButton->GetItem());
    } else if (dynamic_cast<CShopNonBuyItemButton*>(sender)) {
        ShowLockedDetails();
    }
}

void CShopSceneRootForm::OnUnFocused(GCButton*, int32_t) {
    // A neighbour that took the focus earlier in this update keeps its details.
    if (!focusSeen_) ClearDetails();
}

void CShopSceneRootForm::OnPushed(GCButton* sender) {
    soldOut_ = false;
    if (sender == closeButton_) {
        stateTime_ = 0;
        state_ = kLeaving;
        // Nothing on the screen takes input while the exit plays.
        SetModalForm(std::make_unique<COriginalBaseForm>());
    } else if (auto* itemButton = dynamic_cast<CShopItemButton*>(sender)) {
        AskToBuy(itemButton->GetItem());
    } else if (dynamic_cast<CShopNonBuyItemButton*>(sender)) {
        SetModalForm(std::make_unique<CChaoAlertWindow>(kLockedText));
    }
}

void CShopSceneRootForm::AskToBuy(const CShopItem& item) {
    if (CClientInfo::GetInstance()->IsItemBought(item.key)) {
        SetModalForm(std::make_unique<CChaoAlertWindow>(kSoldOutText));
    } else if (PointsLeft(item.price) < 0) {
        SetModalForm(std::make_unique<CChaoAlertWindow>(kNoPointsText));
    } else {
        const bool hasPreview = MusicIdFromKey(item.GetPreviewMusicKey()) != MusicId::kNone;
        auto window = std::make_unique<CShopConfirmWindow>(100, 80, item, hasPreview);
        window->AddClosedEventHandler(this);
        SetModalForm(std::move(window));
    }
}

void CShopSceneRootForm::OnClosed(GCForm* sender) {
    if (auto* confirm = dynamic_cast<CShopConfirmWindow*>(sender)) {
        if (confirm->GetResult() == kResultYes) Buy(confirm->GetItem());
    } else if (dynamic_cast<CChaoMessageWindow*>(sender)) {
        refreshPoints_ = true;  // the thanks window closed
    }
}

void CShopSceneRootForm::Buy(const CShopItem& item) {
    // The closing window is still the modal form: the next one waits for the next update.
    try {
        CClientInfo::GetInstance()->BuyItem(item.key, item.price);
    } catch (const CDataFileException& e) {
        // Nothing was bought and nothing paid; the player learns why.
        CLog::GetInstance()->Write(FormatErrorReport(e));
        pendingWindow_ = std::make_unique<CChaoAlertWindow>(FormatErrorReport(e));
        return;
    }
    Port().PlaySound(SoundId::kOk5);
    auto thanks = std::make_unique<CChaoMessageWindow>(kThanksText);
    thanks->AddClosedEventHandler(this);
    pendingWindow_ = std::move(thanks);
}

void CShopSceneRootForm::ComplainAboutClicks() {
    SetModalForm(std::make_unique<CChaoMessageWindow>(kComplaintText));
}

void CShopSceneRootForm::ReplacePointWindow() {
    if (pointWindow_) (void)GetControls().Remove(pointWindow_);
    CClientInfo* info = CClientInfo::GetInstance();
    pointWindow_ = AddControl(std::make_unique<CCreatorPointWindow>(
        kPointWindowX, kPointWindowY, IntToString(info->GetCreatorPoint()), IntToString(GetCreatorLevel())));
}

void CShopSceneRootForm::UpdateByState() {
    switch (state_) {
        case kEntering:
            chaoArea_->SetMode(CShopChaoArea::kEntering);
            chaoArea_->SetHeroOffset(160 - stateTime_ / kEntranceFrames * 64);
            // A click skips the entrance (and may land on a button as well).
            if (stateTime_ > kEntranceFrames || Port().Mouse().leftPressed) {
                stateTime_ = 0;
                state_ = kShown;
            }
            break;
        case kShown:
            chaoArea_->SetMode(CShopChaoArea::kStaying);
            chaoArea_->SetHeroOffset(96);
            break;
        case kLeaving:
            chaoArea_->SetMode(CShopChaoArea::kLeaving);
            chaoArea_->SetHeroOffset(96 + stateTime_ / kEntranceFrames * 64);
            if (stateTime_ > kExitFrames && !hostClosed_ && host_) {
                hostClosed_ = true;
                host_->CloseScene();
            }
            break;
    }
}

void CShopSceneRootForm::UpdateSelf() {
    focusSeen_ = false;
    stateTime_ += FrameStep();
    if (refreshPoints_) {
        ReplacePointWindow();
        refreshPoints_ = false;
    }
    if (pendingWindow_) SetModalForm(std::move(pendingWindow_));
    UpdateByState();
    COriginalBaseForm::UpdateSelf();
}

double CShopSceneRootForm::GetLetterboxRatio() const {
    double ratio = 0;
    if (state_ == kEntering) {
        ratio = 1.125 - stateTime_ * 0.025;
    } else if (state_ == kLeaving) {
        ratio = stateTime_ * 0.025 - 0.45;
    }
    return std::clamp(ratio, 0.0, 1.0);
}

void CShopSceneRootForm::Draw() {
    const uint32_t beige = PackColor(205, 165, 106);
    Port().Rect(0, 0, 640, 480, beige, beige, 1);
    COriginalBaseForm::Draw();
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    if (soldOut_) PutSheet(kSheet11, ax + 348, ay + 144, 0, 40, 200, 112);
    const double ratio = GetLetterboxRatio();
    if (ratio > 0) DrawLetterbox(ratio);
}

}  // namespace Controls
