#pragma once
// The headless backend: no window and no audio device. The caller scripts the input (tests,
// replays); message boxes go to stderr and never block; each presented frame is kept as pixels.
#include <string>
#include <utility>
#include <vector>

#include "platform/backend.h"

namespace plat {

class HeadlessBackend final : public Backend {
  public:
    explicit HeadlessBackend(const BackendOptions& options);

    bool IsHeadless() const override { return true; }
    void SetTitle(const std::string& title) override { title_ = title; }
    std::string Title() const override { return title_; }
    void PumpEvents(std::vector<WindowEvent>& out) override;
    void RequestClose() override;
    void Present(const Surface& frame) override;
    bool CursorPosition(int& x, int& y) const override;
    void ShowSystemCursor(bool shown) override { cursorShown_ = shown; }
    void ClipCursor(bool clip, int left, int top, int right, int bottom) override;
    void SetTextInput(bool enabled) override { textInput_ = enabled; }

    // Scripted input. Each call buffers the device record(s) and queues the window message.
    void KeyDown(uint16_t scanCode);
    void KeyUp(uint16_t scanCode);
    void MouseMoveTo(int x, int y);           // relative X/Y records and the cursor position
    void MouseButton(int button, bool down);  // 0 left, 1 right, 2 middle, 3 extra
    void MouseWheel(int delta);
    int AddJoystick();  // index of the new joystick (at most 16)
    void JoystickButton(int joystick, int button, bool down);
    void JoystickAxis(int joystick, uint32_t offset, int raw);  // raw -32768..32767
    void SetJoystickBroken(int joystick, bool broken) { buffers_.SetBroken(joystick, broken); }
    void SetFocus(bool focused);         // queues Activate / Deactivate
    void Type(const std::string& utf8);  // queues TextInput

    // The last presented frame and the number of presents.
    const Surface& Frame() const { return frame_; }
    int PresentCount() const { return presents_; }
    bool WriteFramePng(const std::string& path, std::string* error = nullptr) const;

    // Message boxes shown so far (title, text).
    const std::vector<std::pair<std::string, std::string>>& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }
    void RecordMessage(const std::string& title, const std::string& text);

    bool SystemCursorShown() const { return cursorShown_; }
    bool TextInputEnabled() const { return textInput_; }
    bool CursorClipped() const { return clipped_; }

  private:
    std::string title_;
    std::vector<WindowEvent> pending_;
    Surface frame_;
    int presents_ = 0;
    int cursorX_ = 0, cursorY_ = 0;
    bool cursorShown_ = true, textInput_ = false, clipped_ = false;
    int clipLeft_ = 0, clipTop_ = 0, clipRight_ = 0, clipBottom_ = 0;
    std::vector<std::pair<std::string, std::string>> messages_;
};

// The running backend when it is the headless one, else null.
HeadlessBackend* CurrentHeadless();

}  // namespace plat
