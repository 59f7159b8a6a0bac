// Every way an OpenStreetMap import is refused, with its message.

#include "OsmTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using namespace osmtest;
using ::testing::AllOf;
using ::testing::HasSubstr;

std::string Extract(const std::string& body) {
    return "<?xml version='1.0' encoding='UTF-8'?>\n<osm version='0.6'>\n" + body + "</osm>\n";
}

const char* const kTown = "<node id='9' lat='55.7001' lon='37.0001'><tag k='place' v='town'/>"
                          "<tag k='name' v='Истра'/></node>\n";

std::string Road(const char* highway) {
    return std::string("<node id='1' lat='55.7' lon='37.0'/><node id='2' lat='55.71' "
                       "lon='37.02'/>\n<way id='1'><nd ref='1'/><nd ref='2'/><tag k='highway' "
                       "v='") +
           highway + "'/></way>\n";
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(OsmImportFailure, ContentThatMakesNoMap) {
    EXPECT_THAT(ImportBytesMessage(Extract(Road("footway") + kTown)),
                HasSubstr("В файле нет дорог выбранных классов (motorway, trunk, primary, "
                          "secondary, tertiary)"));
    EXPECT_THAT(ImportBytesMessage(Extract("")), HasSubstr("нет дорог"));
    EXPECT_THAT(ImportBytesMessage(Extract(Road("primary"))),
                HasSubstr("В файле нет населённых пунктов (place = city, town)"));
    // A way whose nodes the extract lacks.
    EXPECT_THAT(ImportBytesMessage(Extract("<way id='1'><nd ref='1'/><nd ref='2'/><tag k='highway' "
                                           "v='primary'/></way>\n" +
                                           std::string(kTown))),
                HasSubstr("выдержка неполна"));

    TOsmImportSettings near;
    near.JoinKilometres = 0.001;
    EXPECT_THAT(ImportBytesMessage(Extract(Road("primary") + kTown), near),
                HasSubstr("Ни один населённый пункт не лежит ближе 0,001 км"));
    TOsmImportSettings elsewhere;
    elsewhere.Box = TGeoBox{30, 50, 31, 51};
    EXPECT_THAT(ImportBytesMessage(Extract(Road("primary") + kTown), elsewhere),
                HasSubstr("В заданной области нет дорог"));
    EXPECT_EQ(ImportBytesMessage(Extract(Road("primary") + kTown)), "");
}

TEST(OsmImportFailure, SettingsOutOfRange) {
    const std::string extract = Extract(Road("primary") + kTown);
    TOsmImportSettings settings;
    settings.Tolerance = -1;
    EXPECT_THAT(ImportBytesMessage(extract, settings), HasSubstr("Допуск упрощения дорог"));
    settings = {};
    settings.JoinKilometres = 0;
    EXPECT_THAT(ImportBytesMessage(extract, settings), HasSubstr("от 0,001 до 1000 км"));
    settings = {};
    settings.Box = TGeoBox{38, 55, 37, 56};
    EXPECT_THAT(ImportBytesMessage(extract, settings), HasSubstr("Прямоугольник области"));
    settings = {};
    settings.Surface.Width = 0;
    EXPECT_THAT(ImportBytesMessage(extract, settings), HasSubstr("Ширина и высота карты"));
    settings = {};
    settings.Places.clear();
    EXPECT_THAT(ImportBytesMessage(extract, settings), HasSubstr("Не заданы"));
}

TEST(OsmImportFailure, FilesThatCannotBeRead) {
    EXPECT_THAT(ImportMessage(TempPath("missing.osm")), HasSubstr("Не удаётся открыть файл"));
    EXPECT_THAT(ImportMessage(WriteFile("empty.osm", "")), HasSubstr("пуст"));
    EXPECT_THAT(ImportMessage(WriteFile("roads.txt", FileBytes(SamplePath("roads.osm")))),
                HasSubstr("Формат файла"));
    EXPECT_THAT(ImportMessage(WriteFile("bad.osm", Extract("<node id='1'>"))),
                HasSubstr("ошибка XML в строке 3, столбце 15"));
    // A coordinate libosmium overflows on while reading it (see src/io): the
    // import goes on without undefined behaviour (the sanitizer build checks).
    EXPECT_THAT(
        ImportMessage(WriteFile("exponent.osm", Extract("<node id='1' lat='55.E75' lon='37'/>"))),
        HasSubstr("нет дорог"));
    EXPECT_THAT(ImportMessage(WriteFile("words.osm", "not xml at all")),
                HasSubstr("ошибка XML в строке 1"));

    const std::string xml = FileBytes(SamplePath("roads.osm"));
    EXPECT_THAT(ImportMessage(WriteFile("cut.osm", xml.substr(0, xml.size() / 2))),
                HasSubstr("ошибка XML"));
    const std::string pbf = FileBytes(Rewritten("roads.osm", ".osm.pbf"));
    EXPECT_THAT(ImportMessage(WriteFile("cut.osm.pbf", pbf.substr(0, pbf.size() - 40))),
                HasSubstr("повреждён"));
    EXPECT_THAT(ImportMessage(WriteFile("text.osm.pbf", xml)), HasSubstr("повреждён"));
    const std::string bz2 = FileBytes(Rewritten("roads.osm", ".osm.bz2"));
    EXPECT_THAT(ImportMessage(WriteFile("cut.osm.bz2", bz2.substr(0, bz2.size() / 2))),
                HasSubstr("повреждён"));
}

// A grid of n × n crossing streets with a town at a corner.
std::string Grid(int n, const char* highway) {
    std::string body = kTown;
    for (int row = 0; row < n; ++row)
        for (int col = 0; col < n; ++col)
            body += "<node id='" + std::to_string(100 + row * n + col) + "' lat='" +
                    std::to_string(55.7 + row * 0.001) + "' lon='" +
                    std::to_string(37.0 + col * 0.001) + "'/>\n";
    for (int line = 0; line < 2 * n; ++line) {
        body += "<way id='" + std::to_string(line + 1) + "'>";
        for (int i = 0; i < n; ++i) {
            const int row = line < n ? line : i, col = line < n ? i : line - n;
            body += "<nd ref='" + std::to_string(100 + row * n + col) + "'/>";
        }
        body += std::string("<tag k='highway' v='") + highway + "'/></way>\n";
    }
    return Extract(body);
}

TEST(OsmImportFailure, MapsBeyondTheLimitsAreRefusedWithAdvice) {
    // 130 × 130 junctions: more nodes than the solver takes, whatever the tolerance.
    EXPECT_THAT(ImportBytesMessage(Grid(130, "primary")),
                AllOf(HasSubstr("слишком велика"), HasSubstr("более высокий класс дорог"),
                      HasSubstr("прямоугольником")));
    // One road of 17,000 nodes in a zigzag: too many only while the shape is kept.
    std::string body = kTown;
    std::string way = "<way id='1'>";
    for (int i = 0; i < 17000; ++i) {
        body += "<node id='" + std::to_string(100 + i) + "' lat='" +
                std::to_string(55.7 + (i % 2) * 0.001) + "' lon='" +
                std::to_string(37.0 + i * 0.0001) + "'/>\n";
        way += "<nd ref='" + std::to_string(100 + i) + "'/>";
    }
    body += way + "<tag k='highway' v='primary'/></way>\n";
    TOsmImportSettings exact;
    exact.Tolerance = 0;
    EXPECT_THAT(ImportBytesMessage(Extract(body), exact),
                AllOf(HasSubstr("больше узлов, чем принимает решатель (не более 16384)"),
                      HasSubstr("увеличьте допуск")));
    EXPECT_EQ(ImportBytesMessage(Extract(body)), "");
}

} // namespace
