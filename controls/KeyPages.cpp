#include "controls/KeyPages.h"

#include <algorithm>
#include <memory>

#include "controls/ControlPort.h"
#include "controls/Romaji.h"
#include "engine/el/elFont.h"
#include "foundation/TextEncoding.h"

namespace Controls {
namespace {

// The kana grid by column, right to left; each column top to bottom, '-' for no key.
constexpr const char* kKanaColumns[18] = {
    "あいうえお", "かきくけこ", "さしすせそ", "たちつてと", "なにぬねの", "はひふへほ",
    "まみむめも", "や-ゆ-よ",   "らりるれろ", "わ---を",    "っゐ-ゑん",  "ぁぃぅぇぉ",
    "ゃ-ゅ-ょ",   "がぎぐげご", "ざじずぜぞ", "だぢづでど", "ばびぶべぼ", "ぱぴぷぺぽ"};
// The marks under the grid, one per column.
constexpr const char* kKanaMarks = "ー～・…！？○△▽□☆※」「）（、。";
constexpr int32_t kKanaRows = 5;
constexpr int32_t kKanaMarkY = 153;

// The letter rows; small letters are the capitals lowered.
constexpr const char* kLetterRows[4] = {"１２３４５６７８９０", "ＱＷＥＲＴＹＵＩＯＰ", "ＡＳＤＦＧＨＪＫＬ",
                                        "ＺＸＣＶＢＮＭ"};
// Rows are staggered like a typewriter's.
constexpr int32_t kLetterIndent[4] = {0, 14, 22, 37};

// Kana columns step 21.5 pixels, letter columns 34.5; positions cut toward zero.
int32_t KanaX(int32_t column) { return 35 + int32_t(21.5 * (16 - column)); }
int32_t LetterX(int32_t row, int32_t column) { return 35 + kLetterIndent[row] + int32_t(34.5 * column); }

// The page's shades: paper, label, shadow and the highlight of the key under the mouse.
constexpr uint32_t kPaper = PackColor(217, 217, 247);
constexpr int kLabel[3] = {90, 90, 120}, kShadow[3] = {180, 180, 240}, kLit[3] = {0, 60, 220};

}  // namespace

CKeyBoardMouseAreaTextBase::CKeyBoardMouseAreaTextBase(int32_t x, int32_t y, const std::string& label,
                                                       int32_t fontSize)
    : CPushImmediateButtonBase(x, y, int32_t(Cp932Length(label)) * fontSize / 2, fontSize),
      label_(label),
      fontSize_(fontSize) {}

void CKeyBoardMouseAreaTextBase::DrawLabel(int32_t x, int32_t y, int32_t red, int32_t green, int32_t blue) {
    TextLook look;
    look.red = red, look.green = green, look.blue = blue;
    look.fontName = kFixedFont;
    look.fontSize = fontSize_;
    look.alignment = 0;
    Port().Text(label_, x, y, x + GetWidth(), y + GetHeight(), look);
}

void CKeyBoardMouseAreaTextBase::Draw() {
    DrawChildren();
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const int32_t w = GetWidth(), h = GetHeight();
    if (!drawnOnce_) {
        // The normal look, painted into the page's cached picture.
        drawnOnce_ = true;
        DrawLabel(x + 1, y + 1, kShadow[0], kShadow[1], kShadow[2]);
        DrawLabel(x, y, kLabel[0], kLabel[1], kLabel[2]);
        return;
    }
    if (!hover_) return;
    Port().Line(x + 1, y + h + 1, x + w + 1, y + h + 1, PackColor(kShadow[0], kShadow[1], kShadow[2]), 1);
    Port().Line(x, y + h, x + w, y + h, PackColor(kLit[0], kLit[1], kLit[2]), 1);
    DrawLabel(x + 1, y + 1, kShadow[0], kShadow[1], kShadow[2]);
    DrawLabel(x, y, kLit[0], kLit[1], kLit[2]);
}

CKeyBoardMouseAreaBase::CKeyBoardMouseAreaBase(int32_t x, int32_t y)
    : COriginalBaseForm(x, y, kWidth, kHeight) {
    AddControl(std::make_unique<CFreeContainer>(0, 0, kWidth, kHeight));
}

CKeyBoardMouseAreaBase::~CKeyBoardMouseAreaBase() {
    if (cached_ > 0) Port().ReleaseSurface(cached_);
}

void CKeyBoardMouseAreaBase::Draw() {
    if (!IsVisible()) return;
    int32_t X, Y;
    GetAbsolutePosition(X, Y);
    const int32_t left = std::max(X, 0), top = std::max(Y, 0);
    const int32_t right = std::min(X + GetWidth(), 640), bottom = std::min(Y + GetHeight(), 480);
    if (cached_ > 0) {
        Port().PutSurface(left, top, cached_, cachedWidth_, cachedHeight_);
        COriginalBaseForm::Draw();
        return;
    }
    Port().Rect(X, Y, X + GetWidth(), Y + GetHeight(), kPaper, kPaper, 1);
    COriginalBaseForm::Draw();
    if (right > left && bottom > top) cached_ = Port().CaptureSurface(left, top, right, bottom);
    if (cached_ > 0) {
        cachedWidth_ = right - left, cachedHeight_ = bottom - top;
        return;
    }
    // No surface to keep: paint everything again next frame rather than lose the labels.
    cached_ = -1;
    for (int32_t i = 0; i < GetControls().Count(); ++i)
        if (auto* key = dynamic_cast<CKeyBoardMouseAreaTextBase*>(GetControls().At(i))) key->ForgetDrawn();
}

void CKeyBoardMouseAreaBase::OnPushed(GCButton* sender) {
    if (auto* key = dynamic_cast<CKeyBoardMouseAreaTextBase*>(sender)) Notify(key->GetText(), false);
}

CKeyBoardMouseAreaTextBase* CKeyBoardMouseAreaBase::FindKey(const std::string& label) {
    for (int32_t i = 0; i < GetControls().Count(); ++i) {
        auto* key = dynamic_cast<CKeyBoardMouseAreaTextBase*>(GetControls().At(i));
        if (key && key->GetText() == label) return key;
    }
    return nullptr;
}

int32_t CKeyBoardMouseAreaBase::GetKeyCount() {
    int32_t n = 0;
    for (int32_t i = 0; i < GetControls().Count(); ++i)
        n += dynamic_cast<CKeyBoardMouseAreaTextBase*>(GetControls().At(i)) != nullptr;
    return n;
}

void CKeyBoardMouseAreaBase::AddKey(int32_t x, int32_t y, const std::string& label) {
    if (label.empty()) return;
    AddControl(std::make_unique<CKeyBoardMouseAreaTextBase>(x, y, label, kFontSize))
        ->AddPushedEventHandler(this);
}

void CKeyBoardMouseAreaBase::AddCommandKeys() {
    AddKey(126, 190, "Back");
    AddKey(192, 190, "Del");
    AddKey(256, 190, "空白");
}

void CKeyBoardMouseAreaBase::AddKanaKeys(bool katakana) {
    auto kana = [katakana](char32_t c) {
        return c == U'-' ? std::string() : elFont::EncodeUtf8(katakana ? HiraganaToKatakana(c) : c);
    };
    for (int32_t column = 0; column < 18; ++column) {
        const std::u32string letters = elFont::DecodeUtf8(kKanaColumns[column]);
        for (int32_t row = 0; row < kKanaRows; ++row) {
            std::string label = kana(letters[size_t(row)]);
            // Katakana has one sound more than hiragana: ヴ stands in the gap under ゐ.
            if (katakana && column == 10 && row == 2) label = "ヴ";
            AddKey(KanaX(column), 28 + 25 * row, label);
        }
    }
    const std::u32string marks = elFont::DecodeUtf8(kKanaMarks);
    for (int32_t column = 0; column < 18; ++column)
        AddKey(KanaX(column), kKanaMarkY, elFont::EncodeUtf8(marks[size_t(column)]));
    AddCommandKeys();
}

void CKeyBoardMouseAreaBase::AddLetterKeys(bool upperCase) {
    for (int32_t row = 0; row < 4; ++row) {
        const std::u32string letters = elFont::DecodeUtf8(kLetterRows[row]);
        for (int32_t column = 0; column < int32_t(letters.size()); ++column) {
            const char32_t c = letters[size_t(column)];
            AddKey(LetterX(row, column), 35 + 35 * row,
                   elFont::EncodeUtf8(upperCase ? c : FullWidthUpperToLower(c)));
        }
    }
    AddCommandKeys();
}

CKeyBoardMouseAreaHiragana::CKeyBoardMouseAreaHiragana(int32_t x, int32_t y) : CKeyBoardMouseAreaBase(x, y) {
    AddKanaKeys(false);
}

CKeyBoardMouseAreaKatakana::CKeyBoardMouseAreaKatakana(int32_t x, int32_t y) : CKeyBoardMouseAreaBase(x, y) {
    AddKanaKeys(true);
}

CKeyBoardMouseAreaBigEigo::CKeyBoardMouseAreaBigEigo(int32_t x, int32_t y) : CKeyBoardMouseAreaBase(x, y) {
    AddLetterKeys(true);
}

CKeyBoardMouseAreaSmallEigo::CKeyBoardMouseAreaSmallEigo(int32_t x, int32_t y)
    : CKeyBoardMouseAreaBase(x, y) {
    AddLetterKeys(false);
}

}  // namespace Controls
