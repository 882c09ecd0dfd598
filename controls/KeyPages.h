#pragma once
// The key pages of the on-screen keyboard: hiragana, katakana, and full-width capitals and small
// letters with digits. A page is a 416 x 224 form of text keys; a key pressed hands its label to
// the page's string-input listeners as it is (no romaji conversion). Every page also carries
// "Back", "Del" and "空白", which the keyboard window reads as commands.
//
// A page paints its background and all its key labels once, keeps that picture as a cached
// surface and afterwards blits it; only the key under the mouse draws itself again.
#include <cstdint>
#include <string>

#include "controls/ButtonBases.h"
#include "controls/Forms.h"
#include "controls/StringInput.h"

namespace Controls {

// One key: as wide as its label is long in Shift_JIS bytes times half the font size, as high as
// the font. It fires on the press and makes no push sound of its own.
class CKeyBoardMouseAreaTextBase : public CPushImmediateButtonBase {
  public:
    CKeyBoardMouseAreaTextBase(int32_t x, int32_t y, const std::string& label, int32_t fontSize);
    void Draw() override;
    void OnPush() override {}
    std::string GetText() const override { return label_; }
    bool IsDrawnOnce() const { return drawnOnce_; }
    // The next draw paints the normal look again (the page lost its cached picture).
    void ForgetDrawn() { drawnOnce_ = false; }

  private:
    void DrawLabel(int32_t x, int32_t y, int32_t red, int32_t green, int32_t blue);

    std::string label_;
    int32_t fontSize_;
    bool drawnOnce_ = false;
};

class CKeyBoardMouseAreaBase : public COriginalBaseForm, public IPushedEventHandler, public CStringInputBase {
  public:
    static constexpr int32_t kWidth = 416, kHeight = 224;
    static constexpr int32_t kFontSize = 16;

    CKeyBoardMouseAreaBase(int32_t x, int32_t y);
    ~CKeyBoardMouseAreaBase() override;
    void Draw() override;
    void OnPushed(GCButton* sender) override;

    bool HasCachedImage() const { return cached_ > 0; }
    // The key with that label, or null.
    CKeyBoardMouseAreaTextBase* FindKey(const std::string& label);
    int32_t GetKeyCount();

  protected:
    // Adds a key (nothing for an empty label) and listens to it.
    void AddKey(int32_t x, int32_t y, const std::string& label);
    // "Back", "Del" and "空白" along the bottom.
    void AddCommandKeys();
    // The kana grid: 18 columns of five read right to left, then a row of marks.
    void AddKanaKeys(bool katakana);
    // The letter grid: a row of digits and three staggered rows of letters.
    void AddLetterKeys(bool upperCase);

  private:
    int32_t cached_ = -1;
    int32_t cachedWidth_ = 0, cachedHeight_ = 0;
};

class CKeyBoardMouseAreaHiragana : public CKeyBoardMouseAreaBase {
  public:
    CKeyBoardMouseAreaHiragana(int32_t x, int32_t y);
};

class CKeyBoardMouseAreaKatakana : public CKeyBoardMouseAreaBase {
  public:
    CKeyBoardMouseAreaKatakana(int32_t x, int32_t y);
};

class CKeyBoardMouseAreaBigEigo : public CKeyBoardMouseAreaBase {
  public:
    CKeyBoardMouseAreaBigEigo(int32_t x, int32_t y);
};

class CKeyBoardMouseAreaSmallEigo : public CKeyBoardMouseAreaBase {
  public:
    CKeyBoardMouseAreaSmallEigo(int32_t x, int32_t y);
};

}  // namespace Controls
