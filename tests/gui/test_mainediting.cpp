// Editing the map with the mouse on the map view, the little hint, the hand
// cursor and the city window.

#include "support/AppFixture.h"
#include "support/MapHelpers.h"
#include "support/MouseHelpers.h"

#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/frmLittleHint.h"
#include "ui/untHint.h"
#include "ui/untMain.h"
#include "ui/untResults.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TFlatCheckBox.h"
#include "widgets/TImageButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using fixture::AddNode;
using fixture::AddRoad;
using fixture::Click;
using fixture::DoubleClick;
using fixture::MoveTo;
using fixture::Press;
using fixture::Release;
using fixture::Script;
using fixture::ShiftDrag;
using fixture::View;

namespace {

TIntegerArray Roads(int32_t position) {
    return g_Map.City(position).Roads;
}

} // namespace

class TestMainEditing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { fixture::ResetProgram(); }

    void clickOnEmptySpaceCreatesACity() {
        g_Display.ShowPath = true;
        Click({100, 120});
        QCOMPARE(g_Map.Count(), 1);
        QCOMPARE(g_Map.City(0).ID, 0);
        QCOMPARE(g_Map.City(0).Name, std::string("0"));
        QCOMPARE(g_Map.City(0).X, 100.0);
        QCOMPARE(g_Map.City(0).Y, 120.0);
        QVERIFY(g_Map.City(0).ThisCity);
        QCOMPARE(g_Map.City(0).Roads.Count(), 0);
        QVERIFY(!g_Display.ShowPath);
        // Creating does not retarget the city window.
        QCOMPARE(frmMain->CurrentNodeID, 0);

        Click({300, 200});
        QCOMPARE(g_Map.Count(), 2);
        QCOMPARE(g_Map.City(1).ID, 1);
        QCOMPARE(g_Map.City(1).Name, std::string("1"));
        QCOMPARE(frmResults->AllCities->text(), QStringLiteral("2"));
        // Shown at once: the new square is on the picture.
        QCOMPARE(frmMain->MapPicture().pixelColor(300, 200), QColor(255, 0, 0));
    }

    void clickOnANodeIsAMoveOfZeroLength() {
        AddNode(50, 60);
        Press({52, 58});
        QVERIFY(frmMain->Moving);
        QVERIFY(LittleHint->isVisible());
        QCOMPARE(LittleHint->Text(), QStringLiteral("Перемещение 0 (52; 58)"));
        Release({52, 58});
        QVERIFY(!frmMain->Moving);
        QVERIFY(!LittleHint->isVisible());
        QCOMPARE(g_Map.Count(), 1);
        QCOMPARE(g_Map.City(0).X, 50.0);
    }

    void dragMovesTheNodeCentreToThePointer() {
        AddNode(50, 60);
        AddNode(200, 200);
        g_Display.ShowPath = true;
        Press({53, 61});
        MoveTo({120, 130});
        QCOMPARE(g_Map.City(0).X, 120.0);
        QCOMPARE(g_Map.City(0).Y, 130.0);
        QCOMPARE(LittleHint->Text(), QStringLiteral("Перемещение 0 (120; 130)"));
        MoveTo({140, 90});
        Release({140, 90});
        QCOMPARE(g_Map.City(0).X, 140.0);
        QCOMPARE(g_Map.City(0).Y, 90.0);
        QCOMPARE(g_Map.Count(), 2);
        QVERIFY(g_Display.ShowPath); // moving keeps the route shown
        QCOMPARE(frmMain->MapPicture().pixelColor(140, 90), QColor(255, 0, 0));
    }

    void ctrlOrAltPressMovesInsteadOfDrawingARoad() {
        AddNode(50, 60);
        Press({50, 60}, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
        QVERIFY(frmMain->Moving);
        QCOMPARE(frmMain->RoadStartID, -1);
        Release({50, 60});
    }

    void shiftDragDrawsARoadBothWays() {
        const int32_t a = AddNode(50, 50);
        const int32_t b = AddNode(200, 100);
        Press({51, 49}, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(frmMain->RoadStartID, a);
        QCOMPARE(frmMain->RoadEndID, -1);
        QCOMPARE(frmMain->CurrentNodeID, a);
        QCOMPARE(LittleHint->Text(), QStringLiteral("Новая дорога (51; 49)"));
        MoveTo({120, 80});
        QCOMPARE(frmMain->RoadCurX, 120);
        QCOMPARE(LittleHint->Text(), QStringLiteral("Новая дорога (120; 80)"));
        Release({199, 101}, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(Roads(a), TIntegerArray{b});
        QCOMPARE(Roads(b), TIntegerArray{a});
        QCOMPARE(frmMain->RoadStartID, -1);
        QCOMPARE(frmMain->RoadEndID, -1);

        // The same road drawn the other way adds nothing twice.
        ShiftDrag({200, 100}, {50, 50});
        QCOMPARE(Roads(a), TIntegerArray{b});
        QCOMPARE(Roads(b), TIntegerArray{a});
        QCOMPARE(g_Map.Count(), 2);
    }

    void roadEndingOnEmptySpaceCreatesACity() {
        const int32_t a = AddNode(50, 50);
        g_Display.ShowPath = true;
        ShiftDrag({50, 50}, {300, 300});
        QCOMPARE(g_Map.Count(), 2);
        QCOMPARE(g_Map.City(1).X, 300.0);
        QCOMPARE(g_Map.City(1).Name, std::string("1"));
        QCOMPARE(Roads(a), TIntegerArray{1});
        QCOMPARE(Roads(1), TIntegerArray{a});
        QVERIFY(!g_Display.ShowPath);
        // A chain of Shift-drags draws a path of new cities.
        ShiftDrag({300, 300}, {400, 100});
        QCOMPARE(g_Map.Count(), 3);
        QCOMPARE(Roads(1), (TIntegerArray{0, 2}));
        QCOMPARE(Roads(2), TIntegerArray{1});
    }

    void roadReleasedOnItsStartAddsNothing() {
        AddNode(50, 50);
        ShiftDrag({50, 50}, {52, 51});
        QCOMPARE(g_Map.Count(), 1);
        QCOMPARE(Roads(0).Count(), 0);
    }

    void shiftPressOnEmptySpaceDoesNothing() {
        AddNode(50, 50);
        Press({150, 150}, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(frmMain->RoadStartID, -1);
        Release({150, 150}, Qt::LeftButton, Qt::ShiftModifier);
        // The release of a press that started nothing creates nothing.
        QCOMPARE(g_Map.Count(), 1);
    }

    void rightClicksBuildTheSelectionInOrder() {
        const int32_t a = AddNode(50, 50);
        const int32_t b = AddNode(150, 50);
        const int32_t c = AddNode(250, 50);
        Click({50, 50}, Qt::RightButton);
        Click({150, 50}, Qt::RightButton);
        Click({250, 50}, Qt::RightButton);
        QCOMPARE(g_Map.SelectedCities(), (TIntegerArray{a, b, c}));
        QCOMPARE(frmMain->CurrentNodeID, c);
        Click({50, 50}, Qt::RightButton);
        QCOMPARE(g_Map.SelectedCities(), (TIntegerArray{b, c}));
        // On empty space only CurrentNodeID changes.
        Click({400, 300}, Qt::RightButton);
        QCOMPARE(frmMain->CurrentNodeID, -1);
        QCOMPARE(g_Map.SelectedCities(), (TIntegerArray{b, c}));
        QCOMPARE(g_Map.Count(), 3);
    }

    void rightClickStopsARunBeforeChangingTheSelection() {
        AddNode(50, 50);
        solver::TTSPPopulation* population = frmMain->Population();
        population->SetState(solver::stPaused);
        Click({50, 50}, Qt::RightButton);
        QCOMPARE(population->State(), uint8_t(solver::stStopped));
    }

    void overlappingNodesFollowTheListOrderRules() {
        const int32_t early = AddNode(100, 100);
        const int32_t late = AddNode(103, 102);
        // Plain press: the later node moves.
        Press({101, 101});
        QCOMPARE(frmMain->MovingID, late);
        Release({101, 101});
        // Shift-press: the earlier node starts the road.
        Press({101, 101}, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(frmMain->RoadStartID, early);
        Release({101, 101}, Qt::LeftButton, Qt::ShiftModifier);
        // The release hit the earlier node too: nothing was added.
        QCOMPARE(Roads(early).Count(), 0);
        // Right press: the earlier node is selected.
        Click({101, 101}, Qt::RightButton);
        QCOMPARE(g_Map.SelectedCities(), TIntegerArray{early});
        // Hover: the earlier node's label.
        MoveTo({102, 101});
        QCOMPARE(LittleHint->Text(), QStringLiteral("Точка: 0 (Начальная) (102; 101)"));
    }

    void hitTestIsStrictlyWithinFivePixels() {
        AddNode(100, 100);
        MoveTo({104, 96});
        QVERIFY(frmMain->HandCursorShown());
        MoveTo({105, 100});
        QVERIFY(!frmMain->HandCursorShown());
        QVERIFY(!LittleHint->isVisible());
        Click({95, 100}); // just outside: a new city
        QCOMPARE(g_Map.Count(), 2);
    }

    void hoverShowsTheHandAndTheNodeLabel() {
        AddNode(100, 100);
        AddNode(200, 100);
        g_Map.SelectCity(1);
        g_Map.SelectCity(0);
        MoveTo({100, 100});
        QVERIFY(frmMain->HandCursorShown());
        QCOMPARE(frmMain->Roads->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(frmMain->Roads->cursor().hotSpot(), QPoint(13, 9));
        QCOMPARE(frmMain->Roads->cursor().pixmap().size(), QSize(32, 32));
        QVERIFY(LittleHint->isVisible());
        QCOMPARE(LittleHint->Text(), QStringLiteral("Точка: 0 (Конечная) (100; 100)"));
        // The hint sits beside the pointer and is as wide as its text.
        const QPoint pointer = View()->mapToGlobal(QPoint(100, 100));
        QCOMPARE(LittleHint->x(), pointer.x() + 10);
        QCOMPARE(LittleHint->y(), pointer.y() - LittleHint->height() - 10);
        QCOMPARE(LittleHint->width(), LittleHint->Info->x() + LittleHint->Info->width() + 10);
        QCOMPARE(LittleHint->height(), 39);
        QVERIFY(qAbs(LittleHint->windowOpacity() - 190.0 / 255.0) < 0.01);

        MoveTo({200, 100});
        QCOMPARE(LittleHint->Text(), QStringLiteral("Точка: 1 (Начальная) (200; 100)"));
        MoveTo({300, 300});
        QVERIFY(!frmMain->HandCursorShown());
        QCOMPARE(frmMain->Roads->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!LittleHint->isVisible());
    }

    void leavingTheViewTakesTheHoverHintAlong() {
        AddNode(100, 100);
        MoveTo({100, 100});
        QVERIFY(LittleHint->isVisible());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(View(), &leave);
        QVERIFY(!LittleHint->isVisible());
        QVERIFY(!frmMain->HandCursorShown());
        // A drag keeps its hint.
        Press({100, 100});
        QCoreApplication::sendEvent(View(), &leave);
        QVERIFY(LittleHint->isVisible());
        Release({100, 100});
    }

    void doubleClickOpensTheCityWindow() {
        AddNode(40, 50);
        AddNode(210.5, 100.25, false);
        DoubleClick({211, 100});
        QTRY_VERIFY(frmHint->isVisible());
        QCOMPARE(frmMain->CurrentNodeID, 1);
        QVERIFY(!frmMain->Moving);
        QCOMPARE(frmHint->CityName->text(), QStringLiteral("1"));
        QCOMPARE(frmHint->NCityX->text(), QStringLiteral("210,5"));
        QCOMPARE(frmHint->NCityY->text(), QStringLiteral("100,25"));
        QVERIFY(!frmHint->StartCity->isChecked());
        QCOMPARE(g_Map.Count(), 2);
        QCOMPARE(frmHint->size(), QSize(177, 213));
        QVERIFY(frmHint->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(frmHint->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void doubleClickOnEmptySpaceCreatesFirst() {
        AddNode(40, 50);
        frmMain->CurrentNodeID = 0;
        frmHint->hide();
        DoubleClick({300, 300});
        // The first press created a city, and the window shows that city.
        QCOMPARE(g_Map.Count(), 2);
        QCOMPARE(g_Map.City(1).X, 300.0);
        QVERIFY(frmHint->isVisible());
        QCOMPARE(frmHint->TargetID(), 1);
        QCOMPARE(frmHint->NCityX->text(), QStringLiteral("300"));
        QCOMPARE(frmHint->CityName->text(), QStringLiteral("1"));
    }

    // The window edits the node it shows, and shows the node a press hits:
    // double-click Москва, click Тверь, type, delete.
    void theCityWindowEditsTheNodeItShows() {
        const int32_t moscow = AddNode(100, 300);
        const int32_t tver = AddNode(60, 200);
        g_Map.SetCityName(moscow, "Москва");
        g_Map.SetCityName(tver, "Тверь");
        DoubleClick({100, 300});
        QCOMPARE(frmHint->CityName->text(), QStringLiteral("Москва"));
        QCOMPARE(frmHint->FormCaption->Caption(), QStringLiteral("Информация: Москва"));
        Click({60, 200});
        QCOMPARE(frmHint->TargetID(), tver);
        QCOMPARE(frmHint->CityName->text(), QStringLiteral("Тверь"));
        QCOMPARE(frmHint->NCityX->text(), QStringLiteral("60"));
        QCOMPARE(frmHint->FormCaption->Caption(), QStringLiteral("Информация: Тверь"));
        QTest::keyClicks(frmHint->CityName, QStringLiteral("-2"));
        QCOMPARE(g_Map.City(tver).Name, std::string("Тверь-2"));
        QCOMPARE(g_Map.City(moscow).Name, std::string("Москва"));
        QTest::mouseClick(frmHint->Button1, Qt::LeftButton);
        QCOMPARE(g_Map.Count(), 1);
        QCOMPARE(g_Map.City(0).Name, std::string("Москва"));
        QVERIFY(!frmHint->isVisible());
    }

    // Nodes put in and taken out before the window's node renumber it; the
    // window keeps showing the same node.
    void theCityWindowFollowsItsNodeThroughRenumbering() {
        AddNode(40, 50);
        AddNode(140, 50);
        AddNode(240, 50);
        g_Map.SetCityName(2, "Клин");
        DoubleClick({40, 50});
        QTest::mouseClick(frmHint->Button1, Qt::LeftButton); // node 0 goes
        DoubleClick({240, 50});
        QCOMPARE(frmHint->TargetID(), 1);
        frmMain->EditUndo->trigger(); // node 0 is back: Клин is 2 again
        QCOMPARE(frmHint->TargetID(), 2);
        QCOMPARE(frmHint->CityName->text(), QStringLiteral("Клин"));
        QTest::keyClicks(frmHint->CityName, QStringLiteral("!"));
        QCOMPARE(g_Map.City(2).Name, std::string("Клин!"));
        QCOMPARE(g_Map.City(1).Name, std::string("1"));
        // The window's node taken away by an undo takes the window along.
        frmMain->EditUndo->trigger(); // the rename
        Click({400, 300});            // a new city, last
        DoubleClick({400, 300});
        frmMain->EditUndo->trigger();
        QVERIFY(!frmHint->isVisible());
        QCOMPARE(frmHint->TargetID(), -1);
    }

    void windowsBesideThePointerStayOnTheScreen() {
        const QRect screen = frmMain->screen()->availableGeometry();
        AddNode(40, 50);
        frmMain->CurrentNodeID = 0;
        frmMain->RoadsDblClick(screen.bottomRight() - QPoint(20, 20));
        QVERIFY(screen.contains(frmHint->frameGeometry()));
        frmHint->hide();

        // A long name near the right edge of the screen.
        g_Map.SetCityName(0, std::string(50, 'W'));
        const QPoint place = frmMain->pos();
        frmMain->move(screen.right() - 60 - View()->mapTo(frmMain, QPoint(0, 0)).x(), place.y());
        QTRY_VERIFY(View()->mapToGlobal(QPoint(40, 50)).x() > screen.right() - 30);
        MoveTo({40, 50});
        QVERIFY(LittleHint->isVisible());
        QVERIFY(LittleHint->width() > 200);
        QVERIFY(screen.contains(LittleHint->frameGeometry()));
        frmMain->move(place);
        QTRY_COMPARE(frmMain->pos(), place);
    }

    void theHoverHintGoesWhenTheMapUnderItChanges() {
        const auto hover = [] {
            AddNode(100, 100);
            MoveTo({300, 300});
            MoveTo({100, 100});
            return LittleHint->isVisible();
        };
        QVERIFY(hover());
        frmMain->NewMap->trigger();
        QVERIFY(!LittleHint->isVisible());
        frmMain->GenerateKeyPress();
        g_Map.Clear();
        QVERIFY(hover());
        frmMain->GenerateKeyPress();
        QVERIFY(!LittleHint->isVisible());
        g_Map.Clear();
        const QString path = fixture::TempPath(QStringLiteral("hover.ga"));
        QVERIFY(hover());
        g_Map.SaveToFile(path.toStdString(), g_Display);
        QVERIFY(frmMain->OpenMapFile(path));
        QVERIFY(!LittleHint->isVisible());
        MoveTo({300, 300});
        MoveTo({100, 100});
        QVERIFY(LittleHint->isVisible());
        const QSize size = frmMain->size();
        frmMain->resize(size + QSize(20, 10));
        QTRY_VERIFY(!LittleHint->isVisible());
        frmMain->resize(size);
        QTRY_COMPARE(frmMain->size(), size);
    }

    void cityWindowLayout() {
        frmHint->Forget();
        QCOMPARE(frmHint->FormCaption->Caption(), QStringLiteral("Информация"));
        QCOMPARE(frmHint->FormCaption->height(), 23);
        QCOMPARE(frmHint->CloseBtn->geometry(), QRect(148, 1, 19, 21));
        QCOMPARE(frmHint->CloseBtn->toolTip(), QStringLiteral("Закрыть окно"));
        QCOMPARE(frmHint->CityName->geometry().topLeft(), QPoint(8, 56));
        QCOMPARE(frmHint->CityName->width(), 161);
        QCOMPARE(frmHint->NCityX->geometry().topLeft(), QPoint(10, 120));
        QCOMPARE(frmHint->NCityY->geometry().topLeft(), QPoint(86, 120));
        QCOMPARE(frmHint->Button1->text(), QStringLiteral("Удалить город"));
        QCOMPARE(frmHint->Button1->geometry(), QRect(12, 156, 157, 25));
        QVERIFY(!frmHint->Button1->isDefault());
        QCOMPARE(frmHint->StartCity->text(), QStringLiteral("Является городом"));
        QCOMPARE(frmHint->Label1->text(), QStringLiteral("Название города"));
        QCOMPARE(frmHint->Label2->text(), QStringLiteral("Координаты"));
    }

    void cityWindowRenamesKeepingFiftyCharacters() {
        AddNode(40, 50);
        frmMain->CurrentNodeID = 0;
        frmMain->RoadsDblClick(QPoint(10, 10));
        frmHint->CityName->clear();
        frmHint->CityName->insert(QStringLiteral("Москва"));
        QCOMPARE(g_Map.City(0).Name, std::string("Москва"));
        frmHint->CityName->setText(QString(60, QChar(u'Я')));
        QCOMPARE(QString::fromStdString(g_Map.City(0).Name), QString(50, QChar(u'Я')));
        // Enter in the name field commits the name and deletes nothing.
        QTest::keyClick(frmHint->CityName, Qt::Key_Return);
        QCOMPARE(g_Map.Count(), 1);
        QVERIFY(frmHint->isVisible());
    }

    void aPressThatHitsNoNodeKeepsTheWindowsNode() {
        AddNode(40, 50);
        frmMain->RoadsDblClick(QPoint(10, 10));
        Click({300, 300}, Qt::RightButton); // CurrentNodeID := -1
        QCOMPARE(frmMain->CurrentNodeID, -1);
        QTest::keyClicks(frmHint->CityName, QStringLiteral("xyz"));
        QVERIFY(Script().Errors.isEmpty());
        QCOMPARE(g_Map.City(0).Name, std::string("0xyz"));
        // A window that never showed a node edits none.
        frmHint->Forget();
        frmMain->CurrentNodeID = 5;
        frmMain->RoadsDblClick(QPoint(10, 10));
        QTest::keyClicks(frmHint->CityName, QStringLiteral("!"));
        QCOMPARE(g_Map.City(0).Name, std::string("0xyz"));
    }

    void cityWindowKindAndCoordinates() {
        AddNode(40, 50);
        frmMain->CurrentNodeID = 0;
        frmMain->RoadsDblClick(QPoint(10, 10));
        QVERIFY(frmHint->StartCity->isChecked());
        frmHint->StartCity->setChecked(false);
        QVERIFY(!g_Map.City(0).ThisCity);
        QCOMPARE(frmMain->MapPicture().pixelColor(40, 50), QColor(192, 192, 192));

        frmHint->NCityX->setFocus();
        frmHint->NCityX->selectAll();
        QTest::keyClicks(frmHint->NCityX, QStringLiteral("77,5"));
        QTest::keyClick(frmHint->NCityX, Qt::Key_Return);
        QCOMPARE(g_Map.City(0).X, 77.5);
        QCOMPARE(g_Map.City(0).Y, 50.0);
        QCOMPARE(g_Map.Count(), 1);

        frmHint->NCityY->selectAll();
        QTest::keyClicks(frmHint->NCityY, QStringLiteral("abc"));
        QTest::keyClick(frmHint->NCityY, Qt::Key_Return);
        QCOMPARE(Script().Errors.size(), 1);
        QCOMPARE(g_Map.City(0).Y, 50.0);
        QCOMPARE(frmHint->NCityY->text(), QStringLiteral("50"));
    }

    void deleteButtonRemovesTheNodeAndCloses() {
        const int32_t a = AddNode(40, 50);
        const int32_t b = AddNode(140, 50);
        const int32_t c = AddNode(240, 50);
        AddRoad(a, b);
        AddRoad(b, c);
        g_Map.SelectCity(a);
        g_Map.SelectCity(b);
        g_Display.ShowPath = true;
        DoubleClick({140, 50});
        QTRY_VERIFY(frmHint->isVisible());
        QTest::mouseClick(frmHint->Button1, Qt::LeftButton);
        QVERIFY(!frmHint->isVisible());
        QCOMPARE(g_Map.Count(), 2);
        QCOMPARE(Roads(0).Count(), 0);
        QCOMPARE(Roads(1).Count(), 0);
        QCOMPARE(g_Map.SelectedCities(), TIntegerArray{0});
        QVERIFY(!g_Display.ShowPath);
    }

    void escapeAndCloseButtonHideTheCityWindow() {
        AddNode(40, 50);
        frmMain->RoadsDblClick(QPoint(10, 10));
        QVERIFY(frmHint->isVisible());
        frmHint->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmHint));
        QTest::keyClick(frmHint->CityName, Qt::Key_Escape);
        QVERIFY(!frmHint->isVisible());
        frmMain->RoadsDblClick(QPoint(10, 10));
        QTest::mouseClick(frmHint->CloseBtn, Qt::LeftButton);
        QVERIFY(!frmHint->isVisible());
    }
};

TRASOLAN_GUI_TEST_MAIN(TestMainEditing)
#include "test_mainediting.moc"
