#include "platform/headless.h"

#include "platform/png.h"

namespace plat {

HeadlessBackend::HeadlessBackend(const BackendOptions& options)
    : title_(options.title), frame_(options.width, options.height) {
    // A new window gets the focus.
    pending_.push_back(WindowEvent{WindowEventKind::Activate});
}

void HeadlessBackend::PumpEvents(std::vector<WindowEvent>& out) {
    for (auto& e : pending_) out.push_back(std::move(e));
    pending_.clear();
}

void HeadlessBackend::RequestClose() { pending_.push_back(WindowEvent{WindowEventKind::Close}); }

void HeadlessBackend::Present(const Surface& frame) {
    frame_ = frame;
    ++presents_;
}

bool HeadlessBackend::CursorPosition(int& x, int& y) const {
    x = cursorX_;
    y = cursorY_;
    return true;
}

void HeadlessBackend::ClipCursor(bool clip, int left, int top, int right, int bottom) {
    clipped_ = clip;
    clipLeft_ = left;
    clipTop_ = top;
    clipRight_ = right;
    clipBottom_ = bottom;
}

void HeadlessBackend::KeyDown(uint16_t scanCode) {
    buffers_.Push(Device::Keyboard, 0, scanCode, kButtonDown);
    WindowEvent e{WindowEventKind::KeyDown};
    e.key = scanCode;
    pending_.push_back(e);
}

void HeadlessBackend::KeyUp(uint16_t scanCode) {
    buffers_.Push(Device::Keyboard, 0, scanCode, 0);
    WindowEvent e{WindowEventKind::KeyUp};
    e.key = scanCode;
    pending_.push_back(e);
}

void HeadlessBackend::MouseMoveTo(int x, int y) {
    if (clipped_) {
        if (x < clipLeft_) x = clipLeft_;
        if (x >= clipRight_) x = clipRight_ - 1;
        if (y < clipTop_) y = clipTop_;
        if (y >= clipBottom_) y = clipBottom_ - 1;
    }
    int dx = x - cursorX_, dy = y - cursorY_;
    if (dx != 0) buffers_.Push(Device::Mouse, 0, kMouseOffsetX, static_cast<uint32_t>(dx));
    if (dy != 0) buffers_.Push(Device::Mouse, 0, kMouseOffsetY, static_cast<uint32_t>(dy));
    cursorX_ = x;
    cursorY_ = y;
    WindowEvent e{WindowEventKind::MouseMove};
    e.x = x;
    e.y = y;
    pending_.push_back(e);
}

void HeadlessBackend::MouseButton(int button, bool down) {
    if (button < 0 || button > 3) return;
    buffers_.Push(Device::Mouse, 0, kMouseOffsetButton0 + button, down ? kButtonDown : 0);
    WindowEvent e{down ? WindowEventKind::ButtonDown : WindowEventKind::ButtonUp};
    e.button = button;
    e.x = cursorX_;
    e.y = cursorY_;
    pending_.push_back(e);
}

void HeadlessBackend::MouseWheel(int delta) {
    if (delta != 0) buffers_.Push(Device::Mouse, 0, kMouseOffsetWheel, static_cast<uint32_t>(delta));
}

int HeadlessBackend::AddJoystick() {
    if (joystickCount_ >= kMaxJoysticks) return -1;
    return joystickCount_++;
}

void HeadlessBackend::JoystickButton(int joystick, int button, bool down) {
    if (joystick < 0 || joystick >= joystickCount_ || button < 0 || button > 31) return;
    buffers_.Push(Device::Joystick, joystick, kJoyOffsetButton0 + button, down ? kButtonDown : 0);
}

void HeadlessBackend::JoystickAxis(int joystick, uint32_t offset, int raw) {
    if (joystick < 0 || joystick >= joystickCount_) return;
    bool deadZone = offset == kJoyOffsetX || offset == kJoyOffsetY || offset == kJoyOffsetZ;
    buffers_.Push(Device::Joystick, joystick, offset,
                  static_cast<uint32_t>(ScaleJoystickAxis(raw, deadZone)));
}

void HeadlessBackend::SetFocus(bool focused) {
    pending_.push_back(WindowEvent{focused ? WindowEventKind::Activate : WindowEventKind::Deactivate});
}

void HeadlessBackend::Type(const std::string& utf8) {
    if (!textInput_) return;
    WindowEvent e{WindowEventKind::TextInput};
    e.text = utf8;
    pending_.push_back(e);
}

bool HeadlessBackend::WriteFramePng(const std::string& path, std::string* error) const {
    return WritePng(frame_, path, error);
}

void HeadlessBackend::RecordMessage(const std::string& title, const std::string& text) {
    messages_.emplace_back(title, text);
}

}  // namespace plat
