#pragma once
// Romaji-to-kana conversion for the on-screen keyboard, and the small character conversions
// that go with it. The player types full-width Latin letters (ａ..ｚ, Ａ..Ｚ); as soon as the
// letters at the end of the text spell a syllable, they are replaced by its hiragana (or
// katakana). Texts are UTF-8, single characters code points. Nothing here keeps state.
#include <optional>
#include <string>

namespace Controls {

// The text that replaces `text` (the text before the cursor) once `typed` has been typed after
// it. Only the last four characters of `text` and `typed` take part, compared without case; the
// longest syllable wins (ｓｈｉ is し, not ｓひ). A doubled consonant before the syllable turns
// into っ (ｋｋａ っか) and a lone ｎ into ん (ｎｋａ んか). With `hiragana` false the kana are
// katakana. When nothing is spelt, `typed` is simply appended, upper case kept.
std::string ConvertRomajiInput(const std::string& text, char32_t typed, bool hiragana);

// The keyboard's conversion inside its text box: the text before the character index `cursor`
// (clamped to the text) is converted with `typed` and joined with the rest. The result is empty
// when the joined text would hold more than `maxLength` characters: the box then keeps its text.
std::optional<std::string> ConvertRomajiAtCursor(const std::string& boxText, int cursor, char32_t typed,
                                                 bool hiragana, int maxLength);

// The syllable tables: a full-width lower-case key of four, three, two or one letters to its
// hiragana (ヴ and the small vowels after it stay katakana). Exact, case-sensitive match of the
// whole key; "" for a key that is not in the table.
std::string RomajiQuadToKana(const std::string& key);
std::string RomajiTripleToKana(const std::string& key);
std::string RomajiPairToKana(const std::string& key);
std::string RomajiVowelToKana(const std::string& key);

// ぁ..ん (U+3041..U+3093) to the katakana 0x60 higher, except ゎ; every other character as it is.
char32_t HiraganaToKatakana(char32_t c);
// Ａ..Ｚ to ａ..ｚ; every other character as it is.
char32_t FullWidthUpperToLower(char32_t c);
// '0'..'9' to "０".."９"; "" for anything else.
std::string DigitToFullWidth(char c);
// `text` without any occurrence of `c`.
std::string RemoveChar(const std::string& text, char32_t c);

}  // namespace Controls
