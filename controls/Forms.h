#pragma once
// Forms and containers: the sized base form of every screen and panel, the movable form dragged
// by its top strip, the titled form, the beige window skin, the close buttons of windows and of
// full-screen forms, the beige window with a close button that routes its buttons' pushes, a
// plain button list, the one-of-n toggle group, a framed container and the rotatable handle.
#include <cstdint>
#include <memory>
#include <string>

#include "controls/ButtonBases.h"
#include "controls/DisplayParts.h"
#include "controls/Widget.h"

namespace Controls {

class COriginalBaseForm : public GCForm {
  public:
    COriginalBaseForm() : COriginalBaseForm(0, 0, 640, 480) {}
    COriginalBaseForm(int32_t x, int32_t y, int32_t width, int32_t height);
    void UpdateSelf() override;
    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }
    double GetFrameCounter() const { return frames_; }

  protected:
    void SetHeight(int32_t height) { height_ = height; }

  private:
    int32_t width_, height_;
    double frames_ = 0;
};

// A form the mouse drags by the strip along its top (less the close-button corner), kept on the
// screen. It must have no parent, or one at (0, 0).
class COriginalMovableForm : public COriginalBaseForm {
  public:
    COriginalMovableForm(int32_t x, int32_t y, int32_t width, int32_t height);
    void HandleInput() override;
    bool IsDragging() const { return dragging_ != 0; }
    int32_t GetGripRight() const { return gripRight_; }

  private:
    int32_t dragging_ = 0;
    int32_t grabX_ = 0, grabY_ = 0;
    int32_t minX_ = 0, minY_ = 0, maxX_ = 640, maxY_ = 480;
    int32_t gripLeft_ = 0, gripTop_ = 0, gripRight_, gripBottom_ = 32;
};

// A movable form with a title label, bright while the form is active and dim while blocked.
class CMovableFormWithTitleBar : public COriginalMovableForm {
  public:
    CMovableFormWithTitleBar(const std::string& title, int32_t x, int32_t y, int32_t width, int32_t height);
    void Draw() override;
    virtual void DrawBackground() = 0;
    virtual void DrawTitleBar() = 0;
    void SetTitle(const std::string& title);
    const std::string& GetTitle() const { return title_; }

  private:
    std::string title_;
    CSpriteTextLabel* titleLabel_;
    int32_t drawnState_ = kStateActive;
};

// The program's beige window: sizes in whole 40-pixel cells.
class CPlainBeigeForm : public CMovableFormWithTitleBar {
  public:
    CPlainBeigeForm(const std::string& title, int32_t x, int32_t y, int32_t width, int32_t height);
    void DrawBackground() override;
    void DrawTitleBar() override;
};

// The 16 x 16 close button of beige windows.
class CCommonCloseButton : public CPushButtonBase {
  public:
    CCommonCloseButton(int32_t x, int32_t y) : CPushButtonBase(x, y, 16, 16) {}
    void Draw() override;
    void OnPush() override;
};

// The 40 x 40 close button of full-screen forms.
class CBigCloseButton : public CPushButtonBase {
  public:
    CBigCloseButton(int32_t x, int32_t y) : CPushButtonBase(x, y, 40, 40) {}
    void Draw() override;
    void OnPush() override;
};

// A beige window with a close button. Derived windows subscribe the form to their buttons and
// take the pushes in OnButtonPushed; the close button goes to OnCloseButtonPushed.
class CCloseableBeigeForm : public CPlainBeigeForm, public IPushedEventHandler {
  public:
    CCloseableBeigeForm(const std::string& title, int32_t x, int32_t y, int32_t width, int32_t height);
    void OnPushed(GCButton* sender) override;
    virtual void OnButtonPushed(GCButton* sender) = 0;
    // Closes the window; dialogs record their result first.
    virtual void OnCloseButtonPushed() { Close(); }
    void HideCloseButton() { closeButton_->SetVisible(false); }
    void ShowCloseButton() { closeButton_->SetVisible(true); }
    CCommonCloseButton* GetCloseButton() const { return closeButton_; }

  private:
    CCommonCloseButton* closeButton_;
};

// A plain form that holds buttons.
class CGeneralPurposeButtonList : public COriginalBaseForm {
  public:
    using COriginalBaseForm::COriginalBaseForm;
};

// A one-of-n group: switching one toggle on switches the others off, and the selected one cannot
// be clicked off.
class CExclusiveToggleButtonList : public COriginalBaseForm,
                                   public IPushedEventHandler,
                                   public IPulledEventHandler {
  public:
    using COriginalBaseForm::COriginalBaseForm;
    template <class T>
    T* AddButton(std::unique_ptr<T> button) {
        T* raw = button.get();
        AddToggle(std::move(button));
        return raw;
    }
    // Null for an index outside 0 .. count - 1.
    CToggleButtonBase* GetButton(int32_t index);
    int32_t GetButtonCount() { return GetControls().Count(); }
    // The first button that is on, or -1.
    int32_t GetSelectedIndex();
    void OnPushed(GCButton* sender) override;
    void OnPulled(GCButton*) override {}

  private:
    void AddToggle(std::unique_ptr<CToggleButtonBase> button);
};

// The open frame of the second sheet around the rectangle, stretched in 40-pixel pieces; its
// middle is left open. Rectangles narrower or lower than 80 take the pieces' remainders.
void DrawOpenFrame(int32_t x, int32_t y, int32_t width, int32_t height);

// A form with a frame drawn over its contents; the frame's middle is left open.
class CFreeContainer : public COriginalBaseForm {
  public:
    using COriginalBaseForm::COriginalBaseForm;
    void Draw() override;
};

// An invisible handle the mouse turns around a centre between a minimum and a maximum angle.
// Subclasses draw the dial from the angle.
class CRotatablePart : public COriginalBasePart {
  public:
    CRotatablePart(int32_t x, int32_t y, double angle, double maxAngle, double minAngle, int32_t centreX,
                   int32_t centreY, double radius, double handleRadius);
    void UpdateSelf() override;
    void HandleInput() override;
    virtual void OnGrab();
    virtual void OnFocus();

    double angle;
    double GetRadius() const { return radius_; }
    int32_t GetCentreX() const { return centreX_; }
    int32_t GetCentreY() const { return centreY_; }
    bool IsHovered() const { return hover_; }
    bool IsDragging() const { return dragging_; }

  private:
    double prevAngle_, grabOffset_ = 0;
    double maxAngle_, minAngle_;
    int32_t centreX_, centreY_;
    double radius_, handleRadius_;
    bool hover_ = false, prevHover_ = false, dragging_ = false, prevDragging_ = false;
};

}  // namespace Controls
