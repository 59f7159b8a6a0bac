// The main window: layout, commands, menus, keys and its life cycle.

#include "ui/untMain.h"

#include "extras/ItemDrawer.h"
#include "extras/StartMark.h"
#include "guibase/Text.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/Forms.h"
#include "ui/Help.h"
#include "ui/TrasolanApplication.h"
#include "ui/untResults.h"
#include "widgets/TImageButton.h"
#include "widgets/TImageList.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFrame>
#include <QHBoxLayout>
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

} // namespace

// ---------------------------------------------------------------------------
// Construction

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    // The splash shows while the window is being built.
    StartMark = CreateMainWindowStartMark(this);
    BuildUndoStack();
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
    // A map file dropped on the window opens it.
    setAcceptDrops(true);

    FormCreate();
    StartUntitledDocument();
    RebuildRecentMenu();
}

TfrmMain::~TfrmMain() {
    // The history goes while this window is still whole: its steps would
    // otherwise be cleared among the children, telling a half-destroyed
    // window that the map changed.
    undoStack_->blockSignals(true);
    undoStack_->clear();
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

// An entry of a drop-down menu: a shared command (Name == nullptr), an item of
// its own, or a separator (Field and Name nullptr).
struct TfrmMain::TMenuItemSpec {
    QAction* TfrmMain::*Field = nullptr; // nullptr for an item without a field
    const char* Name = nullptr;
    const char* Caption = nullptr;
    const char* Icon = nullptr; // nullptr = no icon
    void (TfrmMain::*Click)() = nullptr;
    QKeySequence Key = {};
    bool Checkable = false;
    bool Checked = false;
    // Instead of a handler: the shared command the item triggers; its
    // caption becomes the item's tool-tip.
    QAction* TfrmMain::*Triggers = nullptr;
    // Instead of a handler: a sub-menu, kept in this field and filled later.
    QMenu* TfrmMain::*SubMenu = nullptr;
};

void TfrmMain::BuildMenu() {
    BuildActions();
    // Ctrl+N works though no menu item carries the action.
    addAction(NewMap);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);
    BuildMenus();
    LearningItem->setVisible(false);
    HelpMenu->setDefaultAction(HelpItem);

    BuildKeys();
}

// Menu icons come from the menu image list, each added where first used.
QIcon TfrmMain::MenuIcon(const char* name) {
    const int index = MenuImages->AddFromResource(
        QStringLiteral(":/main/menu/%1.svg").arg(QLatin1StringView(name)));
    return MenuImages->Icon(index);
}

void TfrmMain::BuildActions() {
    // A command shared by a tool button and a menu item: the tool button shows
    // the hint, the menu item the caption.
    struct TActionSpec {
        QAction* TfrmMain::*Field;
        const char* Name;
        const char* Caption;
        const char* Hint; // "" = no tool-tip
        void (TfrmMain::*Execute)();
        const char* Icon = nullptr; // menu icon
        QKeySequence Key = {};
    };
    const TActionSpec actions[] = {
        {&TfrmMain::NewMap, "NewMap", "Новая карта", "Очистить карту городов",
         &TfrmMain::NewMapExecute, nullptr, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {&TfrmMain::OpenMap, "OpenMap", "&Открыть", "Открыть карту городов",
         &TfrmMain::OpenMapExecute, "open", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {&TfrmMain::SaveMap, "SaveMap", "&Сохранить", "Сохранить карту городов",
         &TfrmMain::SaveMapExecute, "save", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {&TfrmMain::SaveMapAs, "SaveMapAs", "Сохранить &как…", "", &TfrmMain::SaveMapAsExecute,
         nullptr, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {&TfrmMain::EditUndo, "EditUndo", "&Отменить", "", &TfrmMain::EditUndoExecute, nullptr,
         QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {&TfrmMain::EditRedo, "EditRedo", "&Повторить", "", &TfrmMain::EditRedoExecute, nullptr,
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {&TfrmMain::LoadMapFromFile, "LoadMapFromFile", "Загрузить фон", "Загрузить фон карты",
         &TfrmMain::LoadMapFromFileExecute},
        {&TfrmMain::GenerateMap, "GenerateMap", "Сгенерировать", "Создать случайную карту городов",
         &TfrmMain::GenerateMapExecute},
        {&TfrmMain::StartGA, "StartGA", "Решатель", "Начать выполнение генетического алгоритма",
         &TfrmMain::StartGAExecute},
        {&TfrmMain::Help, "Help", "О программе", "Об авторе проекта", &TfrmMain::HelpExecute},
        {&TfrmMain::TestCrossovers, "TestCrossovers", "&Тест кроссоверов", "",
         &TfrmMain::TestCrossoversExecute, "crossover"},
        {&TfrmMain::ViewFitneses, "ViewFitneses", "Просмотр функции приспособленности", "",
         &TfrmMain::ViewFitnesesExecute},
    };
    for (const TActionSpec& spec : actions) {
        QAction* action =
            MakeAction(QString::fromLatin1(spec.Name), Text(spec.Caption), Text(spec.Hint));
        if (!spec.Key.isEmpty())
            action->setShortcut(spec.Key);
        if (spec.Icon)
            action->setIcon(MenuIcon(spec.Icon));
        connect(action, &QAction::triggered, this,
                Guarded([this, execute = spec.Execute] { (this->*execute)(); }));
        this->*spec.Field = action;
    }
    EditRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
}

// One line per item; captions carry their Alt mnemonics ("&"), no two alike
// in one menu.
void TfrmMain::BuildMenus() {
    const TMenuItemSpec separator{};
    FileMenu = AddMenu(
        "FileMenu", "&Файл",
        {{.Field = &TfrmMain::OpenMap},
         {.Field = &TfrmMain::SaveMap},
         {.Field = &TfrmMain::SaveMapAs},
         {.Name = "RecentMenu", .Caption = "&Недавние карты", .SubMenu = &TfrmMain::RecentMenu},
         separator,
         {&TfrmMain::ExitItem, "ExitItem", "В&ыход", "exit", &TfrmMain::ExitItemClick}});
    EditMenu = AddMenu("EditMenu", "&Правка",
                       {{.Field = &TfrmMain::EditUndo}, {.Field = &TfrmMain::EditRedo}});
    OptionsMenu =
        AddMenu("OptionsMenu", "&Опции",
                {{&TfrmMain::PaintSetka, "PaintSetka", "Рисовать &сетку", nullptr,
                  &TfrmMain::PaintSetkaClick, QKeySequence(), true},
                 separator,
                 {&TfrmMain::ShowPathItem, "ShowPathItem", "Показывать &решение", nullptr,
                  &TfrmMain::ShowPathItemClick, QKeySequence(Qt::Key_F2), true},
                 {&TfrmMain::ShowRoadsItem, "ShowRoadsItem", "Показывать &дороги", nullptr,
                  &TfrmMain::ShowRoadsItemClick, QKeySequence(Qt::Key_F3), true, true},
                 {&TfrmMain::ShowCityNameItem, "ShowCityNameItem", "Показывать &названия городов",
                  nullptr, &TfrmMain::ShowCityNameItemClick, QKeySequence(Qt::Key_F4), true}});
    ExtraMenu = AddMenu("ExtraMenu", "&Дополнительно",
                        {{.Field = &TfrmMain::TestCrossovers},
                         {&TfrmMain::LearningItem, "LearningItem", "&Обучение операциям",
                          "learning", &TfrmMain::LearningItemClick}});
    TaskMenu =
        AddMenu("TaskMenu", "&Задача",
                {{&TfrmMain::GenerateItem, "GenerateItem", "&Сгенерировать", "generate",
                  &TfrmMain::GenerateMapExecute},
                 {&TfrmMain::SolveItem, "SolveItem", "&Решить", "solve", &TfrmMain::SolveItemClick},
                 {&TfrmMain::StopItem, "StopItem", "&Остановить", "stop", &TfrmMain::StopItemClick},
                 separator,
                 {&TfrmMain::ChromSostItem, "ChromSostItem", "Распределение &хромосом при решении",
                  "chromosomes", &TfrmMain::ChromSostItemClick},
                 {.Name = "FitnessItem",
                  .Caption = "&Функция приспособленности",
                  .Icon = "fitness",
                  .Triggers = &TfrmMain::ViewFitneses}});
    HelpMenu = AddMenu("HelpMenu", "По&мощь",
                       {{&TfrmMain::HelpItem, "HelpItem", "&Справка", "help",
                         &TfrmMain::HelpItemClick, QKeySequence(Qt::Key_F1)},
                        separator,
                        {.Field = &TfrmMain::AboutItem,
                         .Name = "AboutItem",
                         .Caption = "&О программе",
                         .Icon = "about",
                         .Triggers = &TfrmMain::Help}});
}

QMenu* TfrmMain::AddMenu(const char* name, const char* caption,
                         std::initializer_list<TMenuItemSpec> items) {
    QMenu* menu = MainMenu1->addMenu(Text(caption));
    menu->setObjectName(QString::fromLatin1(name));
    for (const TMenuItemSpec& item : items)
        AddMenuItem(menu, item);
    return menu;
}

void TfrmMain::AddMenuItem(QMenu* menu, const TMenuItemSpec& spec) {
    if (!spec.Name) {
        if (spec.Field)
            menu->addAction(this->*spec.Field);
        else
            menu->addSeparator();
        return;
    }
    if (spec.SubMenu) {
        QMenu* sub = menu->addMenu(Text(spec.Caption));
        sub->setObjectName(QString::fromLatin1(spec.Name));
        sub->setToolTipsVisible(true);
        this->*spec.SubMenu = sub;
        return;
    }
    QAction* item = menu->addAction(Text(spec.Caption));
    item->setObjectName(QString::fromLatin1(spec.Name));
    if (spec.Icon)
        item->setIcon(MenuIcon(spec.Icon));
    item->setCheckable(spec.Checkable);
    item->setChecked(spec.Checked);
    if (!spec.Key.isEmpty())
        item->setShortcut(spec.Key);
    if (spec.Click) {
        connect(item, &QAction::triggered, this,
                Guarded([this, click = spec.Click] { (this->*click)(); }));
    } else if (spec.Triggers) {
        QAction* command = this->*spec.Triggers;
        item->setToolTip(command->text());
        connect(item, &QAction::triggered, command, &QAction::trigger);
    }
    if (spec.Field)
        this->*spec.Field = item;
}

// Keys the window sees before its controls.
void TfrmMain::BuildKeys() {
    struct TKeySpec {
        QShortcut* TfrmMain::*Field;
        const char* Name;
        QKeySequence Key;
        Qt::ShortcutContext Context;
        void (TfrmMain::*Press)();
    };
    const TKeySpec keys[] = {
        {&TfrmMain::GenerateKey, "GenerateKey", QKeySequence(Qt::Key_F5), Qt::WindowShortcut,
         &TfrmMain::GenerateKeyPress},
        // The solver panel takes the focus when it opens; F9 pauses and
        // resumes from there as well.
        {&TfrmMain::StartKey, "StartKey", QKeySequence(Qt::Key_F9), Qt::ApplicationShortcut,
         &TfrmMain::StartKeyPress},
        // The learning item is hidden, so its key lives on the window; it
        // works from the solver panel too, which takes the focus when a run
        // starts (a modal window still blocks it).
        {&TfrmMain::LearningKey, "LearningKey", QKeySequence(Qt::CTRL | Qt::Key_L),
         Qt::ApplicationShortcut, &TfrmMain::LearningItemClick},
        {&TfrmMain::MenuKey, "MenuKey", QKeySequence(Qt::Key_F10), Qt::WindowShortcut,
         &TfrmMain::MenuKeyPress},
    };
    for (const TKeySpec& spec : keys) {
        auto* key = new QShortcut(spec.Key, this);
        key->setObjectName(QString::fromLatin1(spec.Name));
        key->setContext(spec.Context);
        connect(key, &QShortcut::activated, this,
                Guarded([this, press = spec.Press] { (this->*press)(); }));
        this->*spec.Field = key;
    }
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
    // The run time written into the empty panel must not make the bar taller
    // (the view would lose a pixel, and show both scroll bars from then on).
    StatusPanel0->setText(QStringLiteral("00:00:00"));
    const int panelHeight = StatusPanel0->sizeHint().height();
    StatusPanel0->clear();
    StatusPanel0->setFixedHeight(panelHeight);
    StatusPanel1->setFixedHeight(panelHeight);
    StatusBar->setFixedHeight(StatusBar->sizeHint().height());
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
    // The pointer did not move, but what lay under it may have.
    HideLittleHint();
    FitWindowToSurface();
    RedrawMap();
}

// The window opens just large enough for the default map surface. A scaled
// screen (QT_SCALE_FACTOR=1.5) rounds the window to whole device pixels,
// which can cost the view a pixel and bring up both scroll bars; the first
// resizes after the window appears make up for that, and stop as soon as the
// surface fits.
void TfrmMain::FitWindowToSurface() {
    if (fitAttempts_ <= 0 || !isVisible() || isMaximized() || isFullScreen())
        return;
    const QSize missing =
        (Roads->size() - ScrollBox->maximumViewportSize()).expandedTo(QSize(0, 0));
    // Rounding costs a pixel or two; more is a small screen or a large
    // picture, which the scroll bars are for.
    constexpr int kRounding = 2;
    if (missing.isNull() || missing.width() > kRounding || missing.height() > kRounding) {
        fitAttempts_ = 0;
        return;
    }
    --fitAttempts_;
    resize(size() + missing);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // Отмена keeps the program, the map and a run as they were.
    if (!closing_ && !AskToSaveChanges()) {
        event->ignore();
        return;
    }
    closing_ = true;
    g_Display.ShowPath = false;
    if (population_ && population_->State() == solver::stRunning)
        population_->Stop();
    event->accept();
    QCoreApplication::quit();
}
