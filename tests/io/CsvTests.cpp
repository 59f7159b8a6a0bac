// City lists: separators, decimal marks, encodings, the columns and their
// meanings, the roads file, and the refusals with their lines.

#include "ImportTestSupport.h"

#include "io/CsvImport.h"
#include "io/CsvReader.h"

#include <gtest/gtest.h>

namespace {

TImportResult Import(const std::string& cities, const TImportOptions& options = {}) {
    return ImportCsv(cities, std::nullopt, options);
}

TTSPMap ImportWithRoads(const std::string& cities, const std::string& roads) {
    return ImportCsv(cities, roads, {}).Map;
}

std::string Refusal(const std::string& cities) {
    return ImportMessage([&] { Import(cities); });
}

std::string RoadsRefusal(const std::string& cities, const std::string& roads) {
    return ImportMessage([&] { ImportWithRoads(cities, roads); });
}

// 100 x 50 into 767 x 446: see the TSPLIB test of the same numbers.
void ExpectThreePlaced(const TTSPMap& map) {
    ASSERT_EQ(map.Count(), 3);
    EXPECT_NEAR(map.City(0).X, 20, 1e-6);
    EXPECT_NEAR(map.City(0).Y, 41.25, 1e-6);
    EXPECT_NEAR(map.City(1).X, 747, 1e-6);
    EXPECT_NEAR(map.City(1).Y, 404.75, 1e-6);
    EXPECT_NEAR(map.City(2).X, 383.5, 1e-6);
    EXPECT_NEAR(map.City(2).Y, 223, 1e-6);
}

TEST(Csv, EachSeparatorDecimalMarkAndEncoding) {
    const char* const variants[] = {
        "name,x,y\nМинск,0,0\nБрест,100,50\nГомель,50,25\n",
        "name;x;y\r\nМинск;0;0\r\nБрест;100;50\r\nГомель;50,0;25\r\n",
        "name\tx\ty\nМинск\t0\t0\nБрест\t1e2\t50\nГомель\t50.0\t25\n",
        "name,x,y\nМинск,0,0\nБрест,100,50\nГомель,\"50,0\",\"25,00\"\n",
        "\xEF\xBB\xBFname;x;y\nМинск;0;0\nБрест;100;50\nГомель;50;25\n",
        // Windows-1251
        "name;x;y\n\xcc\xe8\xed\xf1\xea;0;0\n\xc1\xf0\xe5\xf1\xf2;100;50\n"
        "\xc3\xee\xec\xe5\xeb\xfc;50;25\n",
    };
    for (const char* text : variants) {
        SCOPED_TRACE(text);
        const TTSPMap map = Import(text).Map;
        ExpectThreePlaced(map);
        EXPECT_EQ(map.City(0).Name, "Минск");
        EXPECT_EQ(map.City(2).Name, "Гомель");
        EXPECT_EQ(map.City(1).Roads, (TIntegerArray{0, 2}));
        EXPECT_EQ(map.SelectedCities(), (TIntegerArray{0, 1, 2}));
    }
}

TEST(Csv, ColumnsInAnyOrderAndCaseWithLongitudeAndLatitude) {
    // The places of the TSPLIB GEO test, in decimal degrees.
    const TTSPMap map = Import("LAT;Name;Lon;population\n0;a;0;5\n0,5;b;1;7\n-0,5;c;0,5;9\n").Map;
    EXPECT_NEAR(map.City(0).X, 180.5025765720254, 1e-6);
    EXPECT_NEAR(map.City(0).Y, 223, 1e-6);
    EXPECT_NEAR(map.City(1).X, 586.4974234279746, 1e-6);
    EXPECT_NEAR(map.City(1).Y, 20, 1e-6);
    EXPECT_NEAR(map.City(2).Y, 426, 1e-6);
    // Qualified names (geo_lat, "Широта, °") are found by their words; an
    // Excel "sep=" line names the separator.
    for (const char* header : {"long,latitude", "longitude,lat", "lng,lat", "Долгота,Широта",
                               "geo_lon,geo_lat", "sep=,\n\"Долгота, °\",\"Широта, °\""})
        EXPECT_EQ(Import(std::string(header) + "\n37.6,55.7\n30.3,59.9\n").Map.Count(), 2)
            << header;
}

TEST(Csv, KindsSelectionNamesAndIds) {
    // Kinds and the order of the route; the transit point is not selected.
    TTSPMap map = Import("name,x,y,city,selected\nA,0,0,1,2\nB,1,0,0,\nC,2,0,1,1\nD,3,0,1,0\n"
                         "E,4,0,,3\n")
                      .Map;
    EXPECT_FALSE(map.City(1).ThisCity);
    EXPECT_TRUE(map.City(4).ThisCity);
    EXPECT_EQ(map.SelectedCities(), (TIntegerArray{2, 0, 4}));
    // Without a selected column every city is selected in file order.
    map = Import("x,y,City\n0,0,1\n1,1,0\n2,2,-1\n").Map;
    EXPECT_EQ(map.SelectedCities(), (TIntegerArray{0, 2}));
    EXPECT_EQ(map.City(1).Name, "2"); // no names: numbers from 1
    EXPECT_EQ(Import("id;name_ru;name_en;x;y\n1;Казань;Kazan;0;0\n").Map.City(0).Name, "Казань");
    // Names from the id column when there is no name column.
    EXPECT_EQ(Import("id;x;y\nN17;0;0\nN4;1;1\n").Map.City(1).Name, "N4");
    // A city column of names (as world city lists have it) names the nodes.
    map = Import("\"city\",\"lat\",\"lng\"\n\"Kazan\",\"55.79\",\"49.11\"\n"
                 "\"Perm\",\"58.01\",\"56.25\"\n")
              .Map;
    EXPECT_EQ(map.City(0).Name, "Kazan");
    EXPECT_TRUE(map.City(1).ThisCity);
}

TEST(Csv, QuotedFieldsAsCsvAllows) {
    const TTSPMap map = Import("name,x,y\n\"Ust-Kut, \"\"north\"\"\",0,0\n"
                               "\"two\nlines\",1,1\n  spaced  , 2 , 2 \n")
                            .Map;
    EXPECT_EQ(map.City(0).Name, "Ust-Kut, \"north\"");
    EXPECT_EQ(map.City(2).Name, "spaced");
    // A line break inside quotes still counts: the bad row is on line 4.
    EXPECT_EQ(Refusal("name,x,y\n\"a\nb\",0,0\nc,zz,0\n"),
              "Строка 4: ожидалось число в столбце «x», найдено «zz».");
    EXPECT_EQ(DetectCsvSeparator("\"a;b\",c,d\n"), ',');
    EXPECT_EQ(DetectCsvSeparator("a\tb,c\td\n"), '\t');
}

TEST(Csv, RoadsFileByNameIdOrNumber) {
    const std::string cities = "id;name;x;y\nk1;Казань;0;0\nk2;12;1;0\nk3;Пермь;2;0\nk4;Уфа;3;3\n";
    const TTSPMap map =
        ImportWithRoads(cities, "From;To;km\nКазань;12\nk3;4\n3;2\nПермь;Пермь\n12;Казань\n\n");
    // 12 is the second city's name before it is the twelfth's number.
    EXPECT_EQ(map.City(0).Roads, (TIntegerArray{1}));
    EXPECT_EQ(map.City(1).Roads, (TIntegerArray{0, 2}));
    EXPECT_EQ(map.City(2).Roads, (TIntegerArray{1, 3}));
    EXPECT_EQ(map.City(3).Roads, (TIntegerArray{2}));

    EXPECT_EQ(RoadsRefusal(cities, "source,target\nКазань,Самара\n"),
              "Файл дорог, строка 2: ожидалось название города из списка или его номер (от 1 "
              "до 4), найдено «Самара».");
    EXPECT_EQ(RoadsRefusal(cities, "a,b\n"),
              "Файл дорог, строка 1: ожидались столбцы from и to "
              "(названия или номера городов), а их в заголовке нет.");
    EXPECT_EQ(RoadsRefusal("name,x,y\nA,0,0\nA,1,1\n", "from,to\n2,A\n"),
              "Файл дорог, строка 2: название «A» носят несколько городов (первый — в строке 2 "
              "списка); укажите номер города.");
}

TEST(Csv, NearestNeighbourRoadsWithoutARoadsFile) {
    std::string text = "x,y\n";
    for (int i = 0; i < 60; ++i)
        text += std::to_string(i % 3 * 1000 + i) + "," + std::to_string(i * 7 % 13) + "\n";
    TImportOptions options;
    options.Roads = {TRoadRule::Nearest, 2};
    const TImportResult imported = Import(text, options);
    EXPECT_EQ(imported.Summary.Roads, TRoadSource::Nearest);
    EXPECT_GT(imported.Summary.JoiningRoads, 0);
    EXPECT_NO_THROW(imported.Map.CheckTask()); // every selected city reachable
}

TEST(Csv, WrongDataIsRefusedWithTheLine) {
    EXPECT_EQ(Refusal(""), "Строка 1: ожидалась строка заголовка со столбцами name, x, y или "
                           "name, lon, lat, а файл пуст.");
    EXPECT_EQ(Refusal("name;a;b\nx;1;2\n"), "Строка 1: ожидались столбцы x и y или долгота и "
                                            "широта (lon и lat), найдено «name;a;b».");
    EXPECT_EQ(Refusal("name,x,y\n"),
              "Строка 2: ожидались строки городов под заголовком, а файл закончился.");
    EXPECT_EQ(Refusal("name,x,y\nA,1,\n"),
              "Строка 2: ожидалось число в столбце «y», найдено пустое поле.");
    EXPECT_EQ(Refusal("name,x,y\nA,1,5,5\n"),
              "Строка 2: полей больше, чем столбцов в заголовке (3): лишнее «5». Числа с "
              "десятичной запятой в файле, где поля разделены запятыми, заключают в кавычки.");
    EXPECT_EQ(Refusal("name;lon;lat\nA;200;5\n"),
              "Строка 2: ожидалась долгота от -180 до 180 в столбце «lon», найдено «200».");
    EXPECT_EQ(Refusal("name;x;y;selected\nA;1;5;первый\n"),
              "Строка 2: ожидался порядковый номер города в маршруте в столбце «selected» (целое "
              "число; 0 или пусто — не выделен), найдено «первый».");
    EXPECT_EQ(Refusal("name;x;y;city;selected\nA;1;5;0;1\n"),
              "Строка 2: выделен транзитный пункт; выделять можно только города.");
    EXPECT_EQ(Refusal("id;x;y\n7;1;5\n7;2;2\n"),
              "Строка 3: номер «7» в столбце «id» уже есть у города в строке 2.");
    EXPECT_EQ(Refusal("name,x,y\n\"open,1,1\n"),
              "Строка 2: ожидалась закрывающая кавычка поля, а файл закончился.");
    EXPECT_NE(Refusal("\xFF\xFEn\0a\0").find("UTF-16"), std::string::npos);

    std::string many = "x;y\n";
    for (int i = 0; i <= kMaxMatrixNodes; ++i)
        many += "1;2\n";
    many += "3;4\n5;6\n";
    EXPECT_EQ(Refusal(many), "Карта из 16387 узлов слишком велика: решатель строит таблицу "
                             "расстояний не более чем для 16384 узлов.");
}

TEST(Csv, RoundTripThroughTheMapFile) {
    const TTSPMap map = ImportWithRoads("название;x;y;город;выделен\nСтарая Русса;5;5;1;1\n"
                                        "Развилка;7;9;0;\nВалдай;12;3;1;2\nЯжелбицы;20;1;1;\n",
                                        "откуда;куда\n1;2\n2;3\n3;Яжелбицы\n");
    ExpectSameMap(map, SavedAndOpened(map));
    EXPECT_NO_THROW(map.CheckTask());
}

} // namespace
