#pragma once
// The widget tree: every window, panel, label and button of the program is a node under one root
// form per screen. Once a frame the screen calls the root's Update and, in its 2-D pass, its
// Draw; input is polled by the widgets themselves in HandleInput, which runs only while a widget
// is active. A form blocks itself and its whole subtree by opening a modal form, which alone
// handles input until it closes.
//
// Ownership: a parent owns its children (its control collection) and a form owns its modal form;
// both are handed over as std::unique_ptr. Handler lists never own their handlers.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Controls {

class GCBase;
class GCButton;
class GCForm;
class GCMovablePart;

// Widget states.
inline constexpr int kStateActive = 0;
inline constexpr int kStateBlocked = 1;  // a modal form is open above it
inline constexpr int kStateClosed = 2;

// The one-operation event interfaces. Senders pass themselves first.
class IStateChangedEventHandler {
  public:
    virtual ~IStateChangedEventHandler() = default;
    virtual void OnStateChanged(int32_t state) = 0;
};
class IPushedEventHandler {
  public:
    virtual ~IPushedEventHandler() = default;
    virtual void OnPushed(GCButton* sender) = 0;
};
class IPulledEventHandler {
  public:
    virtual ~IPulledEventHandler() = default;
    virtual void OnPulled(GCButton* sender) = 0;
};
class IFocusedEventHandler {
  public:
    virtual ~IFocusedEventHandler() = default;
    virtual void OnFocused(GCButton* sender) = 0;
};
class IUnFocusedEventHandler {
  public:
    virtual ~IUnFocusedEventHandler() = default;
    // `flag` is 0 when the mouse left the button.
    virtual void OnUnFocused(GCButton* sender, int32_t flag) = 0;
};
class IMovedEventHandler {
  public:
    virtual ~IMovedEventHandler() = default;
    virtual void OnMoved(GCMovablePart* sender) = 0;
};
class IClosedEventHandler {
  public:
    virtual ~IClosedEventHandler() = default;
    virtual void OnClosed(GCForm* sender) = 0;
};
class IStringInputedEventHandler {
  public:
    virtual ~IStringInputedEventHandler() = default;
    // `text` is one typed text (UTF-8); a true `romaji` asks for romaji-to-kana conversion.
    virtual void OnStringInputed(const std::string& text, bool romaji) = 0;
};

// Calls `fire` on every handler of the list in order. The count is taken once, so handlers that
// subscribe during the walk are reached from the next event on.
template <class Handler, class Fire>
void NotifyAll(const std::vector<Handler*>& handlers, Fire fire) {
    const size_t count = handlers.size();
    for (size_t i = 0; i < count; ++i) fire(handlers[i]);
}

class GCBase : public IStateChangedEventHandler {
  public:
    // The children of a widget, owned, in drawing order.
    class ControlCollection {
      public:
        explicit ControlCollection(GCBase* owner) : owner_(owner) {}
        // Deletes the children in index order.
        ~ControlCollection();
        ControlCollection(const ControlCollection&) = delete;
        ControlCollection& operator=(const ControlCollection&) = delete;

        // Appends the child, makes the owner its parent and gives it the owner's state. A child
        // that is already in the list stays where it is.
        GCBase* Add(std::unique_ptr<GCBase> child);
        // Takes the child out (the later ones move up) and hands it back; null when it is not here.
        std::unique_ptr<GCBase> Remove(GCBase* child);
        int32_t Count() const { return int32_t(children_.size()); }
        GCBase* At(int32_t index) const { return children_[size_t(index)].get(); }

      private:
        GCBase* owner_;
        std::vector<std::unique_ptr<GCBase>> children_;
    };

    GCBase();
    ~GCBase() override;
    GCBase(const GCBase&) = delete;
    GCBase& operator=(const GCBase&) = delete;

    // Sets `state` on every child (each widget listens to itself first).
    void OnStateChanged(int32_t state) override;
    virtual ControlCollection& GetControls() { return *controls_; }
    virtual void Update() = 0;
    virtual void UpdateSelf() {}
    virtual void HandleInput() {}
    virtual void Draw() {}
    virtual void DrawOverlay() {}
    virtual bool IsVisible() const { return visible_; }
    virtual void SetVisible(bool visible) { visible_ = visible; }

    void SetX(int32_t x) { x_ = x; }
    void SetY(int32_t y) { y_ = y; }
    void SetPosition(int32_t x, int32_t y) { x_ = x, y_ = y; }
    int32_t GetX() const { return x_; }
    int32_t GetY() const { return y_; }
    // The screen position: the own position added to the parents' up to the root.
    void GetAbsolutePosition(int32_t& x, int32_t& y) const;
    int32_t GetAbsoluteX() const;
    int32_t GetAbsoluteY() const;

    int32_t GetState() const { return state_; }
    // Stores the state and tells every listener, in order; nothing happens when it is unchanged.
    void SetState(int32_t state);
    GCBase* GetParent() const { return parent_; }
    int32_t GetId() const { return id_; }
    static int32_t GetLiveCount();
    void AddStateChangedEventHandler(IStateChangedEventHandler* handler) {
        stateHandlers_.push_back(handler);
    }

    GCBase* GetThirdControl() { return controls_->Count() > 2 ? controls_->At(2) : nullptr; }

  protected:
    // Draws or updates the visible children in index order, the count taken once.
    void DrawChildren();
    void DrawChildOverlays();
    void UpdateChildren();

  private:
    friend class ControlCollection;
    std::vector<IStateChangedEventHandler*> stateHandlers_;
    int32_t x_ = 0, y_ = 0;
    int32_t state_ = kStateActive;
    GCBase* parent_ = nullptr;
    std::unique_ptr<ControlCollection> controls_;
    int32_t id_;
    bool visible_ = true;
};

// A leaf: polls the mouse while active, animates in every state, draws its children.
class GCPart : public GCBase {
  public:
    void Update() override;
    void Draw() override { DrawChildren(); }
};

// A container with an optional modal form over it.
class GCForm : public GCBase {
  public:
    ~GCForm() override;
    void Update() override;
    void UpdateSelf() override { UpdateChildren(); }
    void Draw() override;
    void DrawOverlay() override;

    // Opens `form` over this one (state 1 for this form and its subtree) or, with null, returns
    // to state 0. The previous modal form is deleted; while this form's update is running (a
    // handler inside the modal form replaced or dropped it) the deletion waits for the next
    // update, so no form is deleted under its own update.
    void SetModalForm(std::unique_ptr<GCForm> form);
    template <class T>
    T* OpenModal(std::unique_ptr<T> form) {
        T* raw = form.get();
        SetModalForm(std::move(form));
        return raw;
    }
    GCForm* GetModalForm() const { return modal_.get(); }
    // State 2, then the closed handlers. The owner deletes the form at its next update.
    void Close();
    void AddClosedEventHandler(IClosedEventHandler* handler) { closedHandlers_.push_back(handler); }
    template <class T>
    T* AddControl(std::unique_ptr<T> child) {
        T* raw = child.get();
        GetControls().Add(std::move(child));
        return raw;
    }
    GCBase* GetFirstControl() { return GetControls().Count() > 0 ? GetControls().At(0) : nullptr; }
    GCBase* GetSecondControl() { return GetControls().Count() > 1 ? GetControls().At(1) : nullptr; }

  private:
    std::vector<IClosedEventHandler*> closedHandlers_;
    std::unique_ptr<GCForm> modal_;
    std::vector<std::unique_ptr<GCForm>> retired_;
    int updateDepth_ = 0;
};

// The source of Push events.
class GCButton : public GCPart {
  public:
    // OnPush, then every pushed handler in order.
    void Push();
    void AddPushedEventHandler(IPushedEventHandler* handler) { pushedHandlers_.push_back(handler); }
    virtual void OnPush() {}

  private:
    std::vector<IPushedEventHandler*> pushedHandlers_;
};

// A leaf that its subclasses drag with the mouse inside bounds given in the parent's coordinates.
class GCMovablePart : public GCPart {
  public:
    GCMovablePart(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void SetBounds(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void BeginDrag(int32_t mouseX, int32_t mouseY);
    void DragTo(int32_t mouseX, int32_t mouseY);
    // Ends a running drag and tells the moved handlers.
    void EndDrag();
    bool IsDragging() const { return dragging_ != 0; }
    void AddMovedEventHandler(IMovedEventHandler* handler) { movedHandlers_.push_back(handler); }

  private:
    void ClampInto(int32_t x, int32_t y);
    std::vector<IMovedEventHandler*> movedHandlers_;
    int32_t dragging_ = 0;
    int32_t grabX_ = 0, grabY_ = 0;
    int32_t left_, top_, right_, bottom_;
};

// A leaf with a size and a frame counter: the base of labels, pictures and display parts.
class COriginalBasePart : public GCPart {
  public:
    COriginalBasePart() : COriginalBasePart(0, 0, 40, 40) {}
    COriginalBasePart(int32_t x, int32_t y, int32_t width, int32_t height);
    void UpdateSelf() override;
    int32_t GetWidth() const { return width_; }
    int32_t GetHeight() const { return height_; }
    void SetSize(int32_t width, int32_t height) { width_ = width, height_ = height; }
    double GetFrameCounter() const { return frames_; }

  private:
    int32_t width_, height_;
    double frames_ = 0;
};

}  // namespace Controls
