#pragma once
// Scroll bars: a 16-pixel strip with an arrow button at each end and a grip between them. The
// value moves in whole steps between a minimum and a maximum; the arrows step it (repeating
// while held), dragging the grip sets it live and snaps the grip to the step when let go.
#include <algorithm>
#include <cstdint>

#include "controls/Buttons.h"
#include "controls/Forms.h"
#include "controls/Widget.h"

namespace Controls {

// A leaf the mouse drags inside a rectangle of the parent. The bounds given are those of the
// whole part; its position stays inside them.
class COriginalBaseMovablePart : public GCMovablePart {
  public:
    COriginalBaseMovablePart(int32_t x, int32_t y, int32_t width, int32_t height, int32_t left, int32_t top,
                             int32_t right, int32_t bottom);
    void UpdateSelf() override;
    void HandleInput() override;
    void Draw() override { DrawChildren(); }
    // The grab sounds like a button press, the hover like a button focus.
    virtual void OnPush();
    virtual void OnFocus();
    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }
    bool IsHovered() const { return hover_; }

  protected:
    void SetSize(int32_t width, int32_t height) { width_ = width, height_ = height; }

  private:
    int32_t width_, height_;
    double frames_ = 0;
    bool hover_ = false, prevHover_ = false;
};

// The grip of a bar: never shorter than 24 along its axis.
class CAbstractScrollBarGrip : public COriginalBaseMovablePart {
  public:
    static constexpr int32_t kMinLength = 24;
    using COriginalBaseMovablePart::COriginalBaseMovablePart;
    virtual int32_t GetLength() const = 0;
    virtual void SetLength(int32_t length) = 0;

  protected:
    void DrawGrip(bool vertical);
};

class CVerticalScrollBarGrip : public CAbstractScrollBarGrip {
  public:
    CVerticalScrollBarGrip(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom)
        : CAbstractScrollBarGrip(x, y, 16, kMinLength, left, top, right, bottom) {}
    void Draw() override { DrawGrip(true); }
    int32_t GetLength() const override { return GetHeight(); }
    void SetLength(int32_t length) override { SetSize(GetWidth(), std::max(length, kMinLength)); }
};

class CHorizontalScrollBarGrip : public CAbstractScrollBarGrip {
  public:
    CHorizontalScrollBarGrip(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom)
        : CAbstractScrollBarGrip(x, y, kMinLength, 16, left, top, right, bottom) {}
    void Draw() override { DrawGrip(false); }
    int32_t GetLength() const override { return GetWidth(); }
    void SetLength(int32_t length) override { SetSize(std::max(length, kMinLength), GetHeight()); }
};

// The value, its range and step, and the snapping rule.
class CScrollBarBase : public COriginalBaseForm {
  public:
    CScrollBarBase(int32_t x, int32_t y, int32_t value, int32_t maximum, int32_t minimum, int32_t step,
                   int32_t length, int32_t thickness, bool vertical);
    virtual void UpdateValueFromGrip() = 0;
    virtual void UpdateGripPosition() = 0;

    int32_t GetValue() const { return value_; }
    int32_t GetMaximum() const { return maximum_; }
    int32_t GetMinimum() const { return minimum_; }
    int32_t GetStep() const { return step_; }
    int32_t GetLength() const { return length_; }
    void SetValue(int32_t value);
    void SetMaximum(int32_t maximum);
    void SetMinimum(int32_t minimum);
    void StepForward() { SetValue(value_ + step_); }
    // From a value between steps (the maximum), the first step back lands on the step below.
    void StepBack();
    // The nearest step from the minimum (a remainder of less than half a step rounds down, half
    // or more up), within the range; the maximum itself is always reachable.
    int32_t SnapValue(int32_t value) const;

  protected:
    int32_t value_;

  private:
    int32_t maximum_, minimum_, step_, length_;
};

// What the vertical and horizontal bars share: the children, the grip mapping, input and drawing.
class CBasicScrollBar : public CScrollBarBase, public IPushedEventHandler, public IMovedEventHandler {
  public:
    void UpdateSelf() override;
    void HandleInput() override;
    void Draw() override;
    void UpdateValueFromGrip() override { SetValue(GetValueFromGrip()); }
    void UpdateGripPosition() override;
    void OnPushed(GCButton* sender) override;
    void OnMoved(GCMovablePart* sender) override;

    // The grip's top (or left) edge for the current value.
    int32_t GetGripPosition() const;
    // The value the grip's position stands for, before snapping.
    int32_t GetValueFromGrip() const;
    // A bar that is not ready neither updates, handles input nor draws.
    bool IsReady() const { return ready_; }
    void SetReady(bool ready) { ready_ = ready; }
    CAbstractScrollBarGrip* GetGrip() const { return grip_; }
    CScrollBarArrowButton* GetForwardButton() const { return forward_; }
    CScrollBarArrowButton* GetBackButton() const { return back_; }

  protected:
    CBasicScrollBar(int32_t x, int32_t y, int32_t value, int32_t maximum, int32_t minimum, int32_t step,
                    int32_t length, bool vertical);
    // Sizes the grip to the visible share (1 to 100 percent) of the track.
    void SizeGrip(double percent);

  private:
    bool vertical_;
    bool ready_ = false;
    CAbstractScrollBarGrip* grip_;
    CScrollBarArrowButton* forward_;
    CScrollBarArrowButton* back_;
};

class CBasicVerticalScrollBar : public CBasicScrollBar {
  public:
    CBasicVerticalScrollBar(int32_t x, int32_t y, int32_t value, int32_t maximum, int32_t minimum,
                            int32_t step, int32_t length)
        : CBasicScrollBar(x, y, value, maximum, minimum, step, length, true) {}
    void SetVisiblePercent(double percent) { SizeGrip(percent); }
};

class CBasicHorizontalScrollBar : public CBasicScrollBar {
  public:
    CBasicHorizontalScrollBar(int32_t x, int32_t y, int32_t value, int32_t maximum, int32_t minimum,
                              int32_t step, int32_t length)
        : CBasicScrollBar(x, y, value, maximum, minimum, step, length, false) {}
};

}  // namespace Controls
