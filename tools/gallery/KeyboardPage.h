#pragma once
// The gallery's keyboard page: a button that opens the on-screen keyboard, the text it returned,
// and the headless script that types a name with it by mouse and by keys.
#include <functional>
#include <string>

#include "controls/Forms.h"
#include "controls/KeyboardWindow.h"

namespace gallery {

// What the headless run lends the script: the mouse it feeds, one update, one drawing and a
// picture taken under a name.
struct Script {
    Controls::MouseInput& mouse;
    std::function<void()> frame;
    std::function<void()> draw;
    std::function<bool(const std::string&)> shot;
};

class KeyboardPage : public Controls::IPushedEventHandler, public Controls::IClosedEventHandler {
  public:
    // Fills `page`; the keyboard opens over `root`, which must sit at (0, 0).
    KeyboardPage(Controls::COriginalBaseForm& root, Controls::COriginalBaseForm& page);
    void OnPushed(Controls::GCButton* sender) override;
    void OnClosed(Controls::GCForm* sender) override;
    Controls::CVirtualKeyBoard* Open(const std::string& text = "");

    // Opens the keyboard from the page's button, types a name with the mouse on the kana page,
    // goes on with the physical keys on the katakana and letter pages, accepts it, then shows
    // the alert of an empty text; last a text of full- and half-width characters with the caret
    // clicked between them. The page must be shown.
    bool RunScenes(Script& script);

  private:
    Controls::COriginalBaseForm& root_;
    Controls::CLongTextPushButton* opener_;
    Controls::CTextLabel* result_;
    Controls::CVirtualKeyBoard* keyboard_ = nullptr;
};

}  // namespace gallery
