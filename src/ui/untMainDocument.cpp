// The main window's document: the map's file and its unsaved changes in the
// window title, the file commands (New, Open, Save, Save as, the background
// picture, a random map), the recent maps, map files dropped on the window,
// and the undo history every change to the map goes through.

#include "guibase/ModalWindows.h"
#include "guibase/Seams.h"
#include "guibase/Text.h"
#include "map/TSPMap.h"
#include "ui/MapCommands.h"
#include "ui/RecentFiles.h"
#include "ui/TrasolanApplication.h"
#include "ui/frmLittleHint.h"
#include "ui/untHint.h"
#include "ui/untMain.h"
#include "ui/untProgress.h"
#include "ui/untRandomN.h"
#include "ui/untResults.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>

namespace {

// File types of the file dialogs, as "description|pattern".
const TLaterText kMapFilter{"Файлы задачи коммивояжера (*.ga)|*.ga"};
const QString kMapSuffix = QStringLiteral("ga");
const TLaterText kPictureFilter{"Карты (*.bmp)|*.*"};
const QString kPictureSuffix = QStringLiteral("bmp");

// Steps kept in the history. Whole maps are kept compactly (a random map as
// its seed, consecutive replacements sharing what lies between them), so
// this bounds the memory of a long session of edits.
constexpr int kUndoSteps = 500;

QWidget* FindPanelControl(const char* name) {
    return frmResults ? frmResults->findChild<QWidget*>(QString::fromLatin1(name)) : nullptr;
}

// The one map file a drag brings, or "".
QString DroppedMapFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    return QFileInfo(path).suffix().compare(kMapSuffix, Qt::CaseInsensitive) == 0 ? path
                                                                                  : QString();
}

// Replaces a map's nodes and selection by another's. The map keeps its own
// version count going, so whatever was built from the old map (the hit
// index, the picture, the solver's road index) sees that it changed.
void TakeContent(TTSPMap& map, const TTSPMap& from) {
    map.Clear();
    for (const TCity& city : from.Cities())
        map.AddCity(city);
    map.SetSelection(from.SelectedCities());
}

} // namespace

// ---------------------------------------------------------------------------
// The undo history

void TfrmMain::BuildUndoStack() {
    undoStack_ = new QUndoStack(this);
    undoStack_->setObjectName(QStringLiteral("UndoStack"));
    undoStack_->setUndoLimit(kUndoSteps);
    connect(undoStack_, &QUndoStack::indexChanged, this, Guarded([this] { AfterEdit(); }));
    connect(undoStack_, &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });
}

TEditTarget TfrmMain::EditTarget() {
    return TEditTarget{&g_Map, &g_Display, this};
}

void TfrmMain::PushEdit(QUndoCommand* command) {
    undoStack_->push(command);
}

// After every step done, undone or redone.
void TfrmMain::AfterEdit() {
    hitIndex_.Invalidate();
    UpdateUndoItems();
    UpdateTitle();
    if (frmHint)
        frmHint->FollowMap();
    UpdateCityCount();
    RedrawMap();
}

void TfrmMain::UpdateUndoItems() {
    const auto caption = [](const char* verb, const QString& step) {
        return step.isEmpty() ? Text(verb) : Text(verb) + QStringLiteral(": ") + step;
    };
    EditUndo->setEnabled(undoStack_->canUndo());
    EditUndo->setText(
        caption("&Отменить", undoStack_->canUndo() ? undoStack_->undoText() : QString()));
    EditRedo->setEnabled(undoStack_->canRedo());
    EditRedo->setText(
        caption("&Повторить", undoStack_->canRedo() ? undoStack_->redoText() : QString()));
}

bool TfrmMain::DragInProgress() const {
    return Moving || (RoadStartID != -1 && RoadEndID == -1);
}

void TfrmMain::CancelDrag() {
    Moving = false;
    RoadStartID = -1;
    RoadEndID = -1;
}

void TfrmMain::EditUndoExecute() {
    // A step undone under a dragged node would leave the drag holding a
    // node that is no longer what it was.
    if (DragInProgress())
        return;
    HideLittleHint();
    undoStack_->undo();
}

void TfrmMain::EditRedoExecute() {
    if (DragInProgress())
        return;
    HideLittleHint();
    undoStack_->redo();
}

void TfrmMain::StopRunForEdit() {
    StopRunIfActive();
}

void TfrmMain::MapReplaced() {
    CancelDrag();
    HideLittleHint();
    // The city window's node, if any, belonged to the map that went.
    if (frmHint)
        frmHint->Forget();
    CreateSolver();
}

void TfrmMain::NodeInserted(int32_t position) {
    FollowRenumbering(position, +1);
}

void TfrmMain::NodeRemoved(int32_t position) {
    FollowRenumbering(position, -1);
}

void TfrmMain::FollowRenumbering(int32_t position, int delta) {
    CancelDrag();
    if (delta < 0 && CurrentNodeID == position)
        CurrentNodeID = -1;
    else if (CurrentNodeID >= position)
        CurrentNodeID += delta;
    if (frmHint)
        frmHint->FollowRenumbering(position, delta);
}

void TfrmMain::ShowBackground(const QImage& picture, QSize surface) {
    background_ = picture;
    hasBackground_ = !picture.isNull();
    Roads->setFixedSize(surface);
    RedrawMap();
}

// ---------------------------------------------------------------------------
// The document

void TfrmMain::SetMapFile(const QString& path) {
    mapFile_ = path;
    suggestedName_.clear();
    UpdateTitle();
}

void TfrmMain::StartUntitledDocument() {
    mapFile_.clear();
    suggestedName_.clear();
    undoStack_->clear();
    UpdateUndoItems();
    UpdateTitle();
}

QString TfrmMain::DocumentName() const {
    if (!mapFile_.isEmpty())
        return QFileInfo(mapFile_).fileName();
    if (!suggestedName_.isEmpty())
        return QFileInfo(suggestedName_).fileName();
    return Text("Без имени");
}

bool TfrmMain::HasUnsavedChanges() const {
    // A map without a file and without nodes holds nothing to lose.
    if (mapFile_.isEmpty() && suggestedName_.isEmpty() && g_Map.Count() == 0)
        return false;
    const int clean = undoStack_->cleanIndex();
    if (clean < 0)
        return true;
    // Steps between the saved state and now that change what the file holds.
    const int index = undoStack_->index();
    for (int i = std::min(clean, index); i < std::max(clean, index); ++i) {
        const auto* step = dynamic_cast<const TMapCommand*>(undoStack_->command(i));
        if (!step || step->ChangesMapFile())
            return true;
    }
    return false;
}

void TfrmMain::UpdateTitle() {
    setWindowTitle(Text("%1[*] — Трасолан").arg(DocumentName()));
    setWindowModified(HasUnsavedChanges());
}

bool TfrmMain::AskToSaveChanges() {
    if (!HasUnsavedChanges())
        return true;
    const QString question = Text("Сохранить изменения в карте «%1»?").arg(DocumentName());
    switch (seams::AskSaveChanges(this, question)) {
    case seams::TSaveChangesAnswer::Save:
        SaveMapExecute();
        return !HasUnsavedChanges();
    case seams::TSaveChangesAnswer::Discard:
        return true;
    case seams::TSaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

void TfrmMain::AdoptImportedMap(TTSPMap&& map, const QString& suggestedName) {
    StopRunIfActive();
    CancelDrag();
    HideLittleHint();
    if (frmHint)
        frmHint->Forget();
    TakeContent(g_Map, map);
    map.Clear();
    g_Display.ShowPath = false;
    StartUntitledDocument();
    suggestedName_ = suggestedName;
    // Nothing of it is in a file yet: unsaved until it is saved.
    undoStack_->resetClean();
    CreateSolver();
    AfterEdit();
}

// ---------------------------------------------------------------------------
// File commands

void TfrmMain::ReplaceMap(const QString& stepName, const std::function<void()>& change,
                          const std::function<std::shared_ptr<const TMapContent>()>& after) {
    StopRunIfActive();
    CancelDrag();
    HideLittleHint();
    TReplaceMapCommand::TBefore before{CaptureMapContent(g_Map, *undoStack_), g_Display.ShowPath,
                                       mapFile_};
    change();
    if (frmHint)
        frmHint->Forget();
    PushEdit(new TReplaceMapCommand(EditTarget(), stepName, std::move(before), after()));
    SetMapFile(QString());
}

void TfrmMain::NewMapExecute() {
    if (!AskToSaveChanges())
        return;
    ReplaceMap(
        Text("очистка карты"), [] { g_Map.Clear(); }, [] { return TMapContent::Snapshot(g_Map); });
    CreateSolver();
    RedrawMap();
    if (QWidget* start = FindPanelControl("StartBtn"))
        start->setEnabled(true);
    if (QWidget* stop = FindPanelControl("StopBtn"))
        stop->setEnabled(false);
}

void TfrmMain::OpenMapExecute() {
    // The question comes once a file is chosen: a cancelled dialog changes
    // nothing and asks nothing.
    const QString path = seams::GetOpenFileName(this, kMapFilter, kMapSuffix);
    if (!path.isEmpty())
        OpenMapAskingFirst(path);
    RedrawMap();
}

bool TfrmMain::OpenMapAskingFirst(const QString& path) {
    if (!AskToSaveChanges())
        return false;
    RedrawMap();
    const bool opened = OpenMapFile(path);
    if (!opened && !QFileInfo::exists(path)) {
        recent::Remove(path);
        RebuildRecentMenu();
    }
    return opened;
}

bool TfrmMain::OpenMapFile(const QString& path) {
    StopRunIfActive();
    const bool loaded = RunGuarded([&] {
        // The map file is read completely before it replaces the map, so a
        // bad file leaves the user's map as it was.
        TfrmProgressScope progress(frmProgress, TfrmProgressScope::Load);
        g_Map.LoadFromFile(path.toStdString(), g_Display, progress.Callbacks());
    });
    hitIndex_.Invalidate();
    if (loaded) {
        CancelDrag();
        HideLittleHint();
        if (frmHint)
            frmHint->Forget();
        // An opened map starts a history of its own.
        StartUntitledDocument();
        SetMapFile(QFileInfo(path).absoluteFilePath());
        RememberRecentFile(mapFile_);
        UpdateCityCount();
    }
    RedrawMap();
    return loaded;
}

void TfrmMain::SaveMapExecute() {
    // A map with a file goes back into it; only a new map asks for a name.
    if (mapFile_.isEmpty())
        SaveMapAsExecute();
    else
        SaveMapToFile(mapFile_);
}

void TfrmMain::SaveMapAsExecute() {
    QString suggested = mapFile_.isEmpty() ? suggestedName_ : mapFile_;
    if (suggested.isEmpty())
        suggested = DocumentName();
    if (QFileInfo(suggested).suffix().compare(kMapSuffix, Qt::CaseInsensitive) != 0)
        suggested += QStringLiteral(".") + kMapSuffix;
    const QString path = seams::GetSaveFileName(this, kMapFilter, kMapSuffix, suggested);
    if (!path.isEmpty())
        SaveMapToFile(path);
    RedrawMap();
}

bool TfrmMain::SaveMapToFile(const QString& path) {
    RedrawMap();
    const bool saved = RunGuarded([&] {
        TfrmProgressScope progress(frmProgress, TfrmProgressScope::Save);
        g_Map.SaveToFile(path.toStdString(), g_Display, progress.Callbacks());
    });
    if (saved) {
        SetMapFile(QFileInfo(path).absoluteFilePath());
        undoStack_->setClean();
        RememberRecentFile(mapFile_);
        UpdateTitle();
    }
    RedrawMap();
    return saved;
}

void TfrmMain::LoadMapFromFileExecute() {
    const QString path = seams::GetOpenFileName(this, kPictureFilter, kPictureSuffix);
    if (!path.isEmpty())
        LoadBackgroundFile(path);
    Roads->repaint();
}

bool TfrmMain::LoadBackgroundFile(const QString& path) {
    const TBackgroundCommand::TPicture before{hasBackground_ ? background_ : QImage(),
                                              Roads->size()};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage picture = reader.read();
    if (picture.isNull()) {
        // The previous picture goes (the plain surface stays at the view's
        // size); undoing brings it back.
        if (hasBackground_)
            PushEdit(new TBackgroundCommand(EditTarget(), before, {QImage(), Roads->size()}));
        seams::ShowError(
            this,
            Text("Не удалось загрузить фон карты из файла %1: %2").arg(path, reader.errorString()));
        return false;
    }
    picture.setDevicePixelRatio(1.0);
    picture = picture.convertToFormat(QImage::Format_RGB32);
    PushEdit(new TBackgroundCommand(EditTarget(), before, {picture, picture.size()}));
    return true;
}

void TfrmMain::GenerateMapExecute() {
    // The dialog asks about unsaved changes and stops a run only when it
    // generates; closing it changes nothing.
    ExecModal(*frmRandomN);
    hitIndex_.Invalidate();
    RedrawMap();
}

void TfrmMain::GenerateKeyPress() {
    frmRandomN->GenerateRandomMap();
    hitIndex_.Invalidate();
}

// ---------------------------------------------------------------------------
// Recent maps, dropped files, the menu key

void TfrmMain::RememberRecentFile(const QString& path) {
    recent::Add(path);
    RebuildRecentMenu();
}

void TfrmMain::RebuildRecentMenu() {
    RecentMenu->clear();
    const QStringList files = recent::Files();
    QStringList names;
    for (const QString& file : files)
        names << QFileInfo(file).fileName();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString& file = files[i];
        // Two maps of one name are told apart by their folders.
        const QString shown = names.count(names[i]) > 1 ? file : names[i];
        QAction* item = RecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        item->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        item->setToolTip(file);
        connect(item, &QAction::triggered, this, Guarded([this, file] {
                    OpenMapAskingFirst(file);
                    RedrawMap();
                }));
    }
    if (!files.isEmpty()) {
        RecentMenu->addSeparator();
        QAction* clear = RecentMenu->addAction(Text("&Очистить список"));
        clear->setObjectName(QStringLiteral("ClearRecentFiles"));
        connect(clear, &QAction::triggered, this, [this] {
            recent::Clear();
            RebuildRecentMenu();
        });
    }
    RecentMenu->menuAction()->setEnabled(!files.isEmpty());
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedMapFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    const QString path = DroppedMapFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The question and the loading wait until the drop is over, so that the
    // program the file came from is not held while they run.
    QTimer::singleShot(0, this, Guarded([this, path] {
                           OpenMapAskingFirst(path);
                           RedrawMap();
                       }));
}

void TfrmMain::MenuKeyPress() {
    MainMenu1->setActiveAction(FileMenu->menuAction());
}
