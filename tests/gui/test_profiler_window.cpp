// The profiler window and its F5 watch, offscreen, on sections timed with a
// scripted clock: list rows, bar chart, hit test and hint, one window at a
// time, and nothing at all while no section exists.

#include "extras/ProfilerWindow.h"
#include "profiler/Profiler.h"
#include "profiler/ProfilerView.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QShortcut>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Records one run of `length` microseconds for the named section (an empty
// name makes a new unnamed section).
void TimeRun(const std::string& name, int64_t length) {
    static int64_t now = 0;
    profiler::SetProfilerClock([] { return now; });
    const int32_t id = profiler::ProfilerSectionId(name);
    profiler::ProfilerSectionBegin(id);
    now += length;
    profiler::ProfilerSectionEnd(id);
    profiler::SetProfilerClock(nullptr);
}

TProfilerWindow* OpenWindow() {
    return qobject_cast<TProfilerWindow*>(QApplication::activeModalWidget());
}

// Runs `check` on the open window once it is up, then closes it with Esc.
void WhenOpen(std::function<void(TProfilerWindow*)> check, int delay = 50) {
    QTimer::singleShot(delay, [check] {
        TProfilerWindow* window = OpenWindow();
        check(window);
        if (window)
            QTest::keyClick(window, Qt::Key_Escape);
    });
}

void PressF5(QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

} // namespace

class TestProfilerWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void noSectionsMeansNoWindowAndNoKeyReaction();
    void windowListsEverySectionWithItsShare();
    void barsFollowTheSharesAndHitTestSelectsRows();
    void keyWatchOpensOneWindowAtATime();
    void f5BoundToAShortcutStillOpensTheWindow();
    void programStartAndEndWriteTheReportOnlyWithSections();
    void gallery();

private:
    QTemporaryDir folder_;
};

void TestProfilerWindow::init() {
    QVERIFY(folder_.isValid());
    const std::string path = folder_.path().toStdString() + "/";
    profiler::ProfilerInit({path, "trasolan", path});
    InstallProfilerKeyWatch();
}

void TestProfilerWindow::cleanup() {
    RemoveProfilerKeyWatch();
    profiler::ProfilerInit({});
}

void TestProfilerWindow::noSectionsMeansNoWindowAndNoKeyReaction() {
    QVERIFY(profiler::ProfilerSections().empty());
    bool opened = false;
    QTimer::singleShot(0, [&] { opened = OpenWindow() != nullptr; });
    ShowProfilerWindow(); // returns at once
    QVERIFY(!ProfilerWindowOpen());

    QWidget target;
    target.show();
    PressF5(&target);
    QTest::qWait(100);
    QVERIFY(!opened);
    QVERIFY(OpenWindow() == nullptr);
}

void TestProfilerWindow::windowListsEverySectionWithItsShare() {
    TimeRun("Поколение", 50'000);
    TimeRun("Кроссовер", 10'000);
    TimeRun("Кроссовер", 20'000);
    TimeRun("", 20'000); // unnamed: shown by its ID
    const profiler::TProfilerList& sections = profiler::ProfilerSections();
    QCOMPARE(sections.size(), size_t{3});
    const QString unnamedId = QString::number(sections[2].ID);

    bool checked = false;
    WhenOpen([&](TProfilerWindow* window) {
        QVERIFY(window);
        QVERIFY(ProfilerWindowOpen());
        QCOMPARE(window->windowTitle(), QStringLiteral("Профайлер"));
        QCOMPARE(window->size(), QSize(620, 400));
        QTableWidget* list = window->ListView1;
        QCOMPARE(list->geometry(), QRect(0, 30, 620, 170));
        QCOMPARE(list->columnCount(), 7);
        const QStringList headings{QStringLiteral("Секция"),     QStringLiteral("Мин время"),
                                   QStringLiteral("Макс время"), QStringLiteral("Средн время"),
                                   QStringLiteral("Вызовов"),    QStringLiteral("Общее время"),
                                   QStringLiteral("%")};
        const QList<int> widths{150, 80, 80, 80, 80, 85, 35};
        for (int c = 0; c < 7; ++c) {
            QCOMPARE(list->horizontalHeaderItem(c)->text(), headings[c]);
            QCOMPARE(list->columnWidth(c), widths[c]);
        }
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(list->item(0, 0)->text(), QStringLiteral("Поколение"));
        QCOMPARE(list->item(1, 0)->text(), QStringLiteral("Кроссовер"));
        QCOMPARE(list->item(1, 1)->text(), QStringLiteral("10000"));
        QCOMPARE(list->item(1, 2)->text(), QStringLiteral("20000"));
        QCOMPARE(list->item(1, 3)->text(), QStringLiteral("30000"));
        QCOMPARE(list->item(1, 4)->text(), QStringLiteral("2"));
        QCOMPARE(list->item(1, 5)->text(), QStringLiteral("30"));
        QCOMPARE(list->item(0, 6)->text(), QStringLiteral("50"));
        QCOMPARE(list->item(1, 6)->text(), QStringLiteral("30"));
        QCOMPARE(list->item(2, 6)->text(), QStringLiteral("20"));
        QCOMPARE(list->item(2, 0)->text(), unnamedId);
        QVERIFY(list->editTriggers() == QAbstractItemView::NoEditTriggers);
        QVERIFY(list->showGrid());
        checked = true;
    });
    ShowProfilerWindow();
    QVERIFY(checked);
    QVERIFY(!ProfilerWindowOpen());
}

void TestProfilerWindow::barsFollowTheSharesAndHitTestSelectsRows() {
    TimeRun("A", 50'000);
    TimeRun("B", 30'000);
    TimeRun("", 20'000);
    const QString unnamedId = QString::number(profiler::ProfilerSections()[2].ID);

    bool checked = false;
    WhenOpen([&](TProfilerWindow* window) {
        QVERIFY(window);
        QCOMPARE(window->ScrollBox1->geometry(), QRect(0, 200, 620, 200));
        const int h = window->ChartHeight();
        QCOMPARE(h, 180);
        QCOMPARE(window->Image1->size(), QSize(90, 180));
        const QImage chart = window->Image1->pixmap().toImage();
        // Bar 0: 50% of 180 = 90 pixels high, outlined in black.
        QCOMPARE(QColor(chart.pixel(5, h - 1)), QColor(Qt::black));
        QCOMPARE(QColor(chart.pixel(5, h - 90)), QColor(Qt::black));
        QCOMPARE(QColor(chart.pixel(5, h - 91)), QColor(Qt::white));
        QCOMPARE(QColor(chart.pixel(29, h - 50)), QColor(Qt::black));
        QCOMPARE(QColor(chart.pixel(30, h - 50)), QColor(Qt::white));
        QCOMPARE(QColor(chart.pixel(4, h - 50)), QColor(Qt::white));
        // Bar 2: 20% = 36 pixels.
        QCOMPARE(QColor(chart.pixel(65, h - 36)), QColor(Qt::black));
        QCOMPARE(QColor(chart.pixel(65, h - 37)), QColor(Qt::white));

        // Pointing at bar 1 selects row 1 and shows the hint.
        window->Image1MouseMove(40, h - 10);
        QCOMPARE(window->HotSection(), 1);
        QCOMPARE(window->ListView1->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(window->ListView1->selectionModel()->selectedRows().first().row(), 1);
        QVERIFY(window->Hint->isVisible());
        QCOMPARE(window->Hint->text(), QStringLiteral("B\nИспользует: 30% от общего времени"));
        QCOMPARE(window->Image1->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(window->Hint->width() <= 250);

        // The unnamed section's hint carries its ID.
        window->Image1MouseMove(70, h - 2);
        QCOMPARE(window->HotSection(), 2);
        QVERIFY(window->Hint->text().startsWith(unnamedId + u'\n'));

        // Above a bar, in a gap, or on the bar's top edge: nothing.
        for (const QPoint miss : {QPoint(40, h - 60), QPoint(32, h - 2), QPoint(40, h - 54)}) {
            window->Image1MouseMove(miss.x(), miss.y());
            QCOMPARE(window->HotSection(), -1);
            QVERIFY(!window->Hint->isVisible());
            QVERIFY(window->ListView1->selectionModel()->selectedRows().isEmpty());
            QCOMPARE(window->Image1->cursor().shape(), Qt::ArrowCursor);
        }

        // Moving over the list hides the hint.
        window->Image1MouseMove(10, h - 2);
        QVERIFY(window->Hint->isVisible());
        QTest::mouseMove(window->ListView1->viewport(), QPoint(20, 20));
        QVERIFY(!window->Hint->isVisible());
        checked = true;
    });
    ShowProfilerWindow();
    QVERIFY(checked);
}

void TestProfilerWindow::keyWatchOpensOneWindowAtATime() {
    TimeRun("A", 1'000);
    QWidget parent;
    auto* child = new QWidget(&parent);
    parent.show();

    int windowsSeen = 0;
    bool secondOpened = false;
    QTimer::singleShot(100, [&] {
        TProfilerWindow* first = OpenWindow();
        if (!first)
            return;
        ++windowsSeen;
        // F5 again (held down) while the window is open opens no second one.
        PressF5(first);
        PressF5(child);
        QTimer::singleShot(50, [&, first] {
            secondOpened = OpenWindow() != first;
            QTest::keyClick(first, Qt::Key_Escape);
        });
    });
    // One press travels from the child up to its parent: one window.
    PressF5(child);
    QTRY_VERIFY_WITH_TIMEOUT(windowsSeen == 1 && !ProfilerWindowOpen(), 5000);
    QVERIFY(!secondOpened);
    QTest::qWait(100);
    QVERIFY(OpenWindow() == nullptr);

    // Other keys do nothing.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F6, Qt::NoModifier);
    QApplication::sendEvent(child, &press);
    QTest::qWait(50);
    QVERIFY(OpenWindow() == nullptr);
}

void TestProfilerWindow::f5BoundToAShortcutStillOpensTheWindow() {
    TimeRun("A", 1'000);
    QWidget window;
    int generated = 0;
    auto* key = new QShortcut(QKeySequence(Qt::Key_F5), &window);
    connect(key, &QShortcut::activated, [&] { ++generated; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);

    int windowsSeen = 0;
    QTimer::singleShot(100, [&] {
        if (TProfilerWindow* open = OpenWindow()) {
            ++windowsSeen;
            QTest::keyClick(open, Qt::Key_Escape);
        }
    });
    QTest::keyClick(&window, Qt::Key_F5);
    QTRY_VERIFY_WITH_TIMEOUT(windowsSeen == 1 && !ProfilerWindowOpen(), 5000);
    QCOMPARE(generated, 1); // the window's own short-cut ran as well
}

void TestProfilerWindow::programStartAndEndWriteTheReportOnlyWithSections() {
    const QString report = QCoreApplication::applicationDirPath() + QStringLiteral("/Profile.htm");
    QFile::remove(report);

    ProfilerStartForProgram();
    QCOMPARE(ProfilerDoneForProgram(), QString());
    QVERIFY(!QFile::exists(report));

    ProfilerStartForProgram();
    TimeRun("Поколение", 2'000);
    const QString written = ProfilerDoneForProgram();
    QCOMPARE(QFileInfo(written).canonicalFilePath(), QFileInfo(report).canonicalFilePath());
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("<html>\r\n"));
    // The program's own file name, and the section's name in Windows-1251.
    QVERIFY(bytes.contains("<b>" +
                           QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() +
                           "</b></p>"));
    QVERIFY(bytes.contains("\xCF\xEE\xEA\xEE\xEB\xE5\xED\xE8\xE5")); // "Поколение"
    file.close();
    QFile::remove(report);
    QVERIFY(profiler::ProfilerSections().empty());

    // The watch went with the end: F5 opens nothing any more.
    TimeRun("A", 1'000);
    QWidget target;
    target.show();
    PressF5(&target);
    QTest::qWait(100);
    QVERIFY(OpenWindow() == nullptr);
}

// A picture of the window for a look by eye (TRASOLAN_EXTRAS_SHOTS names a
// folder).
void TestProfilerWindow::gallery() {
    const QString folder = qEnvironmentVariable("TRASOLAN_EXTRAS_SHOTS");
    if (folder.isEmpty())
        QSKIP("set TRASOLAN_EXTRAS_SHOTS to a folder to render the gallery");
    const char* names[] = {"NextGeneration", "Crossover",       "Mutate",     "",
                           "CalcFitness",    "UpdateBestWorst", "RandomRoute"};
    int64_t length = 9'000;
    for (const char* name : names) {
        TimeRun(name, length);
        TimeRun(name, length / 3);
        length = length * 2 / 3 + 1'500;
    }
    bool saved = false;
    WhenOpen([&](TProfilerWindow* window) {
        QVERIFY(window);
        window->Image1MouseMove(40, window->ChartHeight() - 5);
        saved = window->grab().save(folder + QStringLiteral("/profiler.png"));
    });
    ShowProfilerWindow();
    QVERIFY(saved);
}

QTEST_MAIN(TestProfilerWindow)
#include "test_profiler_window.moc"
