// A test frame of the draw layer: colour-keyed blits, clipping, lines, rectangles, circles and
// text on the 640x480 back buffer, shown in the SDL window until it is closed (or Escape), or,
// with --headless --out DIR, written to DIR/eldemo.png.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "platform/headless.h"

namespace {

// A 48x48 ball on a pure green (transparent) background.
int MakeBall(uint32_t rgb) {
    int slot = elDraw::CreateObject(48, 48, 2);
    plat::Surface* s = elDraw::GetObjectSurface(slot);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            double dx = x - 23.5, dy = y - 23.5, d = std::sqrt(dx * dx + dy * dy);
            if (d > 22) {
                s->Row(y)[x] = 0xFF00FF00u;
                continue;
            }
            double light = 1.0 - 0.6 * std::sqrt(((x - 16) * (x - 16) + (y - 14) * (y - 14)) / 1100.0);
            uint32_t r = uint32_t(((rgb >> 16) & 0xFF) * light), g = uint32_t(((rgb >> 8) & 0xFF) * light),
                     b = uint32_t((rgb & 0xFF) * light);
            s->Row(y)[x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    return slot;
}

// A 640x480 backdrop: a vertical gradient with a faint grid.
int MakeBackdrop() {
    int slot = elDraw::CreateObject(640, 480, 2);
    plat::Surface* s = elDraw::GetObjectSurface(slot);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            uint32_t c = 0xFF000000u | uint32_t(20 + y / 8) << 8 | uint32_t(60 + y / 4);
            if (x % 32 == 0 || y % 32 == 0) c += 0x00101010u;
            s->Row(y)[x] = c;
        }
    }
    return slot;
}

void DrawFrame(int backdrop, const std::vector<int>& balls, int tick) {
    elDraw::ClearScreen();
    elDraw::SetClip(0, 0, 640, 480);
    elDraw::PutObject(0, 0, backdrop, 0, 0, 640, 480);
    // Balls on a circle; the clip rectangle cuts the lower half of the frame.
    elDraw::SetClip(0, 0, 640, 400);
    for (size_t i = 0; i < balls.size() * 3; ++i) {
        double a = tick * 0.02 + i * 6.283185 / (balls.size() * 3);
        int x = 320 + int(200 * std::cos(a)) - 24, y = 220 + int(170 * std::sin(a)) - 24;
        elDraw::PutObject(x, y, balls[i % balls.size()], 0, 0, 48, 48);
    }
    // A ball half off the screen: nothing is written outside the back buffer.
    elDraw::PutObject(-24, 100, balls[0], 0, 0, 48, 48);
    elDraw::SetClip(0, 0, 640, 480);
    elDraw::DrawLine(0, 400, 640, 400, 0xFFFFFF, 1);
    for (int w = 1; w <= 5; ++w) elDraw::DrawLine(20 + w * 40, 420, 40 + w * 40, 470, 0x00FFFF, w);
    elDraw::DrawRect(280, 415, 380, 470, 0x402000, 0x00C0FF, 2);
    elDraw::DrawArc(450, 442, 25, 0xFF80FF, 1);
    elDraw::DrawArc(530, 442, 25, 0x80FFFF, 4);
    DrawRectOutline(8, 8, 631, 471, 255, 255, 255, 1);
    DrawText("Quorvald el demo", 20, 16, 620, 60, 255, 255, 255, "標準ゴシック", 16, 1, false, 0);
    DrawText("テスト表示", 20, 40, 620, 90, 255, 220, 120, "標準ゴシック", 14, 0, true, 0);
}

}  // namespace

int main(int argc, char** argv) {
    bool headless = plat::HeadlessRequested(argc, argv);
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) out = argv[++i];
    }
    elSystem::Reset();
    elSystem::OpenWindow("Quorvald el demo", 640, 480, headless);
    if (!elDraw::Screen(640, 480, 1)) return 1;
    elSystem::Activate(true);
    elDraw::SetColorKey(0x00FF00);
    int backdrop = MakeBackdrop();
    std::vector<int> balls = {MakeBall(0xE04040), MakeBall(0x40C040), MakeBall(0x4060E0), MakeBall(0xE0C040)};

    if (plat::HeadlessBackend* h = plat::CurrentHeadless()) {
        DrawFrame(backdrop, balls, 0);
        elDraw::Present();
        int rc = 0;
        if (!out.empty()) {
            std::string path = out + "/eldemo.png", error;
            if (h->WriteFramePng(path, &error)) {
                std::printf("%s\n", path.c_str());
            } else {
                std::fprintf(stderr, "%s\n", error.c_str());
                rc = 1;
            }
        }
        elSystem::End();
        return rc;
    }

    bool running = true;
    for (int tick = 0; running; ++tick) {
        std::vector<plat::WindowEvent> events;
        elSystem::PumpMessages(events);
        for (const auto& e : events) {
            if (e.kind == plat::WindowEventKind::Close) running = false;
            if (e.kind == plat::WindowEventKind::KeyDown && e.key == plat::kKeyEscape) running = false;
            if (e.kind == plat::WindowEventKind::Activate) elSystem::Activate(true);
            if (e.kind == plat::WindowEventKind::Deactivate) elSystem::Activate(false);
        }
        elSystem::UpdateSystemCursor();
        DrawFrame(backdrop, balls, tick);
        // The cursor: a cross at the mouse position mapped back to 640x480.
        const elSystem::WindowMouse& m = elSystem::GetWindowMouse();
        elDraw::DrawLine(m.x - 6, m.y, m.x + 7, m.y, 0xFFFFFF, 1);
        elDraw::DrawLine(m.x, m.y - 6, m.x, m.y + 7, 0xFFFFFF, 1);
        elDraw::Present();
        elSystem::EndTurn();
    }
    elSystem::SetClosingState(2);
    elSystem::End();
    plat::StopBackend();
    return 0;
}
