#include "ui/MapCommands.h"

#include "core/RandomUnit.h"
#include "guibase/Text.h"

#include <QUndoStack>

#include <algorithm>

namespace {

// Merge key of the renames (any number unique among the commands).
constexpr int kRenameCommandId = 1;

} // namespace

TMapCommand::TMapCommand(const TEditTarget& target, const QString& text, QUndoCommand* parent)
    : QUndoCommand(text, parent), target_(target) {}

// ---------------------------------------------------------------------------

TCreateNodeCommand::TCreateNodeCommand(const TEditTarget& target, const TCity& city,
                                       QUndoCommand* parent)
    : TMapCommand(target, Text("создание города"), parent), city_(city),
      showPathBefore_(target.Flags->ShowPath) {}

void TCreateNodeCommand::redo() {
    Map().AddCity(city_);
    Flags().ShowPath = false;
}

void TCreateNodeCommand::undo() {
    Host().StopRunForEdit();
    const int32_t position = Map().Count() - 1;
    Map().DeleteCity(Map().City(position).ID);
    Host().NodeRemoved(position);
    Flags().ShowPath = showPathBefore_;
}

// ---------------------------------------------------------------------------

TMoveNodeCommand::TMoveNodeCommand(const TEditTarget& target, const QString& text, int32_t position,
                                   QPointF from, QPointF to)
    : TMapCommand(target, text), position_(position), from_(from), to_(to) {}

void TMoveNodeCommand::redo() {
    Map().SetCityPosition(position_, to_.x(), to_.y());
}

void TMoveNodeCommand::undo() {
    Map().SetCityPosition(position_, from_.x(), from_.y());
}

// ---------------------------------------------------------------------------

TRenameNodeCommand::TRenameNodeCommand(const TEditTarget& target, int32_t position,
                                       std::string from, std::string to)
    : TMapCommand(target, Text("переименование города")), position_(position),
      from_(std::move(from)), to_(std::move(to)) {}

void TRenameNodeCommand::redo() {
    Map().SetCityName(position_, to_);
}

void TRenameNodeCommand::undo() {
    Map().SetCityName(position_, from_);
}

int TRenameNodeCommand::id() const {
    return kRenameCommandId;
}

bool TRenameNodeCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TRenameNodeCommand*>(other);
    if (next->position_ != position_)
        return false;
    to_ = next->to_;
    // Typed back to the old name: no step at all.
    setObsolete(to_ == from_);
    return true;
}

// ---------------------------------------------------------------------------

TNodeKindCommand::TNodeKindCommand(const TEditTarget& target, int32_t position, bool isCity)
    : TMapCommand(target,
                  isCity ? Text("превращение в город") : Text("превращение в перевалочный пункт")),
      position_(position), isCity_(isCity) {}

void TNodeKindCommand::redo() {
    Map().SetCityKind(position_, isCity_);
}

void TNodeKindCommand::undo() {
    Map().SetCityKind(position_, !isCity_);
}

// ---------------------------------------------------------------------------

TAddRoadCommand::TAddRoadCommand(const TEditTarget& target, int32_t startPosition,
                                 int32_t endPosition, const std::optional<TCity>& newEnd)
    : TMapCommand(target, Text("новая дорога")), start_(startPosition), end_(endPosition),
      startId_(target.Map->City(startPosition).ID) {
    if (newEnd) {
        // The new city comes first; its position is the end of the list.
        new TCreateNodeCommand(target, *newEnd, this);
        end_ = target.Map->Count();
        endId_ = newEnd->ID;
        toStart_ = !newEnd->Roads.Exists(startId_);
        toEnd_ = !target.Map->City(start_).Roads.Exists(endId_);
        return;
    }
    const TCity& start = target.Map->City(start_);
    const TCity& end = target.Map->City(end_);
    endId_ = end.ID;
    toStart_ = end.ID != startId_ && !end.Roads.Exists(startId_);
    toEnd_ = startId_ != end.ID && !start.Roads.Exists(end.ID);
}

void TAddRoadCommand::redo() {
    QUndoCommand::redo(); // the new city, if any
    if (toStart_)
        Map().AddRoadEntry(end_, startId_);
    if (toEnd_)
        Map().AddRoadEntry(start_, endId_);
}

void TAddRoadCommand::undo() {
    Host().StopRunForEdit();
    if (toEnd_)
        DropLastEntry(start_);
    if (toStart_)
        DropLastEntry(end_);
    QUndoCommand::undo();
}

void TAddRoadCommand::DropLastEntry(int32_t position) {
    TIntegerArray roads = Map().City(position).Roads;
    if (roads.Items().empty())
        return;
    roads.Items().pop_back();
    Map().SetCityRoads(position, roads);
}

// ---------------------------------------------------------------------------

TDeleteNodeCommand::TDeleteNodeCommand(const TEditTarget& target, int32_t position)
    : TMapCommand(target, Text("удаление города")), position_(position),
      city_(target.Map->City(position)), selection_(target.Map->SelectedCities()),
      showPathBefore_(target.Flags->ShowPath) {
    const TTSPMap& map = *target.Map;
    if (!map.IdsArePositions()) {
        allNodes_ = map.Cities();
        return;
    }
    for (int32_t p = 0; p < map.Count(); ++p)
        if (p != position && map.City(p).Roads.Exists(city_.ID))
            neighbours_.emplace_back(p, map.City(p).Roads);
}

void TDeleteNodeCommand::redo() {
    Host().StopRunForEdit();
    Flags().ShowPath = false;
    Map().DeleteCity(city_.ID);
    Host().NodeRemoved(position_);
}

void TDeleteNodeCommand::undo() {
    Host().StopRunForEdit();
    if (allNodes_) {
        Map().Clear();
        for (const TCity& city : *allNodes_)
            Map().AddCity(city);
    } else {
        Map().InsertCity(position_, city_);
        // The neighbours lost their entries for the node; their lists come
        // back whole, in their old order.
        for (const auto& [position, roads] : neighbours_)
            Map().SetCityRoads(position, roads);
    }
    Map().SetSelection(selection_);
    Host().NodeInserted(position_);
    Flags().ShowPath = showPathBefore_;
}

// ---------------------------------------------------------------------------

TSelectionCommand::TSelectionCommand(const TEditTarget& target, const QString& text,
                                     TIntegerArray before, TIntegerArray after)
    : TMapCommand(target, text), before_(std::move(before)), after_(std::move(after)) {}

void TSelectionCommand::redo() {
    Host().StopRunForEdit();
    Map().SetSelection(after_);
}

void TSelectionCommand::undo() {
    Host().StopRunForEdit();
    Map().SetSelection(before_);
}

// ---------------------------------------------------------------------------

std::shared_ptr<const TMapContent> TMapContent::Snapshot(const TTSPMap& map) {
    auto content = std::make_shared<TMapContent>();
    content->cities_ = map.Cities();
    content->selection_ = map.SelectedCities();
    return content;
}

std::shared_ptr<const TMapContent> TMapContent::Generated(const TRandomMapSettings& settings,
                                                          uint32_t seed) {
    auto content = std::make_shared<TMapContent>();
    content->settings_ = settings;
    content->seed_ = seed;
    return content;
}

void TMapContent::RestoreInto(TTSPMap& map) const {
    if (settings_) {
        // The same seed makes the same map; the shared generator goes on
        // from where it was, so undoing changes no later draw.
        const uint32_t seed = RandSeed();
        TDisplayFlags unused;
        GenerateRandomMap(map, *settings_, unused, seed_);
        SetRandSeed(seed);
        return;
    }
    map.Clear();
    for (const TCity& city : cities_)
        map.AddCity(city);
    map.SetSelection(selection_);
}

std::shared_ptr<const TMapContent> CaptureMapContent(const TTSPMap& map, const QUndoStack& stack) {
    if (stack.index() > 0) {
        if (const auto* last =
                dynamic_cast<const TReplaceMapCommand*>(stack.command(stack.index() - 1)))
            return last->After();
    }
    return TMapContent::Snapshot(map);
}

TReplaceMapCommand::TReplaceMapCommand(const TEditTarget& target, const QString& text,
                                       TBefore before, std::shared_ptr<const TMapContent> after)
    : TMapCommand(target, text), before_(std::move(before)), after_(std::move(after)),
      showPathAfter_(target.Flags->ShowPath) {}

void TReplaceMapCommand::redo() {
    if (done_) {
        done_ = false;
        return;
    }
    Show(*after_, showPathAfter_, QString());
}

void TReplaceMapCommand::undo() {
    Show(*before_.Content, before_.ShowPath, before_.File);
}

void TReplaceMapCommand::Show(const TMapContent& content, bool showPath, const QString& file) {
    Host().StopRunForEdit();
    content.RestoreInto(Map());
    Flags().ShowPath = showPath;
    Host().SetMapFile(file);
    Host().MapReplaced();
}

// ---------------------------------------------------------------------------

TBackgroundCommand::TBackgroundCommand(const TEditTarget& target, TPicture before, TPicture after)
    : TMapCommand(target, Text("загрузка фона")), before_(std::move(before)),
      after_(std::move(after)) {}

void TBackgroundCommand::redo() {
    Host().ShowBackground(after_.Image, after_.Surface);
}

void TBackgroundCommand::undo() {
    Host().ShowBackground(before_.Image, before_.Surface);
}
