#include "controls/Widget.h"

#include <algorithm>

#include "controls/ControlPort.h"

namespace Controls {
namespace {
int32_t g_lastId = 0;
int32_t g_liveCount = 0;
}  // namespace

GCBase::ControlCollection::~ControlCollection() {
    for (auto& child : children_) child.reset();
}

GCBase* GCBase::ControlCollection::Add(std::unique_ptr<GCBase> child) {
    GCBase* raw = child.get();
    if (!raw) return nullptr;
    for (auto& c : children_) {
        if (c.get() == raw) {
            (void)child.release();  // already owned here
            return raw;
        }
    }
    children_.push_back(std::move(child));
    raw->parent_ = owner_;
    raw->SetState(owner_->GetState());
    return raw;
}

std::unique_ptr<GCBase> GCBase::ControlCollection::Remove(GCBase* child) {
    for (auto it = children_.begin(); it != children_.end(); ++it) {
        if (it->get() == child) {
            std::unique_ptr<GCBase> out = std::move(*it);
            children_.erase(it);
            out->parent_ = nullptr;
            return out;
        }
    }
    return nullptr;
}

GCBase::GCBase() : controls_(std::make_unique<ControlCollection>(this)), id_(++g_lastId) {
    ++g_liveCount;
    stateHandlers_.push_back(this);
}

GCBase::~GCBase() {
    --g_liveCount;
    controls_.reset();
}

int32_t GCBase::GetLiveCount() { return g_liveCount; }

void GCBase::OnStateChanged(int32_t state) {
    ControlCollection& c = *controls_;
    const int32_t count = c.Count();
    for (int32_t i = 0; i < count && i < c.Count(); ++i) c.At(i)->SetState(state);
}

void GCBase::GetAbsolutePosition(int32_t& x, int32_t& y) const {
    x = x_;
    y = y_;
    for (const GCBase* p = parent_; p; p = p->parent_) {
        x += p->x_;
        y += p->y_;
    }
}

int32_t GCBase::GetAbsoluteX() const {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    return x;
}

int32_t GCBase::GetAbsoluteY() const {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    return y;
}

void GCBase::SetState(int32_t state) {
    if (state == state_) return;
    state_ = state;
    NotifyAll(stateHandlers_, [state](IStateChangedEventHandler* h) { h->OnStateChanged(state); });
}

void GCBase::DrawChildren() {
    ControlCollection& c = *controls_;
    const int32_t count = c.Count();
    for (int32_t i = 0; i < count; ++i) {
        if (c.At(i)->IsVisible()) c.At(i)->Draw();
    }
}

void GCBase::DrawChildOverlays() {
    ControlCollection& c = *controls_;
    const int32_t count = c.Count();
    for (int32_t i = 0; i < count; ++i) {
        if (c.At(i)->IsVisible()) c.At(i)->DrawOverlay();
    }
}

void GCBase::UpdateChildren() {
    ControlCollection& c = *controls_;
    const int32_t count = c.Count();
    for (int32_t i = 0; i < count && i < c.Count(); ++i) {
        if (c.At(i)->IsVisible()) c.At(i)->Update();
    }
}

void GCPart::Update() {
    if (!IsVisible()) return;
    if (GetState() == kStateActive) HandleInput();
    UpdateSelf();
}

GCForm::~GCForm() {
    SetModalForm(nullptr);
    retired_.clear();
}

void GCForm::Update() {
    if (!IsVisible()) return;
    retired_.clear();
    if (modal_ && modal_->GetState() == kStateClosed) SetModalForm(nullptr);
    if (modal_) {
        UpdateSelf();
        // The modal form may be replaced or dropped by a handler while it updates; keep the
        // running one alive until the next update.
        GCForm* running = modal_.get();
        ++updateDepth_;
        running->Update();
        --updateDepth_;
        return;
    }
    if (GetState() == kStateActive) HandleInput();
    UpdateSelf();
}

void GCForm::Draw() {
    if (!IsVisible()) return;
    DrawChildren();
    if (modal_) modal_->Draw();
}

void GCForm::DrawOverlay() {
    if (!IsVisible()) return;
    DrawChildOverlays();
    if (modal_) modal_->DrawOverlay();
}

void GCForm::SetModalForm(std::unique_ptr<GCForm> form) {
    if (form && form.get() == modal_.get()) {
        (void)form.release();
        return;
    }
    if (!form && !modal_) return;
    SetState(form ? kStateBlocked : kStateActive);
    std::unique_ptr<GCForm> old = std::move(modal_);
    modal_ = std::move(form);
    if (old && updateDepth_ > 0) retired_.push_back(std::move(old));
}

void GCForm::Close() {
    SetState(kStateClosed);
    NotifyAll(closedHandlers_, [this](IClosedEventHandler* h) { h->OnClosed(this); });
}

void GCButton::Push() {
    OnPush();
    NotifyAll(pushedHandlers_, [this](IPushedEventHandler* h) { h->OnPushed(this); });
}

GCMovablePart::GCMovablePart(int32_t left, int32_t top, int32_t right, int32_t bottom)
    : left_(left), top_(top), right_(right), bottom_(bottom) {}

void GCMovablePart::ClampInto(int32_t x, int32_t y) {
    SetPosition(std::min(std::max(x, left_), right_), std::min(std::max(y, top_), bottom_));
}

void GCMovablePart::SetBounds(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    left_ = left, top_ = top, right_ = right, bottom_ = bottom;
    ClampInto(GetX(), GetY());
}

void GCMovablePart::BeginDrag(int32_t mouseX, int32_t mouseY) {
    if (dragging_) return;
    dragging_ = 1;
    grabX_ = GetAbsoluteX() - mouseX;
    grabY_ = GetAbsoluteY() - mouseY;
}

void GCMovablePart::DragTo(int32_t mouseX, int32_t mouseY) {
    if (!dragging_) return;
    int32_t px = 0, py = 0;
    if (GetParent()) GetParent()->GetAbsolutePosition(px, py);
    ClampInto(grabX_ + mouseX - px, grabY_ + mouseY - py);
}

void GCMovablePart::EndDrag() {
    if (!dragging_) return;
    dragging_ = 0;
    NotifyAll(movedHandlers_, [this](IMovedEventHandler* h) { h->OnMoved(this); });
}

COriginalBasePart::COriginalBasePart(int32_t x, int32_t y, int32_t width, int32_t height)
    : width_(width), height_(height) {
    SetPosition(x, y);
}

void COriginalBasePart::UpdateSelf() { frames_ += FrameStep(); }

}  // namespace Controls
