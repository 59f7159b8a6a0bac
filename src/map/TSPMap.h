#pragma once
// The road map: nodes (cities and transit points) on the plane of the map
// surface, roads between them and the ordered selection of cities that a route
// must visit. Node IDs equal node positions; roads are stored in both
// directions. The map also carries the distance matrix, the map file and the
// route operations the solver builds on.

#include "core/ArraysUnit.h"
#include "core/RandomUnit.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

// Names are cut to this many characters whenever they are stored.
inline constexpr int kMaxNameLength = 50;

// Bounds that keep a map within what the program can hold and draw. A file or
// a generator setting beyond them is refused with a message.
inline constexpr int32_t kMaxNodes = 32767;
inline constexpr int64_t kMaxRoadEntries = 10'000'000; // entries over all road lists
// Coordinates beyond this magnitude would overflow the route lengths.
inline constexpr double kMaxCoordinate = 1.0e7;
// Beyond this many nodes the distance matrix (n * n doubles) is not built.
inline constexpr int32_t kMaxMatrixNodes = 16384;
// A map of kMaxNodes nodes with kMaxRoadEntries roads is well below this; a
// larger file is not a map, nor a list of places to make one from.
inline constexpr std::uintmax_t kMaxMapFileBytes = 512u * 1024u * 1024u;

struct TCity {
    int32_t ID = 0;
    std::string Name; // UTF-8, at most kMaxNameLength characters
    double X = 0;
    double Y = 0;
    bool ThisCity = true; // true for a city, false for a transit point
    TIntegerArray Roads;  // IDs of the nodes this node has a road to
};

// The straight-line distance between two points (nodes) exactly as the distance
// matrix holds it. Whatever measures routes beside the solver uses it, so that its
// lengths agree with the solver's to the last bit.
double PointDistance(double ax, double ay, double bx, double by);
inline double NodeDistance(const TCity& a, const TCity& b) {
    return PointDistance(a.X, a.Y, b.X, b.Y);
}

// Process-wide display flags, stored in the map file and read by the map view.
struct TDisplayFlags {
    bool ShowPath = false;
    bool ShowRoads = true;
    bool ShowCityName = false;
};
extern TDisplayFlags g_Display;

// Progress of a long map operation (load, save): the window plugs in here.
// Any member may be empty.
struct TMapProgress {
    std::function<void(int32_t maximum)> Begin; // shown, bar maximum set
    std::function<void()> Step;                 // one node done
    std::function<void()> End;                  // closed, bar back at 0
};

class TProgressPoll;

class TTSPMap {
public:
    TTSPMap() = default;

    // --- Nodes (model) -------------------------------------------------------
    int32_t Count() const { return static_cast<int32_t>(cities_.size()); }
    // Removes every node, empties the selection, MatrixBuilt := false.
    void Clear();
    // Appends a copy of the record (name cut to 50 characters); returns its position.
    int32_t AddCity(const TCity& city);
    // Removes the node with that ID and every reference to it, renumbers the
    // rest to their positions, and renumbers the selection the same way.
    void DeleteCity(int32_t id);
    // Puts a node back at a list position: the inverse of DeleteCity on a map
    // whose IDs are positions. The node gets `position` as its ID, the nodes
    // from there on move up by one, and every road and selection entry that
    // names one of them follows it. The record's own road list is taken as
    // it is. Raises ETSPError for a position outside 0 .. Count().
    void InsertCity(int32_t position, const TCity& city);
    // Copy of the node at a position; raises ETSPError for a bad position.
    TCity GetCity(int32_t position) const;
    // Direct read access by position (unchecked in release builds: callers
    // pass positions below Count()).
    const TCity& City(int32_t position) const { return cities_[static_cast<size_t>(position)]; }
    const std::vector<TCity>& Cities() const { return cities_; }
    // Position of the first node with that ID, or -1.
    int32_t IndexOfID(int32_t id) const;

    // In-place changes of one node, by position (checked; ETSPError).
    void SetCityName(int32_t position, const std::string& name); // cut to 50 characters
    void SetCityPosition(int32_t position, double x, double y);
    void SetCityKind(int32_t position, bool isCity);
    // Replaces the road list of the node at a position (checked; ETSPError).
    void SetCityRoads(int32_t position, const TIntegerArray& roads);
    // Appends `to` to the road list of the node at position `from`
    // (one direction; callers add both and test Exists first).
    void AddRoadEntry(int32_t from, int32_t to);

    // Counts every change of nodes or roads, so that indexes built from the map
    // (the solver's road index) know when to rebuild.
    uint64_t Version() const { return version_; }

    // --- Selection -----------------------------------------------------------
    const TIntegerArray& SelectedCities() const { return selected_; }
    void SelectCity(int32_t id);                 // appended unless already there
    void UnselectCity(int32_t id);               // first occurrence removed
    void SetSelection(const TIntegerArray& ids); // as given, duplicates included

    // Raises ETSPError when the task cannot be solved: fewer than two selected
    // cities, fewer than four nodes, a selected ID that names no node, or
    // selected cities that cannot reach one another along the roads. A
    // solvable task returns true, the only value the result can have; its
    // type says so, so no caller tests for a false that never comes.
    std::true_type CheckTask() const;

    // --- Distances -----------------------------------------------------------
    // Builds the n x n table of straight-line distances; MatrixBuilt := true.
    void BuildDistanceMatrix();
    // The table BuildDistanceMatrix would build, into `table`, leaving the
    // map's own as it is. With a poll, every row advances it; false, with the
    // table incomplete, when the poll says stop. Raises what the build raises.
    bool ComputeDistanceMatrix(std::vector<double>& table, TProgressPoll* poll = nullptr) const;
    // Takes a table ComputeDistanceMatrix made for the nodes as they are now;
    // MatrixBuilt := true.
    void SetDistanceMatrix(std::vector<double>&& table);
    // True when the table was built for the nodes as they are now (no node
    // added, removed or moved since): building it again would give the same.
    bool DistanceMatrixCurrent() const {
        return matrixBuilt_ && matrixVersion_ == version_ && matrixSize_ == Count();
    }
    bool MatrixBuilt() const { return matrixBuilt_; }
    int32_t MatrixSize() const { return matrixSize_; }
    // Distance between the nodes with IDs a and b (different, both valid).
    double CalcPath(int32_t a, int32_t b) const;
    // Table entry [i][j], range-checked.
    double GetPath(int32_t i, int32_t j) const;
    // Row-major table for the solver's inner loop: entry [i][j] at i * MatrixSize() + j.
    const double* MatrixData() const { return matrix_.data(); }

    // --- Routes --------------------------------------------------------------
    // b occurs in the road list of the node whose ID is a (one direction only).
    bool HasRoad(int32_t a, int32_t b) const;
    // A random self-avoiding road path from a to b (restarting when stuck);
    // a == b gives the one node. Raises ETSPError after too many restarts.
    // Draws from the shared generator.
    void RandomWalk(int32_t a, int32_t b, TIntegerArray& path) const;
    // The same walk drawn from `random`. With a poll, the walk polls it at
    // every step and returns false, incomplete, as soon as it says stop.
    bool RandomWalk(int32_t a, int32_t b, TIntegerArray& path, TRandom& random,
                    TProgressPoll* poll = nullptr) const;
    // A random valid route through all selected cities, from the shared generator.
    void RandomRoute(TIntegerArray& route) const;
    // The same route drawn from `random`. With a poll, every finished walk
    // between two selected cities advances it by one; false, with the route
    // incomplete, as soon as the poll says stop.
    bool RandomRoute(TIntegerArray& route, TRandom& random, TProgressPoll* poll = nullptr) const;
    bool ContainsAllSelected(const TIntegerArray& route) const;
    // Starts at the first and ends at the last selected city and follows roads.
    // Raises EIntArrayError for an empty route or selection.
    bool IsValidRoute(const TIntegerArray& route) const;

    // --- File ----------------------------------------------------------------
    // Reads the whole file into a new map first; on success replaces this map
    // and the flags. On failure raises (map and flags unchanged).
    void LoadFromFile(const std::string& path, TDisplayFlags& flags,
                      const TMapProgress& progress = {});
    // Writes through a temporary file in the same folder that then replaces
    // the target, so a failed save never leaves a half-written map.
    void SaveToFile(const std::string& path, const TDisplayFlags& flags,
                    const TMapProgress& progress = {}) const;
    // The file's text, encoded for writing (Windows-1251, or UTF-8 with a mark).
    std::string SaveToBytes(const TDisplayFlags& flags, const TMapProgress& progress = {}) const;
    // Parses file bytes into this map (replacing it only on success).
    void LoadFromBytes(const std::string& bytes, TDisplayFlags& flags,
                       const TMapProgress& progress = {});

    // Node positions are IDs: true while every node's ID equals its position.
    bool IdsArePositions() const { return idsArePositions_; }

private:
    void Touch() { ++version_; }
    void CheckPosition(int32_t position, const char* operation) const;
    void CheckReachability() const;
    // Gives every node its position as ID; road and selection entries follow
    // the node they named, and an ID that several nodes share names the first
    // of them. Road entries that name no node (or `removedId`) are dropped,
    // selection entries that name none become -1.
    static void RenumberToPositions(std::vector<TCity>& cities, TIntegerArray& selection,
                                    std::optional<int32_t> removedId = std::nullopt);
    // A fresh stamp for RandomWalk's marks (clearing them when it wraps round).
    uint32_t NextWalkEpoch() const;
    // The road lists in one array for the walks, rebuilt when the map changed.
    void PrepareWalkRoads() const;
    struct TWalkById;
    struct TWalkByPosition;
    template <typename Walk>
    bool WalkSteps(int32_t a, int32_t b, TIntegerArray& path, TRandom& random, TProgressPoll* poll,
                   Walk& walk) const;
    [[noreturn]] void ThrowDeadEnds(int32_t a, int32_t b) const;

    std::vector<TCity> cities_;
    TIntegerArray selected_;
    std::vector<double> matrix_;
    int32_t matrixSize_ = 0;
    uint64_t matrixVersion_ = 0; // Version() when the table was built
    bool matrixBuilt_ = false;
    bool idsArePositions_ = true;
    uint64_t version_ = 0;
    // Scratch of RandomWalk: a stamp per node marks the nodes of the path.
    mutable std::vector<uint32_t> walkStamp_;
    mutable uint32_t walkEpoch_ = 0;
    // The road lists of node p at walkEntries_[walkFirst_[p] .. walkFirst_[p + 1]),
    // built at Version() walkRoadsVersion_.
    mutable std::vector<int32_t> walkFirst_;
    mutable std::vector<int32_t> walkEntries_;
    mutable uint64_t walkRoadsVersion_ = UINT64_MAX;
};

// The one map of the program.
extern TTSPMap g_Map;

// The whole file, for the map loader and the importers. Raises EFileError when
// it cannot be read and ETSPError when it is larger than kMaxMapFileBytes.
std::string ReadMapFileBytes(const std::string& path);
