#pragma once
// Helpers for the main window that the layers below the engine may call: message boxes, the
// window title and the frame rate.
#include <functional>
#include <string>

class CQuorException;

// Shows the text in the message box titled "メッセージ", literally, and returns when it has
// been closed.
void ShowMessageText(const std::string& text);
// The same box under the name the game's screens use.
void ShowMessageBox(const std::string& text);
// Writes the error's report ("Error Code:[code] " and the message on the next line) to the log
// and shows it in the message box; for errors after which the game goes on.
void ShowErrorReport(const CQuorException& e);
// Sets the main window's title (nothing happens while no window runs).
void SetMainWindowTitle(const std::string& text);
// 1.0 / the last frame's duration (GetFrameTime); the nominal 60.0 while that duration is 0.
double GetFrameRate();

// The engine puts its own message box here while it runs, so that a box shows the cursor and
// the time it stays open is not counted as one long frame. Empty (the default) means the
// platform's box, plat::ShowMessageBox titled "メッセージ".
using MessageTextPresenter = std::function<void(const std::string& text)>;
void SetMessageTextPresenter(MessageTextPresenter presenter);
