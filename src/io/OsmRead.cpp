// Reading an OpenStreetMap extract with libosmium. Two passes: the first
// takes the road ways of the chosen classes, the second only the positions of
// the nodes those ways use, and the towns. So the import never holds the
// positions of every node of a large extract.

#include "io/OsmExtract.h"

#include "core/TextEncoding.h"
#include "io/ImportError.h"

#include <osmium/io/any_input.hpp>
#include <osmium/io/xml_input.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/object.hpp>
#include <osmium/osm/way.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

// Objects between two polls of the cancel flag.
constexpr size_t kCancelPollObjects = 4096;

// libosmium reads up to 20 chunks of a megabyte ahead of its parser, and a
// reader that is closed still parses what it has queued: a third of a second
// of XML before a cancel takes effect. Four chunks keep the parser fed and a
// cancel quick. The variable is set while static objects are made, before
// main() and so before any thread that could read the environment; a value
// the user set stays.
const bool kShortInputQueue = setenv("OSMIUM_MAX_INPUT_QUEUE_SIZE", "4", 0) == 0;

std::string Quoted(const std::string& text) {
    return "«" + text + "»";
}

std::string SourceName(const TOsmSource& source) {
    return source.Path.empty() ? std::string("данные") : Quoted(source.Path);
}

// libosmium takes a name that starts with "http:" or "ftp:" for an address and
// hands it to curl; an absolute path is always a file.
osmium::io::File OpenedFile(const TOsmSource& source) {
    if (source.Path.empty())
        return osmium::io::File(source.Bytes.data(), source.Bytes.size(), source.Format);
    const std::string absolute = std::filesystem::absolute(source.Path).string();
    return osmium::io::File(absolute, source.Format);
}

void CheckReadable(const TOsmSource& source) {
    if (source.Path.empty()) {
        if (source.Bytes.empty())
            throw EImportError("Данные OpenStreetMap пусты.");
        return;
    }
    std::error_code error;
    const auto status = std::filesystem::status(source.Path, error);
    if (error || !std::filesystem::is_regular_file(status))
        throw EImportError("Не удаётся открыть файл " + Quoted(source.Path) + ".");
    if (std::filesystem::file_size(source.Path, error) == 0 && !error)
        throw EImportError("Файл " + Quoted(source.Path) + " пуст.");
}

// Runs one pass over the objects of the file, calling visit for each until
// it returns false, with progress from `from` to `to` percent and a cancel
// poll every few thousand objects. Every kind is read although a pass needs
// only some: libosmium skips unwanted kinds without handing anything back,
// so a pass for ways would sit deaf to a cancel for seconds while it skips
// the nodes of a large file.
template <typename TVisit>
void ReadPass(const TOsmSource& source, const TImportProgress& progress, int from, int to,
              TVisit visit) {
    osmium::io::Reader reader(OpenedFile(source), osmium::osm_entity_bits::nwr,
                              osmium::io::read_meta::no);
    const size_t size = reader.file_size();
    size_t seen = 0;
    bool reading = true;
    while (reading) {
        osmium::memory::Buffer buffer = reader.read();
        if (!buffer)
            break;
        if (size > 0) {
            const double share = std::min(1.0, static_cast<double>(reader.offset()) / size);
            progress.Advance(from + static_cast<int>((to - from) * share));
        }
        for (const osmium::OSMObject& object : buffer.select<osmium::OSMObject>()) {
            if (!visit(object)) {
                reading = false;
                break;
            }
            if (++seen % kCancelPollObjects == 0)
                progress.CheckCancel();
        }
        progress.CheckCancel();
    }
    reader.close();
    progress.Advance(to);
}

bool IsRoad(const osmium::Way& way, const TOsmFilter& filter) {
    const char* highway = way.tags()["highway"];
    if (!highway || !filter.Highways.contains(std::string_view(highway)))
        return false;
    // A pedestrian square or a parking lot drawn as a highway area is no road.
    const char* area = way.tags()["area"];
    return !(area && std::string_view(area) == "yes") && way.nodes().size() >= 2;
}

// Text of a tag as a single clean line: valid UTF-8, control characters
// turned into spaces (a line break would break the map file), trimmed.
std::string CleanName(const char* text) {
    std::string name = Utf8Sanitize(text ? text : "");
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    const size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

std::string TownName(const osmium::Node& node) {
    std::string name = CleanName(node.tags()["name:ru"]);
    return name.empty() ? CleanName(node.tags()["name"]) : name;
}

void AddRoad(const osmium::Way& way, TOsmExtract& extract) {
    for (const osmium::NodeRef& ref : way.nodes())
        extract.WayNodes.push_back(ref.ref());
    extract.WayStart.push_back(extract.WayNodes.size());
}

// The first pass: the roads, and whether all nodes come before the ways and
// relations (as in every extract the usual tools write), so that the second
// pass may stop at the first way.
bool ReadWays(const TOsmSource& source, const TOsmFilter& filter, TOsmExtract& extract,
              const TImportProgress& progress) {
    bool pastNodes = false, nodesFirst = true;
    ReadPass(source, progress, 0, 40, [&](const osmium::OSMObject& object) {
        if (object.type() == osmium::item_type::node)
            nodesFirst = nodesFirst && !pastNodes;
        else
            pastNodes = true;
        if (object.type() == osmium::item_type::way &&
            IsRoad(static_cast<const osmium::Way&>(object), filter))
            AddRoad(static_cast<const osmium::Way&>(object), extract);
        return true;
    });
    extract.NodeIds = extract.WayNodes;
    std::sort(extract.NodeIds.begin(), extract.NodeIds.end());
    extract.NodeIds.erase(std::unique(extract.NodeIds.begin(), extract.NodeIds.end()),
                          extract.NodeIds.end());
    extract.NodePoints.assign(extract.NodeIds.size(), TGeoPoint{});
    extract.NodeKnown.assign(extract.NodeIds.size(), false);
    return nodesFirst;
}

void TakeNode(const osmium::Node& node, const TOsmFilter& filter, TOsmExtract& extract) {
    const osmium::Location location = node.location();
    if (!location.valid())
        return;
    const TGeoPoint where{location.lon_without_check(), location.lat_without_check()};
    const int64_t at = extract.NodeIndex(node.id());
    if (at >= 0) {
        extract.NodePoints[static_cast<size_t>(at)] = where;
        extract.NodeKnown[static_cast<size_t>(at)] = true;
    }
    const char* place = node.tags()["place"];
    if (place && filter.Places.contains(std::string_view(place)))
        extract.Towns.push_back({node.id(), where, TownName(node)});
}

// The second pass: positions of the roads' nodes, and the towns.
void ReadNodes(const TOsmSource& source, const TOsmFilter& filter, TOsmExtract& extract,
               bool nodesFirst, const TImportProgress& progress) {
    ReadPass(source, progress, 40, 80, [&](const osmium::OSMObject& object) {
        if (object.type() != osmium::item_type::node)
            return !nodesFirst;
        TakeNode(static_cast<const osmium::Node&>(object), filter, extract);
        return true;
    });
}

// libosmium's errors in English, behind a Russian sentence that says what
// went wrong for the user.
[[noreturn]] void RaiseReadError(const TOsmSource& source, const std::exception& error) {
    const std::string name = SourceName(source);
    if (const auto* xml = dynamic_cast<const osmium::xml_error*>(&error)) {
        throw EImportError("Файл " + name + " повреждён: ошибка XML в строке " +
                           std::to_string(xml->line) + ", столбце " + std::to_string(xml->column) +
                           " (" + xml->error_string + ").");
    }
    if (dynamic_cast<const osmium::unsupported_file_format_error*>(&error) ||
        std::string_view(error.what()).starts_with("Could not detect file format")) {
        throw EImportError("Формат файла " + name +
                           " не распознан: ожидается выдержка OpenStreetMap .osm, .osm.pbf "
                           "или .osm.bz2.");
    }
    if (dynamic_cast<const std::system_error*>(&error))
        throw EImportError("Не удаётся прочитать файл " + name + " (" + error.what() + ").");
    throw EImportError("Файл " + name +
                       " повреждён, обрезан или не является выдержкой OpenStreetMap (" +
                       error.what() + ").");
}

} // namespace

int64_t TOsmExtract::NodeIndex(int64_t osmId) const {
    const auto found = std::lower_bound(NodeIds.begin(), NodeIds.end(), osmId);
    if (found == NodeIds.end() || *found != osmId)
        return -1;
    return found - NodeIds.begin();
}

TOsmExtract ReadOsmExtract(const TOsmSource& source, const TOsmFilter& filter,
                           const TImportProgress& progress) {
    CheckReadable(source);
    TOsmExtract extract;
    try {
        const bool nodesFirst = ReadWays(source, filter, extract, progress);
        ReadNodes(source, filter, extract, nodesFirst, progress);
    } catch (const EImportCancelled&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw EImportError("Недостаточно памяти, чтобы прочитать " + SourceName(source) +
                           ": задайте меньшую область или более высокий класс дорог.");
    } catch (const std::exception& error) {
        RaiseReadError(source, error);
    }
    return extract;
}
