#pragma once
// The small modal dialogs (a beige window with a mascot, a text and one to three buttons) and
// the popup menus. The owner opens one as the modal form of the form it blocks, subscribes as its
// closed handler and reads the result when told that it closed.
#include <cstdint>
#include <memory>
#include <string>

#include "controls/Buttons.h"
#include "controls/Forms.h"

namespace Controls {

// Results of the confirm windows.
inline constexpr int32_t kResultYes = 0;
inline constexpr int32_t kResultNo = 1;
inline constexpr int32_t kResultCancel = 2;

// A 320 x 160 window with a text label, a mascot and an OK button that closes it.
class CMessageWindowBase : public CCloseableBeigeForm {
  public:
    static constexpr int32_t kWidth = 320, kHeight = 160;
    void OnButtonPushed(GCButton* sender) override;
    CTextPushButton* GetOkButton() const { return ok_; }
    CSpriteTextLabel* GetTextLabel() const { return text_; }

  protected:
    CMessageWindowBase(const std::string& title, int32_t x, int32_t y);
    // The text label, then the mascot, then the buttons: the child order.
    void BuildText(const std::string& text);
    template <class T>
    T* AddButtonOf(std::unique_ptr<T> button) {
        button->AddPushedEventHandler(this);
        return AddControl(std::move(button));
    }
    void BuildOk();

  private:
    CSpriteTextLabel* text_ = nullptr;
    CTextPushButton* ok_ = nullptr;
};

class CMessageWindow : public CMessageWindowBase {
  public:
    explicit CMessageWindow(const std::string& text) : CMessageWindow(text, 160, 160) {}
    CMessageWindow(const std::string& text, int32_t x, int32_t y);
    virtual void Build(const std::string& text);
};

class CAlertWindow : public CMessageWindowBase {
  public:
    explicit CAlertWindow(const std::string& text) : CAlertWindow(text, 160, 160) {}
    CAlertWindow(const std::string& text, int32_t x, int32_t y);
    virtual void Build(const std::string& text);
};

class CChaoMessageWindow : public CMessageWindowBase {
  public:
    explicit CChaoMessageWindow(const std::string& text);
    virtual void Build(const std::string& text);
};

class CChaoAlertWindow : public CMessageWindowBase {
  public:
    explicit CChaoAlertWindow(const std::string& text);
    virtual void Build(const std::string& text);
};

// Yes or no; closing the window counts as no.
class CConfirmWindow : public CMessageWindowBase {
  public:
    explicit CConfirmWindow(const std::string& text) : CConfirmWindow(text, 160, 160, false) {}
    CConfirmWindow(const std::string& text, bool alert) : CConfirmWindow(text, 160, 160, alert) {}
    CConfirmWindow(const std::string& text, int32_t x, int32_t y) : CConfirmWindow(text, x, y, false) {}
    virtual void Build(const std::string& text, bool alert);
    void OnButtonPushed(GCButton* sender) override;
    void OnCloseButtonPushed() override;
    int32_t GetResult() const { return result_; }
    CTextPushButton* GetYesButton() const { return yes_; }
    CTextPushButton* GetNoButton() const { return no_; }

  private:
    CConfirmWindow(const std::string& text, int32_t x, int32_t y, bool alert);
    CTextPushButton* yes_ = nullptr;
    CTextPushButton* no_ = nullptr;
    int32_t result_ = kResultNo;
};

// True when `window` is a confirm window that was answered "はい".
bool AnsweredYes(const GCForm* window);

// Yes, no or cancel; closing the window counts as cancel.
class CConfirmCancelWindow : public CMessageWindowBase {
  public:
    explicit CConfirmCancelWindow(const std::string& text);
    virtual void Build(const std::string& text, bool alert);
    void OnButtonPushed(GCButton* sender) override;
    void OnCloseButtonPushed() override;
    int32_t GetResult() const { return result_; }
    CTextPushButton* GetYesButton() const { return yes_; }
    CTextPushButton* GetNoButton() const { return no_; }
    CTextPushButton* GetCancelButton() const { return cancel_; }

  private:
    CTextPushButton* yes_ = nullptr;
    CTextPushButton* no_ = nullptr;
    CTextPushButton* cancel_ = nullptr;
    int32_t result_ = kResultCancel;
};

// A popup of items under a title. A right click, or a left press outside it, closes it with no
// choice; pushing an item records the choice and closes it.
class CPopupMenuBase : public COriginalBaseForm, public IPushedEventHandler {
  public:
    CPopupMenuBase(int32_t x, int32_t y, int32_t width) : COriginalBaseForm(x, y, width, 0) {}
    void HandleInput() override;
    void OnPushed(GCButton* sender) override { OnItemPushed(sender); }
    void AddItem(const std::string& text, bool enabled);

    virtual std::string GetSelectedText() const = 0;
    virtual void OnItemPushed(GCButton* sender) = 0;
    virtual void CreateItem(const std::string& text, bool enabled) = 0;
    virtual int32_t GetItemHeight() const = 0;
    virtual int32_t GetMargin() const = 0;
};

class CBeigePopup : public CPopupMenuBase {
  public:
    CBeigePopup(int32_t x, int32_t y, int32_t width, const std::string& title);
    void Draw() override;
    std::string GetSelectedText() const override { return selected_; }
    void OnItemPushed(GCButton* sender) override;
    void CreateItem(const std::string& text, bool enabled) override;
    int32_t GetItemHeight() const override { return 20; }
    int32_t GetMargin() const override { return 32; }

  private:
    int32_t itemCount_ = 0;
    std::string selected_;
};

}  // namespace Controls
