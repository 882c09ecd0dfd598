// The widget gallery: every control of the controls library on four pages (buttons, display
// parts, windows, the on-screen keyboard, lists), in its states. Windowed it runs until closed (or Escape)
// and the pages are chosen by the tabs at the top; with --headless --out DIR it scripts the mouse and writes
// one PNG per scene to DIR. --game DIR points it at a game folder other than its own.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "controls/Buttons.h"
#include "controls/ControlPort.h"
#include "controls/Dialogs.h"
#include "controls/DisplayParts.h"
#include "controls/Forms.h"
#include "controls/ScrollBars.h"
#include "engine/InputManager.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "platform/headless.h"
#include "tools/gallery/KeyboardPage.h"
#include "tools/gallery/ListsPage.h"

using namespace Controls;

namespace {

// A skin with a small square on its face, so that the face's sinking shows.
template <class Skin>
class Swatch : public Skin {
  public:
    using Skin::Skin;
    void DrawContent(int32_t x, int32_t y) override {
        const uint32_t ink = PackColor(250, 240, 200);
        Port().Rect(x + this->GetWidth() / 2 - 5, y + this->GetHeight() / 2 - 5, x + this->GetWidth() / 2 + 5,
                    y + this->GetHeight() / 2 + 5, ink, ink, 1);
    }
};

// The rotatable handle made visible: a spoke from the centre to a square handle.
class Dial : public CRotatablePart {
  public:
    Dial(int32_t x, int32_t y) : CRotatablePart(x, y, -1.0, 0.5, -2.6, 50, 50, 40, 8) {}
    void Draw() override {
        const int32_t cx = GetAbsoluteX() + GetCentreX(), cy = GetAbsoluteY() + GetCentreY();
        const int32_t hx = cx + int32_t(GetRadius() * std::cos(angle)),
                      hy = cy + int32_t(GetRadius() * std::sin(angle));
        const uint32_t ink = IsDragging()
                                 ? PackColor(231, 85, 125)
                                 : (IsHovered() ? PackColor(255, 255, 255) : PackColor(230, 210, 180));
        Port().Line(cx, cy, hx, hy, ink, 3);
        Port().Rect(hx - 6, hy - 6, hx + 6, hy + 6, ink, ink, 1);
    }
};

// A beige window of the gallery's own with two buttons.
class SampleWindow : public CCloseableBeigeForm {
  public:
    SampleWindow(int32_t x, int32_t y) : CCloseableBeigeForm("ウィンドウの例", x, y, 250, 130) {
        AddControl(std::make_unique<CTextLineArea>("一行の文字枠", 16, 44, 200));
        AddControl(std::make_unique<CTextPushButton>(16, 84, "決定"))->AddPushedEventHandler(this);
    }
    void OnButtonPushed(GCButton*) override {}
};

class Gallery : public IPushedEventHandler, public IClosedEventHandler {
  public:
    Gallery() {
        tabs_ = root_.AddControl(std::make_unique<CExclusiveToggleButtonList>(8, 4, 300, 32));
        const char* names[] = {"ボタン", "表示", "窓", "キー", "リスト"};
        for (int i = 0; i < kPages; ++i) {
            tabs_->AddButton(std::make_unique<CTextBlueToggleButton>(70 * i, 0, names[i]));
            pages_[i] = root_.AddControl(std::make_unique<COriginalBaseForm>(0, 40, 640, 440));
        }
        BuildButtons(*pages_[0]);
        BuildDisplay(*pages_[1]);
        BuildWindows(*pages_[2]);
        keyboard_ = std::make_unique<gallery::KeyboardPage>(root_, *pages_[3]);
        lists_.Build(*pages_[4], root_);
        ShowPage(0);
        // Only the first page takes the first frame's mouse.
        for (int i = 1; i < kPages; ++i) pages_[i]->SetVisible(false);
    }

    void ShowPage(int page) { tabs_->GetButton(page)->TurnOn(); }

    void Frame() {
        root_.Update();
        const int selected = tabs_->GetSelectedIndex();
        for (int i = 0; i < kPages; ++i) pages_[i]->SetVisible(i == selected);
        sample_->SetVisible(selected == 2);
    }

    void Draw() {
        elDraw::ClearScreen();
        const uint32_t back = PackColor(58, 74, 92);
        elDraw::DrawRect(0, 0, 640, 480, back, back, 1);
        root_.Draw();
    }

    void OnPushed(GCButton* sender) override {
        for (size_t i = 0; i < openers_.size(); ++i) {
            if (sender == openers_[i]) Open(int(i));
        }
    }

    void OnClosed(GCForm* sender) override {
        std::string text = "結果: ";
        if (auto* c = dynamic_cast<CConfirmWindow*>(sender))
            text += c->GetResult() == kResultYes ? "はい" : "いいえ";
        else if (auto* cc = dynamic_cast<CConfirmCancelWindow*>(sender))
            text += std::to_string(cc->GetResult());
        else if (auto* p = dynamic_cast<CBeigePopup*>(sender))
            text += p->GetSelectedText().empty() ? "なし" : p->GetSelectedText();
        else
            text += "閉じた";
        result_->SetText(text);
    }

    // Opens the dialog of the opener with that index.
    void Open(int which) {
        std::unique_ptr<GCForm> form;
        switch (which) {
            case 0:
                form = std::make_unique<CMessageWindow>("ステージを保存しました。\nまた遊んでね！");
                break;
            case 1:
                form = std::make_unique<CAlertWindow>("オブジェクトが多すぎです！\n(255個まで)");
                break;
            case 2:
                form = std::make_unique<CChaoMessageWindow>("チャオからのお知らせです。");
                break;
            case 3:
                form = std::make_unique<CChaoAlertWindow>("通信できませんでした。");
                break;
            case 4:
                form = std::make_unique<CConfirmWindow>("このエリアを消しますか？", true);
                break;
            case 5:
                form = std::make_unique<CConfirmCancelWindow>("変更を保存しますか？");
                break;
            default: {
                auto popup = std::make_unique<CBeigePopup>(400, 200, 140, "座標 (3,5)");
                popup->AddItem("切り取り", true);
                popup->AddItem("コピー", true);
                popup->AddItem("貼り付け", false);
                popup->AddItem("プロパティ", true);
                form = std::move(popup);
            }
        }
        form->AddClosedEventHandler(this);
        root_.SetModalForm(std::move(form));
    }

    COriginalBaseForm& Root() { return root_; }
    ListsPage& Lists() { return lists_; }
    CBasicPushButton* PressTarget() const { return pressTarget_; }
    CSelectableTextItem* HoverTarget() const { return hoverTarget_; }
    gallery::KeyboardPage& Keyboard() { return *keyboard_; }

  private:
    template <class T>
    T* Put(COriginalBaseForm& page, std::unique_ptr<T> w) {
        return page.AddControl(std::move(w));
    }
    static void Caption(COriginalBaseForm& page, int x, int y, const std::string& text) {
        page.AddControl(std::make_unique<CTextLabel>(text, x, y, 200, 16, 12, 240, 230, 200))
            ->SetAlignment(0);
    }

    void BuildButtons(COriginalBaseForm& p) {
        Caption(p, 8, 4, "スキン (押す・無効・トグル)");
        pressTarget_ = Put(p, std::make_unique<Swatch<CBasicPushButton>>(8, 22));
        Put(p, std::make_unique<Swatch<CBasicPushButton>>(52, 22));
        Put(p, std::make_unique<Swatch<CBasicPushButton>>(96, 22))->SetEnabled(false);
        Put(p, std::make_unique<Swatch<CBasicToggleButton>>(140, 22))->TurnOn();
        Put(p, std::make_unique<Swatch<CWidePushButton>>(184, 22));
        Put(p, std::make_unique<Swatch<CWideBrownPushButton>>(268, 22));
        Put(p, std::make_unique<Swatch<CWideBluePushButton>>(336, 26));
        Put(p, std::make_unique<Swatch<CWideBlueToggleButton>>(404, 26))->TurnOn();
        Put(p, std::make_unique<Swatch<CShortBrownToggleButton>>(476, 22));
        Put(p, std::make_unique<Swatch<CShortBrownToggleButton>>(512, 22))->TurnOn();
        Put(p, std::make_unique<CCommonCloseButton>(560, 34));
        Put(p, std::make_unique<CCommonCloseButton>(584, 34))->SetEnabled(false);

        Caption(p, 8, 70, "文字のボタン");
        Put(p, std::make_unique<CTextPushButton>(8, 88, "O K"));
        Put(p, std::make_unique<CTextPushButton>(92, 88, "無効"))->SetEnabled(false);
        Put(p, std::make_unique<CTextBrownPushButton>(176, 88, "茶色"));
        Put(p, std::make_unique<CTextBluePushButton>(244, 92, "青"));
        Put(p, std::make_unique<CTextBlueToggleButton>(312, 92, "オン"))->TurnOn();
        Put(p, std::make_unique<CTextBlueToggleButton>(380, 92, "オフ"));
        Put(p, std::make_unique<CShuffleButton>(452, 92));
        Put(p, std::make_unique<CShuffleButton>(452, 128))->SetEnabled(false);

        Caption(p, 8, 134, "長いボタン・絵のボタン・リンク");
        Put(p, std::make_unique<CLongTextPushButton>(8, 152, 200, "長いボタンの例"));
        Put(p, std::make_unique<CLongTextPushButton>(212, 152, 120, "無効"))->SetEnabled(false);
        Put(p, std::make_unique<CLongTextPushButton>(336, 152, 10, "狭"));
        const ImageClip cap{kImageGroup, kSheet2, 128, 48, 176, 72};
        Put(p, std::make_unique<CBigFreeImagePushButton>(380, 176, cap));
        Put(p, std::make_unique<CBigFreeImagePushButton>(464, 176, cap))->SetEnabled(false);
        Put(p,
            std::make_unique<CFreeImageClickArea>(556, 176, ImageClip{kImageGroup, kSheet1, 0, 0, 40, 40}));
        Put(p, std::make_unique<CFreeTextLinkButton>(8, 200, "リンクの例", 14));
        Put(p, std::make_unique<CFreeTextLinkButton>(120, 200, "無効なリンク", 14))->SetEnabled(false);

        Caption(p, 8, 226, "リストの行・チェック・矢印");
        auto* list = Put(p, std::make_unique<CFreeContainer>(8, 244, 200, 120));
        hoverTarget_ = list->AddControl(std::make_unique<CSelectableTextItem>(8, 10, 184, "普通の行"));
        list->AddControl(std::make_unique<CSelectableTextItem>(8, 30, 184, "選ばれた行"))->TurnOn();
        list->AddControl(std::make_unique<CSelectableTextItem>(8, 50, 184, "無効な行"))->SetEnabled(false);
        list->AddControl(std::make_unique<CPushTextItem>(8, 70, 184, "押す行"));
        Put(p, std::make_unique<CCheckBox>(224, 250));
        Put(p, std::make_unique<CCheckBox>(252, 250))->TurnOn();
        Put(p, std::make_unique<CCheckBox>(280, 250))->SetEnabled(false);
        auto* offOn = Put(p, std::make_unique<CCheckBox>(308, 250));
        offOn->TurnOn();
        offOn->SetEnabled(false);
        Put(p, std::make_unique<CScrollBarUpButton>(224, 290));
        Put(p, std::make_unique<CScrollBarDownButton>(244, 290));
        Put(p, std::make_unique<CScrollBarLeftButton>(264, 290));
        Put(p, std::make_unique<CScrollBarRightButton>(284, 290))->SetEnabled(false);

        Caption(p, 340, 226, "リフトの向き");
        const int lx[8] = {380, 380, 344, 424, 348, 412, 348, 412};
        const int ly[8] = {246, 322, 278, 278, 250, 250, 314, 314};
        for (int d = 0; d < 8; ++d) Put(p, std::make_unique<CCustomLiftDirectionButton>(lx[d], ly[d], d));
    }

    void BuildDisplay(COriginalBaseForm& p) {
        Caption(p, 8, 4, "ラベル・リボン・文字枠・罫線");
        Put(p, std::make_unique<CTextLabel>("毎フレーム描くラベル", 8, 22, 200, 18))->SetAlignment(0);
        auto* cached = Put(
            p, std::make_unique<CSpriteTextLabel>("キャッシュするラベル", 8, 42, 200, 18, 16, 255, 255, 255));
        cached->SetAlignment(0);
        cached->SetBold(true);
        for (int s = 0; s < 4; ++s)
            Put(p, std::make_unique<CCaptionRibon>("リボン " + std::to_string(s), 220, 22 + 26 * s, 160, s));
        Put(p, std::make_unique<CTextLineArea>("一行の文字枠", 400, 22, 220));
        Put(p, std::make_unique<CTextLineArea>("大きな文字枠", 400, 60, 220, 20));
        Put(p, std::make_unique<CHorizontalLine>(8, 80, 200));

        Caption(p, 8, 130, "マスコット (クリックで動く)");
        Put(p, std::make_unique<CCapImageNormal>(16, 150));
        Put(p, std::make_unique<CCapImageAlert>(80, 150));
        Put(p, std::make_unique<CChaoImageNormal>(160, 170));
        Put(p, std::make_unique<CChaoImageAlert>(220, 190));
        Put(p, std::make_unique<CFreeImage>(280, 150, kImageGroup, kSheet5, 160, 128, 240, 192));

        Caption(p, 230, 250, "回せるつまみ");
        Put(p, std::make_unique<Dial>(240, 270));

        Caption(p, 8, 250, "通信ランプ・棒グラフ");
        Put(p, std::make_unique<CNetWorkAnimation>(8, 270));
        Put(p, std::make_unique<CHorizontalBarGraph>(8, 310, 3, 5, 10, 14));
        Put(p, std::make_unique<CHorizontalBarGraph>(8, 350, 16, 16, 16, 14));

        Caption(p, 380, 130, "スクロールバー・枠");
        auto* v = Put(p, std::make_unique<CBasicVerticalScrollBar>(380, 150, 3, 10, 0, 1, 200));
        v->SetVisiblePercent(40);
        Put(p, std::make_unique<CBasicHorizontalScrollBar>(410, 334, 10, 10, 0, 3, 210));
        auto* frame = Put(p, std::make_unique<CFreeContainer>(410, 150, 210, 170));
        auto* group = frame->AddControl(std::make_unique<CExclusiveToggleButtonList>(16, 16, 180, 40));
        for (int i = 0; i < 3; ++i) group->AddButton(std::make_unique<Swatch<CBasicToggleButton>>(48 * i, 0));
        group->GetButton(1)->TurnOn();
        frame->AddControl(std::make_unique<CTextLabel>("ひとつだけ選べる", 16, 64, 180, 16, 14, 45, 30, 8));
    }

    void BuildWindows(COriginalBaseForm& p) {
        // A movable window must sit on a parent at (0, 0): it hangs on the root and is shown with
        // this page.
        sample_ = root_.AddControl(std::make_unique<SampleWindow>(360, 300));
        Caption(p, 8, 4, "ボタンを押すとダイアログが開きます");
        const char* names[] = {"メッセージ", "警告",       "チャオ",      "チャオ警告",
                               "確認",       "確認と取消", "ポップアップ"};
        for (int i = 0; i < 7; ++i) {
            auto* b = Put(p, std::make_unique<CLongTextPushButton>(8, 24 + 44 * i, 160, names[i]));
            b->AddPushedEventHandler(this);
            openers_.push_back(b);
        }
        result_ = Put(p, std::make_unique<CTextLabel>("結果: ", 190, 40, 300, 18, 16, 255, 255, 255));
        result_->SetAlignment(0);
    }

    COriginalBaseForm root_;
    CExclusiveToggleButtonList* tabs_;
    static constexpr int kPages = 5;
    COriginalBaseForm* pages_[kPages];
    std::unique_ptr<gallery::KeyboardPage> keyboard_;
    ListsPage lists_;
    std::vector<GCButton*> openers_;
    CTextLabel* result_ = nullptr;
    SampleWindow* sample_ = nullptr;
    CBasicPushButton* pressTarget_ = nullptr;
    CSelectableTextItem* hoverTarget_ = nullptr;
};

bool Shot(plat::HeadlessBackend& h, const std::string& dir, const std::string& name) {
    elDraw::Present();
    std::string path = dir + "/gallery_" + name + ".png", error;
    if (!h.WriteFramePng(path, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

// The scripted run: each scene is a few frames with the mouse placed on something, then a picture.
int RunHeadless(plat::HeadlessBackend& h, const std::string& out) {
    ScriptedMousePort port;
    SetPort(&port);
    Gallery gallery;
    bool ok = true;
    auto frames = [&](int n) {
        for (int i = 0; i < n; ++i) {
            gallery.Frame();
            port.mouse.leftPressed = false;
            port.mouse.leftReleased = false;
        }
        gallery.Draw();
    };
    auto press = [&](int x, int y) {
        port.mouse = {};
        port.mouse.x = x, port.mouse.y = y, port.mouse.leftPressed = true;
        gallery.Frame();
        port.mouse.leftPressed = false, port.mouse.leftHeld = true;
    };
    auto click = [&](int x, int y) {
        press(x, y);
        port.mouse.leftHeld = false, port.mouse.leftReleased = true;
        gallery.Frame();
        port.mouse.leftReleased = false;
    };
    if (!out.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(out, ec);
        int32_t x, y;
        gallery.PressTarget()->GetAbsolutePosition(x, y);
        press(x + 10, y + 10);  // held down on the first skin
        frames(2);
        ok &= Shot(h, out, "buttons_pressed");
        port.mouse = {};
        gallery.HoverTarget()->GetAbsolutePosition(x, y);
        port.mouse.x = x + 20, port.mouse.y = y + 5;
        frames(2);
        ok &= Shot(h, out, "buttons");
        click(100, 16);
        port.mouse = {};
        frames(40);
        ok &= Shot(h, out, "display");
        click(170, 16);
        port.mouse = {};
        frames(2);
        ok &= Shot(h, out, "windows");
        const char* names[] = {"message", "alert",          "chao", "chao_alert",
                               "confirm", "confirm_cancel", "popup"};
        for (int i = 0; i < 7; ++i) {
            gallery.Open(i);
            port.mouse = {};
            port.mouse.x = 420, port.mouse.y = 250;  // over the popup's second item
            frames(20);
            ok &= Shot(h, out, names[i]);
            gallery.Root().SetModalForm(nullptr);
        }
        click(240, 16);
        gallery::Script script{port.mouse, [&] { gallery.Frame(); }, [&] { gallery.Draw(); },
                               [&](const std::string& name) { return Shot(h, out, name); }};
        ok &= gallery.Keyboard().RunScenes(script);
        click(310, 16);
        port.mouse = {};
        gallery.Lists().PagedRowPoint(1, x, y);
        click(x, y);
        port.mouse.x = x, port.mouse.y = y + 40;
        frames(20);
        ok &= Shot(h, out, "lists");
        gallery.Lists().OpenPallet();
        port.mouse = {};
        ListsPage::PalletItemPoint(9, x, y);
        port.mouse.x = x, port.mouse.y = y;
        frames(2);
        ok &= Shot(h, out, "pallet");
        gallery.Root().SetModalForm(nullptr);
    }
    SetPort(nullptr);
    return ok ? 0 : 1;
}

int RunWindowed() {
    Gallery gallery;
    bool running = true;
    while (running) {
        std::vector<plat::WindowEvent> events;
        elSystem::PumpMessages(events);
        for (const auto& e : events) {
            if (e.kind == plat::WindowEventKind::Close) running = false;
            if (e.kind == plat::WindowEventKind::KeyDown && e.key == plat::kKeyEscape) running = false;
            if (e.kind == plat::WindowEventKind::Activate) elSystem::Activate(true);
            if (e.kind == plat::WindowEventKind::Deactivate) elSystem::Activate(false);
        }
        elSystem::PollInput();
        CInputManager::GetInstance()->Update();
        gallery.Frame();
        gallery.Draw();
        const MouseInput m = EnginePort().Mouse();
        elDraw::DrawLine(m.x - 6, m.y, m.x + 7, m.y, 0xFFFFFF, 1);
        elDraw::DrawLine(m.x, m.y - 6, m.x, m.y + 7, 0xFFFFFF, 1);
        elDraw::Present();
        elSystem::EndTurn();
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool headless = plat::HeadlessRequested(argc, argv);
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) out = argv[++i];
        if (std::strcmp(argv[i], "--game") == 0 && i + 1 < argc) SetGameFolder(argv[++i]);
    }
    elSystem::Reset();
    elSystem::OpenWindow("Quorvald widget gallery", 640, 480, headless);
    if (!elDraw::Screen(640, 480, 1)) return 1;
    elSystem::Activate(true);
    SetFrameTime(1.0f / 60.0f);
    int rc = 0;
    if (plat::HeadlessBackend* h = plat::CurrentHeadless()) {
        rc = RunHeadless(*h, out);
    } else {
        rc = RunWindowed();
        elSystem::SetClosingState(2);
    }
    elSystem::End();
    plat::StopBackend();
    return rc;
}
