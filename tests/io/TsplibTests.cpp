// TSPLIB problems: coordinate types against hand-computed places, the
// tolerance for the ways real files differ, and the refusals of wrong data.

#include "ImportTestSupport.h"

#include "io/TsplibImport.h"
#include "io/TsplibReader.h"

#include <gtest/gtest.h>

namespace {

std::string Problem(const std::string& type, const std::string& nodes) {
    return "NAME : t3\nTYPE : TSP\nDIMENSION : 3\nEDGE_WEIGHT_TYPE : " + type +
           "\nNODE_COORD_SECTION\n" + nodes + "EOF\n";
}

void ExpectPlace(const TTSPMap& map, int32_t p, double x, double y) {
    EXPECT_NEAR(map.City(p).X, x, 1e-6) << "node " << p;
    EXPECT_NEAR(map.City(p).Y, y, 1e-6) << "node " << p;
}

TEST(Tsplib, PlanarTypesAreScaledAndShiftedIntoTheSurface) {
    // 100 x 50 into 767 x 446 with 20 px margins: scale 7.27, the height
    // (363.5) centred in 406 from y = 41.25. y keeps its direction.
    for (const char* type : {"EUC_2D", "CEIL_2D", "ATT", "MAN_2D", "MAX_2D"}) {
        SCOPED_TRACE(type);
        const TImportResult imported =
            ImportTsplib(Problem(type, "1 1000 2000\n2 1100 2050\n3 1050 2025\n"), {});
        const TTSPMap& map = imported.Map;
        ASSERT_EQ(map.Count(), 3);
        ExpectPlace(map, 0, 20, 41.25);
        ExpectPlace(map, 1, 747, 404.75);
        ExpectPlace(map, 2, 383.5, 223);
        EXPECT_EQ(map.City(2).Name, "3");
        EXPECT_TRUE(map.City(2).ThisCity);
        EXPECT_EQ(map.City(1).Roads, (TIntegerArray{0, 2}));
        EXPECT_EQ(map.SelectedCities(), (TIntegerArray{0, 1, 2}));
        EXPECT_EQ(imported.Summary.Name, "t3");
    }
}

TEST(Tsplib, GeoIsDegreesAndMinutesLatitudeFirstNorthUp) {
    EXPECT_DOUBLE_EQ(TsplibGeoDegrees(55.45), 55.75);
    EXPECT_DOUBLE_EQ(TsplibGeoDegrees(-12.30), -12.5);
    // Latitudes 0°, 0°30' and -0°30', longitudes 0°, 1° and 0°30'. Projected
    // (Web Mercator, metres): (0, 0), (111319.49, -55660.45), (55659.75, 55660.45);
    // the height limits the scale (406 / 111320.90); north is up.
    const TTSPMap map =
        ImportTsplib(Problem("GEO", "1 0.00 0.00\n2 0.30 1.00\n3 -0.30 0.30\n"), {}).Map;
    ExpectPlace(map, 0, 180.5025765720254, 223);
    ExpectPlace(map, 1, 586.4974234279746, 20);
    ExpectPlace(map, 2, 383.5, 426);
}

TEST(Tsplib, ToleratesTheWaysRealFilesDiffer) {
    // CR LF, keys in any case and spacing, a keyword without a colon, tabs,
    // blank and comment lines, keywords of other collections, a display
    // section, exponent forms, node numbers out of order, no EOF.
    const std::string text = "name:odd\r\n  Type :TSP  \r\nCOMMENT : first\r\n"
                             "COMMENT: second\r\n\r\n# a remark\r\nBEST_KNOWN : 7\r\n"
                             "DIMENSION\t4\r\nEDGE_WEIGHT_TYPE:EUC_2D\r\nNODE_COORD_SECTION :\r\n"
                             "  2\t 1.0e+01   0  \r\n1 0 0\r\n\r\n4.0 0.0 5E0\r\n 3 10 5\r\n"
                             "DISPLAY_DATA_SECTION\r\n1 0 0\r\n";
    const TImportResult imported = ImportTsplib(text, {});
    EXPECT_EQ(imported.Summary.Name, "odd");
    EXPECT_EQ(imported.Summary.Comment, "first; second");
    const TTSPMap& map = imported.Map;
    ASSERT_EQ(map.Count(), 4);
    EXPECT_EQ(map.City(0).Name, "2");
    EXPECT_EQ(map.City(2).Name, "4");
    EXPECT_EQ(map.City(3).Name, "3");
    // 10 x 5: the width limits (72.7), the height 363.5 centred from 41.25.
    ExpectPlace(map, 0, 747, 41.25);
    ExpectPlace(map, 3, 747, 404.75);

    // A bare minimum: no TYPE, no EDGE_WEIGHT_TYPE (taken as EUC_2D), no EOF,
    // text after EOF ignored.
    EXPECT_EQ(ImportTsplib("DIMENSION: 2\nNODE_COORD_SECTION\n1 0 0\n2 3 4", {}).Map.Count(), 2);
    EXPECT_EQ(ImportTsplib("NODE_COORD_SECTION\n1 0 0\n2 3 4\nEOF\ngarbage\n", {}).Map.Count(), 2);
    // Windows-1251 in a comment.
    EXPECT_EQ(ImportTsplib("COMMENT : \xcc\xee\xf1\xea\xe2\xe0\nNODE_COORD_SECTION\n1 0 0\n", {})
                  .Summary.Comment,
              "Москва");
}

TEST(Tsplib, WrongDataIsRefusedWithTheLine) {
    auto refusal = [](const std::string& text) {
        return ImportMessage([&] { ImportTsplib(text, {}); });
    };
    EXPECT_EQ(refusal(Problem("EUC_2D", "1 0 0\n2 abc 1\n3 1 1\n")),
              "Строка 7: ожидалось два числа координат узла, найдено «abc».");
    EXPECT_EQ(refusal(Problem("EUC_2D", "1 0 0\n2 1 1\n")),
              "Строка 8: ожидались координаты ещё 1 узлов: в разделе NODE_COORD_SECTION их 2, "
              "а DIMENSION равно 3.");
    EXPECT_EQ(refusal(Problem("EUC_2D", "1 0 0\n2 1 1\n3 2 2\n4 3 3\n")),
              "Строка 9: узлов больше, чем указано в DIMENSION (3).");
    EXPECT_EQ(refusal(Problem("EUC_2D", "1 0 0\n2 1\n3 2 2\n")),
              "Строка 7: ожидались номер узла и две его координаты, найдено «2 1».");
    EXPECT_EQ(refusal(Problem("EUC_2D", "1 0 0\n2 1 1 1\n3 2 2\n")),
              "Строка 7: ожидались только номер узла и две его координаты, найдено лишнее «1».");
    EXPECT_EQ(refusal(Problem("EUC_2D", "1 0 0\n1 1 1\n3 2 2\n")),
              "Строка 7: узел 1 уже был задан в строке 6.");
    EXPECT_EQ(refusal(Problem("EUC_2D", "1 0 0\nnode 1 1\n")),
              "Строка 7: ожидались номер узла и две его координаты, найдено «node 1 1».");
    EXPECT_EQ(refusal(Problem("EXPLICIT", "")),
              "Строка 4: тип расстояний «EXPLICIT» не поддерживается: ожидались координаты "
              "узлов на плоскости (EUC_2D, CEIL_2D, ATT) или на Земле (GEO).");
    EXPECT_EQ(refusal("NAME: a\nTYPE: ATSP\n"),
              "Строка 2: ожидалась симметричная задача коммивояжёра (TYPE : TSP), найдено «ATSP».");
    EXPECT_EQ(refusal("DIMENSION : -3\n"),
              "Строка 1: ожидалось число узлов (DIMENSION) — целое не меньше 1, найдено «-3».");
    EXPECT_EQ(refusal("NAME : a\nDIMENSION : 3\n"),
              "Строка 3: файл закончился, а раздела NODE_COORD_SECTION с координатами узлов не "
              "было.");
    EXPECT_EQ(refusal("1 2 3\n"), "Строка 1: ожидалось ключевое слово TSPLIB со значением "
                                  "(например, «DIMENSION : 52»), найдено «1 2 3».");
    EXPECT_EQ(refusal(Problem("GEO", "1 0 0\n2 91.00 0\n3 0 0\n")),
              "Строка 7: ожидались широта (от -90 до 90) и долгота (от -180 до 180) в градусах "
              "и минутах (GEO).");
    // DIMENSION after the section is still checked.
    EXPECT_EQ(refusal("NODE_COORD_SECTION\n1 0 0\nDIMENSION : 2\n"),
              "Строка 4: DIMENSION равно 2, а в разделе NODE_COORD_SECTION узлов: 1.");
    EXPECT_EQ(refusal("NODE_COORD_SECTION\nEOF\n"),
              "Строка 2: ожидались строки узлов «номер x y», а раздел NODE_COORD_SECTION пуст.");
    // Beyond the distance table's limit the file is refused at DIMENSION.
    EXPECT_NE(refusal("DIMENSION : 20000\n").find("16384"), std::string::npos);
}

TEST(Tsplib, RoundTripThroughTheMapFile) {
    TImportOptions options;
    options.Surface = {1600, 1200};
    options.Roads = {TRoadRule::Nearest, 3};
    std::string nodes;
    for (int i = 1; i <= 40; ++i)
        nodes += std::to_string(i) + " " + std::to_string((i * 37) % 101) + ".25 " +
                 std::to_string((i * i) % 89) + "\n";
    const TTSPMap map = ImportTsplib("DIMENSION : 40\nNODE_COORD_SECTION\n" + nodes, options).Map;
    ExpectSameMap(map, SavedAndOpened(map));
    EXPECT_NO_THROW(map.CheckTask());
}

} // namespace
