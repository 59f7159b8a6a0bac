#include "core/FastIniFiles.h"
#include "core/TSPErrors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A private folder per test, removed afterwards.
class IniStoreFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("trasolan_ini_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    template <typename Function> static std::string FileErrorOf(Function function) {
        try {
            function();
        } catch (const EFileError& error) {
            return error.what();
        }
        return "no error";
    }

    fs::path folder_;
};

} // namespace

TEST_F(IniStoreFiles, SaveWritesExactlyTheTextAndLoadReadsItBack) {
    TFastIniFiles store;
    store.WriteString("Options", "Caption", "Noname");
    store.WriteFloat("0", "X", 310.5);
    const std::string path = PathOf("map.ga");
    store.SaveToFile(path);
    EXPECT_EQ(ReadBytes(path), "[Options]\r\nCaption=Noname\r\n[0]\r\nX=310,5\r\n");

    TFastIniFiles back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.SaveToText(), store.SaveToText());
    EXPECT_EQ(back.ReadFloat("0", "X", 0), 310.5);
}

TEST_F(IniStoreFiles, SaveOverwritesAnOlderLongerFile) {
    const std::string path = PathOf("map.ga");
    WriteBytes(path, std::string(10000, 'x'));
    TFastIniFiles store;
    store.WriteString("S", "K", "V");
    store.SaveToFile(path);
    EXPECT_EQ(ReadBytes(path), "[S]\r\nK=V\r\n");
}

TEST_F(IniStoreFiles, LoadKeepsTheBytesUnchanged) {
    const std::string path = PathOf("cp1251.ga");
    WriteBytes(path, "[0]\r\nName=\xCC\xEE\xF1\xEA\xE2\xE0\r\n");
    TFastIniFiles store;
    store.LoadFromFile(path);
    EXPECT_EQ(store.ReadString("0", "Name", ""), "\xCC\xEE\xF1\xEA\xE2\xE0");
}

TEST_F(IniStoreFiles, MissingFileRaisesCannotOpenAndLeavesTheStoreAlone) {
    TFastIniFiles store;
    store.LoadFromText("[S]\nk=v\n");
    const std::string path = PathOf("missing.ga");
    EXPECT_EQ(FileErrorOf([&] { store.LoadFromFile(path); }), "Cannot open file " + path);
    EXPECT_EQ(store.ReadString("S", "k", ""), "v");
}

TEST_F(IniStoreFiles, FolderCannotBeOpenedAsAFile) {
    TFastIniFiles store;
    store.LoadFromText("[S]\nk=v\n");
    const std::string path = folder_.string();
    EXPECT_EQ(FileErrorOf([&] { store.LoadFromFile(path); }), "Cannot open file " + path);
    EXPECT_EQ(store.ReadString("S", "k", ""), "v");
}

TEST_F(IniStoreFiles, UncreatableFileRaisesCannotCreate) {
    TFastIniFiles store;
    store.WriteString("S", "K", "V");
    const std::string inMissingFolder = PathOf("no/such/folder/map.ga");
    EXPECT_EQ(FileErrorOf([&] { store.SaveToFile(inMissingFolder); }),
              "Cannot create file " + inMissingFolder);
    const std::string onAFolder = folder_.string();
    EXPECT_EQ(FileErrorOf([&] { store.SaveToFile(onAFolder); }), "Cannot create file " + onAFolder);
}

TEST_F(IniStoreFiles, FullDiskIsAFailedSave) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TFastIniFiles store;
    store.WriteString("S", "K", std::string(100000, 'v'));
    EXPECT_EQ(FileErrorOf([&] { store.SaveToFile("/dev/full"); }), "Cannot create file /dev/full");
}
