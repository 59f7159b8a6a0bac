// Speed of the map file's text layer: a map of 10,000 nodes (about 110,000
// keys) must load and answer every lookup well within a second.

#include "core/FastIniFiles.h"
#include "core/NumberText.h"
#include "core/TextEncoding.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kNodes = 10000;
constexpr int kRoadsPerNode = 6;

std::string LargeMapText() {
    std::string text =
        "[Options]\r\nCaption=Noname\r\nCityCount=" + std::to_string(kNodes) + "\r\n";
    for (int node = 0; node < kNodes; ++node) {
        const std::string id = std::to_string(node);
        text += "[" + id + "]\r\nID=" + id + "\r\nName=Город " + id +
                "\r\nX=" + FloatToStr(node * 1.25) + "\r\nY=" + FloatToStr(node * 0.75) +
                "\r\nThisCity=-1\r\n";
        for (int road = 0; road < kRoadsPerNode; ++road)
            text += "R_" + std::to_string(road) + "=" + std::to_string((node + road + 1) % kNodes) +
                    "\r\n";
    }
    return text;
}

const std::string& MapText() {
    static const std::string text = LargeMapText();
    return text;
}

// Every read the map loader makes, in its order.
int64_t ReadEverything(const TFastIniFiles& store) {
    int64_t sum = store.ReadInteger("Options", "CityCount", -1);
    for (int node = 0; node < kNodes; ++node) {
        const std::string section = std::to_string(node);
        sum += store.ReadInteger(section, "ID", 0);
        sum += static_cast<int64_t>(store.ReadString(section, "Name", "xyz").size());
        sum += static_cast<int64_t>(store.ReadFloat(section, "X", -1));
        sum += static_cast<int64_t>(store.ReadFloat(section, "Y", -1));
        sum += store.ReadBool(section, "ThisCity", false);
        for (int road = 0;; ++road) {
            const std::string key = "R_" + std::to_string(road);
            if (!store.ValueExists(section, key))
                break;
            sum += store.ReadInteger(section, key, -1);
        }
    }
    return sum;
}

void BM_LoadLargeMapText(benchmark::State& state) {
    for (auto _ : state) {
        TFastIniFiles store;
        store.LoadFromText(MapText());
        benchmark::DoNotOptimize(store);
    }
}
BENCHMARK(BM_LoadLargeMapText)->Unit(benchmark::kMillisecond);

void BM_ReadEveryValueOfLargeMap(benchmark::State& state) {
    TFastIniFiles store;
    store.LoadFromText(MapText());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadEverything(store));
}
BENCHMARK(BM_ReadEveryValueOfLargeMap)->Unit(benchmark::kMillisecond);

void BM_DecodeLoadAndReadLargeMap(benchmark::State& state) {
    const std::string bytes = EncodeFileText(MapText());
    for (auto _ : state) {
        TFastIniFiles store;
        store.LoadFromText(DecodeFileText(bytes));
        benchmark::DoNotOptimize(ReadEverything(store));
    }
}
BENCHMARK(BM_DecodeLoadAndReadLargeMap)->Unit(benchmark::kMillisecond);

void BM_WriteAndSaveLargeMap(benchmark::State& state) {
    for (auto _ : state) {
        TFastIniFiles store;
        store.WriteString("Options", "Caption", "Noname");
        store.WriteInteger("Options", "CityCount", kNodes);
        for (int node = 0; node < kNodes; ++node) {
            const std::string section = std::to_string(node);
            store.WriteInteger(section, "ID", node);
            store.WriteString(section, "Name", "Город " + section);
            store.WriteFloat(section, "X", node * 1.25);
            store.WriteFloat(section, "Y", node * 0.75);
            store.WriteBool(section, "ThisCity", true);
            for (int road = 0; road < kRoadsPerNode; ++road)
                store.WriteInteger(section, "R_" + std::to_string(road),
                                   (node + road + 1) % kNodes);
        }
        benchmark::DoNotOptimize(EncodeFileText(store.SaveToText()));
    }
}
BENCHMARK(BM_WriteAndSaveLargeMap)->Unit(benchmark::kMillisecond);

void BM_FloatToStr(benchmark::State& state) {
    double value = 0.125;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToStr(value));
        value += 310.5;
    }
}
BENCHMARK(BM_FloatToStr);

void BM_StrToFloat(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(StrToFloat("310,5"));
}
BENCHMARK(BM_StrToFloat);

} // namespace
