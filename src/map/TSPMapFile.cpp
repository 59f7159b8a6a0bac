// The map file (".ga"): INI text with the sections Options, SelectedCity and
// one per node. Files are Windows-1251 unless they start with a UTF-8 mark.
//
// Loading reads and checks the whole file into a new map first and replaces
// the current map only when that succeeded, so a bad file never costs the
// user the map they had. Saving goes through a temporary file that then
// replaces the target.

#include "map/TSPMap.h"

#include "core/FastIniFiles.h"
#include "core/NumberText.h"
#include "core/TSPErrors.h"
#include "core/TextEncoding.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unordered_map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kOptions = "Options";
const char* const kSelectedCity = "SelectedCity";

// Calls End when the operation leaves, however it leaves, so the progress
// window never stays open after a failed load or save.
class ProgressScope {
public:
    explicit ProgressScope(const TMapProgress& progress) : progress_(progress) {}
    ~ProgressScope() {
        if (progress_.End)
            progress_.End();
    }
    void Begin(int32_t maximum) const {
        if (progress_.Begin)
            progress_.Begin(maximum);
    }
    void Step() const {
        if (progress_.Step)
            progress_.Step();
    }

private:
    const TMapProgress& progress_;
};

std::string NodeSection(int32_t position) {
    return std::to_string(position);
}

// The map file's text as the INI store writes it: "[section]" lines and
// "key=value" lines, each ended by CR LF. Line breaks in a value are written
// as spaces, as the store does.
class TMapFileWriter {
public:
    void Section(std::string_view name) {
        text_ += '[';
        text_ += name;
        text_ += "]\r\n";
    }
    void Line(std::string_view key, std::string_view value) {
        text_ += key;
        text_ += '=';
        const size_t from = text_.size();
        text_ += value;
        for (size_t i = from; i < text_.size(); ++i)
            if (text_[i] == '\r' || text_[i] == '\n')
                text_[i] = ' ';
        text_ += "\r\n";
    }
    void Line(std::string_view key, int32_t value) { Line(key, Decimal(value)); }
    // "prefix" + index as the key: "R_3=17".
    void Line(std::string_view prefix, int32_t index, int32_t value) {
        text_ += prefix;
        text_ += Decimal(index);
        text_ += '=';
        text_ += Decimal(value);
        text_ += "\r\n";
    }
    const std::string& Text() const { return text_; }

private:
    std::string_view Decimal(int32_t value) {
        const auto end = std::to_chars(digits_, digits_ + sizeof digits_, value).ptr;
        return std::string_view(digits_, static_cast<size_t>(end - digits_));
    }

    std::string text_;
    char digits_[16];
};

// The line a refused value's message gains: where in the file it stands.
std::string PlaceLine(std::string_view section, std::string_view key) {
    return "\nРаздел [" + std::string(section) + "], ключ «" + std::string(key) + "»";
}

// The error again, of the same type, with a line added below its wording.
// The line is made only when there is an error: reads happen millions of
// times in a large map.
template <typename Action, typename Line> auto WithLine(Line line, Action action) {
    try {
        return action();
    } catch (const EConvertError& error) {
        throw EConvertError(error.what() + line());
    } catch (const ETSPError& error) {
        throw ETSPError(error.what() + line());
    }
}

// The text store's reads, each naming its section and key when it refuses a
// value: "'abc' is not a valid integer value" alone does not tell which line
// of a large file is wrong.
class TPlacedReader {
public:
    explicit TPlacedReader(const TFastIniFiles& store) : store_(store) {}

    int32_t Integer(std::string_view section, std::string_view key, int32_t defaultValue) const {
        return WithLine([&] { return PlaceLine(section, key); },
                        [&] { return store_.ReadInteger(section, key, defaultValue); });
    }
    double Float(std::string_view section, std::string_view key, double defaultValue) const {
        return WithLine([&] { return PlaceLine(section, key); },
                        [&] { return store_.ReadFloat(section, key, defaultValue); });
    }
    bool Bool(std::string_view section, std::string_view key, bool defaultValue) const {
        return WithLine([&] { return PlaceLine(section, key); },
                        [&] { return store_.ReadBool(section, key, defaultValue); });
    }

private:
    const TFastIniFiles& store_;
};

void CheckCoordinate(double value, int32_t position, const char* key) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxCoordinate) {
        throw ETSPError("Координаты узла " + std::to_string(position) +
                        " лежат вне допустимого диапазона" + PlaceLine(NodeSection(position), key));
    }
}

bool NumberedByPosition(const std::vector<TCity>& cities) {
    for (size_t p = 0; p < cities.size(); ++p)
        if (cities[p].ID != static_cast<int32_t>(p))
            return false;
    return true;
}

void DropRoadsToNowhere(std::vector<TCity>& cities) {
    const int32_t count = static_cast<int32_t>(cities.size());
    for (TCity& city : cities)
        std::erase_if(city.Roads.Items(), [count](int32_t id) { return id < 0 || id >= count; });
}

// Creates a new file beside `path` for the save to go into, with the mode any
// new file gets (0666 less the umask, applied by the kernel itself). mkstemp
// would create it 0600, and the umask cannot be read without setting it for
// the whole process.
int CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            path + "." + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

void TTSPMap::LoadFromBytes(const std::string& bytes, TDisplayFlags& flags,
                            const TMapProgress& progress) {
    ProgressScope scope(progress);
    scope.Begin(0);

    TFastIniFiles store;
    store.LoadFromText(DecodeFileText(bytes));
    const TPlacedReader read(store);

    TDisplayFlags readFlags;
    readFlags.ShowPath = read.Bool(kOptions, "ShowPath", true);
    readFlags.ShowRoads = read.Bool(kOptions, "ShowRoads", true);
    readFlags.ShowCityName = read.Bool(kOptions, "ShowCityName", true);

    const int32_t selectedCount = read.Integer(kOptions, "SelectedCityCount", -1);
    const int32_t cityCount = read.Integer(kOptions, "CityCount", -1);
    if (cityCount > kMaxNodes) {
        throw ETSPError("Карта содержит слишком много узлов: " + std::to_string(cityCount) +
                        ", допускается не более " + std::to_string(kMaxNodes) + "." +
                        PlaceLine(kOptions, "CityCount"));
    }
    if (selectedCount > kMaxNodes) {
        throw ETSPError(
            "Карта содержит слишком много выделенных городов: " + std::to_string(selectedCount) +
            "." + PlaceLine(kOptions, "SelectedCityCount"));
    }

    TIntegerArray selection;
    for (int32_t i = 0; i < selectedCount; ++i)
        selection.Add(read.Integer(kSelectedCity, "S_" + std::to_string(i), -1));

    scope.Begin(std::max(cityCount, 0));
    std::vector<TCity> cities;
    cities.reserve(static_cast<size_t>(std::max(cityCount, 0)));
    int64_t roadEntries = 0;
    for (int32_t p = 0; p < cityCount; ++p) {
        const std::string section = NodeSection(p);
        TCity city;
        city.ID = read.Integer(section, "ID", 0);
        city.Name = Utf8Left(store.ReadString(section, "Name", "xyz"), kMaxNameLength);
        city.X = read.Float(section, "X", -1);
        city.Y = read.Float(section, "Y", -1);
        CheckCoordinate(city.X, p, "X");
        CheckCoordinate(city.Y, p, "Y");
        city.ThisCity = read.Bool(section, "ThisCity", false);
        for (int32_t k = 0;; ++k) {
            const std::string key = "R_" + std::to_string(k);
            if (!store.ValueExists(section, key))
                break;
            city.Roads.Add(read.Integer(section, key, 0));
            if (++roadEntries > kMaxRoadEntries) {
                throw ETSPError("Карта содержит слишком много дорог, допускается не более " +
                                std::to_string(kMaxRoadEntries / 2) + "." +
                                PlaceLine(section, key));
            }
        }
        cities.push_back(std::move(city));
        scope.Step();
    }

    // A hand-edited file may number its nodes in any way. When the IDs are
    // the positions already, only road entries that name no node go.
    if (NumberedByPosition(cities))
        DropRoadsToNowhere(cities);
    else
        RenumberToPositions(cities, selection);

    // Everything was read: only now does the new map replace the old one.
    TTSPMap loaded;
    for (TCity& city : cities)
        loaded.AddCity(city);
    loaded.selected_ = std::move(selection);
    cities_ = std::move(loaded.cities_);
    selected_ = std::move(loaded.selected_);
    matrixBuilt_ = false;
    idsArePositions_ = true;
    Touch();
    flags = readFlags;
}

std::string ReadMapFileBytes(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status))
        throw EFileError("Cannot open file " + path);
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxMapFileBytes)
        throw ETSPError("Файл " + path + " слишком велик для карты городов");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EFileError("Cannot open file " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        throw EFileError("Cannot open file " + path);
    return bytes.str();
}

void TTSPMap::LoadFromFile(const std::string& path, TDisplayFlags& flags,
                           const TMapProgress& progress) {
    const std::string bytes = ReadMapFileBytes(path);
    // A refused value names its file below its place (the file errors of
    // the reading itself name it already).
    WithLine([&] { return "\nФайл: " + path; }, [&] { LoadFromBytes(bytes, flags, progress); });
}

std::string TTSPMap::SaveToBytes(const TDisplayFlags& flags, const TMapProgress& progress) const {
    ProgressScope scope(progress);
    scope.Begin(0);

    // The text the INI store writes for these keys, written directly: a map
    // of a million roads has two million keys, and the store's index of them
    // would cost ten times the writing. Sections come in the order of their
    // first key and keys in the order written, each line ended by CR LF; an
    // empty name writes no line.
    TMapFileWriter out;
    out.Section(kOptions);
    out.Line("Caption", "Noname");
    out.Line("SelectedCityCount", selected_.Count());
    out.Line("CityCount", Count());
    out.Line("ShowPath", BoolToStr(flags.ShowPath));
    out.Line("ShowRoads", BoolToStr(flags.ShowRoads));
    out.Line("ShowCityName", BoolToStr(flags.ShowCityName));
    if (selected_.Count() > 0)
        out.Section(kSelectedCity);
    for (int32_t i = 0; i < selected_.Count(); ++i)
        out.Line("S_", i, selected_[i]);

    scope.Begin(Count());
    for (int32_t p = 0; p < Count(); ++p) {
        const TCity& city = City(p);
        out.Section(NodeSection(p));
        out.Line("ID", city.ID);
        if (!city.Name.empty())
            out.Line("Name", city.Name);
        out.Line("X", FloatToStr(city.X));
        out.Line("Y", FloatToStr(city.Y));
        out.Line("ThisCity", BoolToStr(city.ThisCity));
        for (int32_t k = 0; k < city.Roads.Count(); ++k)
            out.Line("R_", k, city.Roads[k]);
        scope.Step();
    }
    return EncodeFileText(out.Text());
}

void TTSPMap::SaveToFile(const std::string& path, const TDisplayFlags& flags,
                         const TMapProgress& progress) const {
    const std::string bytes = SaveToBytes(flags, progress);

    // Write a temporary file beside the target, then rename it over the
    // target: the rename is atomic, so the old file stays whole until the new
    // one is complete.
    std::string temporary;
    const int fd = CreateTemporaryBeside(path, temporary);
    if (fd < 0)
        throw EFileError("Cannot create file " + path);

    bool written = true;
    size_t offset = 0;
    while (offset < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + offset, bytes.size() - offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            written = false;
            break;
        }
        offset += static_cast<size_t>(n);
    }
    if (written && fsync(fd) != 0)
        written = false;
    if (close(fd) != 0)
        written = false;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw EFileError("Cannot create file " + path);
    }
}
