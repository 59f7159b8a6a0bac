// The reusable controls, exercised offscreen: what the windows built from them
// rely on (image switching, disabled look, state signals, clock blanking, chart
// contents), plus a gallery for a look by eye, rendered on request into the
// folder TRASOLAN_WIDGETS_SHOTS names.

#include "widgets/FlatToolTips.h"
#include "widgets/TBarChart.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TFlatCheckBox.h"
#include "widgets/TFlatEdit.h"
#include "widgets/TFlatSpinEdit.h"
#include "widgets/TGradientHeader.h"
#include "widgets/TImageButton.h"
#include "widgets/TImageList.h"
#include "widgets/TLineChart.h"
#include "widgets/TSevenSegmentClock.h"

#include <QApplication>
#include <QBarSet>
#include <QChart>
#include <QDir>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QSignalSpy>
#include <QStackedBarSeries>
#include <QTest>
#include <QValueAxis>

#include <cmath>
#include <memory>

namespace {

// A square of one colour with a transparent border, so that the image's
// place inside a button can be told from its pixels.
QPixmap Swatch(const QColor& colour, int size, int border = 4) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(border, border, size - 2 * border, size - 2 * border, colour);
    return pixmap;
}

// A friendlier picture for the gallery: a shaded disc with a mark.
QPixmap Glyph(const QColor& colour, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(size * 0.35, size * 0.35, size * 0.7);
    fill.setColorAt(0, colour.lighter(170));
    fill.setColorAt(1, colour.darker(120));
    painter.setBrush(fill);
    painter.setPen(QPen(colour.darker(160), 1));
    painter.drawEllipse(QRectF(1.5, 1.5, size - 3, size - 3));
    painter.setPen(QPen(Qt::white, size / 10.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(size * 0.3, size * 0.5), QPointF(size * 0.7, size * 0.5));
    return pixmap;
}

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

int CountPixels(const QImage& image, const std::function<bool(QColor)>& test) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixelColor(x, y)))
                ++n;
    return n;
}

bool Near(QColor a, QColor b, int tolerance = 12) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QString ShotsDir() {
    return qEnvironmentVariable("TRASOLAN_WIDGETS_SHOTS");
}

void Save(QWidget& widget, const QString& name) {
    const QString path = ShotsDir() + QLatin1Char('/') + name + QStringLiteral(".png");
    QVERIFY2(widget.grab().save(path), qPrintable(path));
}

QList<QStackedBarSeries*> BarSeriesOf(TBarChart& chart) {
    QList<QStackedBarSeries*> result;
    const QList<QAbstractSeries*> all = chart.Chart()->series();
    for (QAbstractSeries* s : all)
        if (auto* bar = qobject_cast<QStackedBarSeries*>(s))
            result.append(bar);
    return result;
}

} // namespace

class TestWidgets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void imageListKeepsIndicesAndSizes();
    void imageButtonShowsTheChosenImage();
    void imageButtonHoverPressAndDisabledLooks();
    void imageButtonSurvivesItsListBeingDeleted();
    void flatToolTipsRuleIsAddedOnce();
    void gradientHeaderRunsFromHighlightToWindow();
    void flatCheckBoxSignalsEveryChange();
    void flatEditsKeepTheirValues();
    void clockFormatsAndClampsTime();
    void clockBlanksAndShowsSegments();
    void clockPressedSignal();
    void barChartHoldsPointsWithColoursAndLabels();
    void barChartMarksAndLegendTexts();
    void barChartAxes();
    void barChartRefillReusesBars();
    void barChartLegendListsOnlyChosenSeries();
    void lineChartSetPointsAndRanges();
    void lineChartAppendAndClear();
    void axisNumbersAreDrawnWithTheDecimalComma();
    void depthDrawsTheBarsAsBoxes();
    void lineChartAxesNeverAskForThousandsOfTicks();
    void captionBarSignals();
    void captionBarKeepsButtonsTheWindowPlaced();
    void captionBarDragMovesWindow();
    void gallery();
};

void TestWidgets::imageListKeepsIndicesAndSizes() {
    TImageList list(QSize(16, 16));
    QSignalSpy changed(&list, &TImageList::Changed);
    QCOMPARE(list.Count(), 0);
    QCOMPARE(list.Add(Swatch(Qt::red, 16)), 0);
    // A missing resource still takes its index, so later images stay in place.
    QCOMPARE(list.AddFromResource(QStringLiteral(":/no/such/image.svg")), 1);
    QCOMPARE(list.Add(Swatch(Qt::blue, 32)), 2);
    QCOMPARE(list.Count(), 3);
    QCOMPARE(changed.count(), 3);
    QVERIFY(list.Image(1).isNull());
    QVERIFY(list.Image(-1).isNull());
    QVERIFY(list.Image(3).isNull());
    // Every image comes out at the list's size, also a larger source, and at
    // twice the pixels for a HiDPI screen.
    QCOMPARE(list.Image(0).size(), QSize(16, 16));
    QCOMPARE(list.Image(2).size(), QSize(16, 16));
    const QPixmap hi = list.Image(0, 2.0);
    QCOMPARE(hi.size(), QSize(32, 32));
    QCOMPARE(hi.devicePixelRatio(), 2.0);
    list.Replace(0, QIcon(Swatch(Qt::green, 16)));
    QCOMPARE(list.Image(0).toImage().pixelColor(8, 8), QColor(Qt::green));
    list.Replace(7, QIcon()); // outside: ignored
    QCOMPARE(list.Count(), 3);
    list.Clear();
    QCOMPARE(list.Count(), 0);
}

void TestWidgets::imageButtonShowsTheChosenImage() {
    TImageList list(QSize(32, 32));
    list.Add(Swatch(Qt::red, 32));
    list.Add(Swatch(Qt::blue, 32));
    TImageButton button(&list, 0);
    button.resize(37, 32);
    const QPoint centre(18, 16);
    QCOMPARE(Grab(button).pixelColor(centre), QColor(Qt::red));
    button.SetImageIndex(1);
    QCOMPARE(button.ImageIndex(), 1);
    QCOMPARE(Grab(button).pixelColor(centre), QColor(Qt::blue));
    // An index outside the list draws no image rather than failing.
    button.SetImageIndex(5);
    const QImage empty = Grab(button);
    QCOMPARE(CountPixels(empty, [](QColor c) { return Near(c, Qt::blue) || Near(c, Qt::red); }), 0);
    // Replacing the list's image shows at once.
    button.SetImageIndex(0);
    list.Replace(0, QIcon(Swatch(Qt::green, 32)));
    QCOMPARE(Grab(button).pixelColor(centre), QColor(Qt::green));
    // The caption goes under the image of a large button.
    TImageButton big(&list, 1);
    big.resize(57, 57);
    big.SetCaption(QStringLiteral("Старт"));
    QCOMPARE(big.Caption(), QStringLiteral("Старт"));
    const QImage withCaption = Grab(big);
    const int darkBelowImage =
        CountPixels(withCaption.copy(0, 44, 57, 13), [](QColor c) { return c.value() < 90; });
    QVERIFY2(darkBelowImage > 10, "caption text under the image");
    QSignalSpy clicked(&big, &QAbstractButton::clicked);
    QTest::mouseClick(&big, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
}

void TestWidgets::imageButtonHoverPressAndDisabledLooks() {
    TImageList list(QSize(16, 16));
    list.Add(Swatch(QColor(200, 30, 30), 16, 2));
    TImageButton button(&list, 0);
    button.resize(40, 40);
    const QImage plain = Grab(button);
    // Plain: the image's left column of colour starts at x = 12 + 2.
    const int plainLeft = [&] {
        for (int x = 0; x < 40; ++x)
            if (Near(plain.pixelColor(x, 20), QColor(200, 30, 30)))
                return x;
        return -1;
    }();
    QCOMPARE(plainLeft, 14);

    // Hover: a dark soft shadow appears (pixels darker than the background
    // that are not the image), and a frame.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    QVERIFY(button.IsHovered());
    const QImage hovered = Grab(button);
    const QColor background = plain.pixelColor(1, 1);
    const int shadowPixels = CountPixels(hovered, [&](QColor c) {
        const bool grey = std::abs(c.red() - c.green()) < 10 && std::abs(c.green() - c.blue()) < 10;
        return grey && c.value() < background.value() - 30;
    });
    QVERIFY2(shadowPixels > 20, "shadow under the hovered image");
    QVERIFY(hovered != plain);

    // Pressed: image one pixel right of the plain place.
    button.setDown(true);
    const QImage pressed = Grab(button);
    const int pressedLeft = [&] {
        for (int x = 0; x < 40; ++x)
            if (Near(pressed.pixelColor(x, 20), QColor(200, 30, 30)))
                return x;
        return -1;
    }();
    QCOMPARE(pressedLeft, plainLeft + 1);
    button.setDown(false);

    // Disabled: grey and lighter; no hover look and no click.
    button.setEnabled(false);
    const QImage disabled = Grab(button);
    const QColor inside = disabled.pixelColor(20, 20);
    QVERIFY(std::abs(inside.red() - inside.green()) < 8);
    QVERIFY(inside.value() > QColor(200, 30, 30).value() / 2);
    QCOMPARE(CountPixels(disabled, [](QColor c) { return c.red() > c.green() + 40; }), 0);
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 0);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    QVERIFY(!button.IsHovered());
}

void TestWidgets::imageButtonSurvivesItsListBeingDeleted() {
    auto list = std::make_unique<TImageList>(QSize(16, 16));
    list->Add(Swatch(Qt::red, 16));
    TImageButton button(list.get(), 0);
    button.resize(19, 21);
    Grab(button);
    list.reset();
    QCOMPARE(button.Images(), nullptr);
    Grab(button); // draws nothing, does not crash
}

void TestWidgets::flatToolTipsRuleIsAddedOnce() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    QVERIFY(app);
    const QString before = app->styleSheet();
    ApplyFlatToolTips(*app);
    const QString once = app->styleSheet();
    QVERIFY(once.contains(QStringLiteral("QToolTip")));
    QVERIFY(once.contains(QStringLiteral("rgb(50, 78, 97)")));
    ApplyFlatToolTips(*app);
    QCOMPARE(app->styleSheet(), once);
    app->setStyleSheet(before);
}

void TestWidgets::gradientHeaderRunsFromHighlightToWindow() {
    TGradientHeader strip;
    strip.resize(177, 5);
    const QImage thin = Grab(strip);
    QVERIFY(Near(thin.pixelColor(80, 0), strip.palette().color(QPalette::Highlight), 40));
    QVERIFY(Near(thin.pixelColor(80, 4), strip.palette().color(QPalette::Window), 60));

    TGradientHeader header;
    header.resize(334, 60);
    header.SetCaption(QStringLiteral("Программа: Трасолан"));
    header.SetComment(QStringLiteral("Автор: Велеска"));
    QCOMPARE(header.Caption(), QStringLiteral("Программа: Трасолан"));
    QCOMPARE(header.Comment(), QStringLiteral("Автор: Велеска"));
    const QImage withText = Grab(header);
    TGradientHeader bare;
    bare.resize(334, 60);
    QVERIFY(withText != Grab(bare));
}

void TestWidgets::flatCheckBoxSignalsEveryChange() {
    TFlatCheckBox box(QStringLiteral("Является городом"));
    box.resize(121, 17);
    QSignalSpy toggled(&box, &QCheckBox::toggled);
    box.SetChecked(true); // set from code, as a window does while filling itself
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled.last().at(0).toBool(), true);
    box.SetChecked(true); // no change, no signal
    QCOMPARE(toggled.count(), 1);
    box.SetChecked(false);
    QCOMPARE(toggled.count(), 2);
    QVERIFY(!box.Checked());
    // A click on the caption toggles too.
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(80, 8));
    QVERIFY(box.Checked());
    QCOMPARE(toggled.count(), 3);
    // The checked box shows a glyph inside the square.
    const QImage checked = Grab(box);
    box.SetChecked(false);
    const QImage unchecked = Grab(box);
    QVERIFY(checked.copy(0, 0, 15, 17) != unchecked.copy(0, 0, 15, 17));
}

void TestWidgets::flatEditsKeepTheirValues() {
    TFlatEdit edit;
    edit.setReadOnly(true);
    edit.setText(QStringLiteral("3 1 4 1 5"));
    edit.resize(461, 21);
    QCOMPARE(edit.text(), QStringLiteral("3 1 4 1 5"));
    const QImage picture = Grab(edit);
    // Flat frame: the border is one line of the palette's mid colour.
    QVERIFY(Near(picture.pixelColor(0, 10), edit.palette().color(QPalette::Mid), 10));
    QVERIFY(Near(picture.pixelColor(1, 10), edit.palette().color(QPalette::Base), 10));

    TFlatSpinEdit spin;
    spin.setRange(4, 100);
    spin.SetValue(10);
    QCOMPARE(spin.Value(), 10);
    spin.SetValue(1000);
    QCOMPARE(spin.Value(), 100);
    spin.resize(60, 21);
    spin.stepDown();
    QCOMPARE(spin.Value(), 99);
    QVERIFY(!Grab(spin).isNull());
}

void TestWidgets::clockFormatsAndClampsTime() {
    TSevenSegmentClock clock;
    QCOMPARE(clock.Text(), QStringLiteral("00:00:00"));
    clock.SetTime(1, 2, 3);
    QCOMPARE(clock.Text(), QStringLiteral("01:02:03"));
    QCOMPARE(clock.Hours(), 1);
    QCOMPARE(clock.Minutes(), 2);
    QCOMPARE(clock.Seconds(), 3);
    // Long runs keep every digit of the hours.
    clock.SetTime(123, 59, 59);
    QCOMPARE(clock.Text(), QStringLiteral("123:59:59"));
    clock.SetTime(-1, -5, 250);
    QCOMPARE(clock.Text(), QStringLiteral("00:00:99"));
    QCOMPARE(clock.SegmentColor(), QColor(Qt::darkBlue));
    QCOMPARE(clock.BackgroundColor(), QColor(Qt::white));
}

void TestWidgets::clockBlanksAndShowsSegments() {
    TSevenSegmentClock clock;
    clock.resize(96, 24);
    clock.SetTime(8, 8, 8);
    const auto segmentPixels = [&](const QImage& image) {
        return CountPixels(image, [](QColor c) { return c.blue() > c.red() + 40; });
    };
    const int lit = segmentPixels(Grab(clock));
    QVERIFY2(lit > 100, "segments are drawn");

    clock.SetActive(false);
    QVERIFY(!clock.Active());
    const QImage blank = Grab(clock);
    QCOMPARE(CountPixels(blank, [](QColor c) { return c != QColor(Qt::white); }), 0);

    clock.SetActive(true);
    QCOMPARE(segmentPixels(Grab(clock)), lit);

    // Fewer segments lit for 11:11:11 than for 08:08:08; showing the off
    // segments adds faint ones.
    clock.SetTime(11, 11, 11);
    const int ones = segmentPixels(Grab(clock));
    QVERIFY(ones < lit);
    clock.SetShowOffSegments(true);
    const QImage faint = Grab(clock);
    const int tinted = CountPixels(faint, [](QColor c) { return c != QColor(Qt::white); });
    QVERIFY(tinted > CountPixels(Grab(clock), [](QColor c) { return c.blue() > c.red() + 80; }));
    QVERIFY(tinted > ones);

    clock.SetBackgroundColor(Qt::black);
    clock.SetActive(false);
    QCOMPARE(CountPixels(Grab(clock), [](QColor c) { return c != QColor(Qt::black); }), 0);
}

void TestWidgets::clockPressedSignal() {
    TSevenSegmentClock clock;
    clock.resize(96, 24);
    QSignalSpy pressed(&clock, &TSevenSegmentClock::pressed);
    QTest::mousePress(&clock, Qt::LeftButton);
    QCOMPARE(pressed.count(), 1);
    QTest::mouseRelease(&clock, Qt::LeftButton);
    clock.SetActive(false); // a blank clock still starts a drag
    QTest::mousePress(&clock, Qt::LeftButton);
    QCOMPARE(pressed.count(), 2);
    QTest::mouseRelease(&clock, Qt::LeftButton);
}

void TestWidgets::barChartHoldsPointsWithColoursAndLabels() {
    TBarChart chart;
    chart.resize(400, 300);
    const int s = chart.AddSeries(QStringLiteral("Series1"));
    QCOMPARE(s, 0);
    const QStringList names = {QStringLiteral("OP"), QStringLiteral("PMX"),
                               QStringLiteral("Triangle"), QStringLiteral("SOP"),
                               QStringLiteral("CUBX")};
    for (int k = 0; k < 5; ++k)
        chart.AddPoint(s, k * 10, QColor(255, 0, 0), names[k]);
    QCOMPARE(chart.PointCount(s), 5);
    QCOMPARE(chart.PointValue(s, 3), 30.0);
    QCOMPARE(chart.PointColor(s, 4), QColor(255, 0, 0));
    QCOMPARE(chart.PointLabel(s, 2), QStringLiteral("Triangle"));
    // Unknown series and points are ignored and read as empty.
    chart.AddPoint(7, 1, Qt::red);
    QCOMPARE(chart.PointCount(7), 0);
    QCOMPARE(chart.PointValue(s, 9), 0.0);
    QCOMPARE(chart.PointLabel(-1, 0), QString());

    chart.Flush();
    const QList<QStackedBarSeries*> built = BarSeriesOf(chart);
    QCOMPARE(built.size(), 1);
    QCOMPARE(built[0]->count(), 5);
    // Each point is its own bar set: value at its own position, 0 elsewhere.
    const QBarSet* third = built[0]->barSets().at(3);
    QCOMPARE(third->at(3), 30.0);
    QCOMPARE(third->sum(), 30.0);

    // Five bars of height 0 (adaptive choice off all run) are still five
    // labelled points.
    chart.Clear();
    QCOMPARE(chart.SeriesCount(), 1);
    QCOMPARE(chart.PointCount(s), 0);
    for (int k = 0; k < 5; ++k)
        chart.AddPoint(s, 0, QColor(255, 0, 0), names[k]);
    chart.Flush();
    QCOMPARE(BarSeriesOf(chart)[0]->count(), 5);
    QCOMPARE(chart.LeftAxisMin(), 0.0);
    QVERIFY(chart.LeftAxisMax() > 0);

    chart.RemoveAllSeries();
    chart.Flush();
    QCOMPARE(chart.SeriesCount(), 0);
    QCOMPARE(BarSeriesOf(chart).size(), 0);
}

void TestWidgets::barChartMarksAndLegendTexts() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TBarChart chart;
    TBarSeriesOptions labelValue;
    labelValue.Marks = TMarkStyle::LabelAndValue;
    labelValue.Axis = TBarAxis::Right;
    labelValue.InLegend = true;
    labelValue.LegendText = TLegendText::PercentAndLabel;
    TBarSeriesOptions percent;
    percent.Marks = TMarkStyle::Percent;
    TBarSeriesOptions plain; // default: value marks
    TBarSeriesOptions none;
    none.Marks = TMarkStyle::None;
    TBarSeriesOptions labels;
    labels.Marks = TMarkStyle::Label;
    const int a = chart.AddSeries(QStringLiteral("a"), labelValue);
    const int b = chart.AddSeries(QStringLiteral("b"), percent);
    const int c = chart.AddSeries(QStringLiteral("c"), plain);
    const int d = chart.AddSeries(QStringLiteral("d"), none);
    const int e = chart.AddSeries(QStringLiteral("e"), labels);
    chart.AddPoint(a, 12.5, Qt::red, QStringLiteral("OP 12,5"));
    chart.AddPoint(a, 37.5, Qt::blue, QStringLiteral("PMX 37,5"));
    chart.AddPoint(b, 1, Qt::red);
    chart.AddPoint(b, 3, Qt::blue);
    chart.AddPoint(c, 1234.25, Qt::red, QStringLiteral("x"));
    chart.AddPoint(d, 5, Qt::red, QStringLiteral("y"));
    chart.AddPoint(e, 5, Qt::red, QStringLiteral("z"));

    QCOMPARE(chart.MarkText(a, 0), QStringLiteral("OP 12,5 12,5"));
    QCOMPARE(chart.MarkText(b, 0), QStringLiteral("25 %"));
    QCOMPARE(chart.MarkText(b, 1), QStringLiteral("75 %"));
    QCOMPARE(chart.PointPercent(b, 1), 75.0);
    QCOMPARE(chart.MarkText(c, 0), QLocale().toString(1234.25, 'f', 2));
    QCOMPARE(chart.MarkText(d, 0), QString());
    QCOMPARE(chart.MarkText(e, 0), QStringLiteral("z"));
    QCOMPARE(chart.LegendText(a, 1), QStringLiteral("75 % PMX 37,5"));
    QCOMPARE(chart.LegendText(c, 0), QStringLiteral("x"));

    // A series whose values sum to 0 shows 0 %, not a division by zero.
    chart.ClearSeries(b);
    chart.AddPoint(b, 0, Qt::red);
    chart.AddPoint(b, 0, Qt::blue);
    QCOMPARE(chart.PointPercent(b, 0), 0.0);
    QCOMPARE(chart.MarkText(b, 1), QStringLiteral("0 %"));
    QCOMPARE(chart.PointCount(a), 2); // other series untouched
    QLocale::setDefault(QLocale::c());
}

void TestWidgets::barChartAxes() {
    TBarChart chart;
    chart.resize(500, 350);
    const int s = chart.AddSeries(QStringLiteral("s"));
    chart.AddPoint(s, 47, Qt::red, QStringLiteral("a"));
    chart.AddPoint(s, 90, Qt::red, QStringLiteral("b"));
    chart.Flush();
    // Automatic: from 0, above the tallest bar.
    QCOMPARE(chart.LeftAxisMin(), 0.0);
    QVERIFY(chart.LeftAxisMax() >= 90);
    QVERIFY(chart.LeftAxisMax() <= 200);
    chart.SetLeftAxisRange(0, 100);
    chart.AddPoint(s, 400, Qt::red, QStringLiteral("c"));
    chart.Flush();
    QCOMPARE(chart.LeftAxisMax(), 100.0);
    chart.SetLeftAxisAutomatic();
    chart.Flush();
    QVERIFY(chart.LeftAxisMax() >= 400);
    // A series on the hidden right axis does not stretch the left one.
    TBarSeriesOptions right;
    right.Axis = TBarAxis::Right;
    const int r = chart.AddSeries(QStringLiteral("r"), right);
    chart.AddPoint(r, 100000, Qt::blue);
    chart.Flush();
    QVERIFY(chart.LeftAxisMax() < 1000);
    // Values that are not numbers do not break the scale.
    chart.AddPoint(s, std::nan(""), Qt::red, QStringLiteral("nan"));
    chart.Flush();
    QVERIFY(std::isfinite(chart.LeftAxisMax()));
    QVERIFY(!Grab(chart).isNull());
}

void TestWidgets::barChartRefillReusesBars() {
    TBarChart chart;
    chart.resize(300, 200);
    const int s = chart.AddSeries(QStringLiteral("ChromSost"));
    for (int k = 0; k < 5; ++k)
        chart.AddPoint(s, k, QColor(255, 0, 0), QString::number(k));
    chart.Flush();
    const QList<QBarSet*> before = BarSeriesOf(chart)[0]->barSets();
    // Clear and refill, as the solver panel does every generation.
    for (int round = 1; round <= 3; ++round) {
        chart.Clear();
        for (int k = 0; k < 5; ++k)
            chart.AddPoint(s, k * round, QColor(255, 0, 0), QString::number(k));
        chart.Flush();
    }
    const QList<QBarSet*> after = BarSeriesOf(chart)[0]->barSets();
    QCOMPARE(after, before);
    QCOMPARE(after[4]->at(4), 12.0);
    // The changes are applied by the event loop without an explicit Flush.
    chart.SetPoint(s, 2, 77, Qt::green, QStringLiteral("two"));
    QTRY_COMPARE(BarSeriesOf(chart)[0]->barSets()[2]->at(2), 77.0);
    QCOMPARE(chart.PointLabel(s, 2), QStringLiteral("two"));
}

void TestWidgets::barChartLegendListsOnlyChosenSeries() {
    TBarChart chart;
    chart.resize(600, 400);
    chart.SetLegendVisible(true);
    chart.SetLegendAlignment(Qt::AlignBottom);
    TBarSeriesOptions listed;
    listed.InLegend = true;
    listed.LegendText = TLegendText::PercentAndLabel;
    const int a = chart.AddSeries(QStringLiteral("a"), listed);
    const int b = chart.AddSeries(QStringLiteral("b"));
    for (int k = 0; k < 6; ++k) {
        chart.AddPoint(a, k + 1, Qt::red, QStringLiteral("p%1").arg(k));
        chart.AddPoint(b, k + 1, Qt::red);
    }
    chart.show(); // a marker reports itself visible only on a shown legend
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.Flush();
    QVERIFY(chart.LegendVisible());
    int visible = 0;
    QStringList texts;
    const QList<QLegendMarker*> markers = chart.Chart()->legend()->markers();
    for (QLegendMarker* m : markers)
        if (m->isVisible()) {
            ++visible;
            texts.append(m->label());
        }
    QCOMPARE(visible, 6);
    QCOMPARE(texts.first(), chart.LegendText(a, 0));
}

void TestWidgets::lineChartSetPointsAndRanges() {
    TLineChart chart;
    chart.resize(500, 300);
    const int worst = chart.AddSeries(QStringLiteral("worst"), Qt::red);
    const int best = chart.AddSeries(QStringLiteral("best"), Qt::blue);
    QCOMPARE(chart.SeriesCount(), 2);
    QVERIFY(!chart.LegendVisible());
    // Empty: axes from 0.
    QCOMPARE(chart.LeftAxis()->min(), 0.0);

    QList<QPointF> upper;
    QList<QPointF> lower;
    for (int g = 1; g <= 4000; ++g) {
        upper.append(QPointF(g, 5000 - g / 2.0));
        lower.append(QPointF(g, 3000 - g / 4.0));
    }
    chart.SetPoints(worst, upper);
    chart.SetPoints(best, lower);
    QCOMPARE(chart.PointCount(worst), 4000);
    QCOMPARE(chart.PointCount(best), 4000);
    QCOMPARE(chart.Points(best).last(), QPointF(4000, 2000));
    QCOMPARE(chart.Series(worst)->pen().color(), QColor(Qt::red));
    QVERIFY(!chart.Series(worst)->pointsVisible());
    QCOMPARE(chart.LeftAxis()->min(), 0.0);
    QVERIFY(chart.LeftAxis()->max() >= 4999.5);
    QVERIFY(chart.BottomAxis()->min() <= 1);
    QVERIFY(chart.BottomAxis()->max() >= 4000);

    // Replacing with a shorter list shrinks the ranges again.
    chart.SetPoints(worst, {QPointF(1, 10), QPointF(2, 8)});
    chart.SetPoints(best, {QPointF(1, 6), QPointF(2, 5)});
    QCOMPARE(chart.PointCount(worst), 2);
    QVERIFY(chart.LeftAxis()->max() < 100);
    QCOMPARE(chart.LeftAxis()->min(), 0.0);
    chart.SetPoints(9, upper); // unknown series: ignored
    QCOMPARE(chart.PointCount(9), 0);
}

void TestWidgets::lineChartAppendAndClear() {
    TLineChart chart;
    const int s = chart.AddSeries(QStringLiteral("s"), Qt::blue);
    for (int g = 1; g <= 100; ++g)
        chart.AppendPoint(s, QPointF(g, 50 + g));
    QCOMPARE(chart.PointCount(s), 100);
    QVERIFY(chart.LeftAxis()->max() >= 150);
    QVERIFY(chart.BottomAxis()->max() >= 100);
    QCOMPARE(chart.LeftAxis()->min(), 0.0);
    // A value below 0 does not move the minimum.
    chart.AppendPoint(s, QPointF(101, -20));
    QCOMPARE(chart.LeftAxis()->min(), 0.0);
    chart.AppendPoint(s, QPointF(102, std::nan("")));
    QVERIFY(std::isfinite(chart.LeftAxis()->max()));
    chart.Clear();
    QCOMPARE(chart.PointCount(s), 0);
    QCOMPARE(chart.LeftAxis()->min(), 0.0);
    QCOMPARE(chart.LeftAxis()->max(), 1.0);
}

namespace {

// Dark pixels in the left strip of a chart, where the value axis writes its
// numbers.
int DarkPixelsLeftOfThePlot(QWidget& chart, int stripWidth) {
    const QImage image = chart.grab().toImage();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < stripWidth; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++dark;
    return dark;
}

} // namespace

void TestWidgets::axisNumbersAreDrawnWithTheDecimalComma() {
    // Under a locale with a decimal comma some label formats make the axes
    // draw no numbers at all; the charts must keep theirs.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TLineChart line;
    line.resize(400, 300);
    line.AddSeries(QStringLiteral("s"), Qt::red);
    QVERIFY(DarkPixelsLeftOfThePlot(line, 30) > 20);
    TBarChart bars;
    bars.resize(400, 300);
    const int series = bars.AddSeries(QStringLiteral("b"), TBarSeriesOptions{});
    bars.AddPoint(series, 2.5, Qt::red);
    bars.Flush();
    QVERIFY(DarkPixelsLeftOfThePlot(bars, 30) > 20);
    QLocale::setDefault(QLocale::c());
}

void TestWidgets::depthDrawsTheBarsAsBoxes() {
    // The side face of a red box is a darker red that the flat bars (a
    // gradient from light to full red) never use.
    const auto sidePixels = [](TBarChart& chart) {
        chart.Flush();
        const QImage image = chart.grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() >= 150 && c.red() <= 190 && c.green() < 30 && c.blue() < 30)
                    ++count;
            }
        return count;
    };
    TBarChart chart;
    chart.resize(400, 300);
    const int series = chart.AddSeries(QStringLiteral("s"), TBarSeriesOptions{});
    chart.AddPoint(series, 10, Qt::red);
    chart.AddPoint(series, 4, Qt::red);
    QCOMPARE(chart.Depth(), 0);
    const int flat = sidePixels(chart);
    chart.SetDepth(12);
    const int boxes = sidePixels(chart);
    QVERIFY2(boxes > flat + 500, qPrintable(QStringLiteral("%1 vs %2").arg(boxes).arg(flat)));
    // Emptied, the chart leaves no faces behind.
    chart.Clear();
    QVERIFY(sidePixels(chart) <= flat);
}

void TestWidgets::lineChartAxesNeverAskForThousandsOfTicks() {
    // An axis lays out its ticks after every change of range or step; a
    // wide new range seen for a moment with the old small step would build
    // tens of thousands of tick items (seconds of work on a shown chart).
    TLineChart chart;
    chart.resize(600, 400);
    const int s = chart.AddSeries(QStringLiteral("s"), Qt::red);
    int worst = 0;
    for (QValueAxis* axis : {chart.LeftAxis(), chart.BottomAxis()}) {
        const auto check = [axis, &worst] {
            if (axis->tickType() != QValueAxis::TicksDynamic || axis->tickInterval() <= 0)
                return;
            worst = std::max(worst,
                             static_cast<int>((axis->max() - axis->min()) / axis->tickInterval()));
        };
        connect(axis, &QValueAxis::rangeChanged, &chart, check);
        connect(axis, &QValueAxis::tickIntervalChanged, &chart, check);
        connect(axis, &QValueAxis::tickTypeChanged, &chart, check);
    }
    QList<QPointF> many;
    for (int g = 0; g < 4000; ++g)
        many.append(QPointF(g, 3000 - g / 3.0));
    chart.SetPoints(s, many);
    chart.SetPoints(s, {QPointF(0, 0.5), QPointF(1, 0.25)});
    chart.SetPoints(s, many);
    chart.Clear();
    QVERIFY2(worst <= 20, qPrintable(QString::number(worst)));
    QVERIFY(worst >= 2);
}

void TestWidgets::captionBarSignals() {
    TImageList list(QSize(16, 16));
    list.Add(Swatch(Qt::red, 16));
    TCaptionBar bar;
    bar.resize(177, 23);
    bar.SetCaption(QStringLiteral("Информация"));
    bar.RightButton()->SetImages(&list);
    QCOMPARE(bar.Caption(), QStringLiteral("Информация"));
    QCOMPARE(bar.cursor().shape(), Qt::SizeAllCursor);
    QSignalSpy pressed(&bar, &TCaptionBar::pressed);
    QSignalSpy doubled(&bar, &TCaptionBar::doubleClicked);
    QSignalSpy closeClicked(bar.RightButton(), &QAbstractButton::clicked);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(pressed.count(), 1);
    // On the caption label as on the bar.
    QLabel* label = bar.CaptionLabel();
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(pressed.count(), 2);
    QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(doubled.count(), 1);
    QTest::mouseDClick(&bar, Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(doubled.count(), 2);
    // A click on a button is the button's, not a drag of the bar.
    const int pressesBefore = pressed.count();
    QTest::mouseClick(bar.RightButton(), Qt::LeftButton);
    QCOMPARE(closeClicked.count(), 1);
    QCOMPARE(pressed.count(), pressesBefore);
    // The caption stays centred; an unmoved button keeps to its end.
    bar.show();
    bar.resize(627, 27);
    QCOMPARE(bar.RightButton()->geometry().right(), 627 - 1 - 4);
    QVERIFY(std::abs(label->geometry().center().x() - 313) <= 1);
}

void TestWidgets::captionBarKeepsButtonsTheWindowPlaced() {
    TCaptionBar bar;
    bar.setGeometry(0, 0, 300, 27);
    bar.RightButton()->move(150, 3); // the window's own place, before the first show
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QCOMPARE(bar.RightButton()->pos(), QPoint(150, 3));
    bar.resize(400, 27);
    QCOMPARE(bar.RightButton()->pos(), QPoint(150, 3));
    QCOMPARE(bar.LeftButton()->pos(), QPoint(4, 3));
}

void TestWidgets::captionBarDragMovesWindow() {
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(200, 120);
    window.move(100, 100);
    auto* bar = new TCaptionBar(&window);
    bar->setGeometry(0, 0, 200, 23);
    connect(bar, &TCaptionBar::pressed, &window, [&window] { StartWindowDrag(&window); });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint start = window.pos();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(50, 10));
    QTest::mouseMove(bar, QPoint(80, 30));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(80, 30));
    // The platform's own move loop (where there is one) or the pointer
    // follower has moved the window; after the release nothing moves it.
    QTRY_VERIFY(window.pos() != start);
    const QPoint after = window.pos();
    QTest::mouseMove(bar, QPoint(10, 10));
    QCOMPARE(window.pos(), after);
}

void TestWidgets::gallery() {
    // Every control at the sizes the windows use, rendered for a look by eye.
    if (ShotsDir().isEmpty())
        QSKIP("set TRASOLAN_WIDGETS_SHOTS to a folder to render the gallery");
    QVERIFY(QDir().mkpath(ShotsDir()));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TImageList tools(QSize(32, 32));
    tools.Add(Glyph(QColor(40, 140, 60), 32));
    tools.Add(Glyph(QColor(200, 150, 20), 32));
    tools.Add(Glyph(QColor(190, 40, 40), 32));
    TImageList small(QSize(16, 16));
    small.Add(Glyph(QColor(190, 40, 40), 16));
    small.Add(Glyph(QColor(40, 90, 190), 16));

    QWidget panel;
    panel.resize(420, 260);
    panel.setAutoFillBackground(true);
    int x = 4;
    const auto place = [&](TImageButton* b, int w, int h, int left, int top) {
        b->setGeometry(left, top, w, h);
    };
    auto* normal = new TImageButton(&tools, 0, &panel);
    place(normal, 37, 32, x, 4);
    auto* hovered = new TImageButton(&tools, 1, &panel);
    place(hovered, 37, 32, x += 40, 4);
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(hovered, &enter);
    auto* down = new TImageButton(&tools, 2, &panel);
    place(down, 37, 32, x += 40, 4);
    down->setDown(true);
    auto* off = new TImageButton(&tools, 2, &panel);
    place(off, 37, 32, x += 40, 4);
    off->setEnabled(false);
    auto* start = new TImageButton(&tools, 0, &panel);
    start->SetCaption(QStringLiteral("Старт"));
    place(start, 57, 57, 180, 4);
    auto* startHover = new TImageButton(&tools, 1, &panel);
    startHover->SetCaption(QStringLiteral("Пауза"));
    place(startHover, 57, 57, 240, 4);
    QApplication::sendEvent(startHover, &enter);
    auto* stop = new TImageButton(&tools, 2, &panel);
    stop->SetCaption(QStringLiteral("Стоп"));
    place(stop, 57, 57, 300, 4);
    stop->setEnabled(false);

    auto* caption = new TCaptionBar(&panel);
    caption->setGeometry(0, 70, 177, 23);
    caption->SetCaption(QStringLiteral("Информация"));
    caption->LeftButton()->hide();
    caption->RightButton()->SetImages(&small);
    caption->RightButton()->SetImageIndex(0);
    auto* strip = new TGradientHeader(&panel);
    strip->setGeometry(0, 93, 177, 5);
    auto* check = new TFlatCheckBox(QStringLiteral("Является городом"), &panel);
    check->setGeometry(8, 106, 121, 17);
    check->SetChecked(true);
    auto* check2 = new TFlatCheckBox(QStringLiteral("Использовать стратегию элитизма"), &panel);
    check2->setGeometry(8, 126, 220, 17);
    auto* edit = new TFlatEdit(QStringLiteral("3 7 1 0 9 2 8 4 6 5"), &panel);
    edit->setReadOnly(true);
    edit->setGeometry(8, 150, 200, 21);
    auto* spin = new TFlatSpinEdit(&panel);
    spin->setGeometry(220, 150, 60, 21);
    spin->setValue(10);
    auto* clock = new TSevenSegmentClock(&panel);
    clock->setGeometry(200, 80, 90, 22);
    clock->SetTime(1, 23, 45);
    auto* faint = new TSevenSegmentClock(&panel);
    faint->setGeometry(300, 80, 90, 22);
    faint->SetTime(0, 0, 7);
    faint->SetShowOffSegments(true);
    auto* header = new TGradientHeader(&panel);
    header->setGeometry(0, 180, 334, 60);
    header->SetCaption(QStringLiteral("Программа: Трасолан"));
    header->SetComment(QStringLiteral("Автор: Велеска"));
    Save(panel, QStringLiteral("controls"));

    // The chromosome-state chart of the solver panel and its window.
    TBarChart chrom;
    chrom.resize(774, 520);
    TBarSeriesOptions chromOptions;
    chromOptions.MarkBackground = QColor(255, 255, 210);
    const int cs = chrom.AddSeries(QStringLiteral("Series1"), chromOptions);
    const QStringList kinds = {QStringLiteral("OP"), QStringLiteral("PMX"),
                               QStringLiteral("Triangle"), QStringLiteral("SOP"),
                               QStringLiteral("CUBX")};
    const double totals[5] = {132, 87, 301, 45, 12};
    for (int k = 0; k < 5; ++k)
        chrom.AddPoint(cs, totals[k], QColor(255, 0, 0), kinds[k]);
    chrom.SetBackgroundGradient(QColor(192, 192, 192), QColor(192, 192, 192).lighter(115));
    chrom.Flush();
    Save(chrom, QStringLiteral("chart-chromsost"));

    // The small chart of the solver panel: no left axis, no title.
    TBarChart panelChart;
    panelChart.resize(300, 150);
    panelChart.SetLeftAxisVisible(false);
    const int ps = panelChart.AddSeries(QStringLiteral("Series1"));
    for (int k = 0; k < 5; ++k)
        panelChart.AddPoint(ps, k == 2 ? 0 : totals[k], QColor(255, 0, 0), kinds[k]);
    panelChart.Flush();
    Save(panelChart, QStringLiteral("chart-panel"));

    // The crossover-test chart: three series of six points, the first on
    // the hidden right axis, a legend of percentages at the bottom.
    TBarChart test;
    test.resize(775, 560);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setBold(true);
    titleFont.setPixelSize(15);
    test.SetTitle(QStringLiteral("Тест кроссоверов генетического алгоритма"));
    test.SetTitleFont(titleFont);
    test.SetTitleColor(Qt::blue);
    test.SetFootLines({QStringLiteral("1 столбец - результат (чем меньше, тем точнее)"),
                       QStringLiteral("2 столбец - время работы (чем больше, тем дольше работает)"),
                       QStringLiteral("3 столбец - количество итераций")});
    test.SetLeftAxisRange(0, 100);
    test.SetLeftAxisTitle(QStringLiteral("%"));
    test.SetLeftAxisLineVisible(false);
    test.SetLegendVisible(true);
    test.SetLegendAlignment(Qt::AlignBottom);
    TBarSeriesOptions o1;
    o1.Marks = TMarkStyle::LabelAndValue;
    o1.Axis = TBarAxis::Right;
    o1.InLegend = true;
    o1.LegendText = TLegendText::PercentAndLabel;
    TBarSeriesOptions o2;
    o2.Marks = TMarkStyle::Percent;
    TBarSeriesOptions o3;
    const int s1 = test.AddSeries(QStringLiteral("Series1"), o1);
    const int s2 = test.AddSeries(QStringLiteral("Series2"), o2);
    const int s3 = test.AddSeries(QStringLiteral("Series3"), o3);
    const double results[6] = {1520, 1490, 1610, 1555, 1502, 1480};
    const double times[6] = {12, 15, 9, 14, 13, 16};
    const double gens[6] = {420, 510, 380, 460, 445, 530};
    double sr = 0, st = 0, sg = 0;
    for (int k = 0; k < 6; ++k) {
        sr += results[k];
        st += times[k];
        sg += gens[k];
    }
    const QStringList names = {QStringLiteral("OP"),       QStringLiteral("PMX"),
                               QStringLiteral("Triangle"), QStringLiteral("SOP"),
                               QStringLiteral("CUBX"),     QStringLiteral("Adaptive")};
    const QColor colours[6] = {QColor(200, 60, 60),  QColor(60, 160, 60),  QColor(60, 90, 200),
                               QColor(210, 170, 40), QColor(150, 60, 170), QColor(40, 160, 170)};
    for (int k = 0; k < 6; ++k) {
        test.AddPoint(s1, results[k] * 100 / sr, colours[k],
                      names[k] + QLatin1Char(' ') + QString::number(results[k]));
        test.AddPoint(s2, times[k] * 100 / st, colours[k]);
        test.AddPoint(s3, gens[k] * 100 / sg, colours[k], QString::number(gens[k]));
    }
    test.Flush();
    Save(test, QStringLiteral("chart-crossover-test"));

    // The fitness graph.
    TLineChart fitness;
    fitness.resize(774, 520);
    fitness.SetTitle(QStringLiteral("График приспособленности самой лучшей и самой плохой особей"));
    fitness.SetTitleFont(titleFont);
    fitness.SetTitleColor(Qt::blue);
    fitness.SetFootLines({QStringLiteral("красная кривая - самая плохая"),
                          QStringLiteral("синяя кривая - самая хорошая")});
    const int w = fitness.AddSeries(QStringLiteral("Series1"), Qt::red);
    const int b = fitness.AddSeries(QStringLiteral("Series2"), Qt::blue);
    QList<QPointF> worst, best;
    for (int g = 0; g < 400; ++g) {
        worst.append(QPointF(g, 2600 - 900 * (1 - std::exp(-g / 80.0)) + 120 * std::sin(g / 7.0)));
        best.append(QPointF(g, 1900 - 500 * (1 - std::exp(-g / 60.0))));
    }
    fitness.SetPoints(w, worst);
    fitness.SetPoints(b, best);
    Save(fitness, QStringLiteral("chart-fitness"));
    TLineChart emptyFitness;
    emptyFitness.resize(500, 300);
    emptyFitness.AddSeries(QStringLiteral("Series1"), Qt::red);
    Save(emptyFitness, QStringLiteral("chart-fitness-empty"));
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
