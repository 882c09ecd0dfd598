// The SDL2 window: a 640x480 client area shown at the largest integer scale that fits the
// desktop, keyboard, mouse and joysticks.
//
// A frame reaches the window one of two ways: a streaming texture drawn by SDL's renderer
// (cheap on a GPU, and it waits for the refresh), or the window's own pixel buffer filled by
// our integer scaler (far cheaper where the renderer runs on the CPU, as under a virtual
// display). The first presents time both and keep the cheaper; QUOR_PRESENT=texture or
// QUOR_PRESENT=surface settles it by hand. Where presents do not wait for the display the
// frame loop paces itself (FramePacer).
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/messagebox.h"
#include "platform/sdl_gamepad.h"

namespace plat {
namespace {

uint16_t ScanCodeOf(SDL_Scancode sc) {
    switch (sc) {
        case SDL_SCANCODE_ESCAPE:
            return kKeyEscape;
        case SDL_SCANCODE_1:
            return kKey1;
        case SDL_SCANCODE_2:
            return kKey2;
        case SDL_SCANCODE_3:
            return kKey3;
        case SDL_SCANCODE_4:
            return kKey4;
        case SDL_SCANCODE_5:
            return kKey5;
        case SDL_SCANCODE_6:
            return kKey6;
        case SDL_SCANCODE_7:
            return kKey7;
        case SDL_SCANCODE_8:
            return kKey8;
        case SDL_SCANCODE_9:
            return kKey9;
        case SDL_SCANCODE_0:
            return kKey0;
        case SDL_SCANCODE_MINUS:
            return kKeyMinus;
        case SDL_SCANCODE_EQUALS:
            return kKeyEquals;
        case SDL_SCANCODE_BACKSPACE:
            return kKeyBack;
        case SDL_SCANCODE_TAB:
            return kKeyTab;
        case SDL_SCANCODE_Q:
            return kKeyQ;
        case SDL_SCANCODE_W:
            return kKeyW;
        case SDL_SCANCODE_E:
            return kKeyE;
        case SDL_SCANCODE_R:
            return kKeyR;
        case SDL_SCANCODE_T:
            return kKeyT;
        case SDL_SCANCODE_Y:
            return kKeyY;
        case SDL_SCANCODE_U:
            return kKeyU;
        case SDL_SCANCODE_I:
            return kKeyI;
        case SDL_SCANCODE_O:
            return kKeyO;
        case SDL_SCANCODE_P:
            return kKeyP;
        case SDL_SCANCODE_LEFTBRACKET:
            return kKeyLBracket;
        case SDL_SCANCODE_RIGHTBRACKET:
            return kKeyRBracket;
        case SDL_SCANCODE_RETURN:
            return kKeyReturn;
        case SDL_SCANCODE_LCTRL:
            return kKeyLControl;
        case SDL_SCANCODE_A:
            return kKeyA;
        case SDL_SCANCODE_S:
            return kKeyS;
        case SDL_SCANCODE_D:
            return kKeyD;
        case SDL_SCANCODE_F:
            return kKeyF;
        case SDL_SCANCODE_G:
            return kKeyG;
        case SDL_SCANCODE_H:
            return kKeyH;
        case SDL_SCANCODE_J:
            return kKeyJ;
        case SDL_SCANCODE_K:
            return kKeyK;
        case SDL_SCANCODE_L:
            return kKeyL;
        case SDL_SCANCODE_SEMICOLON:
            return kKeySemicolon;
        case SDL_SCANCODE_APOSTROPHE:
            return kKeyApostrophe;
        case SDL_SCANCODE_GRAVE:
            return kKeyGrave;
        case SDL_SCANCODE_LSHIFT:
            return kKeyLShift;
        case SDL_SCANCODE_BACKSLASH:
            return kKeyBackslash;
        case SDL_SCANCODE_Z:
            return kKeyZ;
        case SDL_SCANCODE_X:
            return kKeyX;
        case SDL_SCANCODE_C:
            return kKeyC;
        case SDL_SCANCODE_V:
            return kKeyV;
        case SDL_SCANCODE_B:
            return kKeyB;
        case SDL_SCANCODE_N:
            return kKeyN;
        case SDL_SCANCODE_M:
            return kKeyM;
        case SDL_SCANCODE_COMMA:
            return kKeyComma;
        case SDL_SCANCODE_PERIOD:
            return kKeyPeriod;
        case SDL_SCANCODE_SLASH:
            return kKeySlash;
        case SDL_SCANCODE_RSHIFT:
            return kKeyRShift;
        case SDL_SCANCODE_KP_MULTIPLY:
            return kKeyMultiply;
        case SDL_SCANCODE_LALT:
            return kKeyLMenu;
        case SDL_SCANCODE_SPACE:
            return kKeySpace;
        case SDL_SCANCODE_CAPSLOCK:
            return kKeyCapital;
        case SDL_SCANCODE_F1:
            return kKeyF1;
        case SDL_SCANCODE_F2:
            return kKeyF2;
        case SDL_SCANCODE_F3:
            return kKeyF3;
        case SDL_SCANCODE_F4:
            return kKeyF4;
        case SDL_SCANCODE_F5:
            return kKeyF5;
        case SDL_SCANCODE_F6:
            return kKeyF6;
        case SDL_SCANCODE_F7:
            return kKeyF7;
        case SDL_SCANCODE_F8:
            return kKeyF8;
        case SDL_SCANCODE_F9:
            return kKeyF9;
        case SDL_SCANCODE_F10:
            return kKeyF10;
        case SDL_SCANCODE_NUMLOCKCLEAR:
            return kKeyNumLock;
        case SDL_SCANCODE_SCROLLLOCK:
            return kKeyScroll;
        case SDL_SCANCODE_KP_7:
            return kKeyNumpad7;
        case SDL_SCANCODE_KP_8:
            return kKeyNumpad8;
        case SDL_SCANCODE_KP_9:
            return kKeyNumpad9;
        case SDL_SCANCODE_KP_MINUS:
            return kKeySubtract;
        case SDL_SCANCODE_KP_4:
            return kKeyNumpad4;
        case SDL_SCANCODE_KP_5:
            return kKeyNumpad5;
        case SDL_SCANCODE_KP_6:
            return kKeyNumpad6;
        case SDL_SCANCODE_KP_PLUS:
            return kKeyAdd;
        case SDL_SCANCODE_KP_1:
            return kKeyNumpad1;
        case SDL_SCANCODE_KP_2:
            return kKeyNumpad2;
        case SDL_SCANCODE_KP_3:
            return kKeyNumpad3;
        case SDL_SCANCODE_KP_0:
            return kKeyNumpad0;
        case SDL_SCANCODE_KP_PERIOD:
            return kKeyDecimal;
        case SDL_SCANCODE_F11:
            return kKeyF11;
        case SDL_SCANCODE_F12:
            return kKeyF12;
        case SDL_SCANCODE_KP_ENTER:
            return kKeyNumpadEnter;
        case SDL_SCANCODE_RCTRL:
            return kKeyRControl;
        case SDL_SCANCODE_KP_DIVIDE:
            return kKeyDivide;
        case SDL_SCANCODE_RALT:
            return kKeyRMenu;
        case SDL_SCANCODE_HOME:
            return kKeyHome;
        case SDL_SCANCODE_UP:
            return kKeyUp;
        case SDL_SCANCODE_PAGEUP:
            return kKeyPrior;
        case SDL_SCANCODE_LEFT:
            return kKeyLeft;
        case SDL_SCANCODE_RIGHT:
            return kKeyRight;
        case SDL_SCANCODE_END:
            return kKeyEnd;
        case SDL_SCANCODE_DOWN:
            return kKeyDown;
        case SDL_SCANCODE_PAGEDOWN:
            return kKeyNext;
        case SDL_SCANCODE_INSERT:
            return kKeyInsert;
        case SDL_SCANCODE_DELETE:
            return kKeyDelete;
        default:
            return 0;
    }
}

class SdlBackend final : public Backend {
  public:
    ~SdlBackend() override {
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
        if (videoInit_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool Open(const BackendOptions& options, std::string& error) {
        width_ = options.width;
        height_ = options.height;
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            error = SDL_GetError();
            return false;
        }
        videoInit_ = true;
        // Without a display SDL falls back to drivers that show nothing: that is no window.
        const char* driver = SDL_GetCurrentVideoDriver();
        if (!driver || SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0) {
            error = std::string("SDL has only the video driver ") + (driver ? driver : "none");
            return false;
        }
        SDL_Rect usable{0, 0, width_, height_};
        if (SDL_GetDisplayUsableBounds(0, &usable) != 0) SDL_GetDisplayBounds(0, &usable);
        scale_ =
            options.scale > 0 ? options.scale : std::max(1, std::min(usable.w / width_, usable.h / height_));
        window_ = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   width_ * scale_, height_ * scale_, SDL_WINDOW_SHOWN);
        if (!window_) {
            error = SDL_GetError();
            return false;
        }
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        // The window's buffer straight from the display server (shared memory on X11), not
        // SDL's own texture behind it: that is the whole point of the second path.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        PresentPath forced = options.presentPath;
        if (const char* env = std::getenv("QUOR_PRESENT")) {
            if (std::strcmp(env, "texture") == 0) forced = PresentPath::Texture;
            if (std::strcmp(env, "surface") == 0) forced = PresentPath::Surface;
        }
        if (forced != PresentPath::Auto) chooser_.Settle(forced);
        if (!UsePath(chooser_.Current())) {
            // Only one way works on this window: that one, without timing.
            chooser_.Settle(chooser_.Current() == PresentPath::Texture ? PresentPath::Surface
                                                                       : PresentPath::Texture);
            if (!UsePath(chooser_.Current())) {
                error = SDL_GetError();
                return false;
            }
        }
        // Without the joystick layer the game still runs on keyboard and mouse.
        if (gamepads_.Start()) joystickCount_ = gamepads_.Count();
        SDL_StopTextInput();
        SDL_Window* window = window_;
        SetMessageBoxHandler([window](const std::string& title, const std::string& text) {
            if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title.c_str(), text.c_str(), window) != 0) {
                std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
            }
        });
        return true;
    }

    bool IsHeadless() const override { return false; }
    void SetTitle(const std::string& title) override { SDL_SetWindowTitle(window_, title.c_str()); }
    std::string Title() const override { return SDL_GetWindowTitle(window_); }

    void PumpEvents(std::vector<WindowEvent>& out) override {
        if (closeRequested_) {
            closeRequested_ = false;
            out.push_back(WindowEvent{WindowEventKind::Close});
        }
        SDL_Event ev;
        while (SDL_PollEvent(&ev)) Translate(ev, out);
    }

    void RequestClose() override { closeRequested_ = true; }

    void Present(const Surface& frame) override {
        if (frame.width != width_ || frame.height != height_) return;
        const double before = chooser_.Decided() ? 0.0 : ProcessCpuMs();
        bool shown = path_ == PresentPath::Texture ? PresentTexture(frame) : PresentSurface(frame);
        if (!shown) {
            // The path broke (a lost window buffer): the other one from now on.
            const PresentPath other =
                path_ == PresentPath::Texture ? PresentPath::Surface : PresentPath::Texture;
            if (UsePath(other)) chooser_.Settle(other);
            return;
        }
        if (chooser_.Decided()) return;
        chooser_.Record(ProcessCpuMs() - before);
        const PresentPath was = path_;
        if (chooser_.Current() != was && !UsePath(chooser_.Current())) {
            UsePath(was);
            chooser_.Settle(was);
        }
    }

    uint32_t FrameWaitMs() override { return pacer_.AfterPresent(); }
    PresentPath CurrentPresentPath() const override { return path_; }

    bool CursorPosition(int& x, int& y) const override {
        // Over the window, the position SDL tracks from the window's own pointer events is the
        // reliable one (the global state can lag behind on X11); elsewhere ask the desktop.
        if (SDL_GetMouseFocus() == window_) {
            int mx = 0, my = 0;
            SDL_GetMouseState(&mx, &my);
            ToClient(mx, my, x, y);
            return true;
        }
        int gx = 0, gy = 0, wx = 0, wy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        SDL_GetWindowPosition(window_, &wx, &wy);
        ToClient(gx - wx, gy - wy, x, y);
        return true;
    }

    // The game hides the system cursor over its picture and draws its own; a window without
    // the focus does not draw it, so there the system cursor shows.
    void ShowSystemCursor(bool shown) override {
        cursorWanted_ = shown;
        ApplyCursor();
    }

    void ClipCursor(bool clip, int left, int top, int right, int bottom) override {
        if (!clip) {
            SDL_SetWindowMouseRect(window_, nullptr);
            return;
        }
        int s = WindowScale();
        SDL_Rect r{left * s, top * s, std::max(1, (right - left) * s), std::max(1, (bottom - top) * s)};
        SDL_SetWindowMouseRect(window_, &r);
    }

    void SetTextInput(bool enabled) override {
        if (enabled) {
            SDL_StartTextInput();
        } else {
            SDL_StopTextInput();
        }
    }

    int BitsPerPixel() const override {
        SDL_DisplayMode mode;
        if (SDL_GetCurrentDisplayMode(0, &mode) != 0) return 32;
        int bpp = SDL_BITSPERPIXEL(mode.format);
        return bpp == 24 ? 32 : bpp;
    }

  private:
    void ApplyCursor() { SDL_ShowCursor(cursorWanted_ || !focused_ ? SDL_ENABLE : SDL_DISABLE); }

    void DropRenderer() {
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        texture_ = nullptr;
        renderer_ = nullptr;
    }

    // Moves presenting to `path`; false (and nothing set up) when the window refuses it.
    bool UsePath(PresentPath path) {
        DropRenderer();
        path_ = path;
        if (path == PresentPath::Surface) {
            if (!SDL_GetWindowSurface(window_)) return false;
            pacer_.SetVsync(false, 0);
            return true;
        }
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (renderer_) {
            texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                         width_, height_);
        }
        if (!texture_) {
            DropRenderer();
            return false;
        }
        SDL_RendererInfo info{};
        SDL_GetRendererInfo(renderer_, &info);
        SDL_DisplayMode mode{};
        const int display = SDL_GetWindowDisplayIndex(window_);
        const int refresh =
            SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 ? mode.refresh_rate : 0;
        pacer_.SetVsync((info.flags & SDL_RENDERER_PRESENTVSYNC) != 0, refresh);
        return true;
    }

    bool PresentTexture(const Surface& frame) {
        if (!texture_) return false;
        SDL_UpdateTexture(texture_, nullptr, frame.pixels.data(), width_ * 4);
        int ow = 0, oh = 0;
        SDL_GetRendererOutputSize(renderer_, &ow, &oh);
        int s = std::max(1, std::min(ow / width_, oh / height_));
        SDL_Rect dst{(ow - width_ * s) / 2, (oh - height_ * s) / 2, width_ * s, height_ * s};
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
        SDL_RenderPresent(renderer_);
        return true;
    }

    bool PresentSurface(const Surface& frame) {
        SDL_Surface* out = SDL_GetWindowSurface(window_);
        if (!out) return false;
        const int s = std::max(1, std::min(out->w / width_, out->h / height_));
        SDL_Rect dst{(out->w - width_ * s) / 2, (out->h - height_ * s) / 2, width_ * s, height_ * s};
        if (dst.x > 0 || dst.y > 0) SDL_FillRect(out, nullptr, 0);
        const SDL_PixelFormat* f = out->format;
        const bool direct = f->BytesPerPixel == 4 && f->Rmask == 0xFF0000u && f->Gmask == 0xFF00u &&
                            f->Bmask == 0xFFu && out->w >= width_ && out->h >= height_;
        if (SDL_MUSTLOCK(out)) SDL_LockSurface(out);
        if (direct) {
            auto* origin =
                static_cast<uint8_t*>(out->pixels) + static_cast<size_t>(dst.y) * out->pitch + dst.x * 4;
            ScaleFrame(frame, s, reinterpret_cast<uint32_t*>(origin), static_cast<size_t>(out->pitch) / 4);
        }
        if (SDL_MUSTLOCK(out)) SDL_UnlockSurface(out);
        if (!direct) {
            // Any other window format: SDL converts and scales.
            SDL_Surface* src =
                SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(frame.pixels.data()), width_,
                                                   height_, 32, width_ * 4, SDL_PIXELFORMAT_ARGB8888);
            if (!src) return false;
            SDL_BlitScaled(src, nullptr, out, &dst);
            SDL_FreeSurface(src);
        }
        return SDL_UpdateWindowSurface(window_) == 0;
    }

    int WindowScale() const {
        int ww = 0, wh = 0;
        SDL_GetWindowSize(window_, &ww, &wh);
        return std::max(1, std::min(ww / width_, wh / height_));
    }

    // Window pixels to client pixels of the 640x480 picture.
    void ToClient(int wx, int wy, int& x, int& y) const {
        int ww = 0, wh = 0;
        SDL_GetWindowSize(window_, &ww, &wh);
        int s = WindowScale();
        int ox = (ww - width_ * s) / 2, oy = (wh - height_ * s) / 2;
        int dx = wx - ox, dy = wy - oy;
        x = dx >= 0 ? dx / s : (dx - s + 1) / s;
        y = dy >= 0 ? dy / s : (dy - s + 1) / s;
    }

    void Translate(const SDL_Event& ev, std::vector<WindowEvent>& out) {
        if (gamepads_.Handle(ev)) {
            joystickCount_ = gamepads_.Count();
            return;
        }
        switch (ev.type) {
            case SDL_QUIT:
                out.push_back(WindowEvent{WindowEventKind::Close});
                break;
            case SDL_WINDOWEVENT:
                if (ev.window.event == SDL_WINDOWEVENT_CLOSE) {
                    out.push_back(WindowEvent{WindowEventKind::Close});
                } else if (ev.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                    focused_ = true;
                    ApplyCursor();
                    out.push_back(WindowEvent{WindowEventKind::Activate});
                } else if (ev.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                    focused_ = false;
                    ApplyCursor();
                    out.push_back(WindowEvent{WindowEventKind::Deactivate});
                }
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                uint16_t code = ScanCodeOf(ev.key.keysym.scancode);
                if (code == 0) break;
                bool down = ev.type == SDL_KEYDOWN;
                if (!ev.key.repeat) buffers_.Push(Device::Keyboard, 0, code, down ? kButtonDown : 0);
                WindowEvent e{down ? WindowEventKind::KeyDown : WindowEventKind::KeyUp};
                e.key = code;
                out.push_back(e);
                break;
            }
            case SDL_TEXTINPUT: {
                WindowEvent e{WindowEventKind::TextInput};
                e.text = ev.text.text;
                out.push_back(e);
                break;
            }
            case SDL_MOUSEMOTION: {
                lastMotionX_ = ev.motion.x;
                lastMotionY_ = ev.motion.y;
                if (ev.motion.xrel != 0)
                    buffers_.Push(Device::Mouse, 0, kMouseOffsetX, static_cast<uint32_t>(ev.motion.xrel));
                if (ev.motion.yrel != 0)
                    buffers_.Push(Device::Mouse, 0, kMouseOffsetY, static_cast<uint32_t>(ev.motion.yrel));
                WindowEvent e{WindowEventKind::MouseMove};
                ToClient(ev.motion.x, ev.motion.y, e.x, e.y);
                out.push_back(e);
                break;
            }
            case SDL_MOUSEWHEEL:
                if (ev.wheel.y != 0) {
                    // One notch is 120 units, upwards positive.
                    buffers_.Push(Device::Mouse, 0, kMouseOffsetWheel,
                                  static_cast<uint32_t>(ev.wheel.y * 120));
                }
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                int button = -1;
                switch (ev.button.button) {
                    case SDL_BUTTON_LEFT:
                        button = 0;
                        break;
                    case SDL_BUTTON_RIGHT:
                        button = 1;
                        break;
                    case SDL_BUTTON_MIDDLE:
                        button = 2;
                        break;
                    case SDL_BUTTON_X1:
                        button = 3;
                        break;
                    default:
                        break;
                }
                if (button < 0) break;
                bool down = ev.type == SDL_MOUSEBUTTONDOWN;
                // Touch screens, tablets and remote desktops can click where no motion was
                // reported: record the move first so the click lands where the pointer is.
                if (ev.button.x != lastMotionX_ || ev.button.y != lastMotionY_) {
                    if (ev.button.x != lastMotionX_)
                        buffers_.Push(Device::Mouse, 0, kMouseOffsetX,
                                      static_cast<uint32_t>(ev.button.x - lastMotionX_));
                    if (ev.button.y != lastMotionY_)
                        buffers_.Push(Device::Mouse, 0, kMouseOffsetY,
                                      static_cast<uint32_t>(ev.button.y - lastMotionY_));
                    lastMotionX_ = ev.button.x;
                    lastMotionY_ = ev.button.y;
                }
                buffers_.Push(Device::Mouse, 0, kMouseOffsetButton0 + button, down ? kButtonDown : 0);
                WindowEvent e{down ? WindowEventKind::ButtonDown : WindowEventKind::ButtonUp};
                e.button = button;
                ToClient(ev.button.x, ev.button.y, e.x, e.y);
                out.push_back(e);
                if (down && ev.button.clicks == 2) {
                    e.kind = WindowEventKind::DoubleClick;
                    out.push_back(e);
                }
                break;
            }
            default:
                break;
        }
    }

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    Gamepads gamepads_{buffers_};
    int width_ = 640, height_ = 480, scale_ = 1;
    bool closeRequested_ = false;
    bool videoInit_ = false;
    int lastMotionX_ = -1, lastMotionY_ = -1;  // window pixels of the last reported pointer move
    PresentPath path_ = PresentPath::Texture;
    PresentPathChooser chooser_;
    FramePacer pacer_;
    bool cursorWanted_ = true, focused_ = true;
};

}  // namespace

uint16_t SdlScancodeToKey(int sdlScancode) { return ScanCodeOf(static_cast<SDL_Scancode>(sdlScancode)); }

std::unique_ptr<Backend> CreateSdlBackend(const BackendOptions& options, std::string& error) {
    auto backend = std::make_unique<SdlBackend>();
    if (!backend->Open(options, error)) return nullptr;
    return backend;
}

}  // namespace plat
