// The map picture: layers, colours and geometry of RedrawMap's composition,
// and the hit test of the editor.

#include "support/AppFixture.h"
#include "support/MapHelpers.h"

#include "map/TSPMap.h"
#include "ui/MapPainter.h"
#include "ui/untMain.h"
#include "ui/untMainHitIndex.h"

#include <QTest>

using fixture::AddNode;
using fixture::AddRoad;

namespace {

const QColor kSurface{212, 208, 200};

TMapPaintInput Input(const TTSPMap& map) {
    TMapPaintInput input;
    input.Map = &map;
    input.SurfaceSize = QSize(200, 150);
    input.SurfaceColor = kSurface;
    input.ShowRoads = true;
    return input;
}

QImage Compose(const TMapPaintInput& input) {
    QImage picture;
    ComposeMapPicture(input, picture);
    return picture;
}

TCity Node(int32_t id, double x, double y, bool isCity = true) {
    TCity city;
    city.ID = id;
    city.Name = std::to_string(id);
    city.X = x;
    city.Y = y;
    city.ThisCity = isCity;
    return city;
}

bool RowHas(const QImage& picture, int y, const QColor& colour) {
    for (int x = 0; x < picture.width(); ++x)
        if (picture.pixelColor(x, y) == colour)
            return true;
    return false;
}

} // namespace

class TestMapView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { fixture::ResetProgram(); }

    void emptyMapShowsOnlyTheSurface() {
        TTSPMap map;
        const QImage picture = Compose(Input(map));
        QCOMPARE(picture.size(), QSize(200, 150));
        for (int y = 0; y < picture.height(); y += 7)
            for (int x = 0; x < picture.width(); x += 7)
                QCOMPARE(picture.pixelColor(x, y), kSurface);
    }

    void nodesAreSixPixelSquaresInTheirColours() {
        TTSPMap map;
        map.AddCity(Node(0, 20, 20));
        map.AddCity(Node(1, 60.9, 40.2, false));
        map.AddCity(Node(2, 100, 60));
        map.AddCity(Node(3, 140, 80, false));
        map.SelectCity(2);
        map.SelectCity(3);
        const QImage picture = Compose(Input(map));
        // City: black outline from x-3 to x+2, red inside.
        QCOMPARE(picture.pixelColor(17, 17), QColor(0, 0, 0));
        QCOMPARE(picture.pixelColor(22, 22), QColor(0, 0, 0));
        QCOMPARE(picture.pixelColor(23, 23), kSurface);
        QCOMPARE(picture.pixelColor(16, 20), kSurface);
        QCOMPARE(picture.pixelColor(18, 18), QColor(255, 0, 0));
        QCOMPARE(picture.pixelColor(21, 21), QColor(255, 0, 0));
        // Transit point, drawn at its truncated position (60, 40).
        QCOMPARE(picture.pixelColor(60, 40), QColor(192, 192, 192));
        QCOMPARE(picture.pixelColor(57, 37), QColor(0, 0, 0));
        QCOMPARE(picture.pixelColor(63, 40), kSurface);
        // Selected nodes are lime, city or not.
        QCOMPARE(picture.pixelColor(100, 60), QColor(0, 255, 0));
        QCOMPARE(picture.pixelColor(140, 80), QColor(0, 255, 0));
    }

    void roadsRouteAndRubberBandInTheirOrder() {
        TTSPMap map;
        map.AddCity(Node(0, 20, 75));
        map.AddCity(Node(1, 180, 75));
        map.AddRoadEntry(0, 1);
        map.AddRoadEntry(1, 0);
        TMapPaintInput input = Input(map);
        QImage picture = Compose(input);
        QCOMPARE(picture.pixelColor(100, 75), QColor(128, 128, 128));
        QCOMPARE(picture.pixelColor(100, 74), kSurface);

        // The route lies above the roads and below the squares.
        const TIntegerArray route{0, 1};
        input.Route = &route;
        picture = Compose(input);
        QCOMPARE(picture.pixelColor(100, 75), QColor(0, 0, 255));
        QCOMPARE(picture.pixelColor(180, 75), QColor(255, 0, 0));

        // Roads off: only the route remains.
        input.ShowRoads = false;
        input.Route = nullptr;
        picture = Compose(input);
        QCOMPARE(picture.pixelColor(100, 75), kSurface);

        // The rubber band lies below the roads.
        input.ShowRoads = true;
        input.RubberBand = true;
        input.RubberBandFrom = QPoint(20, 75);
        input.RubberBandTo = QPoint(20, 140);
        picture = Compose(input);
        QCOMPARE(picture.pixelColor(20, 120), QColor(128, 128, 128));
    }

    void routeGenesAndRoadsNamingNoNodeAreSkipped() {
        TTSPMap map;
        map.AddCity(Node(0, 20, 20));
        map.AddCity(Node(1, 120, 20));
        map.AddRoadEntry(0, 7);
        map.AddRoadEntry(1, 0);
        TMapPaintInput input = Input(map);
        const TIntegerArray route{0, 9, 1, 0};
        input.Route = &route;
        const QImage picture = Compose(input);
        // Only the valid stretch 1 -> 0 is drawn; nothing toward (0, 0).
        QCOMPARE(picture.pixelColor(70, 20), QColor(0, 0, 255));
        QCOMPARE(picture.pixelColor(5, 5), kSurface);
        QCOMPARE(picture.pixelColor(10, 10), kSurface);
    }

    void gridEveryFifteenPixelsOverTheWholeSurface() {
        TTSPMap map;
        TMapPaintInput input = Input(map);
        input.SurfaceSize = QSize(1000, 800);
        input.ShowGrid = true;
        const QImage picture = Compose(input);
        const QColor silver(192, 192, 192);
        for (int x : {0, 15, 30, 495, 990})
            QCOMPARE(picture.pixelColor(x, 7), silver);
        for (int x : {1, 14, 16, 29})
            QCOMPARE(picture.pixelColor(x, 7), kSurface);
        for (int y : {0, 15, 780, 795})
            QCOMPARE(picture.pixelColor(7, y), silver);
        QCOMPARE(picture.pixelColor(7, 794), kSurface);
    }

    void namesSitAboveRightWithStartAndEndMarks() {
        TTSPMap map;
        map.AddCity(Node(0, 20, 100));
        map.AddCity(Node(1, 120, 100));
        map.AddCity(Node(2, 120, 140));
        map.SelectCity(1);
        map.SelectCity(0);
        QCOMPARE(NodeLabel(map, 0), QStringLiteral("0 (Конечная)"));
        QCOMPARE(NodeLabel(map, 1), QStringLiteral("1 (Начальная)"));
        QCOMPARE(NodeLabel(map, 2), QStringLiteral("2"));
        TTSPMap single;
        single.AddCity(Node(0, 20, 100));
        single.SelectCity(0);
        QCOMPARE(NodeLabel(single, 0), QStringLiteral("0 (Начальная)"));

        TMapPaintInput input = Input(map);
        input.SurfaceSize = QSize(300, 200);
        input.ShowNames = true;
        input.NameFont = QFont(QStringLiteral("DejaVu Sans"), 9);
        const QImage withNames = Compose(input);
        input.ShowNames = false;
        const QImage without = Compose(input);
        // Black text pixels appear above and right of the square, not below.
        const int height = QFontMetrics(input.NameFont).height();
        bool textAbove = false;
        for (int y = 97 - height; y < 97; ++y)
            for (int x = 23; x < 80; ++x)
                textAbove = textAbove || (withNames.pixelColor(x, y) == QColor(0, 0, 0) &&
                                          without.pixelColor(x, y) != QColor(0, 0, 0));
        QVERIFY(textAbove);
        for (int y = 104; y < 130; ++y)
            for (int x = 23; x < 80; ++x)
                QCOMPARE(withNames.pixelColor(x, y), without.pixelColor(x, y));
    }

    void highDensityPictureKeepsMapPixelGeometry() {
        TTSPMap map;
        map.AddCity(Node(0, 20, 20));
        TMapPaintInput input = Input(map);
        input.DevicePixelRatio = 2.0;
        const QImage picture = Compose(input);
        QCOMPARE(picture.size(), QSize(400, 300));
        QCOMPARE(picture.devicePixelRatio(), 2.0);
        // The square covers map pixels 17..22: physical 34..45.
        QCOMPARE(picture.pixelColor(34, 34), QColor(0, 0, 0));
        QCOMPARE(picture.pixelColor(45, 45), QColor(0, 0, 0));
        QCOMPARE(picture.pixelColor(46, 46), kSurface);
        QCOMPARE(picture.pixelColor(40, 40), QColor(255, 0, 0));
    }

    void redrawMapShowsTheGlobalMap() {
        AddNode(100, 100);
        AddNode(300, 200, false);
        AddRoad(0, 1);
        g_Map.SelectCity(0);
        frmMain->PaintSetka->setChecked(true);
        frmMain->RedrawMap();
        const QImage& picture = frmMain->MapPicture();
        QCOMPARE(picture.size() / picture.devicePixelRatio(), QSize(767, 446));
        QCOMPARE(picture.pixelColor(100, 100), QColor(0, 255, 0));
        QCOMPARE(picture.pixelColor(300, 200), QColor(192, 192, 192));
        QCOMPARE(picture.pixelColor(200, 150), QColor(128, 128, 128));
        QCOMPARE(picture.pixelColor(30, 7), QColor(192, 192, 192));
        QCOMPARE(picture.pixelColor(31, 7), frmMain->Roads->palette().color(QPalette::Button));
        // The view shows exactly the composed picture.
        const QImage shown = frmMain->Roads->grab().toImage();
        QCOMPARE(shown.pixelColor(100, 100), QColor(0, 255, 0));
        QCOMPARE(shown.pixelColor(200, 150), QColor(128, 128, 128));
    }

    void refreshComposesOnlyWhatChanged() {
        AddNode(100, 100);
        frmMain->RedrawMap();
        const qint64 unchanged = frmMain->MapPicture().cacheKey();
        frmMain->Timer1Timer();
        QCOMPARE(frmMain->MapPicture().cacheKey(), unchanged);

        // The selection, the kind and the name change without a new map
        // version; the next tick shows them all the same.
        g_Map.SelectCity(0);
        frmMain->Timer1Timer();
        QCOMPARE(frmMain->MapPicture().pixelColor(100, 100), QColor(0, 255, 0));
        g_Map.UnselectCity(0);
        g_Map.SetCityKind(0, false);
        frmMain->Timer1Timer();
        QCOMPARE(frmMain->MapPicture().pixelColor(100, 100), QColor(192, 192, 192));
        g_Display.ShowCityName = true;
        frmMain->Timer1Timer();
        const qint64 named = frmMain->MapPicture().cacheKey();
        g_Map.SetCityName(0, "Long name of the city");
        frmMain->Timer1Timer();
        QVERIFY(frmMain->MapPicture().cacheKey() != named);
        bool textFarRight = false;
        for (int y = 80; y < 98; ++y)
            for (int x = 130; x < 150; ++x)
                textFarRight = textFarRight || qGray(frmMain->MapPicture().pixel(x, y)) < 100;
        QVERIFY(textFarRight);
    }

    void noRouteUntilTheMatrixIsBuilt() {
        AddNode(20, 20);
        AddNode(200, 20);
        AddRoad(0, 1);
        g_Display.ShowPath = true;
        g_Display.ShowRoads = false;
        frmMain->RedrawMap();
        // No run has built the distance matrix: no blue.
        QVERIFY(!RowHas(frmMain->MapPicture(), 20, QColor(0, 0, 255)));
    }

    void hitIndexFindsFirstAndLastInListOrder() {
        TTSPMap map;
        map.AddCity(Node(0, 100, 100));
        map.AddCity(Node(1, 103, 102));
        map.AddCity(Node(2, 300, 300));
        TNodeHitIndex index;
        QCOMPARE(index.First(map, 101, 101), 0);
        QCOMPARE(index.Last(map, 101, 101), 1);
        QCOMPARE(index.First(map, 107.9, 100), 1);
        QCOMPARE(index.First(map, 95, 100), -1); // |dx| = 5 is not a hit
        QCOMPARE(index.First(map, 95.1, 100), 0);
        QCOMPARE(index.First(map, 200, 200), -1);
        QCOMPARE(index.First(map, 300, 304.9), 2);
        // The index follows the map's changes.
        map.SetCityPosition(2, 10, 10);
        QCOMPARE(index.First(map, 300, 300), -1);
        QCOMPARE(index.First(map, 12, 8), 2);
        map.Clear();
        QCOMPARE(index.First(map, 12, 8), -1);
    }

    void hitIndexAgreesWithAPlainScanOnALargeMap() {
        TTSPMap map;
        uint32_t seed = 12345;
        auto next = [&seed](int range) {
            seed = seed * 1103515245u + 12345u;
            return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
        };
        for (int i = 0; i < 5000; ++i)
            map.AddCity(Node(i, next(800) + next(100) / 100.0, next(500) + next(100) / 100.0));
        TNodeHitIndex index;
        for (int probe = 0; probe < 2000; ++probe) {
            const double x = next(820) - 10 + next(10) / 10.0;
            const double y = next(520) - 10 + next(10) / 10.0;
            int32_t first = -1, last = -1;
            for (int32_t p = 0; p < map.Count(); ++p) {
                const TCity& c = map.City(p);
                if (std::fabs(x - c.X) < 5 && std::fabs(y - c.Y) < 5) {
                    if (first < 0)
                        first = p;
                    last = p;
                }
            }
            QCOMPARE(index.First(map, x, y), first);
            QCOMPARE(index.Last(map, x, y), last);
        }
    }
};

TRASOLAN_GUI_TEST_MAIN(TestMapView)
#include "test_mapview.moc"
