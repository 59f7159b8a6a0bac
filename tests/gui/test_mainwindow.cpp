// The main window: layout, menus and keys, file commands through the dialog
// seams, the background picture, random maps, the progress window and the
// default error display.

#include "PanelFixture.h"
#include "support/AppFixture.h"
#include "support/MapHelpers.h"

#include "extras/untHelpAbout.h"
#include "guibase/Seams.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/Help.h"
#include "ui/HelpWindow.h"
#include "ui/TrasolanApplication.h"
#include "ui/untMain.h"
#include "ui/untProgress.h"
#include "ui/untRandomN.h"
#include "ui/untResults.h"
#include "ui/untResultsUpDown.h"
#include "widgets/TImageButton.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QShortcut>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <stdexcept>

using fixture::AddNode;
using fixture::AddRoad;
using fixture::Script;

namespace {

QAction* MenuItem(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

QStringList MenuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

int RoadEntries() {
    int entries = 0;
    for (const TCity& city : g_Map.Cities())
        entries += city.Roads.Count();
    return entries;
}

// A throwing object for the error display test.
class TThrowingObject : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw std::runtime_error("Сбой обработчика");
        return QObject::event(event);
    }
};

// Counts how often a window is shown.
class TShowWatch : public QObject {
public:
    explicit TShowWatch(QWidget* window) { window->installEventFilter(this); }
    int Shown = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            ++Shown;
        return false;
    }
};

void WritePicture(const QString& path, QSize size, const char* format) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(10, 120, 200));
    QVERIFY(picture.save(path, format));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { fixture::ResetProgram(); }

    void layoutOfTheWindow() {
        QCOMPARE(frmMain->windowTitle(), QStringLiteral("Без имени[*] — Трасолан"));
        QVERIFY(!frmMain->isWindowModified());
        QCOMPARE(frmMain->MainPanel->height(), 41);
        QCOMPARE(frmMain->Roads->size(), QSize(767, 446));
        QCOMPARE(frmMain->Roads->pos(), QPoint(0, 0));
        // The default surface fits without scroll bars.
        QVERIFY(!frmMain->ScrollBox->horizontalScrollBar()->isVisible());
        QVERIFY(!frmMain->ScrollBox->verticalScrollBar()->isVisible());
        QCOMPARE(frmMain->Timer1->interval(), 250);
        QVERIFY(frmMain->Timer1->isActive());
        QCOMPARE(frmMain->StatusPanel0->width(), 75);
        QCOMPARE(frmMain->StatusPanel1->width(), 75);
        QCOMPARE(frmMain->StatusPanel0->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        frmMain->SetElapsedTimeText(QStringLiteral("00:01:02"));
        QCOMPARE(frmMain->StatusPanel0->text(), QStringLiteral("00:01:02"));
        QVERIFY(frmMain->StatusPanel1->text().isEmpty());
    }

    // The default surface shows whole, before a run and after one has written
    // its time into the status bar. ctest runs this again at
    // QT_SCALE_FACTOR=1.5, where the window is rounded to device pixels.
    void noScrollBarsBeforeOrAfterARun() {
        const auto noBars = [] {
            QCoreApplication::sendPostedEvents();
            return !frmMain->ScrollBox->horizontalScrollBar()->isVisible() &&
                   !frmMain->ScrollBox->verticalScrollBar()->isVisible();
        };
        QTRY_VERIFY(noBars());
        const int statusHeight = frmMain->StatusBar->height();
        frmMain->SetElapsedTimeText(QString());
        panelfixture::UseRandomMap(8);
        panelfixture::AtGeneration(20, [] {
            frmResults->Timer1Timer(); // the one-second clock
            frmResults->StopBtnClick();
        });
        frmResults->StartBtnClick();
        QVERIFY(frmMain->StatusPanel0->text().startsWith(QStringLiteral("00:00:")));
        QVERIFY(noBars());
        QCOMPARE(frmMain->StatusBar->height(), statusHeight);
        frmResults->hide();
    }

    // Each tool button runs its own command (the dialogs answer through the
    // seams), and the buttons stand in one row inside the panel, each with
    // its picture and a hint.
    void toolButtonsRunTheirCommands() {
        const auto button = [](const char* name) {
            return frmMain->MainPanel->findChild<TImageButton*>(QString::fromLatin1(name));
        };
        const char* names[] = {"NewMapBtn",      "OpenMapBtn", "SaveMapBtn", "LoadMapFromFileBtn",
                               "GenerateMapBtn", "StartGABtn", "HelpBtn"};
        int left = -1;
        for (const char* name : names) {
            TImageButton* b = button(name);
            QVERIFY2(b, name);
            QVERIFY2(frmMain->MainPanel->rect().contains(b->geometry()), name);
            QVERIFY2(b->x() > left && b->y() == button(names[0])->y(), name);
            left = b->x();
            QVERIFY2(!b->toolTip().isEmpty(), name);
            QVERIFY2(!b->Images()->Image(b->ImageIndex()).isNull(), name);
        }

        const QString mapFilter = QStringLiteral("Файлы задачи коммивояжера (*.ga)|*.ga");
        AddNode(10, 10, true);
        button("NewMapBtn")->click();
        QCOMPARE(g_Map.Count(), 0);
        button("OpenMapBtn")->click();
        QCOMPARE(Script().OpenFilters, QStringList{mapFilter});
        button("SaveMapBtn")->click();
        QCOMPARE(Script().SaveFilters, QStringList{mapFilter});
        button("LoadMapFromFileBtn")->click();
        QCOMPARE(Script().OpenFilters,
                 (QStringList{mapFilter, QStringLiteral("Карты (*.bmp)|*.*")}));

        TShowWatch randomDialog(frmRandomN);
        QTimer::singleShot(0, frmRandomN, [] { frmRandomN->reject(); });
        button("GenerateMapBtn")->click();
        QCOMPARE(randomDialog.Shown, 1);
        button("StartGABtn")->click();
        QVERIFY(frmResults->isVisible());
        TShowWatch aboutBox(frmHelpAbout);
        QTimer::singleShot(0, frmHelpAbout, [] { frmHelpAbout->reject(); });
        button("HelpBtn")->click();
        QCOMPARE(aboutBox.Shown, 1);
        QVERIFY(Script().Errors.isEmpty());
    }

    void menuBarItemsAndKeys() {
        QMenuBar* bar = frmMain->findChild<QMenuBar*>(QStringLiteral("MainMenu1"));
        QVERIFY(bar);
        QStringList titles;
        for (QAction* action : bar->actions())
            titles << action->text();
        // Every caption carries an Alt mnemonic, no two alike in one menu.
        QCOMPARE(titles, (QStringList{QStringLiteral("&Файл"), QStringLiteral("&Правка"),
                                      QStringLiteral("&Опции"), QStringLiteral("&Дополнительно"),
                                      QStringLiteral("&Задача"), QStringLiteral("По&мощь")}));
        QCOMPARE(MenuTexts(frmMain->FileMenu),
                 (QStringList{QStringLiteral("&Открыть"), QStringLiteral("&Сохранить"),
                              QStringLiteral("Сохранить &как…"), QStringLiteral("&Недавние карты"),
                              QStringLiteral("-"), QStringLiteral("В&ыход")}));
        QCOMPARE(MenuTexts(frmMain->EditMenu),
                 (QStringList{QStringLiteral("&Отменить"), QStringLiteral("&Повторить")}));
        QCOMPARE(MenuTexts(frmMain->OptionsMenu),
                 (QStringList{QStringLiteral("Рисовать &сетку"), QStringLiteral("-"),
                              QStringLiteral("Показывать &решение"),
                              QStringLiteral("Показывать &дороги"),
                              QStringLiteral("Показывать &названия городов")}));
        QCOMPARE(MenuTexts(frmMain->ExtraMenu),
                 (QStringList{QStringLiteral("&Тест кроссоверов"),
                              QStringLiteral("&Обучение операциям")}));
        QCOMPARE(MenuTexts(frmMain->TaskMenu),
                 (QStringList{QStringLiteral("&Сгенерировать"), QStringLiteral("&Решить"),
                              QStringLiteral("&Остановить"), QStringLiteral("-"),
                              QStringLiteral("Распределение &хромосом при решении"),
                              QStringLiteral("&Функция приспособленности")}));
        QCOMPARE(MenuTexts(frmMain->HelpMenu),
                 (QStringList{QStringLiteral("&Справка"), QStringLiteral("-"),
                              QStringLiteral("&О программе")}));
        for (QMenu* menu : bar->findChildren<QMenu*>()) {
            QSet<QKeySequence> mnemonics;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator() || !action->isVisible())
                    continue;
                const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
                QVERIFY2(!mnemonic.isEmpty() && !mnemonics.contains(mnemonic),
                         qPrintable(action->text()));
                mnemonics.insert(mnemonic);
            }
        }

        QCOMPARE(MenuItem(frmMain->FileMenu, QStringLiteral("&Открыть"))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(MenuItem(frmMain->FileMenu, QStringLiteral("&Сохранить"))->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(frmMain->SaveMapAs->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
        QCOMPARE(frmMain->EditUndo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(frmMain->EditRedo->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                      QKeySequence(QStringLiteral("Ctrl+Y"))}));
        QCOMPARE(frmMain->MenuKey->key(), QKeySequence(Qt::Key_F10));
        QCOMPARE(frmMain->ShowPathItem->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(frmMain->ShowRoadsItem->shortcut(), QKeySequence(Qt::Key_F3));
        QCOMPARE(frmMain->ShowCityNameItem->shortcut(), QKeySequence(Qt::Key_F4));
        QCOMPARE(frmMain->HelpItem->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(frmMain->NewMap->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(frmMain->HelpMenu->defaultAction(), frmMain->HelpItem);
        QVERIFY(!frmMain->LearningItem->isVisible());
        QCOMPARE(frmMain->GenerateKey->key(), QKeySequence(Qt::Key_F5));
        QCOMPARE(frmMain->StartKey->key(), QKeySequence(Qt::Key_F9));
        QCOMPARE(frmMain->LearningKey->key(), QKeySequence(QStringLiteral("Ctrl+L")));
        QCOMPARE(frmMain->TestCrossovers->text(), QStringLiteral("&Тест кроссоверов"));
        QCOMPARE(frmMain->ViewFitneses->text(),
                 QStringLiteral("Просмотр функции приспособленности"));
    }

    void startUpDisplayState() {
        QVERIFY(!g_Display.ShowPath);
        QVERIFY(g_Display.ShowRoads);
        QVERIFY(!g_Display.ShowCityName);
        QVERIFY(!frmMain->PaintSetka->isChecked());
        QVERIFY(!frmMain->ShowPathItem->isChecked());
        QVERIFY(frmMain->ShowRoadsItem->isChecked());
        QVERIFY(!frmMain->ShowCityNameItem->isChecked());
        QVERIFY(frmMain->Population());
        QCOMPARE(frmMain->Population()->PopulationSize(), 100);
        QCOMPARE(frmMain->RoadStartID, -1);
        QCOMPARE(frmMain->RoadEndID, -1);
    }

    void displayTogglesFlipFlagAndCheckMark() {
        frmMain->ShowPathItem->trigger();
        QVERIFY(g_Display.ShowPath);
        QVERIFY(frmMain->ShowPathItem->isChecked());
        frmMain->ShowRoadsItem->trigger();
        QVERIFY(!g_Display.ShowRoads);
        QVERIFY(!frmMain->ShowRoadsItem->isChecked());
        frmMain->ShowCityNameItem->trigger();
        QVERIFY(g_Display.ShowCityName);
        QVERIFY(frmMain->ShowCityNameItem->isChecked());
        frmMain->PaintSetka->trigger();
        QVERIFY(frmMain->GridVisible());

        // A flag changed behind the menu's back (an opened file): the next
        // click inverts the flag and the mark follows the flag.
        g_Display.ShowRoads = true; // the mark still says off
        frmMain->ShowRoadsItem->trigger();
        QVERIFY(!g_Display.ShowRoads);
        QVERIFY(!frmMain->ShowRoadsItem->isChecked());
    }

    void functionKeysReachTheToggles() {
        frmMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmMain));
        QTest::keyClick(frmMain, Qt::Key_F2);
        QVERIFY(g_Display.ShowPath);
        QTest::keyClick(frmMain, Qt::Key_F3);
        QVERIFY(!g_Display.ShowRoads);
        QTest::keyClick(frmMain, Qt::Key_F4);
        QVERIFY(g_Display.ShowCityName);
        // F10 takes the keyboard to the menu bar, its first menu open.
        QTest::keyClick(frmMain, Qt::Key_F10);
        QTRY_VERIFY(frmMain->FileMenu->isVisible());
        QCOMPARE(frmMain->MainMenu1->activeAction(), frmMain->FileMenu->menuAction());
        frmMain->FileMenu->hide();
    }

    void ctrlNClearsTheMapAndKeepsBackground() {
        const QString picture = fixture::TempPath(QStringLiteral("keep.png"));
        WritePicture(picture, QSize(300, 200), "PNG");
        QVERIFY(frmMain->LoadBackgroundFile(picture));
        AddNode(10, 10);
        AddNode(50, 50);
        g_Map.SelectCity(0);
        frmMain->PaintSetka->setChecked(true);
        solver::TTSPPopulation* before = frmMain->Population();

        frmMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmMain));
        QTest::keyClick(frmMain, Qt::Key_N, Qt::ControlModifier);

        QCOMPARE(g_Map.Count(), 0);
        QCOMPARE(g_Map.SelectedCities().Count(), 0);
        QVERIFY(frmMain->HasBackground());
        QCOMPARE(frmMain->Roads->size(), QSize(300, 200));
        QVERIFY(frmMain->GridVisible());
        QVERIFY(frmMain->Population() != before);
        QCOMPARE(frmMain->Population()->PopulationSize(), 100);
    }

    void saveAndOpenThroughTheDialogs() {
        const int32_t a = AddNode(120, 45);
        const int32_t b = AddNode(310.5, 200, false);
        const int32_t c = AddNode(90, 260.25);
        AddRoad(a, b);
        AddRoad(b, c);
        g_Map.SelectCity(a);
        g_Map.SelectCity(c);
        g_Map.SetCityName(b, "Перевал");
        const QString path = fixture::TempPath(QStringLiteral("three.ga"));
        g_Display.ShowCityName = true; // saved with the map

        Script().SaveAnswers.push_back(path);
        frmMain->SaveMap->trigger();
        QCOMPARE(Script().SaveFilters,
                 QStringList{QStringLiteral("Файлы задачи коммивояжера (*.ga)|*.ga")});
        QCOMPARE(Script().SaveSuffixes, QStringList{QStringLiteral("ga")});
        QVERIFY(QFile::exists(path));
        QVERIFY(Script().Errors.isEmpty());
        QVERIFY(!frmProgress->isVisible());
        QCOMPARE(frmProgress->Progress->value(), 0);

        frmMain->NewMap->trigger();
        QCOMPARE(g_Map.Count(), 0);

        g_Display.ShowCityName = false;
        frmMain->RedrawMap();
        QVERIFY(!frmMain->ShowCityNameItem->isChecked());
        Script().OpenAnswers.push_back(path);
        frmMain->OpenMap->trigger();
        QCOMPARE(Script().OpenFilters,
                 QStringList{QStringLiteral("Файлы задачи коммивояжера (*.ga)|*.ga")});
        QCOMPARE(g_Map.Count(), 3);
        QCOMPARE(g_Map.City(1).Name, std::string("Перевал"));
        QCOMPARE(g_Map.City(1).X, 310.5);
        QVERIFY(!g_Map.City(1).ThisCity);
        QCOMPARE(g_Map.SelectedCities(), (TIntegerArray{0, 2}));
        QCOMPARE(g_Map.City(1).Roads, (TIntegerArray{0, 2}));
        // The flags come from the file, and the check marks follow them.
        QVERIFY(g_Display.ShowCityName);
        QVERIFY(frmMain->ShowCityNameItem->isChecked());
        frmMain->ShowCityNameItem->trigger();
        QVERIFY(!g_Display.ShowCityName);
        QVERIFY(!frmMain->ShowCityNameItem->isChecked());
        QCOMPARE(frmResults->AllCities->text(), QStringLiteral("3"));
        QVERIFY(!frmProgress->isVisible());
        QCOMPARE(frmProgress->Progress->value(), 0);
    }

    void cancelledDialogsChangeNothing() {
        AddNode(10, 10);
        frmMain->OpenMap->trigger();
        frmMain->SaveMap->trigger();
        frmMain->LoadMapFromFile->trigger();
        QCOMPARE(g_Map.Count(), 1);
        QVERIFY(!frmMain->HasBackground());
        QVERIFY(Script().Errors.isEmpty());
    }

    void cancelledDialogsLeaveARunAlone() {
        AddNode(10, 10);
        solver::TTSPPopulation* population = frmMain->Population();
        population->SetState(solver::stPaused);
        frmMain->OpenMap->trigger();
        QCOMPARE(population->State(), uint8_t(solver::stPaused));

        QTimer::singleShot(0, frmRandomN, [] { frmRandomN->reject(); });
        frmMain->GenerateMap->trigger();
        QCOMPARE(population->State(), uint8_t(solver::stPaused));
        QCOMPARE(g_Map.Count(), 1);
        population->SetState(solver::stStopped);
    }

    void badMapFileKeepsTheMapAndSaysWhy() {
        AddNode(10, 10);
        AddNode(20, 20);
        const QString bad = fixture::TempPath(QStringLiteral("bad.ga"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Options]\r\nCityCount=1\r\n[0]\r\nX=abc\r\n");
        file.close();

        Script().OpenAnswers.push_back(bad);
        frmMain->OpenMap->trigger();
        QCOMPARE(Script().Errors.size(), 1);
        QCOMPARE(g_Map.Count(), 2);
        QVERIFY(!frmProgress->isVisible());
        QCOMPARE(frmProgress->Progress->value(), 0);

        Script().OpenAnswers.push_back(fixture::TempPath(QStringLiteral("missing.ga")));
        frmMain->OpenMap->trigger();
        QCOMPARE(Script().Errors.size(), 2);
        QVERIFY(Script().Errors.last().contains(QStringLiteral("missing.ga")));
        QCOMPARE(g_Map.Count(), 2);
    }

    void openMapFileFromTheCommandLine() {
        AddNode(1, 2);
        const QString path = fixture::TempPath(QStringLiteral("cmdline.ga"));
        g_Map.SaveToFile(path.toStdString(), g_Display);
        g_Map.Clear();
        QVERIFY(frmMain->OpenMapFile(path));
        QCOMPARE(g_Map.Count(), 1);
        QVERIFY(!frmMain->OpenMapFile(fixture::TempPath(QStringLiteral("nothing.ga"))));
        QCOMPARE(g_Map.Count(), 1);
    }

    void largeMapLoadsWithTheProgressWindow() {
        for (int i = 0; i < 10000; ++i)
            AddNode(i % 700, (i / 700) * 30 + 5);
        const QString path = fixture::TempPath(QStringLiteral("large.ga"));
        g_Map.SaveToFile(path.toStdString(), g_Display);
        g_Map.Clear();

        // The window shows while the map loads, with one step per node.
        TShowWatch watch(frmProgress);
        QVERIFY(frmMain->OpenMapFile(path));
        QCOMPARE(g_Map.Count(), 10000);
        QCOMPARE(watch.Shown, 1);
        QCOMPARE(frmProgress->Progress->maximum(), 10000);
        QVERIFY(!frmProgress->isVisible());
        QCOMPARE(frmProgress->Progress->value(), 0);
        QCOMPARE(frmProgress->size(), QSize(515, 30));
    }

    void backgroundPictureResizesTheSurface() {
        const QString bmp = fixture::TempPath(QStringLiteral("big.bmp"));
        WritePicture(bmp, QSize(1200, 900), "BMP");
        Script().OpenAnswers.push_back(bmp);
        frmMain->LoadMapFromFile->trigger();
        QCOMPARE(Script().OpenFilters, QStringList{QStringLiteral("Карты (*.bmp)|*.*")});
        QCOMPARE(Script().OpenSuffixes, QStringList{QStringLiteral("bmp")});
        QVERIFY(frmMain->HasBackground());
        QCOMPARE(frmMain->Roads->size(), QSize(1200, 900));
        QCOMPARE(frmMain->MapPicture().size(), QSize(1200, 900));
        QCOMPARE(frmMain->MapPicture().pixelColor(600, 450), QColor(10, 120, 200));
        QTRY_VERIFY(frmMain->ScrollBox->horizontalScrollBar()->isVisible());
        QVERIFY(frmMain->ScrollBox->verticalScrollBar()->maximum() > 0);

        // Scrolling brings the picture up to date at once.
        AddNode(700, 600);
        QCOMPARE(frmMain->MapPicture().pixelColor(700, 600), QColor(10, 120, 200));
        frmMain->ScrollBox->verticalScrollBar()->setValue(100);
        QCOMPARE(frmMain->MapPicture().pixelColor(700, 600), QColor(255, 0, 0));

        // The grid covers the whole picture, also beyond the window.
        frmMain->PaintSetka->setChecked(true);
        frmMain->RedrawMap();
        QCOMPARE(frmMain->MapPicture().pixelColor(1185, 5), QColor(192, 192, 192));
        QCOMPARE(frmMain->MapPicture().pixelColor(5, 885), QColor(192, 192, 192));
    }

    void unreadablePictureFallsBackToThePlainSurface() {
        const QString good = fixture::TempPath(QStringLiteral("good.png"));
        WritePicture(good, QSize(100, 80), "PNG");
        QVERIFY(frmMain->LoadBackgroundFile(good));
        const QString junk = fixture::TempPath(QStringLiteral("junk.bmp"));
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture at all");
        file.close();

        Script().OpenAnswers.push_back(junk);
        frmMain->LoadMapFromFile->trigger();
        QCOMPARE(Script().Errors.size(), 1);
        QVERIFY(!frmMain->HasBackground());
        // The view keeps its size; the surface is the plain button face.
        QCOMPARE(frmMain->Roads->size(), QSize(100, 80));
        QCOMPARE(frmMain->MapPicture().pixelColor(50, 40),
                 frmMain->Roads->palette().color(QPalette::Button));
    }

    void dialogGeneratesWithItsSettings() {
        QCOMPARE(frmRandomN->windowTitle(), QStringLiteral("Создать N случайных городов"));
        QCOMPARE(frmRandomN->size(), QSize(227, 144));
        QCOMPARE(frmRandomN->CountCityEdit->text(), QStringLiteral("25"));
        QCOMPARE(frmRandomN->RoadsTrackBar->value(), 75);
        QCOMPARE(frmRandomN->RoadsTrackBar->toolTip(),
                 QStringLiteral("Соединять 75% городов дорогами"));
        QVERIFY(!frmRandomN->UseOkr->isChecked());
        QVERIFY(frmRandomN->RndBtn->isDefault());
        QVERIFY(frmRandomN->NonCityTrackBar->isHidden());

        frmRandomN->RoadsTrackBar->setValue(40);
        QCOMPARE(frmRandomN->RoadsTrackBar->toolTip(),
                 QStringLiteral("Соединять 40% городов дорогами"));
        frmRandomN->NonCityTrackBar->setValue(10);
        QCOMPARE(frmRandomN->NonCityTrackBar->toolTip(),
                 QStringLiteral("Использовать 10% перевалочных пунктов "));
        frmRandomN->NonCityTrackBar->setValue(0);
        frmRandomN->RoadsTrackBar->setValue(75);

        g_Display.ShowPath = true;
        QTimer::singleShot(0, frmRandomN, [] {
            QVERIFY(frmRandomN->isVisible());
            QCOMPARE(frmRandomN->CountCityEdit->selectedText(), QStringLiteral("25"));
            QTest::keyClicks(frmRandomN->CountCityEdit, QStringLiteral("3"));
            QTest::keyClick(frmRandomN->CountCityEdit,
                            Qt::Key_Return); // the default button
        });
        frmMain->GenerateMap->trigger();
        QVERIFY(!frmRandomN->isVisible());
        QCOMPARE(g_Map.Count(), 3);
        QCOMPARE(RoadEntries(), 6); // N = 3, P = 75: all three pairs, both ways
        QVERIFY(!g_Display.ShowPath);
        QCOMPARE(g_Map.SelectedCities().Count(), 0);
    }

    void functionKeyFiveGeneratesWithoutTheDialog() {
        frmRandomN->CountCityEditUpDown->SetPosition(12);
        frmRandomN->RoadsTrackBar->setValue(100);
        frmRandomN->UseOkr->setChecked(true);
        frmMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmMain));
        QTest::keyClick(frmMain, Qt::Key_F5);
        QVERIFY(!frmRandomN->isVisible());
        QCOMPARE(g_Map.Count(), 12);
        QCOMPARE(RoadEntries(), 12 * 11); // limited to all pairs
        // A ring about the middle of the 767 x 446 surface.
        const double r = 446 / 2 - 10;
        for (const TCity& city : g_Map.Cities()) {
            const double d = std::hypot(city.X - 767 / 2, city.Y - 446 / 2);
            QVERIFY2(d > r - 17 && d < r + 16, qPrintable(QString::number(d)));
            QCOMPARE(city.X, std::trunc(city.X));
        }
        frmRandomN->UseOkr->setChecked(false);
        frmRandomN->RoadsTrackBar->setValue(75);
        frmRandomN->CountCityEditUpDown->SetPosition(25);
    }

    void generatingTooLargeAMapIsRefused() {
        AddNode(5, 5);
        frmRandomN->CountCityEdit->setText(QStringLiteral("32767"));
        frmRandomN->RoadsTrackBar->setValue(100);
        frmMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmMain));
        QTest::keyClick(frmMain, Qt::Key_F5);
        // Half a billion roads: refused with a message, the map stays.
        QCOMPARE(Script().Errors.size(), 1);
        QCOMPARE(g_Map.Count(), 1);
        frmRandomN->CountCityEditUpDown->SetPosition(25);
        frmRandomN->RoadsTrackBar->setValue(75);
    }

    void aRunIsStoppedBeforeTheMapIsReplaced() {
        AddNode(1, 1);
        solver::TTSPPopulation* population = frmMain->Population();
        population->SetState(solver::stPaused);
        frmMain->NewMap->trigger();
        QVERIFY(frmMain->Population() != population);

        frmMain->Population()->SetState(solver::stPaused);
        population = frmMain->Population();
        frmMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmMain));
        QTest::keyClick(frmMain, Qt::Key_F5);
        QCOMPARE(population->State(), uint8_t(solver::stStopped));
    }

    void qtsOwnTextsAreRussian() {
        // File dialogs and message box buttons speak the program's language.
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    }

    void helpOpensTheBundledPages() {
        frmMain->HelpItem->trigger();
        QCOMPARE(Script().OpenedUrls.size(), 1);
        QVERIFY(
            Script().OpenedUrls.first().toLocalFile().endsWith(QStringLiteral("/help/index.html")));
    }

    void helpWithoutABrowserOpensInAWindowOfTheProgram() {
        seams::OpenUrl = [](const QUrl&, const seams::TUrlOpener::NotOpened& notOpened) {
            notOpened();
        };
        frmMain->HelpItem->trigger();
        THelpWindow* help = HelpWindow();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowModality(), Qt::NonModal);
        QCOMPARE(help->Browser->source().toLocalFile(), HelpPagePath());
        QVERIFY(help->Browser->toPlainText().contains(QStringLiteral("Начало работы")));
        // It says why it is there and where the page lies, so that it can be
        // opened elsewhere.
        QVERIFY(help->Note->text().contains(QDir::toNativeSeparators(HelpPagePath())));
        help->close();
        fixture::InstallScriptedSeams();
    }

    void helpThatCannotBeFoundSaysWhereItWasLookedFor() {
        const QByteArray chosen = qgetenv("TRASOLAN_DATA_DIR");
        qputenv("TRASOLAN_DATA_DIR", QFile::encodeName(fixture::TempPath(QStringLiteral("none"))));
        if (!HelpPagePath().isEmpty()) {
            qputenv("TRASOLAN_DATA_DIR", chosen);
            QSKIP("an installed copy of the help is found");
        }
        frmMain->HelpItem->trigger();
        qputenv("TRASOLAN_DATA_DIR", chosen);
        QCOMPARE(Script().OpenedUrls.size(), 0);
        QCOMPARE(Script().Errors.size(), 1);
        QVERIFY(Script().Errors.first().contains(fixture::TempPath(QStringLiteral("none/help"))));
    }

    void startGaShowsThePanelAndCountsNodes() {
        AddNode(1, 1);
        AddNode(2, 9);
        frmMain->StartGA->trigger();
        QVERIFY(frmResults->isVisible());
        QCOMPARE(frmResults->AllCities->text(), QStringLiteral("2"));
        frmResults->hide();
    }

    void exceptionsInHandlersAreShownAndTheProgramGoesOn() {
        TThrowingObject object;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&object, &event));
        QCOMPARE(Script().Errors, QStringList{QStringLiteral("Сбой обработчика")});
        QVERIFY(!RunGuarded([] { throw std::runtime_error("второй"); }));
        QCOMPARE(Script().Errors.last(), QStringLiteral("второй"));
        QVERIFY(RunGuarded([] {}));
    }
};

TRASOLAN_GUI_TEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
