// Romaji-to-kana conversion as the keyboard runs it: one full-width character typed at a time at
// the end of the text, and the character conversions that go with it.
#include <gtest/gtest.h>

#include <string>

#include "controls/Romaji.h"

using namespace Controls;

namespace {

// The full-width form of a printable ASCII character, as the keyboard types it; '-' is the
// long-vowel mark the Minus key types.
char32_t FullWidth(char c) {
    if (c == '-') return U'ー';
    return U'！' + static_cast<char32_t>(c - '!');
}

// Types `keys` one by one after `text`, converting after each as the keyboard does.
std::string Type(const std::string& keys, bool hiragana = true, std::string text = "") {
    for (char c : keys) text = ConvertRomajiInput(text, FullWidth(c), hiragana);
    return text;
}

struct Typed {
    const char* keys;
    const char* text;
};

TEST(Romaji, EverySyllableOfTheTablesTypesItsKana) {
    const Typed cases[] = {
        {"aiueo", "あいうえお"},
        {"kakikukeko", "かきくけこ"},
        {"gagigugego", "がぎぐげご"},
        {"sasisuseso", "さしすせそ"},
        {"zazizuzezo", "ざじずぜぞ"},
        {"ji", "じ"},
        {"tatituteto", "たちつてと"},
        {"dadidudedo", "だぢづでど"},
        {"naninuneno", "なにぬねの"},
        {"hahihuheho", "はひふへほ"},
        {"babibubebo", "ばびぶべぼ"},
        {"papipupepo", "ぱぴぷぺぽ"},
        {"mamimumemo", "まみむめも"},
        {"yayuyo", "やゆよ"},
        {"rarirurero", "らりるれろ"},
        {"wawiwewo", "わうぃうぇを"},
        {"fafifufefo", "ふぁふぃふふぇふぉ"},
        {"vavivuvevo", "ヴぁヴぃヴヴぇヴぉ"},
        {"jajijujejo", "じゃじじゅじぇじょ"},
        {"lalilulelo", "ぁぃぅぇぉ"},
        {"xaxixuxexo", "ぁぃぅぇぉ"},
        {"kyakyikyukyekyo", "きゃきぃきゅきぇきょ"},
        {"gyagyigyugyegyo", "ぎゃぎぃぎゅぎぇぎょ"},
        {"syasyisyusyesyo", "しゃしぃしゅしぇしょ"},
        {"shashishushesho", "しゃししゅしぇしょ"},
        {"zyazyizyuzyezyo", "じゃじぃじゅじぇじょ"},
        {"jyi", "じぃ"},
        {"tyatyityutyetyo", "ちゃちぃちゅちぇちょ"},
        {"chachichuchecho", "ちゃちちゅちぇちょ"},
        {"cyi", "ちぃ"},
        {"tsatsitsutsetso", "つぁつぃつつぇつぉ"},
        {"thathithuthetho", "てゃてぃてゅてぇてょ"},
        {"dyadyidyudyedyo", "ぢゃぢぃぢゅぢぇぢょ"},
        {"dhadhidhudhedho", "でゃでぃでゅでぇでょ"},
        {"nyanyinyunyenyo", "にゃにぃにゅにぇにょ"},
        {"hyahyihyuhyehyo", "ひゃひぃひゅひぇひょ"},
        {"byabyibyubyebyo", "びゃびぃびゅびぇびょ"},
        {"pyapyipyupyepyo", "ぴゃぴぃぴゅぴぇぴょ"},
        {"fyafyifyufyefyo", "ふゃふぃふゅふぇふょ"},
        {"myamyimyumyemyo", "みゃみぃみゅみぇみょ"},
        {"ryaryiryuryeryo", "りゃりぃりゅりぇりょ"},
        {"kwagwatwudwu", "くぁぐぁとぅどぅ"},
        {"ltulyalyulyo", "っゃゅょ"},
        {"xtuxyaxyuxyo", "っゃゅょ"},
        {"ltsuxtsu", "っっ"},
        {"nn", "ん"},
    };
    for (const Typed& c : cases) EXPECT_EQ(Type(c.keys), c.text) << c.keys;
}

TEST(Romaji, WordsTypeAsAJapaneseTypistExpects) {
    const Typed cases[] = {
        {"kyouha", "きょうは"},    {"konnnichiha", "こんにちは"},
        {"ra-menn", "らーめん"},   {"kka", "っか"},
        {"zasshi", "ざっし"},      {"maccha", "まっちゃ"},
        {"nka", "んか"},           {"kanji", "かんじ"},
        {"nwa", "んわ"},           {"na", "な"},
        {"nya", "にゃ"},           {"n", "ｎ"},
        {"shinnbunn", "しんぶん"}, {"aa", "ああ"},
        {"kaa", "かあ"},
    };
    for (const Typed& c : cases) EXPECT_EQ(Type(c.keys), c.text) << c.keys;
}

TEST(Romaji, LettersThatSpellNoSyllableStayAsTyped) {
    const Typed cases[] = {
        {"k", "ｋ"},     {"cya", "ｃや"}, {"ca", "ｃあ"}, {"yi", "ｙい"},  {"ye", "ｙえ"},
        {"wu", "ｗう"},  {"jyu", "ｊゆ"}, {"q", "ｑ"},    {"n'", "ｎ＇"},  {"n'a", "ｎ＇あ"},
        {"ka1", "か１"}, {"a!", "あ！"},  {"-", "ー"},    {"ka-", "かー"},
    };
    for (const Typed& c : cases) EXPECT_EQ(Type(c.keys), c.text) << c.keys;
}

TEST(Romaji, UpperCaseLettersSpellTheSameSyllables) {
    EXPECT_EQ(Type("K"), "Ｋ");
    EXPECT_EQ(Type("KA"), "か");
    EXPECT_EQ(Type("KyOuHa"), "きょうは");
    EXPECT_EQ(Type("KKA"), "っか");
    EXPECT_EQ(Type("NKA"), "んか");
    EXPECT_EQ(Type("SHI"), "し");
    // Text ahead of the last four characters is copied as it stands, upper case kept.
    EXPECT_EQ(ConvertRomajiInput("ＡＢＣＤＥＦｋ", U'ａ', true), "ＡＢＣＤＥＦか");
}

TEST(Romaji, OnlyADoubledConsonantIsAGlottalStop) {
    // Letters typed on a letter page stay unconverted in the text ahead of the kana typed next.
    EXPECT_EQ(ConvertRomajiInput("ｋ", U'ｋ', true), "ｋｋ");
    EXPECT_EQ(ConvertRomajiInput("ｋｋ", U'ａ', true), "っか");
    EXPECT_EQ(ConvertRomajiInput("ａ", U'ａ', true), "ａあ");
    EXPECT_EQ(ConvertRomajiInput("Ｏ", U'ｏ', false), "Ｏオ");
}

TEST(Romaji, KatakanaModeGivesKatakana) {
    const Typed cases[] = {
        {"ka", "カ"},           {"kyouha", "キョウハ"}, {"kka", "ッカ"}, {"nka", "ンカ"},
        {"nn", "ン"},           {"wo", "ヲ"},           {"vu", "ヴ"},    {"va", "ヴァ"},
        {"xtu", "ッ"},          {"ltsu", "ッ"},         {"k", "ｋ"},     {"ra-menn", "ラーメン"},
        {"fyafyi", "フャフィ"},
    };
    for (const Typed& c : cases) EXPECT_EQ(Type(c.keys, false), c.text) << c.keys;
    // Only the new syllable changes script: the hiragana already there stay.
    EXPECT_EQ(Type("ka", false, "あ"), "あカ");
}

TEST(Romaji, OnlyTheCharactersAtTheEndAreLookedAt) {
    // The syllable after kana already converted.
    EXPECT_EQ(Type("tsu", true, "ひらがな"), "ひらがなつ");
    // Four letters and the typed one are the most that take part: "ｑｘｔｓ" ahead of "ｕ"
    // still finds ｘｔｓｕ, the ｑ before it stays.
    EXPECT_EQ(Type("qxtsu"), "ｑっ");
}

// Counts the keys `lookUp` answers among every full-width small-letter key of `letters` letters.
template <typename LookUp>
int CountKeys(int letters, LookUp lookUp) {
    int count = 0;
    std::u32string key(static_cast<size_t>(letters), U'ａ');
    for (;;) {
        // Every full-width small letter is EF BD 81..9A in UTF-8.
        std::string utf8;
        for (char32_t c : key) {
            const unsigned low = 0x81 + (c - U'ａ');
            utf8 += "\xEF\xBD";
            utf8 += static_cast<char>(low);
        }
        if (!lookUp(utf8).empty()) ++count;
        int i = letters - 1;
        while (i >= 0 && key[static_cast<size_t>(i)] == U'ｚ') key[static_cast<size_t>(i--)] = U'ａ';
        if (i < 0) return count;
        ++key[static_cast<size_t>(i)];
    }
}

TEST(RomajiTables, EachTableHoldsItsKeysAndNoOthers) {
    EXPECT_EQ(CountKeys(4, RomajiQuadToKana), 2);
    EXPECT_EQ(CountKeys(3, RomajiTripleToKana), 104);
    EXPECT_EQ(CountKeys(2, RomajiPairToKana), 93);
    EXPECT_EQ(CountKeys(1, RomajiVowelToKana), 5);

    EXPECT_EQ(RomajiPairToKana("ｋａ"), "か");
    EXPECT_EQ(RomajiPairToKana("ｖｕ"), "ヴ");
    EXPECT_EQ(RomajiQuadToKana("ｘｔｓｕ"), "っ");
    // Exact, case-sensitive, whole-key matches in the one table only.
    EXPECT_EQ(RomajiPairToKana("ka"), "");
    EXPECT_EQ(RomajiPairToKana("ＫＡ"), "");
    EXPECT_EQ(RomajiPairToKana("ｋａａ"), "");
    EXPECT_EQ(RomajiTripleToKana("ｋａ"), "");
    EXPECT_EQ(RomajiVowelToKana(""), "");
}

TEST(RomajiCharacters, HiraganaToKatakana) {
    EXPECT_EQ(HiraganaToKatakana(U'ぁ'), U'ァ');
    EXPECT_EQ(HiraganaToKatakana(U'あ'), U'ア');
    EXPECT_EQ(HiraganaToKatakana(U'っ'), U'ッ');
    EXPECT_EQ(HiraganaToKatakana(U'ゐ'), U'ヰ');
    EXPECT_EQ(HiraganaToKatakana(U'ゑ'), U'ヱ');
    EXPECT_EQ(HiraganaToKatakana(U'を'), U'ヲ');
    EXPECT_EQ(HiraganaToKatakana(U'ん'), U'ン');
    for (char32_t same : {U'ゎ', U'ゔ', U'ア', U'ー', U'a', U'ａ', U'\u3040'})
        EXPECT_EQ(HiraganaToKatakana(same), same) << static_cast<unsigned>(same);
}

TEST(RomajiCharacters, FullWidthCaseAndDigits) {
    EXPECT_EQ(FullWidthUpperToLower(U'Ａ'), U'ａ');
    EXPECT_EQ(FullWidthUpperToLower(U'Ｚ'), U'ｚ');
    for (char32_t same : {U'ａ', U'A', U'＠', U'［', U'あ'})
        EXPECT_EQ(FullWidthUpperToLower(same), same) << static_cast<unsigned>(same);

    EXPECT_EQ(DigitToFullWidth('0'), "０");
    EXPECT_EQ(DigitToFullWidth('7'), "７");
    EXPECT_EQ(DigitToFullWidth('9'), "９");
    for (char other : {'a', '/', ':', ' ', '\0'}) EXPECT_EQ(DigitToFullWidth(other), "") << int(other);
}

TEST(RomajiCharacters, RemoveCharDropsEveryOccurrence) {
    EXPECT_EQ(RemoveChar("　　　", U'\u3000'), "");
    EXPECT_EQ(RemoveChar("　あ　い　", U'\u3000'), "あい");
    EXPECT_EQ(RemoveChar("あい", U'\u3000'), "あい");
    EXPECT_EQ(RemoveChar("", U'\u3000'), "");
}

TEST(RomajiInBox, ConvertsBeforeTheCursorAndKeepsTheRest) {
    EXPECT_EQ(ConvertRomajiAtCursor("かｋう", 2, U'ａ', true, 8), "かかう");
    EXPECT_EQ(ConvertRomajiAtCursor("ｎう", 1, U'ｋ', false, 8), "ｎｋう");
    EXPECT_EQ(ConvertRomajiAtCursor("ｋ", 99, U'ａ', true, 8), "か");
    EXPECT_EQ(ConvertRomajiAtCursor("ｋ", -3, U'ａ', true, 8), "あｋ");
}

TEST(RomajiInBox, AResultLongerThanTheBoxIsDroppedWhole) {
    // Full box: a letter that spells nothing would make it longer.
    EXPECT_EQ(ConvertRomajiAtCursor("あい", 2, U'ｋ', true, 2), std::nullopt);
    // ｎ then ｋａ: んか replaces ｎ and grows the text by one.
    EXPECT_EQ(ConvertRomajiAtCursor("ｎｋ", 2, U'ａ', true, 2), "んか");
    EXPECT_EQ(ConvertRomajiAtCursor("あｎ", 2, U'ａ', true, 2), "あな");
    // "ｆ" + "ａ" is ふぁ, two characters for one: too long for a full box of three.
    EXPECT_EQ(ConvertRomajiAtCursor("いうｆ", 3, U'ａ', true, 3), std::nullopt);
    EXPECT_EQ(ConvertRomajiAtCursor("いうｆ", 3, U'ａ', true, 4), "いうふぁ");
    // A conversion that shrinks the text always fits.
    EXPECT_EQ(ConvertRomajiAtCursor("ｘｔｓ", 3, U'ｕ', true, 3), "っ");
    EXPECT_EQ(ConvertRomajiAtCursor("", 0, U'ａ', true, 0), std::nullopt);
}

}  // namespace
