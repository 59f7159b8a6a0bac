#include "core/FastIniFiles.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

TFastIniFiles StoreOf(std::string_view text) {
    TFastIniFiles store;
    store.LoadFromText(text);
    return store;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(IniStoreNames, SectionsAndKeysIgnoreLetterCase) {
    const TFastIniFiles store = StoreOf("[options]\r\nshowpath=0\r\n");
    EXPECT_EQ(store.ReadString("Options", "ShowPath", "x"), "0");
    EXPECT_EQ(store.ReadString("OPTIONS", "SHOWPATH", "x"), "0");
    EXPECT_FALSE(store.ReadBool("Options", "ShowPath", true));
}

TEST(IniStoreNames, CyrillicNamesIgnoreLetterCaseToo) {
    const TFastIniFiles store = StoreOf("[Город]\nИмя=Ёлкино\nёж=1\n");
    EXPECT_EQ(store.ReadString("ГОРОД", "имя", ""), "Ёлкино");
    EXPECT_EQ(store.ReadString("город", "ЁЖ", ""), "1");
}

TEST(IniStoreNames, NothingIsTrimmed) {
    const TFastIniFiles store = StoreOf("[S]\na = b\n  c=d\n[ T ]\ne=f\n");
    EXPECT_EQ(store.ReadString("S", "a", "default"), "default");
    EXPECT_EQ(store.ReadString("S", "a ", "default"), " b");
    EXPECT_EQ(store.ReadString("S", "c", "default"), "default");
    EXPECT_EQ(store.ReadString("S", "  c", "default"), "d");
    EXPECT_EQ(store.ReadString("T", "e", "default"), "default");
    EXPECT_EQ(store.ReadString(" T ", "e", "default"), "f");
    EXPECT_EQ(store.SectionLines("S"), (Lines{"a = b", "  c=d"}));
}

TEST(IniStoreNames, ValueRunsFromTheFirstEqualsSign) {
    const TFastIniFiles store = StoreOf("[S]\nK=a=b=\n=empty key\n");
    EXPECT_EQ(store.ReadString("S", "K", ""), "a=b=");
    EXPECT_EQ(store.ReadString("S", "", ""), "empty key");
}

TEST(IniStoreLoading, HeadersMustFillTheirWholeLine) {
    const TFastIniFiles store = StoreOf("[A]\n [B]\n[C] \n[]\nk=1\n[[x]]\nk=2\n[a]b]\nk=3\n");
    EXPECT_EQ(store.Sections(), (Lines{"A", "", "[x]", "a]b"}));
    EXPECT_EQ(store.SectionLines("A"), (Lines{" [B]", "[C] "}));
    EXPECT_EQ(store.ReadString("", "k", ""), "1");
    EXPECT_EQ(store.ReadString("[x]", "k", ""), "2");
    EXPECT_EQ(store.ReadString("a]b", "k", ""), "3");
}

TEST(IniStoreLoading, BlankAndControlOnlyLinesAreSkipped) {
    const TFastIniFiles store = StoreOf("[S]\n\n   \n\t\n\x01\x02 \x7F\nk=v\n \n");
    EXPECT_EQ(store.SectionLines("S"), (Lines{"k=v"}));
    EXPECT_EQ(store.SaveToText(), "[S]\r\nk=v\r\n");
}

TEST(IniStoreLoading, LinesBeforeTheFirstHeaderAreIgnored) {
    const TFastIniFiles store = StoreOf("k=stray\nremark\n[S]\nk=v\n");
    EXPECT_EQ(store.Sections(), (Lines{"S"}));
    EXPECT_EQ(store.ReadString("S", "k", ""), "v");
    EXPECT_EQ(store.SaveToText(), "[S]\r\nk=v\r\n");
}

TEST(IniStoreLoading, CrAndLfAndCrLfEachEndALine) {
    const TFastIniFiles store = StoreOf("[S]\ra=1\nb=2\r\nc=3\n\rd=4");
    EXPECT_EQ(store.SectionLines("S"), (Lines{"a=1", "b=2", "c=3", "d=4"}));
    EXPECT_EQ(StoreOf("").Sections(), Lines{});
    EXPECT_EQ(StoreOf("[S]").Sections(), (Lines{"S"}));
}

TEST(IniStoreLoading, LinesWithoutEqualsAreKeptButNeverMatch) {
    TFastIniFiles store = StoreOf("[S]\nremark\nk=v\n");
    EXPECT_EQ(store.ReadString("S", "remark", "default"), "default");
    EXPECT_FALSE(store.ValueExists("S", "remark"));
    store.WriteString("S", "remark", "x");
    EXPECT_EQ(store.SaveToText(), "[S]\r\nremark\r\nk=v\r\nremark=x\r\n");
}

TEST(IniStoreLoading, LoadingReplacesTheWholeStore) {
    TFastIniFiles store = StoreOf("[A]\nk=1\n");
    store.WriteString("B", "k", "2");
    store.LoadFromText("[C]\nk=3\n");
    EXPECT_EQ(store.Sections(), (Lines{"C"}));
    EXPECT_EQ(store.ReadString("A", "k", "none"), "none");
    EXPECT_EQ(store.ReadString("B", "k", "none"), "none");
}

TEST(IniStoreRepeats, FirstSectionOfANameAnswersAndIsChanged) {
    TFastIniFiles store = StoreOf("[A]\nk=1\n[B]\nk=2\n[a]\nk=3\nonly=here\n");
    EXPECT_EQ(store.ReadString("A", "k", ""), "1");
    EXPECT_EQ(store.ReadString("A", "only", "never"), "never");
    store.WriteString("A", "k", "changed");
    EXPECT_EQ(store.SaveToText(), "[A]\r\nk=changed\r\n[B]\r\nk=2\r\n[a]\r\nk=3\r\nonly=here\r\n");
    EXPECT_EQ(store.Sections(), (Lines{"A", "B", "a"}));
}

TEST(IniStoreRepeats, FirstLineOfAKeyAnswersAndIsChanged) {
    TFastIniFiles store = StoreOf("[S]\nk=1\nK=2\nk=3\n");
    EXPECT_EQ(store.ReadString("S", "k", ""), "1");
    store.WriteString("S", "k", "one");
    EXPECT_EQ(store.SectionLines("S"), (Lines{"k=one", "K=2", "k=3"}));
}

TEST(IniStoreRepeats, RemovingTheFirstLineOfAKeyUncoversTheNext) {
    TFastIniFiles store = StoreOf("[S]\na=0\nk=1\nb=x\nK=2\nc=y\n");
    store.WriteString("S", "k", "");
    EXPECT_EQ(store.ReadString("S", "k", ""), "2");
    // Positions after the removed line moved up: their lookups must follow.
    EXPECT_EQ(store.ReadString("S", "b", ""), "x");
    EXPECT_EQ(store.ReadString("S", "c", ""), "y");
    store.WriteString("S", "c", "z");
    EXPECT_EQ(store.SectionLines("S"), (Lines{"a=0", "b=x", "K=2", "c=z"}));
}

TEST(IniStoreRepeats, EmptyFirstValueHidesLaterOnes) {
    // An empty value is "missing" for reads, but it is still the first line of the key.
    const TFastIniFiles store = StoreOf("[S]\nk=\nk=2\n");
    EXPECT_EQ(store.ReadString("S", "k", "default"), "default");
    EXPECT_FALSE(store.ValueExists("S", "k"));
}

TEST(IniStoreReading, MissingAndEmptyValuesGiveTheDefault) {
    const TFastIniFiles store = StoreOf("[S]\nempty=\nk=v\n");
    EXPECT_EQ(store.ReadString("S", "empty", "d"), "d");
    EXPECT_EQ(store.ReadString("S", "missing", "d"), "d");
    EXPECT_EQ(store.ReadString("Missing", "k", "d"), "d");
    EXPECT_FALSE(store.ValueExists("S", "empty"));
    EXPECT_FALSE(store.ValueExists("S", "missing"));
    EXPECT_FALSE(store.ValueExists("Missing", "k"));
    EXPECT_TRUE(store.ValueExists("S", "k"));
    EXPECT_EQ(store.ReadInteger("S", "empty", -1), -1);
    EXPECT_EQ(store.ReadInteger("S", "missing", -1), -1);
    EXPECT_EQ(store.ReadFloat("S", "missing", -1.5), -1.5);
    EXPECT_TRUE(store.ReadBool("S", "missing", true));
    EXPECT_FALSE(store.ReadBool("S", "empty", false));
}

TEST(IniStoreReading, DefaultsComeBackUnchanged) {
    const TFastIniFiles store;
    const double precise = 0.12345678901234567;
    EXPECT_EQ(store.ReadFloat("S", "k", precise), precise);
    EXPECT_TRUE(std::isnan(store.ReadFloat("S", "k", std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(store.ReadFloat("S", "k", std::numeric_limits<double>::infinity()),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(store.ReadInteger("S", "k", std::numeric_limits<int32_t>::min()),
              std::numeric_limits<int32_t>::min());
}

TEST(IniStoreReading, TypedReadsConvertPresentValues) {
    const TFastIniFiles store =
        StoreOf("[S]\ni=-42\nf=310,5\np=310.5\nb1=-1\nb2=1\nb3=5\nb4=TRUE\nb5=0\nb6=false\n");
    EXPECT_EQ(store.ReadInteger("S", "i", 0), -42);
    EXPECT_EQ(store.ReadFloat("S", "f", 0), 310.5);
    EXPECT_EQ(store.ReadFloat("S", "p", 0), 310.5);
    EXPECT_EQ(store.ReadFloat("S", "i", 0), -42.0);
    for (const char* key : {"b1", "b2", "b3", "b4"})
        EXPECT_TRUE(store.ReadBool("S", key, false)) << key;
    for (const char* key : {"b5", "b6"})
        EXPECT_FALSE(store.ReadBool("S", key, true)) << key;
}

TEST(IniStoreReading, MalformedValuesRaiseTheStandardConversionErrors) {
    const TFastIniFiles store = StoreOf("[S]\ni=12ab\nf=1,2,3\nb=yes\nspace= 7\n");
    auto message = [](auto read) -> std::string {
        try {
            read();
        } catch (const EConvertError& error) {
            return error.what();
        }
        return "no error";
    };
    EXPECT_EQ(message([&] { store.ReadInteger("S", "i", -1); }),
              "'12ab' is not a valid integer value");
    EXPECT_EQ(message([&] { store.ReadInteger("S", "space", -1); }),
              "' 7' is not a valid integer value");
    EXPECT_EQ(message([&] { store.ReadFloat("S", "f", -1); }),
              "'1,2,3' is not a valid floating point value");
    EXPECT_EQ(message([&] { store.ReadBool("S", "b", true); }),
              "'yes' is not a valid boolean value");
    EXPECT_EQ(store.ReadFloat("S", "space", 0), 7.0); // spaces around a float are allowed
}

TEST(IniStoreWriting, OneKeyInOneSectionIsSavedAsTwoLines) {
    TFastIniFiles store;
    store.WriteString("S", "K", "V");
    EXPECT_EQ(store.SaveToText(), "[S]\r\nK=V\r\n");
}

TEST(IniStoreWriting, NewSectionsAndKeysAppearInTheOrderOfTheirFirstWrite) {
    TFastIniFiles store;
    store.WriteString("B", "x", "1");
    store.WriteString("A", "y", "2");
    store.WriteString("B", "z", "3");
    store.WriteString("b", "X", "4"); // same section, same key: replaced in place, key as given
    EXPECT_EQ(store.SaveToText(), "[B]\r\nX=4\r\nz=3\r\n[A]\r\ny=2\r\n");
}

TEST(IniStoreWriting, EmptyTextRemovesTheKey) {
    TFastIniFiles store = StoreOf("[S]\na=1\nk=v\nb=2\n");
    store.WriteString("S", "K", "");
    EXPECT_EQ(store.ReadString("S", "k", "default"), "default");
    EXPECT_EQ(store.SectionLines("S"), (Lines{"a=1", "b=2"}));
    store.WriteString("S", "k", ""); // nothing left to remove, nothing added
    EXPECT_EQ(store.SectionLines("S"), (Lines{"a=1", "b=2"}));
}

TEST(IniStoreWriting, EmptyTextStillCreatesAMissingSection) {
    TFastIniFiles store;
    store.WriteString("S", "k", "");
    EXPECT_EQ(store.SaveToText(), "[S]\r\n");
}

TEST(IniStoreWriting, TypedWritesUseTheStoreNumberText) {
    TFastIniFiles store;
    store.WriteInteger("S", "i", -17);
    store.WriteFloat("S", "x", 310.5);
    store.WriteFloat("S", "y", 200);
    store.WriteBool("S", "t", true);
    store.WriteBool("S", "f", false);
    EXPECT_EQ(store.SaveToText(), "[S]\r\ni=-17\r\nx=310,5\r\ny=200\r\nt=-1\r\nf=0\r\n");
    const TFastIniFiles back = StoreOf(store.SaveToText());
    EXPECT_EQ(back.ReadInteger("S", "i", 0), -17);
    EXPECT_EQ(back.ReadFloat("S", "x", 0), 310.5);
    EXPECT_TRUE(back.ReadBool("S", "t", false));
    EXPECT_FALSE(back.ReadBool("S", "f", true));
}

TEST(IniStoreWriting, LineBreaksInWrittenTextCannotOpenSections) {
    TFastIniFiles store;
    store.WriteString("S", "Name", "evil\r\n[Options]\nCityCount=99");
    store.WriteString("T\n", "k\r", "v");
    const TFastIniFiles back = StoreOf(store.SaveToText());
    EXPECT_EQ(back.Sections(), (Lines{"S", "T "}));
    EXPECT_EQ(back.ReadString("S", "Name", ""), "evil  [Options] CityCount=99");
    EXPECT_EQ(back.ReadString("T ", "k ", ""), "v");
    EXPECT_EQ(store.ReadString("S", "Name", ""), back.ReadString("S", "Name", ""));
}

TEST(IniStoreSaving, RoundTripKeepsEveryLineAndRepeat) {
    const std::string text = "[A]\r\nk=1\r\nremark\r\n[B]\r\nk= spaced \r\n[a]\r\nk=3\r\n";
    TFastIniFiles store = StoreOf(text);
    EXPECT_EQ(store.SaveToText(), text);
    EXPECT_EQ(StoreOf(store.SaveToText()).SaveToText(), text);
}

TEST(IniStoreScale, LargeMapAnswersEveryLookup) {
    // 10,000 node sections of 11 keys each, as a big map file has them.
    std::string text = "[Options]\r\nCityCount=10000\r\n";
    for (int node = 0; node < 10000; ++node) {
        text += "[" + std::to_string(node) + "]\r\nID=" + std::to_string(node) + "\r\nName=N" +
                std::to_string(node) + "\r\nX=1,5\r\nY=2\r\nThisCity=-1\r\n";
        for (int road = 0; road < 6; ++road)
            text += "R_" + std::to_string(road) + "=" + std::to_string((node + road + 1) % 10000) +
                    "\r\n";
    }
    const TFastIniFiles store = StoreOf(text);
    ASSERT_EQ(store.ReadInteger("Options", "CityCount", -1), 10000);
    for (int node = 0; node < 10000; ++node) {
        const std::string section = std::to_string(node);
        ASSERT_EQ(store.ReadInteger(section, "ID", -1), node);
        ASSERT_EQ(store.ReadString(section, "Name", ""), "N" + section);
        ASSERT_EQ(store.ReadFloat(section, "X", 0), 1.5);
        ASSERT_TRUE(store.ReadBool(section, "ThisCity", false));
        for (int road = 0; road < 6; ++road)
            ASSERT_EQ(store.ReadInteger(section, "R_" + std::to_string(road), -1),
                      (node + road + 1) % 10000);
        ASSERT_FALSE(store.ValueExists(section, "R_6"));
    }
    EXPECT_EQ(store.SaveToText(), text);
}
