#include "editor_windows/EventPalletWindow.h"

namespace Controls {

namespace {

const Sheet Cell{"System", "StageObjects003"};

// The preview is the whole upright (left, right) or lying (up, down) sign; the button is the
// 32 x 32 middle of it. The three runs are asked about once each.
const PalletEntry kEntries[] = {
    ObjectEntry(Cell(0, 16, 32, 48), Cell(0, 0, 32, 64), "ChangeMusicToLeft", "ChangeMusic"),
    ObjectEntry(Cell(32, 16, 64, 48), Cell(32, 0, 64, 64), "ChangeMusicToRight", "ChangeMusic"),
    ObjectEntry(Cell(80, 0, 112, 32), Cell(64, 0, 128, 32), "ChangeMusicToUp", "ChangeMusic"),
    ObjectEntry(Cell(80, 32, 112, 64), Cell(64, 32, 128, 64), "ChangeMusicToDown", "ChangeMusic"),
    ObjectEntry(Cell(128, 16, 160, 48), Cell(128, 0, 160, 64), "ChangeWeatherToLeft", "ChangeWeather"),
    ObjectEntry(Cell(160, 16, 192, 48), Cell(160, 0, 192, 64), "ChangeWeatherToRight", "ChangeWeather"),
    ObjectEntry(Cell(208, 0, 240, 32), Cell(192, 0, 256, 32), "ChangeWeatherToUp", "ChangeWeather"),
    ObjectEntry(Cell(208, 32, 240, 64), Cell(192, 32, 256, 64), "ChangeWeatherToDown", "ChangeWeather"),
    ObjectEntry(Cell(0, 80, 32, 112), Cell(0, 64, 32, 128), "ChangeZoomToLeft", "ChangeZoom"),
    ObjectEntry(Cell(32, 80, 64, 112), Cell(32, 64, 64, 128), "ChangeZoomToRight", "ChangeZoom"),
    ObjectEntry(Cell(80, 64, 112, 96), Cell(64, 64, 128, 96), "ChangeZoomToUp", "ChangeZoom"),
    ObjectEntry(Cell(80, 96, 112, 128), Cell(64, 96, 128, 128), "ChangeZoomToDown", "ChangeZoom"),
};

}  // namespace

CEventPalletWindow::CEventPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("イベント選択", x, y) {
    AddPalletEntries(*this, kEntries);
}

std::span<const PalletEntry> CEventPalletWindow::Entries() { return kEntries; }

}  // namespace Controls
