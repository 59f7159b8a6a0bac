#pragma once
// The main window: tool panel, menu bar, the map view inside a scroll box and
// the status bar. It owns the solver's population and the background picture
// and opens every other window. The map view's picture is composed by
// RedrawMap (untMainView.cpp); what the mouse does on the map is in
// untMainEditing.cpp; the map as a document (its file, unsaved changes, the
// file commands, the undo history every edit goes through) in
// untMainDocument.cpp.

#include "ui/MapCommands.h"
#include "ui/MapPainter.h"
#include "ui/untMainHitIndex.h"

#include <QImage>
#include <QMainWindow>
#include <QPointF>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class QAction;
class QCursor;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QScrollArea;
class QShortcut;
class QStatusBar;
class QTimer;
class QUndoCommand;
class QUndoStack;
class TImageButton;
class TImageList;
class TItemDrawer;
class TStartMark;
class TfrmMain;

namespace solver {
class TTSPPopulation;
}

// Indices of the main window's image lists. ImageList1 holds the 32 x 32
// pictures of the tool buttons and of the solver panel's run buttons,
// ImageList2 the 16 x 16 caption buttons of the borderless windows,
// MenuImages the 16 x 16 menu icons.
enum TMainImage : int {
    imgStart = 0,
    imgPause = 1,
    imgStop = 2,
    imgNewMap = 3,
    imgOpenMap = 4,
    imgSaveMap = 5,
    imgBackground = 6,
    imgGenerate = 7,
    imgSolverPanel = 8,
    imgAbout = 9,
};
enum TCaptionImage : int { capClose = 0, capRollUp = 1, capRollDown = 2 };

// The paint box `Roads`: shows the picture RedrawMap last composed and passes
// the mouse on to the main window.
class TMapView : public QWidget {
    Q_OBJECT
public:
    TMapView(TfrmMain* owner, QWidget* parent);

    // Takes the picture to show (shared, not copied) and repaints at once.
    void ShowPicture(const QImage& picture);
    // Lets go of the picture without repainting, so that its memory can be
    // reused for the next one.
    void ReleasePicture() { picture_ = QImage(); }
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TfrmMain* owner_;
    QImage picture_;
};

class TfrmMain : public QMainWindow, public TMapEditHost {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // --- The document (untMainDocument.cpp) ----------------------------------
    // The map's file, "" for a map that has none yet.
    const QString& MapFilePath() const { return mapFile_; }
    // The map's name in the title and the questions: its file's name, the
    // name an imported map will be saved under, or "Без имени".
    QString DocumentName() const;
    // True while the map has changes that its file does not hold.
    bool HasUnsavedChanges() const;
    // The unsaved-changes question: "Сохранить изменения в карте «…»?" with
    // Сохранить / Не сохранять / Отмена, asked only when the map has unsaved
    // changes. True when the caller may go on: nothing was unsaved, the map
    // was saved, or the user chose not to save. Отмена, or a save that failed
    // or was cancelled, gives false and leaves everything as it was (a run
    // included). Every command that replaces the map asks it first.
    bool AskToSaveChanges();
    // Takes a map built aside (an import, say) as a new document without a
    // file: stops a run, replaces the map, starts a fresh undo history and a
    // fresh solver, marks the map unsaved (Save asks for a name, suggesting
    // suggestedName: a file name or a path, ".ga" added when it has none),
    // writes the node count and redraws. The display flags stay, except that
    // the route is hidden. The caller asks AskToSaveChanges first.
    void AdoptImportedMap(TTSPMap&& map, const QString& suggestedName);
    // Writes the map to path and makes it the map's file. Errors are shown;
    // false when nothing was written.
    bool SaveMapToFile(const QString& path);
    // Forgets the file and the history: a new map that is not unsaved.
    void StartUntitledDocument();
    // Fills "Недавние карты" from the settings.
    void RebuildRecentMenu();

    // --- The undo history (untMainDocument.cpp) ------------------------------
    QUndoStack* UndoStack() const { return undoStack_; }
    // Puts an edit on the history, which does it.
    void PushEdit(QUndoCommand* command);
    // What the edits work on: the map, its display flags and this window.
    TEditTarget EditTarget();
    // TMapEditHost.
    void StopRunForEdit() override;
    void MapReplaced() override;
    void NodeInserted(int32_t position) override;
    void NodeRemoved(int32_t position) override;
    void ShowBackground(const QImage& picture, QSize surface) override;
    void SetMapFile(const QString& path) override;
    // Replaces the whole map by what `change` makes of it, as one step of the
    // history named stepName, into a map without a file. Stops a run first;
    // `after` is what the step's redo puts back. Does not ask about unsaved
    // changes: the caller has.
    void ReplaceMap(const QString& stepName, const std::function<void()>& change,
                    const std::function<std::shared_ptr<const TMapContent>()>& after);
    // True once the window has agreed to close (the program is ending).
    bool IsClosing() const { return closing_; }

    // --- The solver ----------------------------------------------------------
    solver::TTSPPopulation* Population() const { return population_.get(); }
    // A fresh population with the default settings, 100 chromosomes, and this
    // window's handlers for its events.
    void CreateSolver();
    // Stops a running or paused run as the solver panel's Stop button does.
    void StopRunIfActive();
    // Handlers of the population's events (untMainSolver.cpp).
    void GenerationDone(solver::TTSPPopulation& sender, int32_t generation, double best,
                        double worst);
    void NewBestFound(solver::TTSPPopulation& sender, double best);
    void TestCrossoversExecute();

    // --- The map view --------------------------------------------------------
    // Composes the whole picture off-screen and shows it in one step.
    void RedrawMap();
    // Sets the display items' check marks from the display flags.
    void ShowDisplayFlagsInMenu();
    // The periodic refresh: RedrawMap when anything the picture shows has
    // changed since the last one, otherwise the view repaints what it has.
    void RefreshMap();
    // Writes the number of nodes into the solver panel.
    void UpdateCityCount();
    // Status bar panel 0 (the run time).
    void SetElapsedTimeText(const QString& text);
    // The picture last shown by the map view.
    const QImage& MapPicture() const { return picture_; }
    bool HasBackground() const { return hasBackground_; }
    const QImage& Background() const { return background_; }
    bool GridVisible() const;

    // Opens a map file as the "Открыть" command does after its dialog.
    // Returns false when the file could not be read (the message is shown and
    // the previous map stays).
    bool OpenMapFile(const QString& path);
    // Loads a background picture as "Загрузить фон карты" does after its dialog.
    bool LoadBackgroundFile(const QString& path);

    // --- Controls (object names as the fields) -------------------------------
    QFrame* MainPanel = nullptr;
    TImageButton* NewMapBtn = nullptr;
    TImageButton* OpenMapBtn = nullptr;
    TImageButton* SaveMapBtn = nullptr;
    TImageButton* LoadMapFromFileBtn = nullptr;
    TImageButton* GenerateMapBtn = nullptr;
    TImageButton* StartGABtn = nullptr;
    TImageButton* HelpBtn = nullptr;
    QWidget* Panel2 = nullptr;
    QScrollArea* ScrollBox = nullptr;
    TMapView* Roads = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QTimer* Timer1 = nullptr;

    TStartMark* StartMark = nullptr;    // the splash
    TItemDrawer* ItemDrawer1 = nullptr; // the menu painter
    TImageList* ImageList1 = nullptr;
    TImageList* ImageList2 = nullptr;
    TImageList* MenuImages = nullptr;

    // Actions.
    QAction* NewMap = nullptr;
    QAction* OpenMap = nullptr;
    QAction* SaveMap = nullptr;
    QAction* SaveMapAs = nullptr;
    QAction* EditUndo = nullptr;
    QAction* EditRedo = nullptr;
    QAction* LoadMapFromFile = nullptr;
    QAction* GenerateMap = nullptr;
    QAction* StartGA = nullptr;
    QAction* Help = nullptr;
    QAction* TestCrossovers = nullptr;
    QAction* ViewFitneses = nullptr;

    // The menu bar and its items.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* FileMenu = nullptr;
    QMenu* RecentMenu = nullptr; // "Недавние карты", inside FileMenu
    QMenu* EditMenu = nullptr;
    QMenu* OptionsMenu = nullptr;
    QMenu* ExtraMenu = nullptr;
    QMenu* TaskMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* ExitItem = nullptr;
    QAction* PaintSetka = nullptr;
    QAction* ShowPathItem = nullptr;
    QAction* ShowRoadsItem = nullptr;
    QAction* ShowCityNameItem = nullptr;
    QAction* LearningItem = nullptr;
    QAction* GenerateItem = nullptr;
    QAction* SolveItem = nullptr;
    QAction* StopItem = nullptr;
    QAction* ChromSostItem = nullptr;
    QAction* HelpItem = nullptr;
    QAction* AboutItem = nullptr;
    // Keys the window handles itself, whatever control has the focus.
    QShortcut* GenerateKey = nullptr; // F5
    QShortcut* StartKey = nullptr;    // F9
    QShortcut* LearningKey = nullptr; // Ctrl+L (the learning item is hidden)
    QShortcut* MenuKey = nullptr;     // F10: the menu bar

    // --- Command handlers ----------------------------------------------------
    void NewMapExecute();
    void OpenMapExecute();
    void SaveMapExecute();
    void SaveMapAsExecute();
    void EditUndoExecute();
    void EditRedoExecute();
    void LoadMapFromFileExecute();
    void GenerateMapExecute();
    void StartGAExecute();
    void HelpExecute();
    void ViewFitnesesExecute();
    void ExitItemClick();
    void PaintSetkaClick();
    void ShowPathItemClick();
    void ShowRoadsItemClick();
    void ShowCityNameItemClick();
    void LearningItemClick();
    void SolveItemClick();
    void StopItemClick();
    void ChromSostItemClick();
    void HelpItemClick();
    void GenerateKeyPress(); // F5
    void StartKeyPress();    // F9
    void MenuKeyPress();     // F10
    void Timer1Timer();
    // Opens a map after asking about unsaved changes (a recent file, a file
    // dropped on the window); false when the user cancelled or it failed.
    bool OpenMapAskingFirst(const QString& path);

    // --- Map editing (untMainEditing.cpp) ------------------------------------
    // Pointer events of the map view in map pixels; screenPos places the hints
    // and the city window.
    void RoadsMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y,
                        const QPoint& screenPos);
    void RoadsMouseMove(Qt::KeyboardModifiers modifiers, int x, int y, const QPoint& screenPos);
    void RoadsMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y,
                      const QPoint& screenPos);
    void RoadsDblClick(const QPoint& screenPos);
    // The pointer left the map view: the hover hint goes with it.
    void RoadsMouseLeave();
    // Whether the map view shows the hand (a node is under the pointer).
    bool HandCursorShown() const { return handShown_; }

    // Editor state.
    int32_t CurrentNodeID = 0;
    bool Moving = false;
    int32_t MovingID = -1;
    int32_t RoadStartID = -1;
    int32_t RoadEndID = -1;
    int32_t RoadStartIndex = -1;
    int32_t RoadStartX = 0;
    int32_t RoadStartY = 0;
    int32_t RoadCurX = 0;
    int32_t RoadCurY = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void BuildImageLists();
    void BuildToolPanel();
    void BuildMenu();
    void BuildActions();
    void BuildMenus();
    struct TMenuItemSpec;
    QMenu* AddMenu(const char* name, const char* caption,
                   std::initializer_list<TMenuItemSpec> items);
    void AddMenuItem(QMenu* menu, const TMenuItemSpec& spec);
    void BuildKeys();
    QIcon MenuIcon(const char* name);
    void BuildMapArea();
    void BuildStatusBar();
    QAction* MakeAction(const QString& name, const QString& text, const QString& hint);

    // The document and its history.
    void BuildUndoStack();
    void UpdateUndoItems();
    void UpdateTitle();
    void RememberRecentFile(const QString& path);
    void AfterEdit();
    bool DragInProgress() const;
    // Ends a move or road drag without finishing it (the map under it went).
    void CancelDrag();
    // Follows an inserted (+1) or removed (-1) node in the IDs the editor keeps.
    void FollowRenumbering(int32_t position, int delta);
    // The window opens just large enough for the default surface; see
    // FitWindowToSurface.
    void FitWindowToSurface();

    // Editing helpers.
    void CreateNodeAt(int x, int y);
    void FinishRoad(int x, int y);
    void ToggleSelection(int32_t id);
    // The city window follows the node a press hit.
    void RetargetCityWindow();
    void ShowLittleHint(const QString& text, const QPoint& screenPos);
    void HideLittleHint();
    void SetHandCursor(bool hand);

    std::unique_ptr<solver::TTSPPopulation> population_;
    // Populations replaced while their run loop was still on the call stack;
    // they live until the window goes.
    std::vector<std::unique_ptr<solver::TTSPPopulation>> retiredPopulations_;
    // How many population events are being handled further up the stack; a
    // run loop can only be active while one is (its message pump runs there).
    int eventDepth_ = 0;
    void ReleaseRetiredPopulations();

    QImage background_;
    bool hasBackground_ = false;
    QImage picture_;
    uint64_t pictureFingerprint_ = 0;
    TMapPaintInput PaintInput() const;
    uint64_t PictureFingerprint(const TMapPaintInput& input) const;
    std::unique_ptr<QCursor> handCursor_;
    bool handShown_ = false;
    TNodeHitIndex hitIndex_;
    // Where the dragged node was when the drag began.
    QPointF moveFrom_;
    // The node the last left press created, or -1 (a missed double click
    // shows that node).
    int32_t createdByPress_ = -1;

    QUndoStack* undoStack_ = nullptr;
    QString mapFile_;
    QString suggestedName_;
    // Resizes left to make up for scaled screens' rounding (FitWindowToSurface).
    int fitAttempts_ = 3;
    bool closing_ = false;
};

extern TfrmMain* frmMain;
