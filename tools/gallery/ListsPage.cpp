#include "tools/gallery/ListsPage.h"

#include <memory>

#include "controls/Buttons.h"
#include "controls/Pallet.h"
#include "controls/StageRow.h"
#include "controls/TopMenuButton.h"

using namespace Controls;

namespace {

// A paged list of posted stages, each row made when its page is shown.
class StagePages : public IPagingScrollablePanelBase {
  public:
    StagePages(int32_t x, int32_t y) : IPagingScrollablePanelBase(x, y, 200, 140, 20, 23, 5, 3) {}
    std::unique_ptr<CToggleButtonBase> CreateItem(int32_t index) override {
        return std::make_unique<CSelectableTextItem>(0, 0, 183, "ステージ " + std::to_string(index + 1));
    }
};

// A top-menu entry of the gallery's own: a plain plate that lights up under the mouse and
// blinks once chosen.
class MenuEntry : public CTopMenuButtonBase {
  public:
    static constexpr int32_t kWidth = 180, kHeight = 34;
    MenuEntry(int32_t x, int32_t y, const std::string& text, double phase)
        : CTopMenuButtonBase(x, y, kWidth, kHeight, phase) {
        auto label = std::make_unique<CTextLabel>(text, 0, 9, kWidth, 18, 16, 255, 250, 235);
        label->SetBold(true);
        GetControls().Add(std::move(label));
    }
    void Draw() override {
        int32_t x, y;
        GetAbsolutePosition(x, y);
        uint32_t face = IsHovered() ? PackColor(214, 120, 60) : PackColor(150, 84, 40);
        if (IsActivated() && int(GetActivationTime()) / 8 % 2 == 0) face = PackColor(240, 190, 80);
        Port().Rect(x, y, x + kWidth, y + kHeight, PackColor(45, 30, 8), face, 2);
        DrawChildren();
    }
};

// The object pallet: enemies of the first object sheet, named from the object table.
class ObjectPallet : public CPalletWindowBase {
  public:
    ObjectPallet() : CPalletWindowBase("てきキャラ", 100, 100) {
        struct Cell {
            const char* key;
            int col, row;
        };
        static const Cell cells[] = {
            {"Kid001", 2, 0},          {"Kid002", 3, 0},         {"Pukka001", 5, 0},
            {"Chop001", 6, 0},         {"Chop002", 7, 0},        {"Moyashi001", 0, 1},
            {"Moyashi002", 1, 1},      {"Flower001", 2, 1},      {"Flower002", 3, 1},
            {"IceSculpture001", 4, 1}, {"Drill001", 5, 1},       {"TonFar001", 6, 1},
            {"Professor001", 7, 1},    {"Fish001", 0, 2},        {"Fish002", 1, 2},
            {"Bat001", 2, 2},          {"Bat002", 3, 2},         {"Sphere001", 4, 2},
            {"Sphere002", 5, 2},       {"Caterpillar001", 6, 2}, {"Caterpillar002", 7, 2},
            {"Caterpillar003", 0, 3},  {"Fish003", 1, 3},        {"Fish004", 2, 3},
            {"Megane001", 3, 3},       {"Megane002", 4, 3},      {"Tornado001", 5, 3},
            {"Tornado002", 6, 3},      {"Ichigo001", 7, 3},      {"Oto001", 0, 4},
            {"Needle001", 1, 4},       {"Nageru001", 2, 4},      {"Nageru002", 3, 4},
            {"SkyMobile001", 4, 4},    {"Gun001", 5, 4},         {"Gun002", 6, 4},
            {"Magician001", 7, 4},
        };
        for (const Cell& c : cells) {
            const ImageClip icon{"System",   "StageObjects001", 32 * c.col,
                                 32 * c.row, 32 * c.col + 32,   32 * c.row + 32};
            AddItem(icon, icon, c.key);
        }
    }
    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t i) override { return GetItemKeyAt(i); }
};

// The beige of the windows the lists live in, behind them.
class Plate : public COriginalBasePart {
  public:
    using COriginalBasePart::COriginalBasePart;
    void Draw() override {
        int32_t x, y;
        GetAbsolutePosition(x, y);
        const uint32_t beige = PackColor(205, 165, 106);
        Port().Rect(x, y, x + GetWidth(), y + GetHeight(), beige, beige, 1);
    }
};

void Caption(COriginalBaseForm& page, int x, int y, const std::string& text) {
    page.AddControl(std::make_unique<CTextLabel>(text, x, y, 220, 16, 12, 240, 230, 200))->SetAlignment(0);
}

}  // namespace

void ListsPage::Build(COriginalBaseForm& page, COriginalBaseForm& root) {
    root_ = &root;
    page.SetPosition(0, 0);
    Caption(page, 8, 44, "文字のリスト (枠つき)");
    page.AddControl(std::make_unique<Plate>(4, 58, 424, 148));
    auto* text = page.AddControl(std::make_unique<CExclusiveTextPanel>(8, 62, 200, 140));
    const char* names[] = {"はじめての森", "こおりの洞窟", "空中庭園", "マグマの道", "雲の上",
                           "地下水路",     "からくり屋敷", "星ふる丘", "最後の塔",   "おまけ"};
    for (int i = 0; i < 10; ++i) text->AddItem(names[i], std::to_string(i));
    text->GetList()->GetButton(2)->TurnOn();

    Caption(page, 224, 44, "ページ分けのリスト");
    paged_ = page.AddControl(std::make_unique<StagePages>(224, 62));

    Caption(page, 440, 44, "トップメニューのボタン");
    page.AddControl(std::make_unique<MenuEntry>(440, 70, "ゲームをはじめる", 0.0));
    page.AddControl(std::make_unique<MenuEntry>(440, 112, "エディット", 2.0))->PerformPush();
    page.AddControl(std::make_unique<MenuEntry>(440, 154, "選べない項目", 4.0))->DisableActivation();

    Caption(page, 8, 222, "投稿したステージ");
    const char* rows[][5] = {{"st0001", "はじめての森", "ななし", "128回", "4.5"},
                             {"st0002", "こおりの洞窟", "ゆき", "57回", "3.0"},
                             {"st0003", "空中庭園", "そら", "9回", "5.0"}};
    for (int i = 0; i < 3; ++i) {
        page.AddControl(std::make_unique<CStageMetaInfoGridItem>(
            8, 242 + 20 * i, rows[i][0], rows[i][1], rows[i][2], rows[i][3], rows[i][4], i == 1, this));
    }
    result_ = page.AddControl(std::make_unique<CTextLabel>("", 8, 306, 300, 16, 14, 255, 255, 255));
    result_->SetAlignment(0);
    palletOpener_ = page.AddControl(std::make_unique<CLongTextPushButton>(500, 236, 130, "パレット"));
    palletOpener_->AddPushedEventHandler(this);
}

void ListsPage::OnPushed(GCButton* sender) {
    if (sender == palletOpener_) {
        OpenPallet();
    } else if (auto* link = dynamic_cast<CStageMetaInfoGridItemDeleteLinkButton*>(sender)) {
        result_->SetText("削除するステージ: " + link->GetTag());
    }
}

void ListsPage::OpenPallet() { root_->SetModalForm(std::make_unique<ObjectPallet>()); }

void ListsPage::PagedRowPoint(int row, int& x, int& y) const {
    x = paged_->GetAbsoluteX() + 60;
    y = paged_->GetAbsoluteY() + IPagingScrollablePanelBase::kStripHeight + 20 * row + 8;
}

void ListsPage::PalletItemPoint(int item, int& x, int& y) {
    x = 100 + 16 + 36 * (item % 6) + 16;
    y = 100 + 48 + 36 * (item / 6) + 16;
}
