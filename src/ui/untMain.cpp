// The main window: layout, commands, menus, keys and its life cycle.

#include "ui/untMain.h"

#include "extras/ItemDrawer.h"
#include "extras/StartMark.h"
#include "guibase/ModalWindows.h"
#include "guibase/Seams.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/Forms.h"
#include "ui/Help.h"
#include "ui/TrasolanApplication.h"
#include "ui/untProgress.h"
#include "ui/untRandomN.h"
#include "ui/untResults.h"
#include "widgets/TImageButton.h"
#include "widgets/TImageList.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

TfrmMain* frmMain = nullptr;

namespace {

// File types of the file dialogs, as "description|pattern".
const QString kMapFilter = QStringLiteral("Файлы задачи коммивояжера (*.ga)|*.ga");
const QString kMapSuffix = QStringLiteral("ga");
const QString kPictureFilter = QStringLiteral("Карты (*.bmp)|*.*");
const QString kPictureSuffix = QStringLiteral("bmp");

constexpr int kToolPanelHeight = 41;
constexpr QSize kToolButtonSize{37, 32};
constexpr int kToolButtonTop = 4;
constexpr QSize kMapViewSize{767, 446};
constexpr int kStatusPanelWidth = 75;
constexpr int kRefreshInterval = 250; // ms

// The tool panel: a raised inner bevel inside a lowered outer one.
class TToolPanel : public QFrame {
public:
    using QFrame::QFrame;

    // Etched vertical lines between groups of buttons.
    void AddSeparator(int x) { separators_.append(x); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QPalette& pal = palette();
        const QRect r = rect();
        painter.fillRect(r, pal.color(QPalette::Window));
        const QColor light = pal.color(QPalette::Light);
        const QColor dark = pal.color(QPalette::Mid);
        // Outer bevel, lowered: dark above and left, light below and right.
        painter.setPen(dark);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(light);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        // Inner bevel, raised: light above and left, dark below and right.
        const QRect inner = r.adjusted(1, 1, -1, -1);
        painter.setPen(light);
        painter.drawLine(inner.topLeft(), inner.topRight());
        painter.drawLine(inner.topLeft(), inner.bottomLeft());
        painter.setPen(dark);
        painter.drawLine(inner.bottomLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomRight());
        for (const int x : separators_) {
            painter.setPen(dark);
            painter.drawLine(x, kToolButtonTop, x, kToolButtonTop + kToolButtonSize.height() - 1);
            painter.setPen(light);
            painter.drawLine(x + 1, kToolButtonTop, x + 1,
                             kToolButtonTop + kToolButtonSize.height() - 1);
        }
    }

private:
    QList<int> separators_;
};

// A command's errors are shown by the program's error display and the
// command ends; the window goes on.
template <typename Action> auto Guarded(Action action) {
    return [action] { RunGuarded(action); };
}

QWidget* FindPanelControl(const char* name) {
    return frmResults ? frmResults->findChild<QWidget*>(QString::fromLatin1(name)) : nullptr;
}

} // namespace

// ---------------------------------------------------------------------------
// Construction

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Трасолан"));
    // The splash shows while the window is being built.
    StartMark = CreateMainWindowStartMark(this);
    BuildImageLists();
    BuildMenu();
    BuildToolPanel();
    BuildMapArea();
    BuildStatusBar();

    // The map view shows its whole default surface without scroll bars.
    resize(kMapViewSize.width(), MainMenu1->sizeHint().height() + kToolPanelHeight +
                                     kMapViewSize.height() + StatusBar->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();
}

TfrmMain::~TfrmMain() {
    Timer1->stop();
    if (population_ && population_->State() == solver::stRunning)
        population_->Stop();
}

void TfrmMain::FormCreate() {
    // Scrolling brings the picture up to date at once.
    connect(ScrollBox->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            Guarded([this] { RefreshMap(); }));
    connect(ScrollBox->verticalScrollBar(), &QScrollBar::valueChanged, this,
            Guarded([this] { RefreshMap(); }));
    background_ = QImage();
    hasBackground_ = false;
    ItemDrawer1 = new TItemDrawer(this);
    ItemDrawer1->setObjectName(QStringLiteral("ItemDrawer1"));
    ItemDrawer1->SetMenus({QStringLiteral("MainMenu1"), QStringLiteral("PopupMenu")});
    ItemDrawer1->AttachMenus();
    g_Display.ShowPath = false;
    handCursor_ = std::make_unique<QCursor>(QPixmap(QStringLiteral(":/main/MYCURSOR")), 13, 9);
    RoadStartID = -1;
    RoadEndID = -1;
    g_Display.ShowRoads = true;
    g_Display.ShowCityName = false;
    Timer1->start();
}

void TfrmMain::BuildImageLists() {
    ImageList1 = new TImageList(QSize(32, 32), this);
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    for (const char* name : {"start", "pause", "stop", "newmap", "openmap", "savemap", "background",
                             "generate", "solver", "about"})
        ImageList1->AddFromResource(
            QStringLiteral(":/main/tool/%1.svg").arg(QLatin1StringView(name)));

    ImageList2 = new TImageList(QSize(16, 16), this);
    ImageList2->setObjectName(QStringLiteral("ImageList2"));
    for (const char* name : {"close", "rollup", "rolldown"})
        ImageList2->AddFromResource(
            QStringLiteral(":/main/caption/%1.svg").arg(QLatin1StringView(name)));

    MenuImages = new TImageList(QSize(16, 16), this);
    MenuImages->setObjectName(QStringLiteral("MenuImages"));
}

QAction* TfrmMain::MakeAction(const QString& name, const QString& text, const QString& hint) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    if (!hint.isEmpty()) {
        // A tool-tip only: a status tip would cover the status bar's panels,
        // and with them the run time, while the pointer rests on the item.
        action->setToolTip(hint);
    }
    return action;
}

void TfrmMain::BuildMenu() {
    // Menu icons come from the menu image list, each added where first used.
    auto menuIcon = [this](const char* name) {
        const int index = MenuImages->AddFromResource(
            QStringLiteral(":/main/menu/%1.svg").arg(QLatin1StringView(name)));
        return MenuImages->Icon(index);
    };

    // Actions: a tool button shows the hint, a menu item the caption.
    NewMap = MakeAction(QStringLiteral("NewMap"), QStringLiteral("Новая карта"),
                        QStringLiteral("Очистить карту городов"));
    NewMap->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    OpenMap = MakeAction(QStringLiteral("OpenMap"), QStringLiteral("Открыть"),
                         QStringLiteral("Открыть карту городов"));
    OpenMap->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    OpenMap->setIcon(menuIcon("open"));
    SaveMap = MakeAction(QStringLiteral("SaveMap"), QStringLiteral("Сохранить"),
                         QStringLiteral("Сохранить карту городов"));
    SaveMap->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveMap->setIcon(menuIcon("save"));
    LoadMapFromFile = MakeAction(QStringLiteral("LoadMapFromFile"), QStringLiteral("Загрузить фон"),
                                 QStringLiteral("Загрузить фон карты"));
    GenerateMap = MakeAction(QStringLiteral("GenerateMap"), QStringLiteral("Сгенерировать"),
                             QStringLiteral("Создать случайную карту городов"));
    StartGA = MakeAction(QStringLiteral("StartGA"), QStringLiteral("Решатель"),
                         QStringLiteral("Начать выполнение генетического алгоритма"));
    Help = MakeAction(QStringLiteral("Help"), QStringLiteral("О программе"),
                      QStringLiteral("Об авторе проекта"));
    TestCrossovers =
        MakeAction(QStringLiteral("TestCrossovers"), QStringLiteral("Тест кроссоверов"), {});
    TestCrossovers->setIcon(menuIcon("crossover"));
    ViewFitneses = MakeAction(QStringLiteral("ViewFitneses"),
                              QStringLiteral("Просмотр функции приспособленности"), {});
    // Ctrl+N works though no menu item carries the action.
    addAction(NewMap);
    connect(NewMap, &QAction::triggered, this, Guarded([this] { NewMapExecute(); }));
    connect(OpenMap, &QAction::triggered, this, Guarded([this] { OpenMapExecute(); }));
    connect(SaveMap, &QAction::triggered, this, Guarded([this] { SaveMapExecute(); }));
    connect(LoadMapFromFile, &QAction::triggered, this,
            Guarded([this] { LoadMapFromFileExecute(); }));
    connect(GenerateMap, &QAction::triggered, this, Guarded([this] { GenerateMapExecute(); }));
    connect(StartGA, &QAction::triggered, this, Guarded([this] { StartGAExecute(); }));
    connect(Help, &QAction::triggered, this, Guarded([this] { HelpExecute(); }));
    connect(TestCrossovers, &QAction::triggered, this,
            Guarded([this] { TestCrossoversExecute(); }));
    connect(ViewFitneses, &QAction::triggered, this, Guarded([this] { ViewFitnesesExecute(); }));

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);

    auto item = [this](QMenu* menu, const QString& name, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        return action;
    };

    FileMenu = MainMenu1->addMenu(QStringLiteral("Файл"));
    FileMenu->setObjectName(QStringLiteral("FileMenu"));
    FileMenu->addAction(OpenMap);
    FileMenu->addAction(SaveMap);
    FileMenu->addSeparator();
    ExitItem = item(FileMenu, QStringLiteral("ExitItem"), QStringLiteral("Выход"));
    ExitItem->setIcon(menuIcon("exit"));
    connect(ExitItem, &QAction::triggered, this, Guarded([this] { ExitItemClick(); }));

    OptionsMenu = MainMenu1->addMenu(QStringLiteral("Опции"));
    OptionsMenu->setObjectName(QStringLiteral("OptionsMenu"));
    PaintSetka = item(OptionsMenu, QStringLiteral("PaintSetka"), QStringLiteral("Рисовать сетку"));
    PaintSetka->setCheckable(true);
    connect(PaintSetka, &QAction::triggered, this, Guarded([this] { PaintSetkaClick(); }));
    OptionsMenu->addSeparator();
    ShowPathItem =
        item(OptionsMenu, QStringLiteral("ShowPathItem"), QStringLiteral("Показывать решение"));
    ShowPathItem->setCheckable(true);
    ShowPathItem->setShortcut(QKeySequence(Qt::Key_F2));
    connect(ShowPathItem, &QAction::triggered, this, Guarded([this] { ShowPathItemClick(); }));
    ShowRoadsItem =
        item(OptionsMenu, QStringLiteral("ShowRoadsItem"), QStringLiteral("Показывать дороги"));
    ShowRoadsItem->setCheckable(true);
    ShowRoadsItem->setChecked(true);
    ShowRoadsItem->setShortcut(QKeySequence(Qt::Key_F3));
    connect(ShowRoadsItem, &QAction::triggered, this, Guarded([this] { ShowRoadsItemClick(); }));
    ShowCityNameItem = item(OptionsMenu, QStringLiteral("ShowCityNameItem"),
                            QStringLiteral("Показывать названия городов"));
    ShowCityNameItem->setCheckable(true);
    ShowCityNameItem->setShortcut(QKeySequence(Qt::Key_F4));
    connect(ShowCityNameItem, &QAction::triggered, this,
            Guarded([this] { ShowCityNameItemClick(); }));

    ExtraMenu = MainMenu1->addMenu(QStringLiteral("Дополнительно"));
    ExtraMenu->setObjectName(QStringLiteral("ExtraMenu"));
    ExtraMenu->addAction(TestCrossovers);
    LearningItem =
        item(ExtraMenu, QStringLiteral("LearningItem"), QStringLiteral("Обучение операциям"));
    LearningItem->setIcon(menuIcon("learning"));
    LearningItem->setVisible(false);
    connect(LearningItem, &QAction::triggered, this, Guarded([this] { LearningItemClick(); }));

    TaskMenu = MainMenu1->addMenu(QStringLiteral("Задача"));
    TaskMenu->setObjectName(QStringLiteral("TaskMenu"));
    GenerateItem = item(TaskMenu, QStringLiteral("GenerateItem"), QStringLiteral("Сгенерировать"));
    GenerateItem->setIcon(menuIcon("generate"));
    connect(GenerateItem, &QAction::triggered, this, Guarded([this] { GenerateMapExecute(); }));
    SolveItem = item(TaskMenu, QStringLiteral("SolveItem"), QStringLiteral("Решить"));
    SolveItem->setIcon(menuIcon("solve"));
    connect(SolveItem, &QAction::triggered, this, Guarded([this] { SolveItemClick(); }));
    StopItem = item(TaskMenu, QStringLiteral("StopItem"), QStringLiteral("Остановить"));
    StopItem->setIcon(menuIcon("stop"));
    connect(StopItem, &QAction::triggered, this, Guarded([this] { StopItemClick(); }));
    TaskMenu->addSeparator();
    ChromSostItem = item(TaskMenu, QStringLiteral("ChromSostItem"),
                         QStringLiteral("Распределение хромосом при решении"));
    ChromSostItem->setIcon(menuIcon("chromosomes"));
    connect(ChromSostItem, &QAction::triggered, this, Guarded([this] { ChromSostItemClick(); }));
    QAction* fitnessItem =
        item(TaskMenu, QStringLiteral("FitnessItem"), QStringLiteral("Функция приспособленности"));
    fitnessItem->setIcon(menuIcon("fitness"));
    fitnessItem->setToolTip(ViewFitneses->text());
    connect(fitnessItem, &QAction::triggered, ViewFitneses, &QAction::trigger);

    HelpMenu = MainMenu1->addMenu(QStringLiteral("Помощь"));
    HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
    HelpItem = item(HelpMenu, QStringLiteral("HelpItem"), QStringLiteral("Справка"));
    HelpItem->setIcon(menuIcon("help"));
    HelpItem->setShortcut(QKeySequence(Qt::Key_F1));
    HelpMenu->setDefaultAction(HelpItem);
    connect(HelpItem, &QAction::triggered, this, Guarded([this] { HelpItemClick(); }));
    HelpMenu->addSeparator();
    AboutItem = item(HelpMenu, QStringLiteral("AboutItem"), QStringLiteral("О программе"));
    AboutItem->setIcon(menuIcon("about"));
    connect(AboutItem, &QAction::triggered, Help, &QAction::trigger);

    // Keys the window sees before its controls.
    GenerateKey = new QShortcut(QKeySequence(Qt::Key_F5), this);
    GenerateKey->setObjectName(QStringLiteral("GenerateKey"));
    connect(GenerateKey, &QShortcut::activated, this, Guarded([this] { GenerateKeyPress(); }));
    StartKey = new QShortcut(QKeySequence(Qt::Key_F9), this);
    StartKey->setObjectName(QStringLiteral("StartKey"));
    // The solver panel takes the focus when it opens; F9 pauses and resumes
    // from there as well.
    StartKey->setContext(Qt::ApplicationShortcut);
    connect(StartKey, &QShortcut::activated, this, Guarded([this] { StartKeyPress(); }));
    // The learning item is hidden, so its key lives on the window.
    LearningKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this);
    LearningKey->setObjectName(QStringLiteral("LearningKey"));
    // Also from the solver panel, which takes the focus when a run starts;
    // a modal window still blocks it.
    LearningKey->setContext(Qt::ApplicationShortcut);
    connect(LearningKey, &QShortcut::activated, this, Guarded([this] { LearningItemClick(); }));
}

void TfrmMain::BuildToolPanel() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("CentralWidget"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(central);

    auto* panel = new TToolPanel(central);
    MainPanel = panel;
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setFixedHeight(kToolPanelHeight);
    column->addWidget(MainPanel);

    struct ButtonPlace {
        TImageButton** Button;
        const char* Name;
        int X;
        QAction* Action;
        int Image;
    };
    const ButtonPlace places[] = {
        {&NewMapBtn, "NewMapBtn", 4, NewMap, imgNewMap},
        {&OpenMapBtn, "OpenMapBtn", 40, OpenMap, imgOpenMap},
        {&SaveMapBtn, "SaveMapBtn", 76, SaveMap, imgSaveMap},
        {&LoadMapFromFileBtn, "LoadMapFromFileBtn", 112, LoadMapFromFile, imgBackground},
        {&GenerateMapBtn, "GenerateMapBtn", 164, GenerateMap, imgGenerate},
        {&StartGABtn, "StartGABtn", 204, StartGA, imgSolverPanel},
        {&HelpBtn, "HelpBtn", 256, Help, imgAbout},
    };
    for (const ButtonPlace& place : places) {
        auto* button = new TImageButton(ImageList1, place.Image, MainPanel);
        button->setObjectName(QString::fromLatin1(place.Name));
        button->setGeometry(QRect(QPoint(place.X, kToolButtonTop), kToolButtonSize));
        button->setToolTip(place.Action->toolTip());
        button->setFocusPolicy(Qt::NoFocus);
        QAction* action = place.Action;
        connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
        *place.Button = button;
    }
    panel->AddSeparator(156);
    panel->AddSeparator(248);
}

void TfrmMain::BuildMapArea() {
    Panel2 = new QWidget(centralWidget());
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(0, 0, 0, 0);
    ScrollBox = new QScrollArea(Panel2);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Roads = new TMapView(this, ScrollBox);
    Roads->setObjectName(QStringLiteral("Roads"));
    Roads->setFixedSize(kMapViewSize);
    ScrollBox->setWidget(Roads);
    layout->addWidget(ScrollBox);
    static_cast<QVBoxLayout*>(centralWidget()->layout())->addWidget(Panel2, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kRefreshInterval);
    connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));
}

void TfrmMain::BuildStatusBar() {
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    setStatusBar(StatusBar);
    StatusPanel0 = new QLabel(StatusBar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(kStatusPanelWidth);
    StatusPanel0->setAlignment(Qt::AlignCenter);
    StatusPanel0->setFrameShape(QFrame::Panel);
    StatusPanel0->setFrameShadow(QFrame::Sunken);
    StatusPanel1 = new QLabel(StatusBar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setFixedWidth(kStatusPanelWidth);
    StatusPanel1->setFrameShape(QFrame::Panel);
    StatusPanel1->setFrameShadow(QFrame::Sunken);
    StatusBar->addWidget(StatusPanel0);
    StatusBar->addWidget(StatusPanel1);
}

// ---------------------------------------------------------------------------
// The solver

void TfrmMain::CreateSolver() {
    auto fresh = std::make_unique<solver::TTSPPopulation>(g_Map);
    fresh->SetPopulationSize(100);
    fresh->SetOnGeneration(
        [this](solver::TTSPPopulation& sender, int32_t generation, double best, double worst) {
            ++eventDepth_;
            struct Leave {
                int& depth;
                ~Leave() { --depth; }
            } leave{eventDepth_};
            GenerationDone(sender, generation, best, worst);
        });
    fresh->SetOnNewBest([this](solver::TTSPPopulation& sender, double best) {
        ++eventDepth_;
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{eventDepth_};
        NewBestFound(sender, best);
    });
    // The old population's run loop may still be active further up the call
    // stack (this runs inside its message pump); it must outlive that loop.
    if (population_)
        retiredPopulations_.push_back(std::move(population_));
    population_ = std::move(fresh);
    ReleaseRetiredPopulations();
}

void TfrmMain::ReleaseRetiredPopulations() {
    if (eventDepth_ == 0)
        retiredPopulations_.clear();
}

void TfrmMain::StopRunIfActive() {
    if (!population_)
        return;
    const uint8_t state = population_->State();
    if (state != solver::stRunning && state != solver::stPaused)
        return;
    if (frmResults)
        frmResults->StopBtnClick();
    if (population_->State() == solver::stRunning || population_->State() == solver::stPaused)
        population_->Stop();
}

void TfrmMain::UpdateCityCount() {
    if (frmResults && frmResults->AllCities)
        frmResults->AllCities->setText(QString::number(g_Map.Count()));
}

void TfrmMain::SetElapsedTimeText(const QString& text) {
    StatusPanel0->setText(text);
}

// ---------------------------------------------------------------------------
// Commands

void TfrmMain::NewMapExecute() {
    StopRunIfActive();
    g_Map.Clear();
    CreateSolver();
    RedrawMap();
    if (QWidget* start = FindPanelControl("StartBtn"))
        start->setEnabled(true);
    if (QWidget* stop = FindPanelControl("StopBtn"))
        stop->setEnabled(false);
}

void TfrmMain::OpenMapExecute() {
    // A cancelled dialog changes nothing; OpenMapFile stops a run once a file
    // is chosen.
    const QString path = seams::GetOpenFileName(this, kMapFilter, kMapSuffix);
    if (!path.isEmpty()) {
        RedrawMap();
        OpenMapFile(path);
    }
    RedrawMap();
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
    if (loaded)
        UpdateCityCount();
    RedrawMap();
    return loaded;
}

void TfrmMain::SaveMapExecute() {
    const QString path = seams::GetSaveFileName(this, kMapFilter, kMapSuffix);
    if (!path.isEmpty()) {
        RedrawMap();
        RunGuarded([&] {
            TfrmProgressScope progress(frmProgress, TfrmProgressScope::Save);
            g_Map.SaveToFile(path.toStdString(), g_Display, progress.Callbacks());
        });
    }
    RedrawMap();
}

void TfrmMain::LoadMapFromFileExecute() {
    const QString path = seams::GetOpenFileName(this, kPictureFilter, kPictureSuffix);
    if (!path.isEmpty())
        LoadBackgroundFile(path);
    Roads->repaint();
}

bool TfrmMain::LoadBackgroundFile(const QString& path) {
    // The previous picture goes first; a picture that cannot be read leaves
    // the plain surface, at the view's current size.
    background_ = QImage();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage picture = reader.read();
    if (picture.isNull()) {
        hasBackground_ = false;
        RedrawMap();
        seams::ShowError(this, QStringLiteral("Не удалось загрузить фон карты из файла %1: %2")
                                   .arg(path, reader.errorString()));
        return false;
    }
    picture.setDevicePixelRatio(1.0);
    background_ = picture.convertToFormat(QImage::Format_RGB32);
    Roads->setFixedSize(background_.size());
    hasBackground_ = true;
    RedrawMap();
    return true;
}

void TfrmMain::GenerateMapExecute() {
    // The dialog stops a run only when it generates; closing it changes nothing.
    ExecModal(*frmRandomN);
    hitIndex_.Invalidate();
    RedrawMap();
}

void TfrmMain::GenerateKeyPress() {
    frmRandomN->GenerateRandomMap();
    hitIndex_.Invalidate();
}

void TfrmMain::StartGAExecute() {
    UpdateCityCount();
    if (frmResults && !frmResults->isVisible())
        frmResults->show();
}

void TfrmMain::StartKeyPress() {
    if (!frmResults)
        return;
    frmResults->show();
    frmResults->StartBtnClick();
}

void TfrmMain::SolveItemClick() {
    if (frmResults)
        frmResults->StartBtnClick();
}

void TfrmMain::StopItemClick() {
    if (frmResults)
        frmResults->StopBtnClick();
}

void TfrmMain::HelpExecute() {
    ShowHelpAboutModal();
    RedrawMap();
}

void TfrmMain::ViewFitnesesExecute() {
    ShowGraphicFitnessModal();
    RedrawMap();
}

void TfrmMain::ChromSostItemClick() {
    ShowChromSostModal();
    RedrawMap();
}

void TfrmMain::LearningItemClick() {
    ShowLearningModal();
    RedrawMap();
}

void TfrmMain::HelpItemClick() {
    OpenHelp();
    RedrawMap();
}

void TfrmMain::ExitItemClick() {
    close();
}

void TfrmMain::PaintSetkaClick() {
    RedrawMap();
}

bool TfrmMain::GridVisible() const {
    return PaintSetka && PaintSetka->isChecked();
}

void TfrmMain::ShowPathItemClick() {
    g_Display.ShowPath = !g_Display.ShowPath;
    ShowPathItem->setChecked(g_Display.ShowPath);
    RedrawMap();
}

void TfrmMain::ShowRoadsItemClick() {
    g_Display.ShowRoads = !g_Display.ShowRoads;
    ShowRoadsItem->setChecked(g_Display.ShowRoads);
    RedrawMap();
}

void TfrmMain::ShowCityNameItemClick() {
    g_Display.ShowCityName = !g_Display.ShowCityName;
    ShowCityNameItem->setChecked(g_Display.ShowCityName);
    RedrawMap();
}

void TfrmMain::Timer1Timer() {
    ReleaseRetiredPopulations();
    RefreshMap();
}

// ---------------------------------------------------------------------------
// Life cycle

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    RedrawMap();
}

void TfrmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TfrmMain::FormActivate() {
    if (!population_)
        CreateSolver();
    RedrawMap();
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RedrawMap();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    g_Display.ShowPath = false;
    if (population_ && population_->State() == solver::stRunning)
        population_->Stop();
    event->accept();
    QCoreApplication::quit();
}
