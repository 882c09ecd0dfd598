#include "editor_windows/EventPalletWindow.h"

namespace Controls {

namespace {

// The preview is the whole upright (left, right) or lying (up, down) sign; the button is the
// 32 x 32 middle of it. The three runs are asked about once each.
const PalletEntry kEventEntries[] = {
    ObjectEntry(kIconSheet3(0, 16, 32, 48), kIconSheet3(0, 0, 32, 64), "ChangeMusicToLeft", "ChangeMusic"),
    ObjectEntry(kIconSheet3(32, 16, 64, 48), kIconSheet3(32, 0, 64, 64), "ChangeMusicToRight", "ChangeMusic"),
    ObjectEntry(kIconSheet3(80, 0, 112, 32), kIconSheet3(64, 0, 128, 32), "ChangeMusicToUp", "ChangeMusic"),
    ObjectEntry(kIconSheet3(80, 32, 112, 64), kIconSheet3(64, 32, 128, 64), "ChangeMusicToDown",
                "ChangeMusic"),
    ObjectEntry(kIconSheet3(128, 16, 160, 48), kIconSheet3(128, 0, 160, 64), "ChangeWeatherToLeft",
                "ChangeWeather"),
    ObjectEntry(kIconSheet3(160, 16, 192, 48), kIconSheet3(160, 0, 192, 64), "ChangeWeatherToRight",
                "ChangeWeather"),
    ObjectEntry(kIconSheet3(208, 0, 240, 32), kIconSheet3(192, 0, 256, 32), "ChangeWeatherToUp",
                "ChangeWeather"),
    ObjectEntry(kIconSheet3(208, 32, 240, 64), kIconSheet3(192, 32, 256, 64), "ChangeWeatherToDown",
                "ChangeWeather"),
    ObjectEntry(kIconSheet3(0, 80, 32, 112), kIconSheet3(0, 64, 32, 128), "ChangeZoomToLeft", "ChangeZoom"),
    ObjectEntry(kIconSheet3(32, 80, 64, 112), kIconSheet3(32, 64, 64, 128), "ChangeZoomToRight",
                "ChangeZoom"),
    ObjectEntry(kIconSheet3(80, 64, 112, 96), kIconSheet3(64, 64, 128, 96), "ChangeZoomToUp", "ChangeZoom"),
    ObjectEntry(kIconSheet3(80, 96, 112, 128), kIconSheet3(64, 96, 128, 128), "ChangeZoomToDown",
                "ChangeZoom"),
};

}  // namespace

CEventPalletWindow::CEventPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("イベント選択", x, y) {
    AddPalletEntries(*this, kEventEntries);
}

std::span<const PalletEntry> CEventPalletWindow::Entries() { return kEventEntries; }

}  // namespace Controls
