#include "MapTestMaps.h"

#include "core/TSPErrors.h"
#include "core/TextEncoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace testmaps;

namespace {

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

// The three-node example of the file format.
const std::string kExample = Lines({
    "[Options]",
    "Caption=Noname",
    "SelectedCityCount=2",
    "CityCount=3",
    "ShowPath=0",
    "ShowRoads=-1",
    "ShowCityName=0",
    "[SelectedCity]",
    "S_0=0",
    "S_1=2",
    "[0]",
    "ID=0",
    "Name=0",
    "X=120",
    "Y=45",
    "ThisCity=-1",
    "R_0=1",
    "[1]",
    "ID=1",
    "Name=1",
    "X=310,5",
    "Y=200",
    "ThisCity=0",
    "R_0=0",
    "R_1=2",
    "[2]",
    "ID=2",
    "Name=2",
    "X=90",
    "Y=260,25",
    "ThisCity=-1",
    "R_0=1",
});

TTSPMap Load(const std::string& bytes, TDisplayFlags* flagsOut = nullptr) {
    TTSPMap map;
    TDisplayFlags flags;
    map.LoadFromBytes(bytes, flags);
    if (flagsOut)
        *flagsOut = flags;
    return map;
}

class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/trasolan-maptest-XXXXXX";
        path_ = mkdtemp(name);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

TEST(MapFile, TheExampleLoadsAndSavesBackByteForByte) {
    TDisplayFlags flags;
    TTSPMap map = Load(kExample, &flags);
    ASSERT_EQ(map.Count(), 3);
    EXPECT_EQ(map.City(1).X, 310.5);
    EXPECT_EQ(map.City(2).Y, 260.25);
    EXPECT_FALSE(map.City(1).ThisCity);
    EXPECT_EQ(map.City(1).Roads.Items(), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(map.SelectedCities().Items(), (std::vector<int32_t>{0, 2}));
    EXPECT_FALSE(flags.ShowPath);
    EXPECT_TRUE(flags.ShowRoads);
    EXPECT_FALSE(flags.ShowCityName);
    EXPECT_EQ(map.SaveToBytes(flags), kExample);
}

TEST(MapFile, SaveAndLoadKeepEverything) {
    TTSPMap map = Nodes({{1.5, 2.25}, {100, 200}, {0.125, 7}});
    map.SetCityName(0, "Москва");
    map.SetCityName(1, std::string(50, 'n'));
    map.SetCityKind(2, false);
    Road(map, 0, 1);
    Road(map, 2, 1);
    map.SelectCity(2);
    map.SelectCity(0);
    TDisplayFlags flags{true, false, true};

    TDisplayFlags back;
    TTSPMap loaded = Load(map.SaveToBytes(flags), &back);
    ASSERT_EQ(loaded.Count(), 3);
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(loaded.City(p).ID, p);
        EXPECT_EQ(loaded.City(p).Name, map.City(p).Name);
        EXPECT_EQ(loaded.City(p).X, map.City(p).X);
        EXPECT_EQ(loaded.City(p).Y, map.City(p).Y);
        EXPECT_EQ(loaded.City(p).ThisCity, map.City(p).ThisCity);
        EXPECT_EQ(loaded.City(p).Roads, map.City(p).Roads);
    }
    EXPECT_EQ(loaded.SelectedCities(), map.SelectedCities());
    EXPECT_TRUE(back.ShowPath);
    EXPECT_FALSE(back.ShowRoads);
    EXPECT_TRUE(back.ShowCityName);
}

TEST(MapFile, RussianNamesAreWrittenInWindows1251) {
    TTSPMap map = Nodes(1);
    map.SetCityName(0, "Тверь");
    const std::string bytes = map.SaveToBytes({});
    EXPECT_NE(bytes.find("Name=\xD2\xE2\xE5\xF0\xFC\r\n"), std::string::npos);
    EXPECT_NE(bytes.substr(0, 3), std::string(kUtf8Bom));
}

TEST(MapFile, NamesWindows1251CannotHoldMakeAUtf8File) {
    TTSPMap map = Nodes(2);
    map.SetCityName(0, "Tōkyō 東京");
    map.SetCityName(1, "Тверь");
    const std::string bytes = map.SaveToBytes({});
    ASSERT_EQ(bytes.substr(0, 3), std::string(kUtf8Bom));
    TTSPMap loaded = Load(bytes);
    EXPECT_EQ(loaded.City(0).Name, "Tōkyō 東京");
    EXPECT_EQ(loaded.City(1).Name, "Тверь");
}

TEST(MapFile, AnEmptyNameIsLeftOutAndComesBackAsXyz) {
    TTSPMap map = Nodes(1);
    map.SetCityName(0, "");
    const std::string bytes = map.SaveToBytes({});
    EXPECT_EQ(bytes.find("\r\nName="), std::string::npos);
    EXPECT_EQ(Load(bytes).City(0).Name, "xyz");
}

TEST(MapFile, MissingKeysTakeTheirDefaults) {
    TTSPMap map = Load(Lines({"[Options]", "CityCount=2", "SelectedCityCount=3", "[SelectedCity]",
                              "S_0=1", "[0]", "ID=0", "Name=A", "X=1", "Y=2", "ThisCity=-1",
                              "R_0=1", "R_1=1", "R_3=1", "[1]", "ID=1"}));
    ASSERT_EQ(map.Count(), 2);
    // R_3 is never reached: the first missing R_ key ends the list.
    EXPECT_EQ(map.City(0).Roads.Items(), (std::vector<int32_t>{1, 1}));
    // Name "xyz", X and Y -1, a transit point, no roads.
    EXPECT_EQ(map.City(1).Name, "xyz");
    EXPECT_EQ(map.City(1).X, -1);
    EXPECT_EQ(map.City(1).Y, -1);
    EXPECT_FALSE(map.City(1).ThisCity);
    EXPECT_EQ(map.City(1).Roads.Count(), 0);
    // Missing selection entries are -1, which CheckTask refuses.
    EXPECT_EQ(map.SelectedCities().Items(), (std::vector<int32_t>{1, -1, -1}));
}

TEST(MapFile, MissingNodeSectionsGiveDefaultNodes) {
    // CityCount beyond the sections: the missing nodes default to ID 0, which
    // the first node already has; they are renumbered to their positions.
    TTSPMap map = Load(Lines({"[Options]", "CityCount=3", "[0]", "ID=0", "Name=A", "R_0=0"}));
    ASSERT_EQ(map.Count(), 3);
    for (int p = 1; p < 3; ++p) {
        EXPECT_EQ(map.City(p).ID, p);
        EXPECT_EQ(map.City(p).Name, "xyz");
        EXPECT_EQ(map.City(p).X, -1);
        EXPECT_FALSE(map.City(p).ThisCity);
    }
    EXPECT_EQ(map.City(0).Roads.Items(), std::vector<int32_t>{0});
}

TEST(MapFile, WithoutOptionsTheMapIsEmptyAndEveryFlagOn) {
    TDisplayFlags flags{false, false, false};
    TTSPMap map;
    map.LoadFromBytes(Lines({"[0]", "ID=0", "X=5", "Y=5"}), flags);
    EXPECT_EQ(map.Count(), 0);
    EXPECT_TRUE(flags.ShowPath);
    EXPECT_TRUE(flags.ShowRoads);
    EXPECT_TRUE(flags.ShowCityName);
}

TEST(MapFile, ReadsADecimalPointAndAUtf8Mark) {
    TTSPMap map = Load(std::string(kUtf8Bom) + Lines({"[Options]", "CityCount=1", "[0]", "ID=0",
                                                      "Name=Псков", "X=10.75", "Y= 3,5 "}));
    EXPECT_EQ(map.City(0).Name, "Псков");
    EXPECT_EQ(map.City(0).X, 10.75);
    EXPECT_EQ(map.City(0).Y, 3.5);
}

TEST(MapFile, NoSelectionMeansNoSelectionSection) {
    TTSPMap map = Nodes(2);
    EXPECT_EQ(map.SaveToBytes({}).find("[SelectedCity]"), std::string::npos);
}

TEST(MapFile, HandEditedIdsAreRenumberedToPositions) {
    TTSPMap map = Load(Lines({"[Options]", "CityCount=3", "SelectedCityCount=3", "[SelectedCity]",
                              "S_0=30", "S_1=10", "S_2=99", "[0]", "ID=10", "R_0=20", "R_1=77",
                              "[1]", "ID=20", "R_0=10", "R_1=30", "[2]", "ID=30", "R_0=20"}));
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(map.City(p).ID, p);
    EXPECT_EQ(map.City(0).Roads.Items(), std::vector<int32_t>{1}); // 77 named no node
    EXPECT_EQ(map.City(1).Roads.Items(), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(map.SelectedCities().Items(), (std::vector<int32_t>{2, 0, -1}));
}

TEST(MapFile, SharedIdsMeanTheFirstNode) {
    // Two missing sections both default to ID 0.
    TTSPMap map = Load(Lines({"[Options]", "CityCount=3", "[2]", "ID=2", "R_0=0"}));
    ASSERT_EQ(map.Count(), 3);
    EXPECT_EQ(map.City(2).Roads.Items(), std::vector<int32_t>{0});
    EXPECT_EQ(map.City(1).ID, 1);
}

TEST(MapFile, BadFilesAreRefusedAndTheMapStays) {
    const std::vector<std::string> bad = {
        Lines({"[Options]", "CityCount=2x"}),
        Lines({"[Options]", "CityCount=1", "[0]", "X=abc"}),
        Lines({"[Options]", "CityCount=1", "[0]", "ThisCity=maybe"}),
        Lines({"[Options]", "CityCount=1", "[0]", "R_0=1.5"}),
        Lines({"[Options]", "CityCount=1", "[0]", "X=nan"}),
        Lines({"[Options]", "CityCount=1", "[0]", "X=1E300"}),
        Lines({"[Options]", "CityCount=2000000000"}),
        Lines({"[Options]", "SelectedCityCount=2000000000"}),
        Lines({"[Options]", "ShowPath=yes"}),
    };
    for (const std::string& bytes : bad) {
        TTSPMap map = PathGraph(4);
        map.SelectCity(0);
        TDisplayFlags flags{true, false, true};
        EXPECT_ANY_THROW(map.LoadFromBytes(bytes, flags)) << bytes;
        EXPECT_EQ(map.Count(), 4);
        EXPECT_EQ(map.SelectedCities().Items(), std::vector<int32_t>{0});
        EXPECT_TRUE(flags.ShowPath);
        EXPECT_FALSE(flags.ShowRoads);
    }
}

TEST(MapFile, RefusedValuesSayWhereTheyStand) {
    // The wording stays the first line; the place and, from a file, its name
    // follow. Errors keep their type.
    const auto messageOf = [](const std::function<void()>& load) -> std::string {
        try {
            load();
        } catch (const std::exception& error) {
            return error.what();
        }
        return "no error";
    };
    TTSPMap map;
    TDisplayFlags flags;
    EXPECT_EQ(messageOf([&] {
                  map.LoadFromBytes(Lines({"[Options]", "CityCount=1", "[0]", "R_0=abc"}), flags);
              }),
              "'abc' is not a valid integer value\nРаздел [0], ключ «R_0»");
    EXPECT_EQ(messageOf([&] {
                  map.LoadFromBytes(Lines({"[Options]", "CityCount=1", "[0]", "Y=1E300"}), flags);
              }),
              "Координаты узла 0 лежат вне допустимого диапазона\nРаздел [0], ключ «Y»");
    EXPECT_THROW(map.LoadFromBytes(Lines({"[Options]", "ShowRoads=yes"}), flags), EConvertError);

    TempDir dir;
    const std::string path = dir.File("broken.ga");
    WriteAll(path, Lines({"[Options]", "CityCount=40000"}));
    EXPECT_EQ(messageOf([&] { map.LoadFromFile(path, flags); }),
              "Карта содержит слишком много узлов: 40000, допускается не более 32767.\n"
              "Раздел [Options], ключ «CityCount»\nФайл: " +
                  path);
    EXPECT_THROW(map.LoadFromFile(path, flags), ETSPError);
}

TEST(MapFile, TruncatedFilesLoadWhatTheyHold) {
    // A cut file is still INI text: it loads with defaults for what is gone.
    const std::string cut = kExample.substr(0, kExample.find("[2]") + 5);
    TTSPMap map = Load(cut);
    EXPECT_EQ(map.Count(), 3);
    EXPECT_EQ(map.City(2).Name, "xyz");
}

TEST(MapFile, ProgressIsReportedAndAlwaysClosed) {
    int begins = 0, steps = 0, ends = 0, maximum = -1;
    TMapProgress progress{[&](int32_t m) { ++begins, maximum = m; }, [&] { ++steps; },
                          [&] { ++ends; }};
    TTSPMap map = Load(kExample);
    TDisplayFlags flags;
    map.LoadFromBytes(kExample, flags, progress);
    EXPECT_EQ(maximum, 3);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(ends, 1);
    map.SaveToBytes(flags, progress);
    EXPECT_EQ(steps, 6);
    EXPECT_EQ(ends, 2);
    EXPECT_THROW(map.LoadFromBytes(Lines({"[Options]", "CityCount=z"}), flags, progress),
                 EConvertError);
    EXPECT_EQ(ends, 3);
    EXPECT_GE(begins, 3);
}

TEST(MapFile, FileErrorsKeepTheirWording) {
    TTSPMap map = PathGraph(4);
    TDisplayFlags flags;
    try {
        map.LoadFromFile("/nonexistent/dir/map.ga", flags);
        FAIL();
    } catch (const EFileError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file /nonexistent/dir/map.ga");
    }
    EXPECT_EQ(map.Count(), 4);
    EXPECT_THROW(map.LoadFromFile("/tmp", flags), EFileError);
    try {
        map.SaveToFile("/nonexistent/dir/map.ga", flags);
        FAIL();
    } catch (const EFileError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file /nonexistent/dir/map.ga");
    }
}

TEST(MapFile, SaveReplacesTheFileWhole) {
    TempDir dir;
    const std::string path = dir.File("map.ga");
    TTSPMap map = Load(kExample);
    TDisplayFlags flags;
    map.SaveToFile(path, flags);
    EXPECT_EQ(ReadAll(path), kExample);

    map.SetCityName(0, "Другое");
    map.SaveToFile(path, flags);
    TTSPMap again;
    again.LoadFromFile(path, flags);
    EXPECT_EQ(again.City(0).Name, "Другое");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("")),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(MapFile, ASavedFileGetsTheModeOfANewFile) {
    TempDir dir;
    const std::string path = dir.File("map.ga");
    const mode_t previous = umask(027);
    PathGraph(4).SaveToFile(path, {});
    EXPECT_EQ(umask(previous), 027) << "the save changed the umask";
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(MapFile, AFailedSaveLeavesTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into read-only folders";
    TempDir dir;
    const std::string path = dir.File("map.ga");
    WriteAll(path, kExample);
    chmod(dir.File("").c_str(), 0555);
    TTSPMap map = PathGraph(4);
    EXPECT_THROW(map.SaveToFile(path, {}), EFileError);
    chmod(dir.File("").c_str(), 0755);
    EXPECT_EQ(ReadAll(path), kExample);
}

TEST(MapFile, ExamplesLoadAndCanBeSolved) {
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TRASOLAN_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".ga")
            continue;
        ++examples;
        TTSPMap map;
        TDisplayFlags flags;
        map.LoadFromFile(entry.path().string(), flags);
        EXPECT_NO_THROW(map.CheckTask()) << entry.path();
        EXPECT_EQ(map.SaveToBytes(flags), ReadAll(entry.path().string())) << entry.path();
    }
    EXPECT_GE(examples, 3);
}
