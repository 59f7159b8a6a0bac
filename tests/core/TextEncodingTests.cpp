#include "core/TextEncoding.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const std::string kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

std::string Byte(int value) {
    return std::string(1, static_cast<char>(value));
}

} // namespace

TEST(Cp1251, KnownLettersAndSigns) {
    EXPECT_EQ(Cp1251ToUtf8("\xC0"), "А");
    EXPECT_EQ(Cp1251ToUtf8("\xDF"), "Я");
    EXPECT_EQ(Cp1251ToUtf8("\xE0"), "а");
    EXPECT_EQ(Cp1251ToUtf8("\xFF"), "я");
    EXPECT_EQ(Cp1251ToUtf8("\xA8"), "Ё");
    EXPECT_EQ(Cp1251ToUtf8("\xB8"), "ё");
    EXPECT_EQ(Cp1251ToUtf8("\x88"), "€");
    EXPECT_EQ(Cp1251ToUtf8("\xB9"), "№");
    EXPECT_EQ(Cp1251ToUtf8("\xA5"), "Ґ");
    EXPECT_EQ(Cp1251ToUtf8("\xCC\xEE\xF1\xEA\xE2\xE0"), "Москва");
    EXPECT_EQ(Cp1251ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1251, EveryByteHasACharacterAndAllButTheUndefinedOneComeBack) {
    std::set<std::string> seen;
    for (int value = 0; value < 256; ++value) {
        const std::string utf8 = Cp1251ToUtf8(Byte(value));
        ASSERT_FALSE(utf8.empty()) << value;
        EXPECT_EQ(Utf8Length(utf8), 1u) << value;
        seen.insert(utf8);
        std::string back;
        if (value == 0x98) {
            EXPECT_EQ(utf8, kReplacement);
            EXPECT_FALSE(Utf8ToCp1251(utf8, back));
            EXPECT_EQ(back, "");
        } else {
            EXPECT_TRUE(Utf8ToCp1251(utf8, back)) << value;
            EXPECT_EQ(back, Byte(value));
        }
    }
    EXPECT_EQ(seen.size(), 256u); // no two bytes read as the same character
}

TEST(Cp1251, UnrepresentableCharactersAreLeftOutAndReported) {
    std::string out;
    EXPECT_TRUE(Utf8ToCp1251("Ёж: 5 №", out));
    EXPECT_EQ(out, "\xA8\xE6: 5 \xB9");
    EXPECT_FALSE(Utf8ToCp1251("A東京я", out));
    EXPECT_EQ(out, "A\xFF");
    EXPECT_FALSE(Utf8ToCp1251("a\xFF"
                              "b",
                              out)); // not UTF-8 at all
    EXPECT_EQ(out, "ab");
    EXPECT_TRUE(Utf8ToCp1251("", out));
    EXPECT_EQ(out, "");
}

TEST(FileText, DecodeTakesTheMarkAsUtf8AndAnythingElseAsCp1251) {
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF"
                             "Привет"),
              "Привет");
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF"), "");
    EXPECT_EQ(DecodeFileText(""), "");
    EXPECT_EQ(DecodeFileText("\xCF\xF0\xE8"), "При");
    // Without the mark, UTF-8 bytes are read as Windows-1251 letters.
    EXPECT_EQ(DecodeFileText("\xD0\x9F"), "Рџ");
    // Only a mark at the very start counts.
    EXPECT_EQ(DecodeFileText(" \xEF\xBB\xBF"), " п»ї");
}

TEST(FileText, DecodedUtf8IsAlwaysValid) {
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF"
                             "a\xFF"
                             "b"),
              "a" + kReplacement + "b");
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF"
                             "\xD0"),
              kReplacement);
}

TEST(FileText, EncodeChoosesCp1251WhenEverythingFits) {
    EXPECT_EQ(EncodeFileText("[0]\r\nName=Москва\r\n"), "[0]\r\nName=\xCC\xEE\xF1\xEA\xE2\xE0\r\n");
    EXPECT_EQ(EncodeFileText(""), "");
}

TEST(FileText, EncodeFallsBackToMarkedUtf8SoNothingIsLost) {
    const std::string text = "Name=東京 и Москва";
    const std::string bytes = EncodeFileText(text);
    EXPECT_EQ(bytes, std::string(kUtf8Bom) + text);
    EXPECT_EQ(DecodeFileText(bytes), text);
}

TEST(FileText, Cp1251TextThatLooksLikeTheMarkStaysReadable) {
    // "п»ї" is EF BB BF in Windows-1251: written as such it would read back as
    // an empty UTF-8 mark.
    const std::string text = "п»їabc";
    EXPECT_EQ(DecodeFileText(EncodeFileText(text)), text);
    EXPECT_EQ(DecodeFileText(EncodeFileText("п»")), "п»");
}

TEST(FileText, EncodeNeverWritesInvalidUtf8) {
    const std::string bytes = EncodeFileText("東\xFF");
    EXPECT_EQ(bytes, std::string(kUtf8Bom) + "東" + kReplacement);
}

TEST(Utf8, LengthAndLeftCountCharactersNotBytes) {
    EXPECT_EQ(Utf8Length(""), 0u);
    EXPECT_EQ(Utf8Length("abc"), 3u);
    EXPECT_EQ(Utf8Length("Привет"), 6u);
    EXPECT_EQ(Utf8Length("a東😀"), 3u);
    EXPECT_EQ(Utf8Left("Привет", 3), "При");
    EXPECT_EQ(Utf8Left("Привет", 0), "");
    EXPECT_EQ(Utf8Left("Привет", 6), "Привет");
    EXPECT_EQ(Utf8Left("Привет", 100), "Привет");
    EXPECT_EQ(Utf8Left("a東😀b", 3), "a東😀");
    EXPECT_EQ(Utf8Left("", 5), "");
}

TEST(Utf8, LeftOfAFiftyCharacterNameCutsWholeLetters) {
    std::string name;
    for (int i = 0; i < 60; ++i)
        name += "Ж";
    const std::string cut = Utf8Left(name, 50);
    EXPECT_EQ(cut.size(), 100u);
    EXPECT_EQ(Utf8Length(cut), 50u);
}

TEST(Utf8, LeftNeverSplitsOrGrowsInvalidText) {
    EXPECT_EQ(Utf8Left("\xFF\xFE", 1), "\xFF");
    EXPECT_EQ(Utf8Left("\xE6\x9D"
                       "a",
                       1),
              "\xE6\x9D"); // truncated sequence is one unit
    EXPECT_EQ(Utf8Length("\xE6\x9D"
                         "a"),
              2u);
}

TEST(Utf8, SanitizeReplacesEachMaximalBadSubpart) {
    EXPECT_EQ(Utf8Sanitize("Ok Привет 😀"), "Ok Привет 😀");
    EXPECT_EQ(Utf8Sanitize("\xC0\xAF"), kReplacement + kReplacement); // overlong
    EXPECT_EQ(Utf8Sanitize("\xE2\x82"), kReplacement);                // truncated
    EXPECT_EQ(Utf8Sanitize("\xE2\x82"
                           "A"),
              kReplacement + "A"); // resumes
    EXPECT_EQ(Utf8Sanitize("\xED\xA0\x80"),
              kReplacement + kReplacement + kReplacement); // surrogate
    EXPECT_EQ(Utf8Sanitize("\xF4\x90\x80\x80"),
              kReplacement + kReplacement + kReplacement + kReplacement); // beyond U+10FFFF
    EXPECT_EQ(Utf8Sanitize("\x80"), kReplacement);
    EXPECT_EQ(Utf8Sanitize("\xF0\x9F\x98"), kReplacement);
    EXPECT_EQ(Utf8Sanitize(std::string("\0", 1)), std::string("\0", 1));
}

TEST(Utf8, FoldCaseLowersLatinAndCyrillicCapitals) {
    EXPECT_EQ(Utf8FoldCase("ShowPath"), "showpath");
    EXPECT_EQ(Utf8FoldCase("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"),
              "абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
    EXPECT_EQ(Utf8FoldCase("ЀЁЂЃЄЅІЇЈЉЊЋЌЍЎЏ"), "ѐёђѓєѕіїјљњћќѝўџ");
    EXPECT_EQ(Utf8FoldCase("Москва-1"), "москва-1");
}

TEST(Utf8, FoldCaseLeavesEverythingElseAlone) {
    const std::string untouched = "абвё xyz 0123 [] = Ä Σ ґ 東 😀";
    EXPECT_EQ(Utf8FoldCase(untouched), untouched);
    EXPECT_EQ(Utf8FoldCase("\xD0"
                           "A"),
              "\xD0"
              "a"); // a broken lead byte hides no letter
    EXPECT_EQ(Utf8FoldCase("\xFF\xD0"), "\xFF\xD0");
    EXPECT_EQ(Utf8FoldCase(""), "");
}

TEST(Utf8, FoldCaseIsIdempotentAndKeepsTheByteLength) {
    for (int value = 0; value < 256; ++value) {
        const std::string text = Cp1251ToUtf8(Byte(value));
        const std::string folded = Utf8FoldCase(text);
        EXPECT_EQ(folded.size(), text.size());
        EXPECT_EQ(Utf8FoldCase(folded), folded);
        EXPECT_EQ(Utf8Sanitize(folded), folded);
    }
}
