#include "controls/Romaji.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "engine/el/elFont.h"

namespace Controls {

namespace {

// One syllable: the letters in plain ASCII (the typed keys are their full-width forms) and
// the kana they spell.
struct Syllable {
    std::string_view letters;
    std::string_view kana;
};

constexpr Syllable kQuads[] = {{"ltsu", "っ"}, {"xtsu", "っ"}};

constexpr Syllable kTriples[] = {
    {"shi", "し"},   {"chi", "ち"},   {"tsu", "つ"},   {"dha", "でゃ"}, {"dhi", "でぃ"}, {"dhu", "でゅ"},
    {"dhe", "でぇ"}, {"dho", "でょ"}, {"tsa", "つぁ"}, {"tsi", "つぃ"}, {"tse", "つぇ"}, {"tso", "つぉ"},
    {"tha", "てゃ"}, {"thi", "てぃ"}, {"thu", "てゅ"}, {"the", "てぇ"}, {"tho", "てょ"}, {"kya", "きゃ"},
    {"kyi", "きぃ"}, {"kyu", "きゅ"}, {"kye", "きぇ"}, {"kyo", "きょ"}, {"gya", "ぎゃ"}, {"gyi", "ぎぃ"},
    {"gyu", "ぎゅ"}, {"gye", "ぎぇ"}, {"gyo", "ぎょ"}, {"sya", "しゃ"}, {"syi", "しぃ"}, {"syu", "しゅ"},
    {"sye", "しぇ"}, {"syo", "しょ"}, {"sha", "しゃ"}, {"shu", "しゅ"}, {"she", "しぇ"}, {"sho", "しょ"},
    {"zya", "じゃ"}, {"zyi", "じぃ"}, {"zyu", "じゅ"}, {"zye", "じぇ"}, {"zyo", "じょ"}, {"jyi", "じぃ"},
    {"tya", "ちゃ"}, {"tyi", "ちぃ"}, {"tyu", "ちゅ"}, {"tye", "ちぇ"}, {"tyo", "ちょ"}, {"cha", "ちゃ"},
    {"cyi", "ちぃ"}, {"chu", "ちゅ"}, {"che", "ちぇ"}, {"cho", "ちょ"}, {"dya", "ぢゃ"}, {"dyi", "ぢぃ"},
    {"dyu", "ぢゅ"}, {"dye", "ぢぇ"}, {"dyo", "ぢょ"}, {"nya", "にゃ"}, {"nyi", "にぃ"}, {"nyu", "にゅ"},
    {"nye", "にぇ"}, {"nyo", "にょ"}, {"hya", "ひゃ"}, {"hyi", "ひぃ"}, {"hyu", "ひゅ"}, {"hye", "ひぇ"},
    {"hyo", "ひょ"}, {"bya", "びゃ"}, {"byi", "びぃ"}, {"byu", "びゅ"}, {"bye", "びぇ"}, {"byo", "びょ"},
    {"pya", "ぴゃ"}, {"pyi", "ぴぃ"}, {"pyu", "ぴゅ"}, {"pye", "ぴぇ"}, {"pyo", "ぴょ"}, {"fya", "ふゃ"},
    {"fyi", "ふぃ"}, {"fyu", "ふゅ"}, {"fye", "ふぇ"}, {"fyo", "ふょ"}, {"mya", "みゃ"}, {"myi", "みぃ"},
    {"myu", "みゅ"}, {"mye", "みぇ"}, {"myo", "みょ"}, {"rya", "りゃ"}, {"ryi", "りぃ"}, {"ryu", "りゅ"},
    {"rye", "りぇ"}, {"ryo", "りょ"}, {"kwa", "くぁ"}, {"gwa", "ぐぁ"}, {"twu", "とぅ"}, {"dwu", "どぅ"},
    {"ltu", "っ"},   {"lya", "ゃ"},   {"lyu", "ゅ"},   {"lyo", "ょ"},   {"xtu", "っ"},   {"xya", "ゃ"},
    {"xyu", "ゅ"},   {"xyo", "ょ"},
};

constexpr Syllable kPairs[] = {
    {"ka", "か"},   {"ki", "き"},   {"ku", "く"},   {"ke", "け"},   {"ko", "こ"},   {"ga", "が"},
    {"gi", "ぎ"},   {"gu", "ぐ"},   {"ge", "げ"},   {"go", "ご"},   {"sa", "さ"},   {"si", "し"},
    {"su", "す"},   {"se", "せ"},   {"so", "そ"},   {"za", "ざ"},   {"zi", "じ"},   {"ji", "じ"},
    {"zu", "ず"},   {"ze", "ぜ"},   {"zo", "ぞ"},   {"ta", "た"},   {"ti", "ち"},   {"tu", "つ"},
    {"te", "て"},   {"to", "と"},   {"da", "だ"},   {"di", "ぢ"},   {"du", "づ"},   {"de", "で"},
    {"do", "ど"},   {"na", "な"},   {"ni", "に"},   {"nu", "ぬ"},   {"ne", "ね"},   {"no", "の"},
    {"ha", "は"},   {"hi", "ひ"},   {"hu", "ふ"},   {"fu", "ふ"},   {"he", "へ"},   {"ho", "ほ"},
    {"ba", "ば"},   {"bi", "び"},   {"bu", "ぶ"},   {"be", "べ"},   {"bo", "ぼ"},   {"pa", "ぱ"},
    {"pi", "ぴ"},   {"pu", "ぷ"},   {"pe", "ぺ"},   {"po", "ぽ"},   {"fa", "ふぁ"}, {"fi", "ふぃ"},
    {"fe", "ふぇ"}, {"fo", "ふぉ"}, {"ma", "ま"},   {"mi", "み"},   {"mu", "む"},   {"me", "め"},
    {"mo", "も"},   {"ya", "や"},   {"yu", "ゆ"},   {"yo", "よ"},   {"ra", "ら"},   {"ri", "り"},
    {"ru", "る"},   {"re", "れ"},   {"ro", "ろ"},   {"wa", "わ"},   {"wi", "うぃ"}, {"we", "うぇ"},
    {"wo", "を"},   {"nn", "ん"},   {"va", "ヴぁ"}, {"vi", "ヴぃ"}, {"vu", "ヴ"},   {"ve", "ヴぇ"},
    {"vo", "ヴぉ"}, {"ja", "じゃ"}, {"ju", "じゅ"}, {"je", "じぇ"}, {"jo", "じょ"}, {"la", "ぁ"},
    {"li", "ぃ"},   {"lu", "ぅ"},   {"le", "ぇ"},   {"lo", "ぉ"},   {"xa", "ぁ"},   {"xi", "ぃ"},
    {"xu", "ぅ"},   {"xe", "ぇ"},   {"xo", "ぉ"},
};

constexpr Syllable kVowels[] = {{"a", "あ"}, {"i", "い"}, {"u", "う"}, {"e", "え"}, {"o", "お"}};

// The table of keys with `letters` letters; empty for any other length.
std::span<const Syllable> TableOfLength(size_t letters) {
    switch (letters) {
        case 4:
            return kQuads;
        case 3:
            return kTriples;
        case 2:
            return kPairs;
        case 1:
            return kVowels;
        default:
            return {};
    }
}

constexpr char32_t kFullWidthSmallA = U'ａ', kFullWidthSmallZ = U'ｚ';
constexpr char32_t kFullWidthSpace = U'\u3000';

// The kana of a key given as code points in `table`; "" when it is not there (a key with
// anything but full-width small letters is in no table).
std::string_view LookUp(std::span<const Syllable> table, std::u32string_view key) {
    std::string letters;
    for (char32_t c : key) {
        if (c < kFullWidthSmallA || c > kFullWidthSmallZ) return {};
        letters += static_cast<char>('a' + (c - kFullWidthSmallA));
    }
    for (const Syllable& s : table)
        if (s.letters == letters) return s.kana;
    return {};
}

std::string LookUpText(std::span<const Syllable> table, const std::string& key) {
    return std::string(LookUp(table, elFont::DecodeUtf8(key)));
}

bool IsVowel(char32_t c) { return c == U'ａ' || c == U'ｉ' || c == U'ｕ' || c == U'ｅ' || c == U'ｏ'; }

}  // namespace

std::string ConvertRomajiInput(const std::string& text, char32_t typed, bool hiragana) {
    std::u32string full = elFont::DecodeUtf8(text);
    full += typed;
    // The last four characters before the typed one and the typed one, without case.
    const size_t tailStart = full.size() > 5 ? full.size() - 5 : 0;
    std::u32string tail = full.substr(tailStart);
    std::transform(tail.begin(), tail.end(), tail.begin(), FullWidthUpperToLower);

    for (size_t n = 4; n >= 1; --n) {
        if (n > tail.size()) continue;
        const std::u32string_view key = std::u32string_view(tail).substr(tail.size() - n);
        const char32_t prev = tail.size() > n ? tail[tail.size() - n - 1] : kFullWidthSpace;
        std::u32string kana = elFont::DecodeUtf8(std::string(LookUp(TableOfLength(n), key)));
        if (kana.empty()) continue;
        if (!hiragana) std::transform(kana.begin(), kana.end(), kana.begin(), HiraganaToKatakana);

        // A consonant typed twice before the syllable is the glottal stop, a lone ｎ is ん; both
        // replace that letter. Vowels never double into っ: "ａ" then "ａ" is ああ.
        std::u32string lead;
        if (prev != kFullWidthSpace && prev == key.front() && !IsVowel(prev))
            lead = hiragana ? U"っ" : U"ッ";
        else if (prev == U'ｎ')
            lead = hiragana ? U"ん" : U"ン";
        const size_t kept = full.size() - n - (lead.empty() ? 0 : 1);
        return elFont::EncodeUtf8(std::u32string_view(full).substr(0, kept)) + elFont::EncodeUtf8(lead) +
               elFont::EncodeUtf8(kana);
    }
    return text + elFont::EncodeUtf8(typed);
}

std::optional<std::string> ConvertRomajiAtCursor(const std::string& boxText, int cursor, char32_t typed,
                                                 bool hiragana, int maxLength) {
    const std::u32string wide = elFont::DecodeUtf8(boxText);
    const size_t at = static_cast<size_t>(std::clamp(cursor, 0, static_cast<int>(wide.size())));
    const std::u32string before = elFont::DecodeUtf8(
        ConvertRomajiInput(elFont::EncodeUtf8(std::u32string_view(wide).substr(0, at)), typed, hiragana));
    if (before.size() + (wide.size() - at) > static_cast<size_t>(std::max(maxLength, 0))) return std::nullopt;
    return elFont::EncodeUtf8(before) + elFont::EncodeUtf8(std::u32string_view(wide).substr(at));
}

std::string RomajiQuadToKana(const std::string& key) { return LookUpText(kQuads, key); }
std::string RomajiTripleToKana(const std::string& key) { return LookUpText(kTriples, key); }
std::string RomajiPairToKana(const std::string& key) { return LookUpText(kPairs, key); }
std::string RomajiVowelToKana(const std::string& key) { return LookUpText(kVowels, key); }

char32_t HiraganaToKatakana(char32_t c) {
    if (c >= U'ぁ' && c <= U'ん' && c != U'ゎ') return c + 0x60;
    return c;
}

char32_t FullWidthUpperToLower(char32_t c) {
    if (c >= U'Ａ' && c <= U'Ｚ') return c + (kFullWidthSmallA - U'Ａ');
    return c;
}

std::string DigitToFullWidth(char c) {
    if (c < '0' || c > '9') return "";
    return elFont::EncodeUtf8(U'０' + (c - '0'));
}

std::string RemoveChar(const std::string& text, char32_t c) {
    std::u32string wide = elFont::DecodeUtf8(text);
    std::erase(wide, c);
    return elFont::EncodeUtf8(wide);
}

}  // namespace Controls
