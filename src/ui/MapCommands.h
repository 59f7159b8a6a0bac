#pragma once
// The steps of the map's undo history. Every change the user makes to the map
// is one of these commands on the main window's QUndoStack; undoing it puts
// the map back exactly as it was, so that the map file's bytes are those of
// before the step.
//
// The history is linear: when a step is undone or redone the map is exactly
// in the state the step left it in, or found it in. Commands therefore name
// nodes by their list position at that moment.

#include "map/RandomMap.h"
#include "map/TSPMap.h"

#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QUndoCommand>

#include <memory>
#include <optional>
#include <vector>

class QUndoStack;

// What the commands need from the window that edits the map.
class TMapEditHost {
public:
    virtual ~TMapEditHost() = default;
    // A step that takes nodes or roads away, renumbers nodes or changes the
    // selection ends a run first: the run works on the map it started with.
    virtual void StopRunForEdit() = 0;
    // The whole map was replaced: a fresh solver for the new one.
    virtual void MapReplaced() = 0;
    // A node was put in at, or taken out of, a list position; the node IDs
    // the editor keeps (the city window's node, the node last pressed)
    // follow their nodes.
    virtual void NodeInserted(int32_t position) = 0;
    virtual void NodeRemoved(int32_t position) = 0;
    // Shows a background picture (none when `picture` is null) on a surface
    // of the given size.
    virtual void ShowBackground(const QImage& picture, QSize surface) = 0;
    // The file the map belongs to ("" for none): a new or random map has
    // none, so that saving it never writes over the file of the map before.
    virtual void SetMapFile(const QString& path) = 0;
};

// The map, the display flags stored with it, and the host: what every
// command works on.
struct TEditTarget {
    TTSPMap* Map = nullptr;
    TDisplayFlags* Flags = nullptr;
    TMapEditHost* Host = nullptr;
};

// The base of every step.
class TMapCommand : public QUndoCommand {
public:
    TMapCommand(const TEditTarget& target, const QString& text, QUndoCommand* parent = nullptr);
    // False for a step that leaves what the map file holds alone (the
    // background picture): it does not make the map unsaved.
    virtual bool ChangesMapFile() const { return true; }

protected:
    TTSPMap& Map() const { return *target_.Map; }
    TDisplayFlags& Flags() const { return *target_.Flags; }
    TMapEditHost& Host() const { return *target_.Host; }
    const TEditTarget& Target() const { return target_; }

private:
    TEditTarget target_;
};

// A new node at the end of the list (a click on empty space, or the free end
// of a new road). Hides the route, as creating a node does.
class TCreateNodeCommand : public TMapCommand {
public:
    TCreateNodeCommand(const TEditTarget& target, const TCity& city,
                       QUndoCommand* parent = nullptr);
    void redo() override;
    void undo() override;

private:
    TCity city_;
    bool showPathBefore_ = false;
};

// A node moved by a drag or by typed coordinates.
class TMoveNodeCommand : public TMapCommand {
public:
    TMoveNodeCommand(const TEditTarget& target, const QString& text, int32_t position, QPointF from,
                     QPointF to);
    void redo() override;
    void undo() override;

private:
    int32_t position_;
    QPointF from_;
    QPointF to_;
};

// A new name. Typing into the city window gives one command per key; those
// of one node in a row merge into one step.
class TRenameNodeCommand : public TMapCommand {
public:
    TRenameNodeCommand(const TEditTarget& target, int32_t position, std::string from,
                       std::string to);
    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    int32_t position_;
    std::string from_;
    std::string to_;
};

// A city made a transit point or the other way round.
class TNodeKindCommand : public TMapCommand {
public:
    TNodeKindCommand(const TEditTarget& target, int32_t position, bool isCity);
    void redo() override;
    void undo() override;

private:
    int32_t position_;
    bool isCity_;
};

// The two entries of a new road (either may be missing when the road was
// there one way already). With `newEnd`, the road's end is a new city at the
// end of the list, created first.
class TAddRoadCommand : public TMapCommand {
public:
    TAddRoadCommand(const TEditTarget& target, int32_t startPosition, int32_t endPosition,
                    const std::optional<TCity>& newEnd);
    void redo() override;
    void undo() override;
    // A road from a node to itself, or one there both ways already.
    bool AddsNothing() const { return !toEnd_ && !toStart_; }

private:
    void DropLastEntry(int32_t position);

    int32_t start_;
    int32_t end_;
    int32_t startId_;
    int32_t endId_;
    bool toEnd_ = false;   // the start gets an entry naming the end
    bool toStart_ = false; // the end gets an entry naming the start
};

// A node deleted in the city window, with its roads and its selection.
class TDeleteNodeCommand : public TMapCommand {
public:
    TDeleteNodeCommand(const TEditTarget& target, int32_t position);
    void redo() override;
    void undo() override;

private:
    int32_t position_;
    TCity city_;
    TIntegerArray selection_;
    // The road lists that named the node, as they were.
    std::vector<std::pair<int32_t, TIntegerArray>> neighbours_;
    // A map whose IDs are not positions is renumbered whole by a deletion;
    // then the whole node list is kept.
    std::optional<std::vector<TCity>> allNodes_;
    bool showPathBefore_ = false;
};

// A city selected or unselected.
class TSelectionCommand : public TMapCommand {
public:
    TSelectionCommand(const TEditTarget& target, const QString& text, TIntegerArray before,
                      TIntegerArray after);
    void redo() override;
    void undo() override;

private:
    TIntegerArray before_;
    TIntegerArray after_;
};

// The nodes and the selection of a whole map, kept to be put back. A random
// map is kept as the settings and seed that make it again, which costs
// nothing however large the map.
class TMapContent {
public:
    static std::shared_ptr<const TMapContent> Snapshot(const TTSPMap& map);
    static std::shared_ptr<const TMapContent> Generated(const TRandomMapSettings& settings,
                                                        uint32_t seed);
    // Replaces the map's nodes and selection. Leaves the display flags and
    // the shared random generator as they were.
    void RestoreInto(TTSPMap& map) const;

private:
    std::vector<TCity> cities_;
    TIntegerArray selection_;
    std::optional<TRandomMapSettings> settings_;
    uint32_t seed_ = 0;
};

// The map before a whole-map step: what the last step done left, when that
// was itself a whole-map step (so consecutive random maps share it), or else
// a copy of the map.
std::shared_ptr<const TMapContent> CaptureMapContent(const TTSPMap& map, const QUndoStack& stack);

// The whole map replaced: cleared (New) or generated, into a map without a
// file. Built after the change has been made, so its first redo does nothing.
class TReplaceMapCommand : public TMapCommand {
public:
    // What the map was: its content, whether the route showed, its file.
    struct TBefore {
        std::shared_ptr<const TMapContent> Content;
        bool ShowPath = false;
        QString File;
    };
    TReplaceMapCommand(const TEditTarget& target, const QString& text, TBefore before,
                       std::shared_ptr<const TMapContent> after);
    void redo() override;
    void undo() override;
    const std::shared_ptr<const TMapContent>& After() const { return after_; }

private:
    void Show(const TMapContent& content, bool showPath, const QString& file);

    TBefore before_;
    std::shared_ptr<const TMapContent> after_;
    bool showPathAfter_;
    bool done_ = true;
};

// A background picture loaded (or lost by a load that failed).
class TBackgroundCommand : public TMapCommand {
public:
    struct TPicture {
        QImage Image; // null: the plain surface
        QSize Surface;
    };
    TBackgroundCommand(const TEditTarget& target, TPicture before, TPicture after);
    void redo() override;
    void undo() override;
    bool ChangesMapFile() const override { return false; }

private:
    TPicture before_;
    TPicture after_;
};
