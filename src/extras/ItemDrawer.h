#pragma once
// TItemDrawer paints menus in a flat style: drop-down items get a shaded
// gutter on the left holding the item's image or check mark, a light fill for
// the text, a framed highlight for the selected item, image shadows, and
// greyed images for disabled items; menu-bar items get a framed highlight.
//
// It is a proxy style that the menus named in Menus are given (the menu bar
// or menu of that object name, and every menu below it). Everything other
// than menus is left to the base style.

#include "extras/ItemDrawerColors.h"

#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QStyleOptionMenuItem;

// Glyphs that replace the built-in check and radio marks; empty ones leave the
// built-in glyph of the same kind in place.
struct TItemBitmaps {
    QPixmap Radio;
    QPixmap HotRadio;
    QPixmap CheckBox;
    QPixmap HotCheckBox;
};

// An item's own bitmap: a QPixmap stored on the QAction under this property
// name. It takes the place of the check glyph of a checked item and of the
// action's icon otherwise. (The icon plays the part of the image-list image.)
inline constexpr const char* kItemBitmapProperty = "ItemBitmap";
void SetItemBitmap(QAction* action, const QPixmap& bitmap);
QPixmap ItemBitmap(const QAction* action);

class TItemDrawer : public QProxyStyle {
    Q_OBJECT
public:
    // Loads the built-in glyphs RADIO, RADIOHOT, CHECKBOX and CHECKBOXHOT
    // from the program's resources.
    explicit TItemDrawer(QObject* owner = nullptr);
    // Hands the widgets it still paints back to the application's style, so
    // that a drawer going before its menus leaves no widget without a style.
    ~TItemDrawer() override;

    // Names of the menus to paint; setting the list attaches at once. A name
    // that matches no menu is skipped without error.
    QStringList Menus() const { return menus_; }
    void SetMenus(const QStringList& menus);

    TItemBitmaps Bitmaps;
    TItemColors Colors;
    QFont Font;
    bool UseSystemColors = true;
    bool UseSystemFont = true;
    bool ImageShadows = true;
    bool CheckboxRect = true;
    bool RadioRect = false;
    bool DrawDisabledSelRect = true;

    // Called after every item has been painted, with the drawer, the item's
    // action (null when it cannot be told) and the item's state.
    using TDrawItemEvent = std::function<void(TItemDrawer* sender, QAction* item, State state)>;
    TDrawItemEvent OnDrawItem;

    // Attaches the drawer to the menus named in Menus, found among the
    // application's top-level windows: the menu and every menu below it are
    // painted by the drawer from then on. After this explicit call the drawer
    // also attaches the sub-menus of every item it paints, so that menus
    // added later are painted too.
    void AttachMenus();

    // --- Measuring and colours (public so that they can be checked) -------

    // The colours of one paint for a widget with this palette.
    TItemPaintColors PaintColors(const QPalette& palette) const;
    // The font of an item whose system menu font is `systemFont`.
    QFont ItemFont(const QFont& systemFont) const;
    // max(22, height of "M" + 4): a drop-down item's height and the gutter's
    // width.
    static int ItemHeight(const QFont& font);
    // The size of a drop-down item whose text is "caption" or
    // "caption\tshortcut".
    static QSize MeasureItem(const QString& text, bool separator, const QFont& font);
    // The caption as shown: "&" dropped, "&&" kept as one "&".
    static QString StripAccelerators(const QString& caption);

    // --- QStyle ----------------------------------------------------------
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

private:
    void AttachMenuTree(QWidget* menu);
    void AttachSubMenuOf(QAction* action) const;
    void DrawMenuBarItem(const QStyleOptionMenuItem* item, QPainter* painter,
                         const QWidget* widget) const;
    void DrawDropDownItem(const QStyleOptionMenuItem* item, QPainter* painter,
                          const QWidget* widget) const;
    struct TDropDownPlace;
    void DrawDropDownBackground(const TDropDownPlace& place, const TItemPaintColors& colors,
                                QPainter* painter) const;
    void DrawDropDownGlyph(const QStyleOptionMenuItem* item, const QAction* action,
                           const TDropDownPlace& place, const TItemPaintColors& colors,
                           QPainter* painter) const;
    void DrawDropDownText(const QStyleOptionMenuItem* item, const TDropDownPlace& place,
                          const TItemPaintColors& colors, QPainter* painter) const;
    void DrawMenuBackground(const QRect& rect, const QPalette& palette, const QFont& font,
                            QPainter* painter) const;
    QPixmap CheckGlyph(const QStyleOptionMenuItem* item, const QAction* action, bool hot) const;
    QPixmap ImageGlyph(const QStyleOptionMenuItem* item, const QAction* action,
                       qreal devicePixelRatio) const;

    QStringList menus_;
    bool attachedExplicitly_ = false;
    // Widgets polished by this style (given it by setStyle).
    QList<QPointer<QWidget>> styled_;
    TItemBitmaps builtIn_;
};
