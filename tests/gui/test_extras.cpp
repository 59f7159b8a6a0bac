// The presentation extras, offscreen: the about box (logo slide, typing,
// mail link, music), the module player, the splash component, the two small
// dialogs and the flat menu painter (measuring, colours and painted pixels).

#include "core/RandomUnit.h"
#include "extras/ItemDrawer.h"
#include "extras/ItemDrawerColors.h"
#include "extras/ItemDrawerGlyphs.h"
#include "extras/MarkForm.h"
#include "extras/SongPlayer.h"
#include "extras/StartMark.h"
#include "extras/untHelpAbout.h"
#include "guibase/DesktopOpen.h"
#include "guibase/Seams.h"
#include "ui/Forms.h"
#include "ui/Options.h"
#include "ui/untMain.h"
#include "ui/untRandomN.h"
#include "ui/untTypeTask.h"
#include "widgets/FlatToolTips.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TGradientHeader.h"
#include "widgets/TImageButton.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionMenuItem>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

namespace {

QColor PixelAt(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// A 16 x 16 picture: a square of `colour` from (3, 3) to (12, 12) on a
// transparent ground.
QPixmap SquareIcon(const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(3, 3, 10, 10, colour);
    return pixmap;
}

// An opaque bitmap whose bottom-left (transparent) colour is white, with a
// coloured square inside, as menu bitmaps of old were made.
QPixmap KeyedBitmap(const QColor& colour, int size = 12) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.fillRect(2, 2, size - 4, size - 4, colour);
    return pixmap;
}

bool IsDark(const QColor& colour) {
    return colour.red() + colour.green() + colour.blue() < 3 * 110;
}

// Shows a drop-down menu, grabs it and hides it again.
QImage GrabMenu(QMenu& menu, QAction* active = nullptr) {
    menu.popup(QPoint(10, 10));
    if (!QTest::qWaitForWindowExposed(&menu))
        return {};
    if (active)
        menu.setActiveAction(active);
    QImage image = menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
    menu.hide();
    return image;
}

} // namespace

class TestExtras : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Colours and measuring of the menu painter.
    void colourFunctionsWorkByteWise();
    void ownColoursAndSystemColoursFollowTheirSources();
    void measureFollowsTheItemFormula();
    void menuBarItemsKeepTheSystemMeasure();
    void glyphOperationsKeepTheTransparentColourOut();

    // Painting.
    void dropDownItemsHaveGutterFillAndFramedHighlight();
    void selectedDisabledItemGetsOnlyAFrame();
    void separatorIsAGutterColouredLine();
    void checkedItemShowsBoxAndCheckGlyph();
    void checkedItemWithOwnBitmapShowsTheBitmap();
    void radioItemHasNoBoxByDefault();
    void selectedImageCastsAShadow();
    void disabledImageIsGreyedTowardsTheGutter();
    void captionStartsEightPixelsRightOfTheGutter();
    void defaultItemIsBold();
    void menuBarItemsAreBoxedOrEdged();
    void systemColourChangeShowsOnTheNextPaint();
    void onDrawItemIsCalledForEveryItem();
    void attachFindsNamedMenusAndIgnoresUnknownNames();
    void explicitAttachCoversMenusAddedLater();
    void menusOutliveTheirDrawer();

    // About box.
    void aboutBoxLayout();
    void logoSlideIntervalsSwingThenRise();
    void greetingIsTypedWithACursorThenTheAddress();
    void mailLinkOpensOnlyOnceTheAddressIsComplete();
    void mailLinkWithoutAMailProgramShowsTheAddressToCopy();
    void desktopOpenerSaysWhenNoProgramTookTheUrl();
    void fileDialogsStartInTheFirstFolderThenWhereTheLastFileWasChosen();
    void secondShowingRestartsTypingAndMusic();
    void timersOutliveAClosedBox();
    void closingStopsTheMusic();

    // Module player.
    void badModuleLeavesThePlayerSilent();
    void programModuleLoadsAndRendersSound();

    // Splash.
    void showTimeCountsInUnitsOf600ms();
    void activeFalseOrDesigningNeverShows();
    void activeShowsThePictureForShowTimeAndAgainOnRequest();
    void emptyPictureGivesAnEmptyWindow();
    void mainWindowStartMarkIsQuietUnderTests();

    // Small dialogs.
    void typeTaskDialogLayout();
    void optionsWindowRollsUpAndCloses();

    // Pictures for a look by eye (TRASOLAN_EXTRAS_SHOTS names a folder).
    void gallery();
    // The program's own windows on the screen (under Xvfb): menus, about
    // box, help. Also only with TRASOLAN_EXTRAS_SHOTS.
    void screens();

private:
    std::vector<QUrl> openedUrls_;
};

void TestExtras::init() {
    openedUrls_.clear();
    seams::OpenUrl = [this](const QUrl& url) { openedUrls_.push_back(url); };
}

void TestExtras::cleanup() {
    seams::RestoreDefaults();
}

// --- Colours and measuring ---------------------------------------------------

void TestExtras::colourFunctionsWorkByteWise() {
    QCOMPARE(MulDivRound(255, 50, 100), 128); // 127.5 rounds away from zero
    QCOMPARE(MulDivRound(155, 50, 100), 78);  // 77.5
    QCOMPARE(MulDivRound(101, 20, 100), 20);  // 20.2
    QCOMPARE(MulDivRound(0, 82, 100), 0);

    QCOMPARE(Lighten(QColor(0, 100, 255), 50), QColor(128, 178, 255));
    QCOMPARE(Lighten(QColor(10, 36, 106), 70), QColor(182, 189, 210));
    QCOMPARE(Lighten(QColor(1, 2, 3), 0), QColor(1, 2, 3));
    QCOMPARE(Lighten(QColor(1, 2, 3), 100), QColor(255, 255, 255));
    QCOMPARE(Darken(QColor(200, 101, 0), 20), QColor(160, 81, 0));
    QCOMPARE(Darken(QColor(182, 189, 210), 20), QColor(146, 151, 168));
    QCOMPARE(Darken(QColor(7, 8, 9), 100), QColor(0, 0, 0));
    QCOMPARE(Grey(QColor(10, 20, 31)), QColor(20, 20, 20));
    QCOMPARE(Grey(QColor(255, 0, 0)), QColor(85, 85, 85));
}

void TestExtras::ownColoursAndSystemColoursFollowTheirSources() {
    const TItemColors defaults;
    QCOMPARE(defaults.MenuBorder, QColor(102, 102, 102));
    QCOMPARE(defaults.MenuFill, QColor(249, 248, 247));
    QCOMPARE(defaults.Gutter, QColor(219, 216, 209));
    QCOMPARE(defaults.Selected, QColor(182, 189, 210));
    QCOMPARE(defaults.BorderSelected, QColor(10, 36, 106));
    QCOMPARE(defaults.Text, QColor(0, 0, 0));
    QCOMPARE(defaults.DisabledText, QColor(166, 166, 166));
    QCOMPARE(defaults.CheckBoxRect, QColor(212, 212, 216));

    QPalette palette;
    palette.setColor(QPalette::Button, QColor(212, 208, 200));
    palette.setColor(QPalette::Window, QColor(212, 208, 200));
    palette.setColor(QPalette::Highlight, QColor(10, 36, 106));
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));
    palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 121, 122));

    TItemDrawer drawer;
    const TItemPaintColors system = drawer.PaintColors(palette);
    QCOMPARE(system.MenuBorder, QColor(128, 128, 128));
    QCOMPARE(system.MenuFill, Lighten(QColor(212, 208, 200), 82));
    QCOMPARE(system.Gutter, Lighten(QColor(212, 208, 200), 16));
    QCOMPARE(system.SelectedFill, QColor(182, 189, 210));
    QCOMPARE(system.SelectedBorder, QColor(10, 36, 106));
    QCOMPARE(system.Text, QColor(1, 2, 3));
    QCOMPARE(system.DisabledText, QColor(120, 121, 122));
    QCOMPARE(system.CheckBox, Lighten(QColor(212, 208, 200), 24));

    drawer.UseSystemColors = false;
    drawer.Colors.Gutter = QColor(1, 1, 1);
    const TItemPaintColors own = drawer.PaintColors(palette);
    QCOMPARE(own.Gutter, QColor(1, 1, 1));
    QCOMPARE(own.SelectedFill, defaults.Selected);
    QCOMPARE(own.CheckBox, defaults.CheckBoxRect);
    QCOMPARE(own.ButtonFace, QColor(212, 208, 200));
}

void TestExtras::measureFollowsTheItemFormula() {
    QFont small;
    small.setPixelSize(8);
    QCOMPARE(TItemDrawer::ItemHeight(small), 22);
    QFont large;
    large.setPixelSize(40);
    QCOMPARE(TItemDrawer::ItemHeight(large), QFontMetrics(large).height() + 4);

    QCOMPARE(TItemDrawer::StripAccelerators(QStringLiteral("&Открыть")), QStringLiteral("Открыть"));
    QCOMPARE(TItemDrawer::StripAccelerators(QStringLiteral("A&&B &C")), QStringLiteral("A&B C"));

    QFont font;
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const int h = TItemDrawer::ItemHeight(font);
    const QSize item = TItemDrawer::MeasureItem(QStringLiteral("&Открыть\tCtrl+O"), false, font);
    QCOMPARE(item.height(), h);
    QCOMPARE(item.width(), metrics.horizontalAdvance(QStringLiteral("Открыть")) + h +
                               metrics.horizontalAdvance(QStringLiteral("Ctrl+O")) + 38);
    const QSize plain = TItemDrawer::MeasureItem(QStringLiteral("Выход"), false, font);
    QCOMPARE(plain.width(), metrics.horizontalAdvance(QStringLiteral("Выход")) + h + 38);
    QCOMPARE(TItemDrawer::MeasureItem(QString(), false, font).width(), std::max(48, h + 38));
    QCOMPARE(TItemDrawer::MeasureItem(QString(), true, font).height(), 7);

    // The style answers Qt's own measuring with the same formula.
    TItemDrawer drawer;
    QStyleOptionMenuItem option;
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.text = QStringLiteral("&Открыть\tCtrl+O");
    option.font = font;
    QCOMPARE(drawer.sizeFromContents(QStyle::CT_MenuItem, &option, QSize(1, 1), nullptr), item);
    option.menuItemType = QStyleOptionMenuItem::Separator;
    QCOMPARE(drawer.sizeFromContents(QStyle::CT_MenuItem, &option, QSize(1, 1), nullptr).height(),
             7);
    // With its own font the drawer measures in that font.
    drawer.UseSystemFont = false;
    drawer.Font = large;
    option.menuItemType = QStyleOptionMenuItem::Normal;
    QCOMPARE(drawer.sizeFromContents(QStyle::CT_MenuItem, &option, QSize(1, 1), nullptr).height(),
             TItemDrawer::ItemHeight(large));
}

void TestExtras::menuBarItemsKeepTheSystemMeasure() {
    TItemDrawer drawer;
    QMenuBar bar;
    QAction* file = bar.addMenu(QStringLiteral("Файл"))->menuAction();
    QStyleOptionMenuItem option;
    option.initFrom(&bar);
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.text = file->text();
    const QSize contents(40, 16);
    QCOMPARE(drawer.sizeFromContents(QStyle::CT_MenuBarItem, &option, contents, &bar),
             drawer.baseStyle()->sizeFromContents(QStyle::CT_MenuBarItem, &option, contents, &bar));
}

void TestExtras::glyphOperationsKeepTheTransparentColourOut() {
    const QImage keyed = KeyedBitmap(QColor(200, 0, 0)).toImage();
    const QImage clear = TransparentGlyph(keyed);
    QCOMPARE(qAlpha(clear.pixel(0, 0)), 0);
    QCOMPARE(QColor(clear.pixel(5, 5)), QColor(200, 0, 0));

    const QImage shadow = GlyphShadow(keyed, QColor(1, 2, 3));
    QCOMPARE(qAlpha(shadow.pixel(0, 11)), 0);
    QCOMPARE(QColor(shadow.pixel(5, 5)), QColor(1, 2, 3));
    QCOMPARE(qAlpha(shadow.pixel(5, 5)), 255);

    const QImage grey = DisabledGlyph(keyed, QColor(219, 216, 209));
    // grey(200, 0, 0) = 66; the mean with the gutter, byte by byte.
    QCOMPARE(QColor(grey.pixel(5, 5)), QColor((66 + 219) / 2, (66 + 216) / 2, (66 + 209) / 2));
    QCOMPARE(qAlpha(grey.pixel(0, 0)), 0);

    // A picture with an alpha channel keeps its smooth edges.
    QImage soft(4, 4, QImage::Format_ARGB32);
    soft.fill(qRgba(0, 0, 0, 0));
    soft.setPixel(1, 1, qRgba(255, 0, 0, 128));
    const QImage softShadow = GlyphShadow(soft, QColor(9, 9, 9));
    QCOMPARE(qAlpha(softShadow.pixel(1, 1)), 128);
    QCOMPARE(qAlpha(softShadow.pixel(2, 2)), 0);
}

// --- Painting ----------------------------------------------------------------

namespace {

// A drawer with its own (distinct) colours, so that pixels tell the roles.
std::unique_ptr<TItemDrawer> OwnColourDrawer() {
    auto drawer = std::make_unique<TItemDrawer>();
    drawer->UseSystemColors = false;
    return drawer;
}

} // namespace

void TestExtras::dropDownItemsHaveGutterFillAndFramedHighlight() {
    auto drawer = OwnColourDrawer();
    QMenu menu;
    menu.setStyle(drawer.get());
    QAction* open = menu.addAction(QStringLiteral("Открыть"));
    QAction* save = menu.addAction(QStringLiteral("Сохранить"));
    const QImage image = GrabMenu(menu, save);
    QVERIFY(!image.isNull());
    const TItemColors c;
    const int w = TItemDrawer::ItemHeight(menu.font());

    const QRect r = menu.actionGeometry(open);
    QCOMPARE(r.height(), w);
    QCOMPARE(PixelAt(image, r.left() + 1, r.top() + 1), c.Gutter);
    QCOMPARE(PixelAt(image, r.left() + w - 1, r.top() + 1), c.Gutter);
    QCOMPARE(PixelAt(image, r.left() + w, r.top() + 1), c.MenuFill);
    QCOMPARE(PixelAt(image, r.right() - 1, r.bottom()), c.MenuFill);

    const QRect s = menu.actionGeometry(save);
    QCOMPARE(PixelAt(image, s.left(), s.top()), c.BorderSelected);
    QCOMPARE(PixelAt(image, s.right(), s.bottom()), c.BorderSelected);
    QCOMPARE(PixelAt(image, s.left() + 1, s.top() + 1), c.Selected);
    QCOMPARE(PixelAt(image, s.right() - 1, s.top() + 1), c.Selected);

    // The menu's frame is drawn in the border colour.
    QCOMPARE(PixelAt(image, 0, 0), c.MenuBorder);
}

void TestExtras::selectedDisabledItemGetsOnlyAFrame() {
    auto drawer = OwnColourDrawer();
    QMenu menu;
    menu.setStyle(drawer.get());
    menu.addAction(QStringLiteral("Первый"));
    QAction* off = menu.addAction(QStringLiteral("Недоступный"));
    off->setEnabled(false);
    // Disabled items are not selectable by Qt's own mouse handling, so the
    // painter is asked directly for a selected disabled item.
    const QRect r = menu.actionGeometry(off);
    QImage image(menu.width() + 1, r.bottom() + 2, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QStyleOptionMenuItem option;
    option.initFrom(&menu);
    option.rect = r;
    option.text = off->text();
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.state = QStyle::State_Selected; // not enabled
    option.font = menu.font();
    {
        QPainter painter(&image);
        drawer->drawControl(QStyle::CE_MenuItem, &option, &painter, &menu);
    }
    const TItemColors c;
    const int w = TItemDrawer::ItemHeight(menu.font());
    QCOMPARE(PixelAt(image, r.left(), r.top() + 3), c.BorderSelected);
    QCOMPARE(PixelAt(image, r.left() + 1, r.top() + 3), c.Gutter);
    QCOMPARE(PixelAt(image, r.left() + w + 1, r.top() + 1), c.MenuFill);

    drawer->DrawDisabledSelRect = false;
    image.fill(Qt::magenta);
    {
        QPainter painter(&image);
        drawer->drawControl(QStyle::CE_MenuItem, &option, &painter, &menu);
    }
    QCOMPARE(PixelAt(image, r.left(), r.top() + 3), c.Gutter);
}

void TestExtras::separatorIsAGutterColouredLine() {
    auto drawer = OwnColourDrawer();
    QMenu menu;
    menu.setStyle(drawer.get());
    menu.addAction(QStringLiteral("Открыть"));
    QAction* separator = menu.addSeparator();
    menu.addAction(QStringLiteral("Выход"));
    const QImage image = GrabMenu(menu);
    const QRect r = menu.actionGeometry(separator);
    QCOMPARE(r.height(), 7);
    const int w = TItemDrawer::ItemHeight(menu.font());
    const int mid = r.top() + r.height() / 2;
    const TItemColors c;
    QCOMPARE(PixelAt(image, r.left() + w + 5, mid), c.Gutter);
    QCOMPARE(PixelAt(image, r.right(), mid), c.Gutter);
    QCOMPARE(PixelAt(image, r.left() + w + 5, mid - 1), c.MenuFill);
    QCOMPARE(PixelAt(image, r.left() + w + 5, mid + 1), c.MenuFill);
}

void TestExtras::checkedItemShowsBoxAndCheckGlyph() {
    auto drawer = OwnColourDrawer();
    QMenu menu;
    menu.setStyle(drawer.get());
    QAction* roads = menu.addAction(QStringLiteral("Показывать дороги"));
    roads->setCheckable(true);
    roads->setChecked(true);
    QAction* other = menu.addAction(QStringLiteral("Другое"));
    const TItemColors c;
    const int w = TItemDrawer::ItemHeight(menu.font());

    QImage image = GrabMenu(menu);
    QRect r = menu.actionGeometry(roads);
    int mid = r.top() + r.height() / 2;
    const int boxTop = mid - (w - 2) / 2;
    QCOMPARE(PixelAt(image, r.left() + 1, boxTop), c.BorderSelected);
    QCOMPARE(PixelAt(image, r.left() + w - 2, boxTop + w - 3), c.BorderSelected);
    QCOMPARE(PixelAt(image, r.left() + 2, boxTop + 1), c.CheckBoxRect);
    // The 7 x 7 check glyph, centred in the gutter: its top-right pixel is set.
    const QPoint glyph(r.left() + (w - 7) / 2, mid - 7 / 2);
    QCOMPARE(PixelAt(image, glyph.x() + 6, glyph.y()), QColor(0, 0, 0));
    QCOMPARE(PixelAt(image, glyph.x(), glyph.y()), c.CheckBoxRect);

    // Selected: no box, the hot glyph on the selected fill.
    image = GrabMenu(menu, roads);
    QCOMPARE(PixelAt(image, r.left() + 2, boxTop + 1), c.Selected);
    QCOMPARE(PixelAt(image, glyph.x() + 6, glyph.y()), QColor(0x0A, 0x24, 0x6A));

    // Without the box option the check stands on the gutter.
    drawer->CheckboxRect = false;
    image = GrabMenu(menu, other);
    QCOMPARE(PixelAt(image, r.left() + 2, boxTop + 1), c.Gutter);
    QCOMPARE(PixelAt(image, glyph.x() + 6, glyph.y()), QColor(0, 0, 0));

    // Glyphs given in Bitmaps replace the built-in ones.
    drawer->Bitmaps.CheckBox = KeyedBitmap(QColor(0, 160, 0), 7);
    image = GrabMenu(menu, other);
    QCOMPARE(PixelAt(image, glyph.x() + 3, glyph.y() + 3), QColor(0, 160, 0));
    Q_UNUSED(mid);
}

void TestExtras::checkedItemWithOwnBitmapShowsTheBitmap() {
    auto drawer = OwnColourDrawer();
    QMenu menu;
    menu.setStyle(drawer.get());
    QAction* item = menu.addAction(QStringLiteral("Сетка"));
    item->setCheckable(true);
    item->setChecked(true);
    SetItemBitmap(item, KeyedBitmap(QColor(200, 0, 0)));
    const QImage image = GrabMenu(menu);
    const QRect r = menu.actionGeometry(item);
    const int w = TItemDrawer::ItemHeight(menu.font());
    const int mid = r.top() + r.height() / 2;
    const QPoint place(r.left() + (w - 12) / 2, mid - 6);
    QCOMPARE(PixelAt(image, place.x() + 6, place.y() + 6), QColor(200, 0, 0));
    // The bitmap's white (its transparent colour) lets the box show through.
    QCOMPARE(PixelAt(image, place.x(), place.y() + 11), TItemColors().CheckBoxRect);
    // No black check mark anywhere in the gutter.
    bool black = false;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x < r.left() + w; ++x)
            black = black || PixelAt(image, x, y) == QColor(0, 0, 0);
    QVERIFY(!black);
}

void TestExtras::radioItemHasNoBoxByDefault() {
    auto drawer = OwnColourDrawer();
    QMenu menu;
    menu.setStyle(drawer.get());
    QActionGroup group(&menu);
    group.setExclusive(true);
    QAction* first = menu.addAction(QStringLiteral("Первый"));
    QAction* second = menu.addAction(QStringLiteral("Второй"));
    for (QAction* action : {first, second}) {
        action->setCheckable(true);
        group.addAction(action);
    }
    first->setChecked(true);
    const TItemColors c;
    const int w = TItemDrawer::ItemHeight(menu.font());
    QImage image = GrabMenu(menu, second);
    const QRect r = menu.actionGeometry(first);
    const int mid = r.top() + r.height() / 2;
    const QPoint glyph(r.left() + (w - 13) / 2, mid - 14 / 2);
    QCOMPARE(PixelAt(image, r.left() + 2, mid - (w - 2) / 2 + 1), c.Gutter);
    QCOMPARE(PixelAt(image, glyph.x() + 6, glyph.y() + 7), QColor(0, 0, 0));

    drawer->RadioRect = true;
    image = GrabMenu(menu, second);
    QCOMPARE(PixelAt(image, r.left() + 2, mid - (w - 2) / 2 + 1), c.CheckBoxRect);
}

void TestExtras::selectedImageCastsAShadow() {
    auto drawer = OwnColourDrawer();
    QMenu menu;
    menu.setStyle(drawer.get());
    QAction* item = menu.addAction(QIcon(SquareIcon(QColor(200, 0, 0))), QStringLiteral("Открыть"));
    const TItemColors c;
    const int w = TItemDrawer::ItemHeight(menu.font());
    const QRect r = menu.actionGeometry(item);
    const int mid = r.top() + r.height() / 2;
    const QPoint place(r.left() + (w - 16) / 2, mid - 8);

    QImage image = GrabMenu(menu);
    QCOMPARE(PixelAt(image, place.x() + 3, place.y() + 3), QColor(200, 0, 0));
    QCOMPARE(PixelAt(image, place.x() + 12, place.y() + 12), QColor(200, 0, 0));
    QCOMPARE(PixelAt(image, place.x() + 13, place.y() + 13), c.Gutter);

    image = GrabMenu(menu, item);
    // Lifted one pixel up and left over its shadow one pixel down and right.
    QCOMPARE(PixelAt(image, place.x() + 2, place.y() + 2), QColor(200, 0, 0));
    QCOMPARE(PixelAt(image, place.x() + 11, place.y() + 11), QColor(200, 0, 0));
    QCOMPARE(PixelAt(image, place.x() + 13, place.y() + 13), Darken(c.Selected, 20));
    QCOMPARE(PixelAt(image, place.x() + 12, place.y() + 4), Darken(c.Selected, 20));

    drawer->ImageShadows = false;
    image = GrabMenu(menu, item);
    QCOMPARE(PixelAt(image, place.x() + 3, place.y() + 3), QColor(200, 0, 0));
    QCOMPARE(PixelAt(image, place.x() + 13, place.y() + 13), c.Selected);
}

void TestExtras::disabledImageIsGreyedTowardsTheGutter() {
    auto drawer = OwnColourDrawer();
    QMenu menu;
    menu.setStyle(drawer.get());
    QAction* item = menu.addAction(QIcon(SquareIcon(QColor(255, 0, 0))), QStringLiteral("Стоп"));
    item->setEnabled(false);
    const QImage image = GrabMenu(menu);
    const TItemColors c;
    const int w = TItemDrawer::ItemHeight(menu.font());
    const QRect r = menu.actionGeometry(item);
    const QPoint place(r.left() + (w - 16) / 2, r.top() + r.height() / 2 - 8);
    const QColor expected((85 + c.Gutter.red()) / 2, (85 + c.Gutter.green()) / 2,
                          (85 + c.Gutter.blue()) / 2);
    QCOMPARE(PixelAt(image, place.x() + 6, place.y() + 6), expected);
}

void TestExtras::captionStartsEightPixelsRightOfTheGutter() {
    auto drawer = OwnColourDrawer();
    QMenu menu;
    menu.setStyle(drawer.get());
    QAction* item = menu.addAction(QStringLiteral("Ш"));
    const QImage image = GrabMenu(menu);
    const QRect r = menu.actionGeometry(item);
    const int w = TItemDrawer::ItemHeight(menu.font());
    int firstInk = -1;
    for (int x = r.left() + w; x < r.right() && firstInk < 0; ++x)
        for (int y = r.top(); y <= r.bottom(); ++y)
            if (IsDark(PixelAt(image, x, y))) {
                firstInk = x - r.left();
                break;
            }
    QVERIFY2(firstInk >= w + 8 && firstInk <= w + 10, qPrintable(QString::number(firstInk)));
}

void TestExtras::defaultItemIsBold() {
    auto drawer = OwnColourDrawer();
    auto inkOf = [&](bool isDefault) {
        QMenu menu;
        menu.setStyle(drawer.get());
        QAction* item = menu.addAction(QStringLiteral("Справка"));
        if (isDefault)
            menu.setDefaultAction(item);
        const QImage image = GrabMenu(menu);
        const QRect r = menu.actionGeometry(item);
        int ink = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ink += IsDark(PixelAt(image, x, y)) ? 1 : 0;
        return ink;
    };
    QVERIFY(inkOf(true) > inkOf(false));
}

void TestExtras::menuBarItemsAreBoxedOrEdged() {
    auto drawer = OwnColourDrawer();
    QMenuBar bar;
    bar.setStyle(drawer.get());
    QMenu* file = bar.addMenu(QStringLiteral("Файл"));
    file->addAction(QStringLiteral("Открыть"));
    QMenu* empty = bar.addMenu(QStringLiteral("Пусто"));
    bar.resize(300, bar.sizeHint().height());
    const TItemColors c;
    const QColor face = bar.palette().color(QPalette::Active, QPalette::Button);

    auto paint = [&](QAction* action, QStyle::State state) {
        QImage image(bar.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QStyleOptionMenuItem option;
        option.initFrom(&bar);
        option.rect = bar.actionGeometry(action);
        option.text = action->text();
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.state = state;
        QPainter painter(&image);
        drawer->drawControl(QStyle::CE_MenuBarItem, &option, &painter, &bar);
        return image;
    };
    const QRect r = bar.actionGeometry(file->menuAction());

    // Hot-tracked: boxed.
    QImage image = paint(file->menuAction(), QStyle::State_Enabled | QStyle::State_Selected);
    QCOMPARE(PixelAt(image, r.left(), r.top()), c.BorderSelected);
    QCOMPARE(PixelAt(image, r.left() + 1, r.top() + 1), c.Selected);
    QCOMPARE(PixelAt(image, r.left() + 1, r.bottom()), c.BorderSelected);

    // Open: left, top and right edges, bottom left open, button face inside.
    image = paint(file->menuAction(),
                  QStyle::State_Enabled | QStyle::State_Selected | QStyle::State_Sunken);
    QCOMPARE(PixelAt(image, r.left(), r.top() + 3), c.MenuBorder);
    QCOMPARE(PixelAt(image, r.left() + 3, r.top()), c.MenuBorder);
    QCOMPARE(PixelAt(image, r.right(), r.top() + 3), c.MenuBorder);
    QCOMPARE(PixelAt(image, r.left() + 3, r.bottom()), face);
    QCOMPARE(PixelAt(image, r.left() + 1, r.top() + 1), face);

    // Open but with no visible sub-item: boxed.
    const QRect e = bar.actionGeometry(empty->menuAction());
    image = paint(empty->menuAction(),
                  QStyle::State_Enabled | QStyle::State_Selected | QStyle::State_Sunken);
    QCOMPARE(PixelAt(image, e.left() + 1, e.top() + 1), c.Selected);

    // Neither, or disabled: button face.
    image = paint(file->menuAction(), QStyle::State_Enabled);
    QCOMPARE(PixelAt(image, r.left(), r.top()), face);
    image = paint(file->menuAction(), QStyle::State_Selected);
    QCOMPARE(PixelAt(image, r.left(), r.top()), face);
    QCOMPARE(PixelAt(image, r.left() + 1, r.top() + 1), face);
}

void TestExtras::systemColourChangeShowsOnTheNextPaint() {
    TItemDrawer drawer;
    QMenu menu;
    menu.setStyle(&drawer);
    QAction* item = menu.addAction(QStringLiteral("Открыть"));
    QPalette palette = menu.palette();
    palette.setColor(QPalette::Button, QColor(200, 180, 160));
    menu.setPalette(palette);
    QImage image = GrabMenu(menu);
    const QRect r = menu.actionGeometry(item);
    QCOMPARE(PixelAt(image, r.left() + 1, r.top() + 1), Lighten(QColor(200, 180, 160), 16));

    palette.setColor(QPalette::Button, QColor(100, 150, 200));
    menu.setPalette(palette);
    image = GrabMenu(menu);
    QCOMPARE(PixelAt(image, r.left() + 1, r.top() + 1), Lighten(QColor(100, 150, 200), 16));
}

void TestExtras::onDrawItemIsCalledForEveryItem() {
    TItemDrawer drawer;
    QMenu menu;
    menu.setStyle(&drawer);
    QAction* a = menu.addAction(QStringLiteral("Один"));
    QAction* separator = menu.addSeparator();
    QAction* b = menu.addAction(QStringLiteral("Два"));
    std::vector<QAction*> painted;
    drawer.OnDrawItem = [&](TItemDrawer* sender, QAction* item, QStyle::State) {
        QCOMPARE(sender, &drawer);
        painted.push_back(item);
    };
    GrabMenu(menu);
    for (QAction* action : {a, separator, b})
        QVERIFY(std::find(painted.begin(), painted.end(), action) != painted.end());
}

void TestExtras::attachFindsNamedMenusAndIgnoresUnknownNames() {
    QMainWindow window;
    window.setObjectName(QStringLiteral("frmAttach"));
    auto* bar = new QMenuBar(&window);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    window.setMenuBar(bar);
    QMenu* file = bar->addMenu(QStringLiteral("Файл"));
    QMenu* sub = file->addMenu(QStringLiteral("Недавние"));
    window.show();

    TItemDrawer drawer(&window);
    drawer.SetMenus({QStringLiteral("NoSuchMenu")});
    QVERIFY(bar->style() != &drawer);

    drawer.SetMenus({QStringLiteral("MainMenu1"), QStringLiteral("PopupMenu")});
    QCOMPARE(drawer.Menus().size(), 2);
    QCOMPARE(bar->style(), &drawer);
    QCOMPARE(file->style(), &drawer);
    QCOMPARE(sub->style(), &drawer);
}

void TestExtras::explicitAttachCoversMenusAddedLater() {
    QMainWindow window;
    auto* bar = new QMenuBar(&window);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    window.setMenuBar(bar);
    bar->addMenu(QStringLiteral("Файл"))->addAction(QStringLiteral("Открыть"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Attached by setting the list only: later menus stay as they are.
    TItemDrawer listOnly(&window);
    listOnly.SetMenus({QStringLiteral("MainMenu1")});
    QMenu* late = bar->addMenu(QStringLiteral("Позже"));
    late->addAction(QStringLiteral("Пункт"));
    bar->grab();
    QVERIFY(late->style() != &listOnly);

    // After the explicit attach the bar's painting picks them up.
    TItemDrawer drawer(&window);
    drawer.SetMenus({QStringLiteral("MainMenu1")});
    drawer.AttachMenus();
    QMenu* later = bar->addMenu(QStringLiteral("Ещё позже"));
    later->addAction(QStringLiteral("Пункт"));
    QVERIFY(later->style() != &drawer);
    bar->grab();
    QCOMPARE(later->style(), &drawer);
}

void TestExtras::menusOutliveTheirDrawer() {
    QMainWindow window;
    auto* bar = new QMenuBar(&window);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    window.setMenuBar(bar);
    QMenu* file = bar->addMenu(QStringLiteral("Файл"));
    file->addAction(QStringLiteral("Открыть"));
    QMenu direct;
    direct.addAction(QStringLiteral("Пункт"));
    window.show();
    {
        TItemDrawer drawer;
        drawer.SetMenus({QStringLiteral("MainMenu1")});
        drawer.AttachMenus();
        direct.setStyle(&drawer);
        QCOMPARE(file->style(), &drawer);
        bar->grab();
    }
    // Back with the application's style, and still usable.
    QCOMPARE(bar->style(), QApplication::style());
    QCOMPARE(file->style(), QApplication::style());
    QCOMPARE(direct.style(), QApplication::style());
    QVERIFY(!bar->grab().isNull());
    QVERIFY(!GrabMenu(direct).isNull());

    // The same under an application style sheet, where widgets show the
    // sheet's wrapper around the drawer.
    const QString sheet = qApp->styleSheet();
    qApp->setStyleSheet(QStringLiteral("QToolTip { border: 1px solid black; }"));
    {
        QMainWindow other;
        auto* otherBar = new QMenuBar(&other);
        otherBar->setObjectName(QStringLiteral("OtherMenu"));
        other.setMenuBar(otherBar);
        otherBar->addMenu(QStringLiteral("Файл"))->addAction(QStringLiteral("Открыть"));
        other.show();
        {
            TItemDrawer drawer;
            drawer.UseSystemColors = false;
            drawer.SetMenus({QStringLiteral("OtherMenu")});
            drawer.AttachMenus();
            // Painted by the drawer through the wrapper: the bar's empty
            // area is the button face, an item the drawer's gutter.
            QMenu* menu = otherBar->actions().first()->menu();
            const QImage image = GrabMenu(*menu);
            const QRect r = menu->actionGeometry(menu->actions().first());
            QCOMPARE(PixelAt(image, r.left() + 1, r.top() + 1), TItemColors().Gutter);
        }
        QVERIFY(!otherBar->grab().isNull());
    } // destroying the window with its bar must not touch the gone drawer
    qApp->setStyleSheet(sheet);
}

// --- About box ---------------------------------------------------------------

void TestExtras::aboutBoxLayout() {
    TfrmHelpAbout box;
    QCOMPARE(box.windowTitle(), QStringLiteral("About me :)"));
    QCOMPARE(box.size(), QSize(334, 294));
    QCOMPARE(box.Header->geometry(), QRect(0, 0, 334, 60));
    QCOMPARE(box.Header->Caption(), QStringLiteral("Программа: Трасолан"));
    QCOMPARE(box.Header->Comment(), QStringLiteral("Автор: Велеска"));
    QCOMPARE(box.ImageLogo->geometry(), QRect(8, 16, 48, 48));
    QVERIFY(!box.ImageLogo->pixmap().isNull());
    QCOMPARE(box.StaticText->geometry(), QRect(64, 63, 265, 202));
    QCOMPARE(box.Email->geometry(), QRect(64, 268, 265, 23));
    QCOMPARE(box.StaticText->font().pixelSize(), 13);
    QVERIFY(box.Email->font().underline());
    QCOMPARE(box.Email->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QCOMPARE(box.Email->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(box.Timer1->interval(), 30);
    QCOMPARE(box.Timer2->interval(), 200);
    QCOMPARE(box.Timer3->interval(), 200);
    QVERIFY(!box.Timer1->isActive() && !box.Timer2->isActive() && !box.Timer3->isActive());
    QVERIFY(box.findChild<QLabel*>(QStringLiteral("StaticText")) == box.StaticText);
    // The greeting has several lines and leads in to the address.
    QVERIFY(TfrmHelpAbout::Greeting().count(u'\n') >= 4);
    QVERIFY(TfrmHelpAbout::Greeting().endsWith(u':'));
    QVERIFY(TfrmHelpAbout::Address().contains(u'@'));
}

void TestExtras::logoSlideIntervalsSwingThenRise() {
    TfrmHelpAbout box;
    box.show();
    box.Timer1->stop();
    box.Timer2->stop();
    QCOMPARE(box.ImageLogo->y(), 16);
    QCOMPARE(box.StepsLeft(), 220);
    QCOMPARE(box.BaseInterval(), 30);

    const std::vector<int> expected{2, 30, 2, 30, 2, 30, 2, 30, 3, 29, 4, 28};
    for (size_t i = 0; i < expected.size(); ++i) {
        box.Timer1Timer();
        QCOMPARE(box.Timer1->interval(), expected[i]);
        QCOMPARE(box.ImageLogo->y(), 16 + static_cast<int>(i) + 1);
    }
    box.Timer1->start();
    for (int i = static_cast<int>(expected.size()); i < 220; ++i)
        box.Timer1Timer();
    QCOMPARE(box.StepsLeft(), 0);
    QCOMPARE(box.ImageLogo->y(), 236);
    QCOMPARE(box.Timer1->interval(), 30);
    QVERIFY(!box.Timer1->isActive());
    // A further tick changes nothing.
    box.Timer1Timer();
    QCOMPARE(box.ImageLogo->y(), 236);
    box.hide();
}

void TestExtras::greetingIsTypedWithACursorThenTheAddress() {
    TfrmHelpAbout box;
    box.show();
    box.Timer1->stop();
    box.Timer2->stop();
    const QString greeting = TfrmHelpAbout::Greeting();
    QCOMPARE(box.StaticText->text(), QString());
    for (qsizetype k = 1; k < greeting.size(); ++k) {
        box.Timer2Timer();
        QCOMPARE(box.StaticText->text(), greeting.left(k) + u'|');
        QVERIFY(box.Timer2->interval() >= 50 && box.Timer2->interval() <= 249);
        QVERIFY(box.Email->text().isEmpty());
        QVERIFY(!box.Timer3->isActive());
    }
    box.Timer2Timer();
    QCOMPARE(box.StaticText->text(), greeting);
    QVERIFY(!box.Timer2->isActive());
    QVERIFY(box.Timer3->isActive());
    box.Timer3->stop();

    const QString address = TfrmHelpAbout::Address();
    for (qsizetype k = 1; k <= address.size(); ++k) {
        box.Timer3Timer();
        QCOMPARE(box.Email->text(), address.left(k));
        QVERIFY(box.Timer3->interval() >= 50 && box.Timer3->interval() <= 249);
    }
    QVERIFY(!box.Timer3->isActive());
    box.hide();
}

void TestExtras::mailLinkWithoutAMailProgramShowsTheAddressToCopy() {
    seams::OpenUrl = [](const QUrl&, const seams::TUrlOpener::NotOpened& notOpened) {
        notOpened();
    };
    QStringList shown;
    seams::ShowInformation = [&shown](QWidget*, const QString& text) { shown << text; };
    QGuiApplication::clipboard()->clear();
    TfrmHelpAbout box;
    box.show();
    box.Timer1->stop();
    box.Timer2->stop();
    box.Email->setText(TfrmHelpAbout::Address());
    QTest::mouseClick(box.Email, Qt::LeftButton);
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().contains(TfrmHelpAbout::Address()));
    QCOMPARE(QGuiApplication::clipboard()->text(), TfrmHelpAbout::Address());
    box.hide();
}

// xdg-open's exit status is the word back: 0 when a program took the URL.
void TestExtras::desktopOpenerSaysWhenNoProgramTookTheUrl() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString opener = folder.filePath(QStringLiteral("xdg-open"));
    const QString seen = folder.filePath(QStringLiteral("seen"));
    const auto writeOpener = [&](int status) {
        QFile script(opener);
        QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n")
                         .arg(seen)
                         .arg(status)
                         .toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    };
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(folder.path()) + ':' + path);
    const QUrl page = QUrl::fromLocalFile(QStringLiteral("/tmp/a page.html"));

    writeOpener(3); // xdg-open: no program for the type
    bool notOpened = false;
    OpenWithDesktop(page, [&notOpened] { notOpened = true; });
    QTRY_VERIFY(notOpened);
    QFile url(seen);
    QVERIFY(url.open(QIODevice::ReadOnly));
    QCOMPARE(QUrl::fromEncoded(url.readAll()), page);

    writeOpener(0);
    notOpened = false;
    QFile::remove(seen);
    OpenWithDesktop(page, [&notOpened] { notOpened = true; });
    QTRY_VERIFY(QFile::exists(seen));
    QTest::qWait(200);
    QVERIFY(!notOpened);
    qputenv("PATH", path);
}

void TestExtras::fileDialogsStartInTheFirstFolderThenWhereTheLastFileWasChosen() {
    QTemporaryDir first;
    QTemporaryDir chosen;
    const QString map = chosen.filePath(QStringLiteral("a.ga"));
    QFile file(map);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    seams::SetFirstFolder(QStringLiteral("ga"), first.path());
    const QString filter = QStringLiteral("Maps (*.ga)|*.ga");
    QStringList folders;
    const auto answer = [&folders](const QString& path) {
        QTimer::singleShot(0, [&folders, path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            folders << dialog->directory().absolutePath();
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    answer(map);
    QCOMPARE(seams::GetOpenFileName(nullptr, filter, QStringLiteral("ga")), map);
    answer({});
    QVERIFY(seams::GetSaveFileName(nullptr, filter, QStringLiteral("ga"), QString()).isEmpty());
    QCOMPARE(folders,
             QStringList({QDir(first.path()).absolutePath(), QDir(chosen.path()).absolutePath()}));
}

void TestExtras::mailLinkOpensOnlyOnceTheAddressIsComplete() {
    TfrmHelpAbout box;
    box.show();
    box.Timer1->stop();
    box.Timer2->stop();
    const QString address = TfrmHelpAbout::Address();
    box.Email->setText(address.left(address.size() - 1));
    QTest::mouseClick(box.StaticText, Qt::LeftButton);
    QTest::mouseClick(box.Email, Qt::LeftButton);
    QVERIFY(openedUrls_.empty());

    box.Email->setText(address);
    QTest::mouseClick(box.StaticText, Qt::LeftButton);
    QCOMPARE(openedUrls_.size(), size_t{1});
    QCOMPARE(openedUrls_[0], QUrl(QStringLiteral("mailto:") + address));
    QTest::mouseClick(box.Email, Qt::LeftButton);
    QCOMPARE(openedUrls_.size(), size_t{2});
    box.hide();
}

void TestExtras::secondShowingRestartsTypingAndMusic() {
    TfrmHelpAbout box;
    box.show();
    box.Timer1->stop();
    box.Timer2->stop();
    QVERIFY(box.Song->HasSong());
    for (int i = 0; i < 5; ++i)
        box.Timer2Timer();
    box.Email->setText(QStringLiteral("vel"));
    box.Timer3->start(); // the address is still being typed
    box.hide();
    QVERIFY(!box.Song->HasSong());

    box.show();
    QVERIFY(box.Song->HasSong());
    QCOMPARE(box.StaticText->text(), QString());
    QCOMPARE(box.Email->text(), QString());
    QCOMPARE(box.ImageLogo->y(), 16);
    QCOMPARE(box.StepsLeft(), 220);
    QVERIFY(box.Timer2->isActive());
    QVERIFY(box.Timer3->isActive()); // not stopped by the new showing
    box.Timer3->stop();
    box.Timer3Timer();
    QCOMPARE(box.Email->text(), TfrmHelpAbout::Address().left(1));
    box.hide();
}

void TestExtras::timersOutliveAClosedBox() {
    TfrmHelpAbout box;
    box.show();
    box.Timer1Timer(); // the interval is now 2 ms
    box.hide();
    QVERIFY(box.Timer1->isActive());
    QVERIFY(box.Timer2->isActive());
    // The slide goes on while the box is closed...
    QTRY_VERIFY_WITH_TIMEOUT(box.ImageLogo->y() > 30, 5000);
    // ...and a new showing takes the interval it has reached as its base.
    const int current = box.Timer1->interval();
    box.show();
    QCOMPARE(box.BaseInterval(), current);
    box.Timer1->stop();
    box.Timer2->stop();
    box.hide();
}

void TestExtras::closingStopsTheMusic() {
    TfrmHelpAbout box;
    box.show();
    QVERIFY(box.Song->HasSong());
    box.close();
    QVERIFY(!box.Song->HasSong());
    QVERIFY(!box.Song->IsPlaying());
    box.Timer1->stop();
    box.Timer2->stop();
}

// --- Module player -----------------------------------------------------------

void TestExtras::badModuleLeavesThePlayerSilent() {
    TSongPlayer player;
    QVERIFY(!player.SongLoadFromResource(QStringLiteral("NO_SUCH_MODULE")));
    QVERIFY(!player.HasSong());
    QByteArray junk(4096, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>((i * 37) & 0xFF);
    QVERIFY(!player.SongLoadFromData(junk));
    QVERIFY(!player.SongLoadFromData(QByteArray()));
    QVERIFY(!player.HasSong());
    player.SongPlay(); // nothing to play: nothing happens
    QVERIFY(!player.IsPlaying());
    player.SongFree();
    player.SongFree();
    float buffer[64] = {};
    QCOMPARE(player.Render(buffer, 32, 44100), qint64{0});
}

void TestExtras::programModuleLoadsAndRendersSound() {
    TSongPlayer player;
    QVERIFY(player.SongLoadFromResource(QStringLiteral("MYXM")));
    QVERIFY(player.HasSong());
    // Two seconds in, the tune is playing.
    std::vector<float> samples(2 * 44100 * 2);
    QCOMPARE(player.Render(samples.data(), 44100 * 2, 44100), qint64{44100 * 2});
    double energy = 0;
    for (float sample : samples)
        energy += double(sample) * sample;
    QVERIFY(energy > 1.0);

    // Playing without an audio device (or with one) neither blocks nor
    // crashes; freeing stops it at once.
    QElapsedTimer elapsed;
    elapsed.start();
    player.SongPlay();
    player.SongFree();
    QVERIFY(!player.HasSong());
    QVERIFY(!player.IsPlaying());
    QVERIFY(elapsed.elapsed() < 5000);
}

// --- Splash ------------------------------------------------------------------

void TestExtras::showTimeCountsInUnitsOf600ms() {
    TStartMark mark;
    QCOMPARE(mark.ShowTime(), 2);
    QCOMPARE(mark.ShowMilliseconds(), int64_t{1200});
    mark.SetShowTime(5);
    QCOMPARE(mark.ShowMilliseconds(), int64_t{3000});
    mark.SetShowTime(0);
    QCOMPARE(mark.ShowMilliseconds(), int64_t{0});
    mark.SetShowTime(-3);
    QCOMPARE(mark.ShowMilliseconds(), int64_t{0});
    mark.SetShowTime(std::numeric_limits<int>::max());
    QCOMPARE(mark.ShowMilliseconds(), int64_t{std::numeric_limits<int>::max()} * 600);

    QVERIFY(mark.Picture().isNull());
    QVERIFY(!mark.Transparent());
    QVERIFY(!mark.Active());
    const QPixmap picture = KeyedBitmap(Qt::blue, 20);
    mark.SetPicture(picture);
    QCOMPARE(mark.Picture().size(), QSize(20, 20));
    mark.SetPicture(QPixmap()); // ignored
    QCOMPARE(mark.Picture().size(), QSize(20, 20));
}

namespace {

TMark* VisibleMark() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        if (auto* mark = qobject_cast<TMark*>(window); mark && mark->isVisible())
            return mark;
    return nullptr;
}

} // namespace

void TestExtras::activeFalseOrDesigningNeverShows() {
    TStartMark mark;
    mark.SetShowTime(1);
    mark.SetPicture(KeyedBitmap(Qt::blue, 20));
    QElapsedTimer elapsed;
    elapsed.start();
    mark.SetActive(false);
    QVERIFY(!mark.Active());
    QCOMPARE(mark.ShownCount(), 0);

    mark.SetDesigning(true);
    mark.SetActive(true);
    QVERIFY(mark.Active()); // the value is stored all the same
    QCOMPARE(mark.ShownCount(), 0);
    QVERIFY(VisibleMark() == nullptr);
    QVERIFY(elapsed.elapsed() < 600);
}

void TestExtras::activeShowsThePictureForShowTimeAndAgainOnRequest() {
    TStartMark mark;
    mark.SetShowTime(1);
    mark.SetPicture(QIcon(QStringLiteral(":/extras/splash.svg")).pixmap(QSize(350, 240)));
    bool seen = false;
    QSize seenSize;
    QRect seenGeometry;
    QTimer::singleShot(150, [&] {
        if (TMark* shown = VisibleMark()) {
            seen = true;
            seenSize = shown->size();
            seenGeometry = shown->geometry();
        }
    });
    QElapsedTimer elapsed;
    elapsed.start();
    mark.SetActive(true);
    QVERIFY(elapsed.elapsed() >= 600);
    QVERIFY(mark.Active());
    QVERIFY(seen);
    QCOMPARE(seenSize, QSize(350, 240));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(std::abs(seenGeometry.center().x() - screen.center().x()) <= 1);
    QVERIFY(std::abs(seenGeometry.center().y() - screen.center().y()) <= 1);
    QCOMPARE(mark.ShownCount(), 1);
    QVERIFY(VisibleMark() == nullptr); // gone once the wait is over

    // Events keep flowing during the wait.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    mark.SetActive(true);
    ticker.stop();
    QCOMPARE(mark.ShownCount(), 2);
    QVERIFY(ticks >= 5);
}

void TestExtras::emptyPictureGivesAnEmptyWindow() {
    TMark window;
    window.SetPicture(QPixmap());
    QCOMPARE(window.size(), QSize(0, 0));
    window.SetPicture(KeyedBitmap(Qt::red, 30));
    QCOMPARE(window.size(), QSize(30, 30));
    QCOMPARE(window.Logo->size(), QSize(30, 30));
    window.SetTransparent(true);
    // The transparent colour (white, bottom-left) is left out of the picture.
    const QImage shown = window.Logo->pixmap().toImage();
    QCOMPARE(qAlpha(shown.pixel(0, 29)), 0);
    QCOMPARE(qAlpha(shown.pixel(15, 15)), 255);
    window.SetTransparent(false);
    QCOMPARE(qAlpha(window.Logo->pixmap().toImage().pixel(0, 29)), 255);
}

void TestExtras::mainWindowStartMarkIsQuietUnderTests() {
    QVERIFY(SplashDisabledByEnvironment()); // the test runner sets TRASOLAN_TEST_MODE
    QObject owner;
    QElapsedTimer elapsed;
    elapsed.start();
    TStartMark* mark = CreateMainWindowStartMark(&owner);
    QVERIFY(elapsed.elapsed() < 1000);
    QCOMPARE(mark->objectName(), QStringLiteral("StartMark"));
    QCOMPARE(mark->parent(), &owner);
    QCOMPARE(mark->ShowTime(), 5);
    QCOMPARE(mark->ShowMilliseconds(), int64_t{3000});
    QCOMPARE(mark->Picture().deviceIndependentSize().toSize(), QSize(350, 240));
    QVERIFY(!mark->Transparent());
    QCOMPARE(mark->ShownCount(), 0);
}

// --- Small dialogs -----------------------------------------------------------

void TestExtras::typeTaskDialogLayout() {
    TfrmTypeTask dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Выбрать тип задачи"));
    QCOMPARE(dialog.size(), QSize(317, 303));
    QCOMPARE(dialog.Panel1->geometry(), QRect(8, 8, 301, 241));
    QCOMPARE(dialog.ClassicComivoyager->pos(), QPoint(16, 32));
    QCOMPARE(dialog.ShotestPath->pos(), QPoint(16, 108));
    QCOMPARE(dialog.ShotestPath->text(),
             QStringLiteral("Нахождение кратчайшего пути мужду городами"));
    QVERIFY(dialog.ShotestPath->isChecked());
    QVERIFY(!dialog.ClassicComivoyager->isChecked());
    QCOMPARE(dialog.Label1->text(), QStringLiteral("выбранными пользователем"));
    QCOMPARE(dialog.Label1->pos(), QPoint(34, 124));
    QCOMPARE(dialog.OKButton->pos(), QPoint(116, 264));
    QVERIFY(dialog.OKButton->isDefault());

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.ClassicComivoyager, Qt::LeftButton);
    QVERIFY(dialog.ClassicComivoyager->isChecked());
    QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

void TestExtras::optionsWindowRollsUpAndCloses() {
    TfrmOptions window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Опции алгоритма"));
    QCOMPARE(window.size(), QSize(624, 457));
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window.FormCaption->height(), 27);
    QCOMPARE(window.FormCaption->Caption(), QStringLiteral("Опции алгоритма"));
    QCOMPARE(window.GradientStrip->height(), 5);
    QCOMPARE(window.TreeView1->geometry(), QRect(4, 36, 193, 365));
    QCOMPARE(window.TreeView1->topLevelItemCount(), 0);
    QCOMPARE(window.PageControl1->geometry(), QRect(200, 36, 413, 365));
    QCOMPARE(window.PageControl1->count(), 1);
    QCOMPARE(window.PageControl1->tabText(0), QStringLiteral("Тип задачи"));
    QCOMPARE(window.OKButton->pos(), QPoint(268, 420));
    QVERIFY(window.OKButton->isDefault());
    QCOMPARE(window.RollUp->ImageIndex(), 1);

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.CloseBtn->x(), 418);
    window.RollUpClick();
    QCOMPARE(window.height(), 27 + 5 + 4);
    QCOMPARE(window.RollUp->ImageIndex(), 2);
    QVERIFY(window.IsRolledUp());
    window.RollUpClick();
    QCOMPARE(window.height(), 457);
    QCOMPARE(window.RollUp->ImageIndex(), 1);

    // A double click on the caption strip rolls up as well.
    Q_EMIT window.FormCaption->doubleClicked();
    QCOMPARE(window.height(), 36);
    Q_EMIT window.FormCaption->doubleClicked();
    QCOMPARE(window.height(), 457);

    QTest::mouseClick(window.OKButton, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.CloseBtn->click();
    QVERIFY(!window.isVisible());
}

// --- Gallery -----------------------------------------------------------------

void TestExtras::gallery() {
    const QString folder = qEnvironmentVariable("TRASOLAN_EXTRAS_SHOTS");
    if (folder.isEmpty())
        QSKIP("set TRASOLAN_EXTRAS_SHOTS to a folder to render the gallery");
    QDir().mkpath(folder);

    TMark splash;
    splash.SetTransparent(false);
    splash.SetPicture(QIcon(QStringLiteral(":/extras/splash.svg")).pixmap(QSize(350, 240)));
    QVERIFY(splash.grab().save(folder + QStringLiteral("/splash.png")));

    TfrmHelpAbout box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.Timer1->stop();
    box.Timer2->stop();
    for (int i = 0; i < 90; ++i)
        box.Timer1Timer();
    for (int i = 0; i < 150; ++i)
        box.Timer2Timer();
    QVERIFY(box.grab().save(folder + QStringLiteral("/about-typing.png")));
    while (box.StaticText->text() != TfrmHelpAbout::Greeting())
        box.Timer2Timer();
    for (int i = 0; i < 300; ++i)
        box.Timer3Timer();
    for (int i = 0; i < 220; ++i)
        box.Timer1Timer();
    QVERIFY(box.grab().save(folder + QStringLiteral("/about-done.png")));
    box.hide();

    QMainWindow window;
    auto* bar = new QMenuBar(&window);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    window.setMenuBar(bar);
    QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
    QMenu* options = bar->addMenu(QStringLiteral("&Опции"));
    bar->addMenu(QStringLiteral("&Помощь"));
    file->addAction(QIcon(SquareIcon(QColor(40, 110, 200))), QStringLiteral("&Открыть"),
                    QKeySequence(QStringLiteral("Ctrl+O")));
    QAction* save =
        file->addAction(QIcon(SquareIcon(QColor(40, 160, 80))), QStringLiteral("&Сохранить"),
                        QKeySequence(QStringLiteral("Ctrl+S")));
    file->addSeparator();
    QAction* off =
        file->addAction(QIcon(SquareIcon(QColor(200, 60, 40))), QStringLiteral("Остановить"));
    off->setEnabled(false);
    QAction* help = file->addAction(QStringLiteral("Справка"), QKeySequence(Qt::Key_F1));
    file->setDefaultAction(help);
    QAction* grid = options->addAction(QStringLiteral("Рисовать сетку"));
    grid->setCheckable(true);
    QAction* roads =
        options->addAction(QStringLiteral("Показывать дороги"), QKeySequence(Qt::Key_F3));
    roads->setCheckable(true);
    roads->setChecked(true);
    window.setCentralWidget(new QWidget);
    window.resize(400, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TItemDrawer drawer(&window);
    drawer.SetMenus({QStringLiteral("MainMenu1"), QStringLiteral("PopupMenu")});
    drawer.AttachMenus();
    for (auto [menu, active, name] :
         {std::tuple{file, save, QStringLiteral("menu-file.png")},
          std::tuple{options, roads, QStringLiteral("menu-options.png")}}) {
        menu->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(active);
        const QPixmap barShot = bar->grab();
        const QPixmap menuShot = menu->grab();
        QPixmap both(std::max(barShot.width(), menuShot.width() + 4),
                     barShot.height() + menuShot.height());
        both.fill(Qt::white);
        QPainter painter(&both);
        painter.drawPixmap(0, 0, barShot);
        painter.drawPixmap(bar->actionGeometry(menu->menuAction()).left(), barShot.height(),
                           menuShot);
        painter.end();
        QVERIFY(both.save(folder + u'/' + name));
        menu->hide();
    }
}

namespace {

// The whole screen where the platform can show it (X11 under Xvfb), else
// the given window alone.
QPixmap ScreenShot(QWidget* fallback) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot = screen ? screen->grabWindow(0) : QPixmap();
    if (QGuiApplication::platformName() == u"offscreen" || shot.isNull())
        return fallback->grab();
    return shot;
}

} // namespace

void TestExtras::screens() {
    const QString folder = qEnvironmentVariable("TRASOLAN_EXTRAS_SHOTS");
    if (folder.isEmpty())
        QSKIP("set TRASOLAN_EXTRAS_SHOTS to a folder to take the screenshots");
    QDir().mkpath(folder);
    std::vector<QUrl> opened;
    seams::OpenUrl = [&](const QUrl& url) { opened.push_back(url); };

    // As the program starts: flat tool-tips (an application style sheet),
    // then the windows.
    const QString sheet = qApp->styleSheet();
    ApplyFlatToolTips(*qApp);
    CreateForms();
    frmMain->show();
    QVERIFY(QTest::qWaitForWindowExposed(frmMain));
    QApplication::setActiveWindow(frmMain);
    frmRandomN->GenerateRandomMap();
    frmMain->RedrawMap();
    QTest::qWait(300);

    // The menus, opened from the bar with the pointer on one item.
    QMenuBar* bar = frmMain->MainMenu1;
    const std::tuple<QMenu*, QAction*, const char*> menus[] = {
        {frmMain->FileMenu, frmMain->SaveMap, "screen-menu-file.png"},
        {frmMain->OptionsMenu, frmMain->ShowCityNameItem, "screen-menu-options.png"},
        {frmMain->TaskMenu, frmMain->StopItem, "screen-menu-task.png"},
        {frmMain->HelpMenu, frmMain->AboutItem, "screen-menu-help.png"}};
    for (const auto& [menu, hover, name] : menus) {
        const QRect item = bar->actionGeometry(menu->menuAction());
        // The bar may still be in menu mode from the last menu: a click then
        // only leaves it, and a second one opens the menu.
        QTest::mouseClick(bar, Qt::LeftButton, {}, item.center());
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 300))
            QTest::mouseClick(bar, Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(menu->isVisible());
        QTest::qWait(150);
        QTest::mouseMove(menu, menu->actionGeometry(hover).center());
        QTest::qWait(250);
        const QPixmap shot = ScreenShot(menu);
        QVERIFY(shot.save(folder + u'/' + QString::fromLatin1(name)));
        // A close-up of the bar and the menu, twice the size, for the details.
        const QRect around = QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size())
                                 .united(menu->geometry())
                                 .adjusted(-4, -4, 40, 8)
                                 .intersected(shot.rect());
        QVERIFY(shot.copy(around)
                    .scaled(around.size() * 2)
                    .save(folder + QStringLiteral("/zoom-") + QString::fromLatin1(name)));
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QTest::keyClick(bar, Qt::Key_Escape);
        QTest::qWait(100);
    }

    // The about box, sliding and typing, then complete.
    int shots = 0;
    QTimer::singleShot(1800, [&] {
        shots += ScreenShot(frmHelpAbout).save(folder + QStringLiteral("/screen-about-1.png"));
    });
    QTimer::singleShot(9000, [&] {
        frmHelpAbout->Timer2->stop();
        frmHelpAbout->StaticText->setText(TfrmHelpAbout::Greeting());
        frmHelpAbout->Timer3->start(60);
    });
    QTimer::singleShot(13000, [&] {
        shots += ScreenShot(frmHelpAbout).save(folder + QStringLiteral("/screen-about-2.png"));
        frmHelpAbout->close();
    });
    frmMain->Help->trigger();
    QCOMPARE(shots, 2);

    // F1 hands the help page to the desktop; a text browser stands in for
    // the web browser here.
    QApplication::setActiveWindow(frmMain);
    QTest::keyClick(frmMain, Qt::Key_F1);
    QTRY_COMPARE(opened.size(), size_t{1});
    QVERIFY(opened[0].isLocalFile());
    QVERIFY(opened[0].path().endsWith(QStringLiteral("/help/index.html")));
    QTextBrowser browser;
    browser.setWindowTitle(QStringLiteral("Справка — ") + opened[0].toString());
    browser.resize(820, 640);
    browser.move(200, 150);
    const QString pagePath = QFINDTESTDATA("../../help/index.html");
    QVERIFY(!pagePath.isEmpty());
    const QUrl page = QUrl::fromLocalFile(pagePath);
    browser.setSource(page);
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));
    QTest::qWait(300);
    QVERIFY(ScreenShot(&browser).save(folder + QStringLiteral("/screen-help.png")));
    QUrl pmx = page;
    pmx.setFragment(QStringLiteral("PMX"));
    browser.setSource(pmx);
    QTest::qWait(300);
    QVERIFY(ScreenShot(&browser).save(folder + QStringLiteral("/screen-help-pmx.png")));
    browser.close();

    DestroyForms();
    qApp->setStyleSheet(sheet);
}

QTEST_MAIN(TestExtras)
#include "test_extras.moc"
