// The map as a document: every edit a step of the undo history that undoes to
// the same file bytes, the unsaved-changes question, Save and Save as, the
// window title, the recent maps and map files dropped on the window.

#include "support/AppFixture.h"
#include "support/MapHelpers.h"
#include "support/MouseHelpers.h"

#include "core/RandomUnit.h"
#include "guibase/Seams.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/untHint.h"
#include "ui/untMain.h"
#include "ui/untRandomN.h"
#include "widgets/TFlatCheckBox.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include <functional>

using fixture::AddNode;
using fixture::AddRoad;
using fixture::Click;
using fixture::DoubleClick;
using fixture::Drag;
using fixture::Press;
using fixture::Release;
using fixture::Script;
using fixture::ShiftDrag;
using fixture::TempPath;
using seams::TSaveChangesAnswer;

namespace {

std::string Bytes() {
    return g_Map.SaveToBytes(g_Display);
}

std::string FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

// A map as a user starts from, saved to a file and opened from it: four
// cities and a transit point (2) joined in a ring with a hub (4), the cities
// 0, 4 and 3 selected in that order.
QString OpenSampleMap(const QString& name = QStringLiteral("sample.ga")) {
    const int32_t a = AddNode(100, 100);
    const int32_t b = AddNode(300, 100);
    const int32_t c = AddNode(300, 300, false);
    const int32_t d = AddNode(100, 300);
    const int32_t e = AddNode(200, 200);
    AddRoad(a, b);
    AddRoad(b, c);
    AddRoad(c, d);
    AddRoad(d, a);
    AddRoad(e, a);
    AddRoad(e, c);
    g_Map.SelectCity(a);
    g_Map.SelectCity(e);
    g_Map.SelectCity(d);
    const QString path = TempPath(name);
    g_Map.SaveToFile(path.toStdString(), g_Display);
    g_Map.Clear();
    frmMain->OpenMapFile(path);
    return path;
}

int Steps() {
    return frmMain->UndoStack()->index();
}

// Does the edit, then checks that it made one step named `step`, that
// undoing it gives back the map file's bytes of before and redoing it those
// of after. The edit ends undone.
void CheckUndoAndRedo(const QString& step, const std::function<void()>& edit) {
    const std::string before = Bytes();
    const int steps = Steps();
    edit();
    const std::string after = Bytes();
    QVERIFY2(after != before, qPrintable(step));
    QCOMPARE(Steps(), steps + 1);
    QCOMPARE(frmMain->EditUndo->text(), QStringLiteral("&Отменить: ") + step);
    frmMain->EditUndo->trigger();
    QVERIFY2(Bytes() == before, qPrintable(step));
    QCOMPARE(frmMain->EditRedo->text(), QStringLiteral("&Повторить: ") + step);
    frmMain->EditRedo->trigger();
    QVERIFY2(Bytes() == after, qPrintable(step));
    frmMain->EditUndo->trigger();
}

#define CHECK_UNDO_AND_REDO(step, edit)                                                            \
    do {                                                                                           \
        CheckUndoAndRedo(QStringLiteral(step), edit);                                              \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

void OpenCityWindowAt(QPoint at) {
    DoubleClick(at);
    QVERIFY(frmHint->isVisible());
}

void TypeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

void SendDrop(const QString& path, bool* accepted) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frmMain, &enter);
    *accepted = enter.isAccepted();
    if (!*accepted)
        return;
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frmMain, &drop);
}

} // namespace

class TestDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { fixture::ResetProgram(); }

    void everyKindOfEditUndoesToTheSameBytes() {
        OpenSampleMap();
        CHECK_UNDO_AND_REDO("создание города", [] { Click({500, 400}); });
        CHECK_UNDO_AND_REDO("перемещение города", [] { Drag({300, 100}, {350, 150}); });
        CHECK_UNDO_AND_REDO("новая дорога", [] { ShiftDrag({300, 100}, {200, 200}); });
        CHECK_UNDO_AND_REDO("новая дорога", [] { ShiftDrag({100, 300}, {500, 100}); });
        CHECK_UNDO_AND_REDO("выделение города", [] { Click({300, 100}, Qt::RightButton); });
        CHECK_UNDO_AND_REDO("снятие выделения", [] { Click({200, 200}, Qt::RightButton); });

        OpenCityWindowAt({300, 300});
        // Typing is one step, however many keys it takes.
        CHECK_UNDO_AND_REDO("переименование города",
                            [] { QTest::keyClicks(frmHint->CityName, QStringLiteral("-Brod")); });
        QCOMPARE(frmHint->CityName->text(), QStringLiteral("2")); // the field follows the undo
        // Typed and taken back: no step at all.
        QTest::keyClicks(frmHint->CityName, QStringLiteral("x"));
        QTest::keyClick(frmHint->CityName, Qt::Key_Backspace);
        QCOMPARE(Steps(), 0);
        CHECK_UNDO_AND_REDO("превращение в город", [] { frmHint->StartCity->setChecked(true); });
        QVERIFY(!frmHint->StartCity->isChecked());
        CHECK_UNDO_AND_REDO("изменение координат",
                            [] { TypeInto(frmHint->NCityX, QStringLiteral("250,5")); });
        QCOMPARE(frmHint->NCityX->text(), QStringLiteral("300"));

        // The first node: every road list and the selection are renumbered.
        OpenCityWindowAt({100, 100});
        CHECK_UNDO_AND_REDO("удаление города",
                            [] { QTest::mouseClick(frmHint->Button1, Qt::LeftButton); });
        CHECK_UNDO_AND_REDO("очистка карты", [] { frmMain->NewMap->trigger(); });
        // A random map comes back from its seed; the draws that follow are
        // those they would have been.
        CHECK_UNDO_AND_REDO("случайная карта", [] {
            frmMain->GenerateKeyPress();
            const uint32_t seed = RandSeed();
            frmMain->EditUndo->trigger();
            frmMain->EditRedo->trigger();
            QCOMPARE(RandSeed(), seed);
        });
        QVERIFY(Script().Errors.isEmpty());
        QVERIFY(Script().SaveChangesQuestions.isEmpty()); // nothing was unsaved
    }

    void theBackgroundIsAStepButNoChangeOfTheMap() {
        OpenSampleMap();
        const QString picture = TempPath(QStringLiteral("background.png"));
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(picture));
        QVERIFY(frmMain->LoadBackgroundFile(picture));
        QCOMPARE(frmMain->Roads->size(), QSize(400, 300));
        QCOMPARE(frmMain->EditUndo->text(), QStringLiteral("&Отменить: загрузка фона"));
        QVERIFY(!frmMain->HasUnsavedChanges());
        // A picture that cannot be read costs the old one only until undone.
        QVERIFY(!frmMain->LoadBackgroundFile(TempPath(QStringLiteral("none.png"))));
        QVERIFY(!frmMain->HasBackground());
        frmMain->EditUndo->trigger();
        QVERIFY(frmMain->HasBackground());
        frmMain->EditUndo->trigger();
        QVERIFY(!frmMain->HasBackground());
        QCOMPARE(frmMain->Roads->size(), QSize(767, 446));
    }

    void aDragIsOneStepAndUndoWaitsForItsEnd() {
        OpenSampleMap();
        frmMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmMain));
        Press({300, 100});
        fixture::MoveTo({320, 120});
        fixture::MoveTo({340, 140});
        QTest::keyClick(frmMain, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(g_Map.City(1).X, 340.0);
        QCOMPARE(Steps(), 0);
        Release({360, 160});
        QCOMPARE(Steps(), 1);
        QTest::keyClick(frmMain, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(g_Map.City(1).X, 300.0);
        QTest::keyClick(frmMain, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(g_Map.City(1).X, 340.0);
        QTest::keyClick(frmMain, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(frmMain, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(g_Map.City(1).Y, 140.0);
        // A click on a node without moving it is no step.
        Click({100, 100});
        QCOMPARE(Steps(), 1);
        QVERIFY(!frmMain->EditRedo->isEnabled());
        QCOMPARE(frmMain->EditRedo->text(), QStringLiteral("&Повторить"));
    }

    void undoStopsARunOnlyWhereTheEditWould() {
        OpenSampleMap();
        solver::TTSPPopulation* population = frmMain->Population();
        population->SetState(solver::stPaused);
        Drag({300, 100}, {350, 150});
        Click({500, 400});
        frmMain->EditUndo->trigger(); // the new city goes: the run stops
        QCOMPARE(population->State(), uint8_t(solver::stStopped));
        population->SetState(solver::stPaused);
        frmMain->EditUndo->trigger(); // a move back: the run goes on
        QCOMPARE(population->State(), uint8_t(solver::stPaused));
        frmMain->EditRedo->trigger();
        QCOMPARE(population->State(), uint8_t(solver::stPaused));

        Click({350, 150}, Qt::RightButton); // where the redone drag left it
        population = frmMain->Population();
        population->SetState(solver::stPaused);
        frmMain->EditUndo->trigger(); // the selection changes
        QCOMPARE(population->State(), uint8_t(solver::stStopped));

        // Undoing New brings the old map back under a fresh solver (the old
        // one is released at once: no run loop holds it here).
        frmMain->NewMap->trigger();
        population = frmMain->Population();
        frmMain->EditUndo->trigger();
        QVERIFY(frmMain->Population() != population);
        QCOMPARE(g_Map.Count(), 5);
    }

    void theTitleNamesTheMapAndMarksChanges() {
        QCOMPARE(frmMain->windowTitle(), QStringLiteral("Без имени[*] — Трасолан"));
        const QString path = OpenSampleMap(QStringLiteral("golden.ga"));
        QCOMPARE(frmMain->windowTitle(), QStringLiteral("golden.ga[*] — Трасолан"));
        QCOMPARE(frmMain->MapFilePath(), path);
        QVERIFY(!frmMain->isWindowModified());
        Click({500, 400});
        QVERIFY(frmMain->isWindowModified());
        frmMain->EditUndo->trigger();
        QVERIFY(!frmMain->isWindowModified()); // back to what the file holds
        frmMain->EditRedo->trigger();
        QVERIFY(frmMain->isWindowModified());
        // A new map has no file: saving it never writes over the old one.
        frmMain->NewMap->trigger();
        QCOMPARE(frmMain->windowTitle(), QStringLiteral("Без имени[*] — Трасолан"));
        QVERIFY(!frmMain->isWindowModified()); // empty: nothing to lose
        frmMain->EditUndo->trigger();
        QCOMPARE(frmMain->MapFilePath(), path);
        QVERIFY(frmMain->isWindowModified());
        // Opening a map starts a fresh history.
        QVERIFY(frmMain->OpenMapFile(path));
        QVERIFY(!frmMain->EditUndo->isEnabled());
        QCOMPARE(frmMain->EditUndo->text(), QStringLiteral("&Отменить"));
    }

    void cancelLeavesEverythingAsItWas() {
        OpenSampleMap();
        Click({500, 400});
        const std::string edited = Bytes();
        solver::TTSPPopulation* population = frmMain->Population();
        population->SetState(solver::stPaused);
        Script().SaveChangesAnswer = TSaveChangesAnswer::Cancel;

        frmMain->NewMap->trigger();
        QCOMPARE(Script().SaveChangesQuestions,
                 QStringList{QStringLiteral("Сохранить изменения в карте «sample.ga»?")});
        Script().OpenAnswers.push_back(TempPath(QStringLiteral("sample.ga")));
        frmMain->OpenMap->trigger();
        QVERIFY(!frmRandomN->GenerateRandomMap());
        QVERIFY(!frmMain->close());
        QCOMPARE(Script().SaveChangesQuestions.size(), 4);
        QVERIFY(frmMain->isVisible());
        QCOMPARE(Bytes(), edited);
        QCOMPARE(population->State(), uint8_t(solver::stPaused));
        QVERIFY(frmMain->isWindowModified());
        population->SetState(solver::stStopped);
    }

    void discardAndSaveLetTheCommandGoOn() {
        const QString path = OpenSampleMap();
        const std::string saved = FileBytes(path);
        Click({500, 400});
        OpenCityWindowAt({100, 100});
        frmMain->NewMap->trigger(); // Не сохранять
        QCOMPARE(g_Map.Count(), 0);
        QCOMPARE(FileBytes(path), saved);
        // The city window's node went with its map.
        QVERIFY(!frmHint->isVisible());
        QCOMPARE(frmHint->TargetID(), -1);

        OpenSampleMap();
        Click({500, 400});
        const std::string edited = Bytes();
        Script().SaveChangesAnswer = TSaveChangesAnswer::Save;
        frmMain->NewMap->trigger(); // Сохранить: into its own file, then New
        QCOMPARE(FileBytes(path), edited);
        QCOMPARE(g_Map.Count(), 0);
        QVERIFY(Script().SaveFilters.isEmpty());

        // A new map asks for a name; a cancelled dialog keeps the map.
        Click({500, 400});
        frmMain->NewMap->trigger();
        QCOMPARE(Script().SaveFilters.size(), 1);
        QCOMPARE(g_Map.Count(), 1);
    }

    void saveWritesTheMapsOwnFileWithoutADialog() {
        const QString path = OpenSampleMap();
        Click({500, 400});
        frmMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmMain));
        QTest::keyClick(frmMain, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(Script().SaveFilters.isEmpty());
        QCOMPARE(FileBytes(path), Bytes());
        QVERIFY(!frmMain->isWindowModified());

        // Save as always asks, starting at the map's own file.
        const QString other = TempPath(QStringLiteral("other.ga"));
        Script().SaveAnswers.push_back(other);
        QTest::keyClick(frmMain, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Script().SaveSuggestions, QStringList{path});
        QCOMPARE(frmMain->MapFilePath(), other);
        QCOMPARE(FileBytes(other), Bytes());
        QCOMPARE(frmMain->windowTitle(), QStringLiteral("other.ga[*] — Трасолан"));

        frmMain->NewMap->trigger();
        Click({10, 10});
        frmMain->SaveMap->trigger();
        QCOMPARE(Script().SaveSuggestions.last(), QStringLiteral("Без имени.ga"));
        QVERIFY(frmMain->isWindowModified());
    }

    void aFailedSaveKeepsTheMapUnsaved() {
        OpenSampleMap();
        Click({500, 400});
        Script().SaveAnswers.push_back(QStringLiteral("/nonexistent/dir/map.ga"));
        frmMain->SaveMapAs->trigger();
        QCOMPARE(Script().Errors.size(), 1);
        QVERIFY(frmMain->isWindowModified());
        QCOMPARE(frmMain->MapFilePath(), TempPath(QStringLiteral("sample.ga")));
        // Сохранить in the question, and the save fails: the command waits.
        frmMain->NewMap->trigger();
        Click({10, 10});
        Script().SaveChangesAnswer = TSaveChangesAnswer::Save;
        Script().SaveAnswers.push_back(QStringLiteral("/nonexistent/dir/map.ga"));
        frmMain->NewMap->trigger();
        QCOMPARE(Script().Errors.size(), 2);
        QCOMPARE(g_Map.Count(), 1);
    }

    void recentMapsAreKeptAndOpened() {
        QStringList paths;
        for (int i = 1; i <= 9; ++i) {
            AddNode(10 * i, 10);
            paths << TempPath(QStringLiteral("map%1.ga").arg(i));
            QVERIFY(frmMain->SaveMapToFile(paths.last()));
        }
        // The last eight, newest first.
        const QList<QAction*> items = frmMain->RecentMenu->actions();
        QCOMPARE(items.size(), 8 + 2); // and a separator and "Очистить список"
        QCOMPARE(items[0]->text(), QStringLiteral("&1 map9.ga"));
        QCOMPARE(items[7]->text(), QStringLiteral("&8 map2.ga"));
        QCOMPARE(items[0]->toolTip(), paths.last());

        items[2]->trigger(); // map7.ga: nothing unsaved, so no question
        QCOMPARE(g_Map.Count(), 7);
        QCOMPARE(frmMain->MapFilePath(), paths[6]);
        QCOMPARE(frmMain->RecentMenu->actions()[0]->text(), QStringLiteral("&1 map7.ga"));
        QVERIFY(Script().SaveChangesQuestions.isEmpty());

        // A map that is gone: the message, and it leaves the list.
        QVERIFY(QFile::remove(paths[4]));
        frmMain->RecentMenu->actions()[4]->trigger(); // map5.ga, after 7, 9, 8 and 6
        QCOMPARE(Script().Errors.size(), 1);
        QCOMPARE(g_Map.Count(), 7);
        QCOMPARE(frmMain->RecentMenu->actions().size(), 7 + 2);

        frmMain->RecentMenu->findChild<QAction*>(QStringLiteral("ClearRecentFiles"))->trigger();
        QVERIFY(frmMain->RecentMenu->actions().isEmpty());
        QVERIFY(!frmMain->RecentMenu->menuAction()->isEnabled());
    }

    void aDroppedMapFileOpensAfterTheQuestion() {
        const QString path = OpenSampleMap();
        frmMain->NewMap->trigger();
        Click({10, 10});
        bool accepted = false;
        SendDrop(TempPath(QStringLiteral("picture.png")), &accepted);
        QVERIFY(!accepted);
        SendDrop(path, &accepted);
        QVERIFY(accepted);
        QTRY_COMPARE(frmMain->MapFilePath(), path);
        QCOMPARE(g_Map.Count(), 5);
        QCOMPARE(Script().SaveChangesQuestions.size(), 1);
    }

    void anImportedMapIsANewUnsavedDocument() {
        OpenSampleMap();
        const solver::TTSPPopulation* population = frmMain->Population();
        TTSPMap imported;
        for (int i = 0; i < 3; ++i) {
            TCity city;
            city.ID = i;
            city.Name = "Город " + std::to_string(i);
            city.X = 20 + 40 * i;
            city.Y = 30;
            imported.AddCity(city);
        }
        g_Display.ShowPath = true;
        frmMain->AdoptImportedMap(std::move(imported), QStringLiteral("berlin52.ga"));
        QVERIFY(frmMain->Population() != population); // the old one is stopped and gone
        QCOMPARE(g_Map.Count(), 3);
        QCOMPARE(g_Map.City(2).Name, std::string("Город 2"));
        QVERIFY(!g_Display.ShowPath);
        QCOMPARE(frmMain->windowTitle(), QStringLiteral("berlin52.ga[*] — Трасолан"));
        QVERIFY(frmMain->isWindowModified());
        QVERIFY(frmMain->MapFilePath().isEmpty());
        QVERIFY(!frmMain->EditUndo->isEnabled());

        Script().SaveChangesAnswer = TSaveChangesAnswer::Save;
        QVERIFY(!frmMain->AskToSaveChanges()); // the save dialog was cancelled
        QCOMPARE(Script().SaveChangesQuestions.last(),
                 QStringLiteral("Сохранить изменения в карте «berlin52.ga»?"));
        QCOMPARE(Script().SaveSuggestions, QStringList{QStringLiteral("berlin52.ga")});
    }
};

TRASOLAN_GUI_TEST_MAIN(TestDocument)
#include "test_document.moc"
