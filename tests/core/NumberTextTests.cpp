#include "core/NumberText.h"
#include "core/RandomUnit.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <unistd.h>

namespace {

template <typename Function> std::string ConvertErrorOf(Function function) {
    try {
        function();
    } catch (const EConvertError& error) {
        return error.what();
    }
    return "no error";
}

size_t SignificantDigits(const std::string& text) {
    std::string mantissa = text.substr(0, text.find('E'));
    std::string digits;
    for (char c : mantissa)
        if (c >= '0' && c <= '9')
            digits += c;
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? 0 : digits.size() - first;
}

} // namespace

TEST(FloatToStr, WritesFixedNotationWithADecimalComma) {
    EXPECT_EQ(FloatToStr(310.5), "310,5");
    EXPECT_EQ(FloatToStr(120), "120");
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(-2.5), "-2,5");
    EXPECT_EQ(FloatToStr(260.25), "260,25");
    EXPECT_EQ(FloatToStr(-1), "-1");
    EXPECT_EQ(FloatToStr(0.1), "0,1");
    EXPECT_EQ(FloatToStr(1000000), "1000000");
    EXPECT_EQ(FloatToStr(999999999999999.0), "999999999999999");
}

TEST(FloatToStr, RoundsToFifteenSignificantDigits) {
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0,666666666666667");
    EXPECT_EQ(FloatToStr(-1.0 / 3.0), "-0,333333333333333");
    EXPECT_EQ(FloatToStr(123456789012345678.0), "1,23456789012346E17");
    // Rounding up may add an integer digit and so switch to scientific notation.
    EXPECT_EQ(FloatToStr(999999999999999.9), "1E15");
}

TEST(FloatToStr, SwitchesToScientificOutsideTheFixedRange) {
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(-1.5e20), "-1,5E20");
    EXPECT_EQ(FloatToStr(0.00005), "0,00005");
    EXPECT_EQ(FloatToStr(0.00001), "0,00001");
    EXPECT_EQ(FloatToStr(0.0000099), "9,9E-6");
    EXPECT_EQ(FloatToStr(1.5e-7), "1,5E-7");
    EXPECT_EQ(FloatToStr(1e-6), "1E-6");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::denorm_min()), "4,94065645841247E-324");
}

TEST(FloatToStr, TheLargestDoublesAreWrittenSoThatTheyReadBack) {
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(FloatToStr(largest), "1,79769313486231E308");
    EXPECT_EQ(FloatToStr(-largest), "-1,79769313486231E308");
    EXPECT_TRUE(std::isfinite(StrToFloat(FloatToStr(largest))));
    EXPECT_EQ(FloatToStr(1.79769313486231e308), "1,79769313486231E308");
    EXPECT_EQ(FloatToStr(1.5e308), "1,5E308");
}

TEST(FloatToStr, SpecialValues) {
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(FloatToStr, EveryFifteenDigitValueComesBackExactly) {
    SetRandSeed(2024);
    for (int i = 0; i < 20000; ++i) {
        // d.dddd...e±X with 1..15 digits and a decimal exponent well inside the
        // range of normal doubles.
        const int digitCount = 1 + Rnd(15);
        std::string mantissa(1, static_cast<char>('1' + Rnd(9)));
        for (int d = 1; d < digitCount; ++d)
            mantissa += static_cast<char>('0' + Rnd(10));
        const int exponent = Rnd(600) - 300;
        const std::string text = (Rnd(2) ? "-" : "") + mantissa.substr(0, 1) + "." +
                                 mantissa.substr(1) + "e" + std::to_string(exponent);
        const double value = StrToFloat(text);
        const std::string written = FloatToStr(value);
        ASSERT_LE(SignificantDigits(written), 15u) << written;
        ASSERT_EQ(StrToFloat(written), value) << text << " -> " << written;
    }
}

TEST(FloatToStr, CoordinatesOfTheMapComeBackExactly) {
    for (double value : {310.5, 260.25, 0.125, 1234.5678, -17.75, 1e7, 0.3, 5000.01}) {
        EXPECT_EQ(StrToFloat(FloatToStr(value)), value) << value;
    }
}

TEST(StrToFloat, AcceptsCommaOrPointSignFractionAndExponent) {
    EXPECT_EQ(StrToFloat("310,5"), 310.5);
    EXPECT_EQ(StrToFloat("310.5"), 310.5);
    EXPECT_EQ(StrToFloat("-2,5"), -2.5);
    EXPECT_EQ(StrToFloat("+3"), 3.0);
    EXPECT_EQ(StrToFloat("007"), 7.0);
    EXPECT_EQ(StrToFloat("1e3"), 1000.0);
    EXPECT_EQ(StrToFloat("1E+3"), 1000.0);
    EXPECT_EQ(StrToFloat("1,5e-3"), 0.0015);
    EXPECT_EQ(StrToFloat("1,5E-7"), 1.5e-7);
    EXPECT_EQ(StrToFloat(",5"), 0.5);
    EXPECT_EQ(StrToFloat("5."), 5.0);
    EXPECT_EQ(StrToFloat("  2  "), 2.0);
    EXPECT_EQ(StrToFloat("1,79769313486231E308"), 1.79769313486231e308);
    EXPECT_EQ(StrToFloat("1,7976931348623157e308"), std::numeric_limits<double>::max());
    EXPECT_TRUE(std::signbit(StrToFloat("-0")));
}

TEST(StrToFloat, TooSmallIsZeroTooLargeIsRefused) {
    EXPECT_EQ(StrToFloat("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(StrToFloat("-1e-400")));
    EXPECT_EQ(StrToFloat("1000000e-330"), 0.0);
    EXPECT_EQ(StrToFloat("4,94065645841247E-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(StrToFloat("0,000001e-330"), 0.0);
    EXPECT_EQ(StrToFloat("0,000001e-302"), 1e-308); // small, yet a (subnormal) double
    EXPECT_THROW(StrToFloat("1e400"), EConvertError);
    EXPECT_THROW(StrToFloat("-1e400"), EConvertError);
    EXPECT_THROW(StrToFloat("1,79769313486232E308"), EConvertError); // just beyond the largest
    EXPECT_THROW(StrToFloat("1000000e303"), EConvertError);
    EXPECT_THROW(StrToFloat("1e99999999999999999999"), EConvertError);
    EXPECT_EQ(StrToFloat("1e-99999999999999999999"), 0.0);
    EXPECT_EQ(StrToFloat("0e99999999999999999999"), 0.0);
}

TEST(StrToFloat, RefusesEverythingElseWithTheStandardMessage) {
    for (const char* text :
         {"",     " ",    "  ",  ",",     ".",   "-",    "+",      "1,5,5", "1.5.5",
          "inf",  "-inf", "INF", "nan",   "NAN", "0x10", "1e",     "1e+",   "e5",
          "12ab", "--1",  "+-1", "1 000", "\t1", "1\t",  "1,5 e3", "١",     "1e5.5"}) {
        EXPECT_THROW(StrToFloat(text), EConvertError) << "'" << text << "'";
    }
    EXPECT_EQ(ConvertErrorOf([] { StrToFloat("12ab"); }),
              "'12ab' is not a valid floating point value");
    EXPECT_EQ(ConvertErrorOf([] { StrToFloat(" x "); }),
              "' x ' is not a valid floating point value");
}

// The GUI library sets the C locale from the user's environment; with a
// Russian one, printf and strtod expect a comma. Map files must not depend on it.
TEST(NumberText, IgnoresTheCLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    bool commaLocale = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr;
    const std::string folder = "/tmp/trasolan_locale_" + std::to_string(::getpid());
    if (!commaLocale) {
        // Not installed: build it privately, if the system can.
        const std::string command = "mkdir -p " + folder + " && localedef -i ru_RU -f UTF-8 " +
                                    folder + "/ru_RU.UTF-8 >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) {
            ::setenv("LOCPATH", folder.c_str(), 1);
            commaLocale = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr;
        }
    }
    if (commaLocale) {
        char printed[16];
        std::snprintf(printed, sizeof printed, "%.1f", 1.5);
        EXPECT_STREQ(printed, "1,5"); // the locale is really in force
        EXPECT_EQ(FloatToStr(310.5), "310,5");
        EXPECT_EQ(FloatToStr(1.5e-7), "1,5E-7");
        EXPECT_EQ(StrToFloat("310.5"), 310.5);
        EXPECT_EQ(StrToFloat("310,5"), 310.5);
        EXPECT_TRUE(StrToBool("0.5"));
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    ::unsetenv("LOCPATH");
    std::system(("rm -rf " + folder).c_str());
    if (!commaLocale)
        GTEST_SKIP() << "no locale with a decimal comma available";
}

TEST(StrToInt, AcceptsSignedDecimalIntegersInRange) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("-0"), 0);
    EXPECT_EQ(StrToInt("+5"), 5);
    EXPECT_EQ(StrToInt("-1"), -1);
    EXPECT_EQ(StrToInt("00042"), 42);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int32_t>::min());
}

TEST(StrToInt, RefusesEverythingElseWithTheStandardMessage) {
    for (const char* text :
         {"", "-", "+", " 1", "1 ", "1.0", "1,0", "1e3", "0x10", "$10", "2147483648", "-2147483649",
          "99999999999999999999", "12ab", "--1", "١"}) {
        EXPECT_THROW(StrToInt(text), EConvertError) << "'" << text << "'";
    }
    EXPECT_EQ(ConvertErrorOf([] { StrToInt("12ab"); }), "'12ab' is not a valid integer value");
    EXPECT_EQ(ConvertErrorOf([] { StrToInt("2147483648"); }),
              "'2147483648' is not a valid integer value");
}

TEST(TryConversions, LeaveTheValueUnchangedOnFailure) {
    int32_t integer = 77;
    EXPECT_FALSE(TryStrToInt("x", integer));
    EXPECT_EQ(integer, 77);
    EXPECT_TRUE(TryStrToInt("-12", integer));
    EXPECT_EQ(integer, -12);
    double number = 1.5;
    EXPECT_FALSE(TryStrToFloat("1e400", number));
    EXPECT_EQ(number, 1.5);
    EXPECT_TRUE(TryStrToFloat("2,25", number));
    EXPECT_EQ(number, 2.25);
}

TEST(StrToBool, NumbersAreTrueUnlessZero) {
    for (const char* text : {"-1", "1", "5", "0,5", "1e3", " 1 ", "-0,0001"})
        EXPECT_TRUE(StrToBool(text)) << text;
    for (const char* text : {"0", "-0", "0,0", "0e5", " 0 "})
        EXPECT_FALSE(StrToBool(text)) << text;
}

TEST(StrToBool, WordsInAnyLetterCase) {
    EXPECT_TRUE(StrToBool("TRUE"));
    EXPECT_TRUE(StrToBool("true"));
    EXPECT_TRUE(StrToBool("tRuE"));
    EXPECT_FALSE(StrToBool("false"));
    EXPECT_FALSE(StrToBool("False"));
}

TEST(StrToBool, RefusesEverythingElseWithTheStandardMessage) {
    for (const char* text : {"", "yes", "T", " true", "true ", "1e400", "nan", "истина"})
        EXPECT_THROW(StrToBool(text), EConvertError) << "'" << text << "'";
    EXPECT_EQ(ConvertErrorOf([] { StrToBool("yes"); }), "'yes' is not a valid boolean value");
}

TEST(BoolToStr, WritesMinusOneAndZero) {
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
    EXPECT_TRUE(StrToBool(BoolToStr(true)));
    EXPECT_FALSE(StrToBool(BoolToStr(false)));
}
