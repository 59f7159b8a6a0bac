#include "extras/ItemDrawer.h"

#include "extras/ItemDrawerGlyphs.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPolygon>
#include <QSet>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace {

// Room the measure leaves beside caption, gutter and short-cut, and the
// narrowest drop-down item.
constexpr int kMeasureSlack = 38;
constexpr int kMinItemWidth = 48;
constexpr int kMinItemHeight = 22;
constexpr int kSeparatorHeight = 7;
// The caption starts this far right of the gutter; the short-cut ends this
// far left of the item's right edge.
constexpr int kCaptionIndent = 8;
constexpr int kShortcutRightGap = 18;
constexpr int kMenuIconSize = 16;

bool IsMenuWidget(const QWidget* widget) {
    return qobject_cast<const QMenu*>(widget) || qobject_cast<const QMenuBar*>(widget);
}

// Fills the rectangle and frames it one pixel wide, the way a brush-filled
// rectangle with a frame looks on the screen (right and bottom edges inside).
void FillFramed(QPainter* painter, const QRect& rect, const QColor& fill, const QColor& frame) {
    painter->fillRect(rect, frame);
    painter->fillRect(rect.adjusted(1, 1, -1, -1), fill);
}

void Frame(QPainter* painter, const QRect& rect, const QColor& frame) {
    painter->fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), frame);
    painter->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), frame);
    painter->fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), frame);
    painter->fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), frame);
}

QAction* ActionAt(const QWidget* widget, const QRect& rect) {
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
        return menu->actionAt(rect.center());
    if (const auto* bar = qobject_cast<const QMenuBar*>(widget))
        return bar->actionAt(rect.center());
    return nullptr;
}

bool HasVisibleSubItem(const QAction* action) {
    if (!action || !action->menu())
        return false;
    const QList<QAction*> items = action->menu()->actions();
    return std::any_of(items.begin(), items.end(), [](const QAction* a) { return a->isVisible(); });
}

// Glyphs are worked on in device pixels; the ratio travels with the image.
QImage DeviceImage(const QPixmap& pixmap) {
    return pixmap.toImage();
}

void DrawGlyph(QPainter* painter, const QImage& image, QPoint logicalTopLeft) {
    painter->drawImage(logicalTopLeft, image);
}

QSize LogicalSize(const QImage& image) {
    const qreal ratio = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1.0;
    return QSize(qRound(image.width() / ratio), qRound(image.height() / ratio));
}

QImage WithRatio(QImage image, qreal ratio) {
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace

void SetItemBitmap(QAction* action, const QPixmap& bitmap) {
    if (action)
        action->setProperty(kItemBitmapProperty, bitmap);
}

QPixmap ItemBitmap(const QAction* action) {
    if (!action)
        return {};
    return action->property(kItemBitmapProperty).value<QPixmap>();
}

TItemDrawer::TItemDrawer(QObject* owner) : QProxyStyle(static_cast<QStyle*>(nullptr)) {
    setParent(owner);
    builtIn_.Radio = QPixmap(QStringLiteral(":/RADIO"));
    builtIn_.HotRadio = QPixmap(QStringLiteral(":/RADIOHOT"));
    builtIn_.CheckBox = QPixmap(QStringLiteral(":/CHECKBOX"));
    builtIn_.HotCheckBox = QPixmap(QStringLiteral(":/CHECKBOXHOT"));
}

TItemDrawer::~TItemDrawer() {
    const QList<QPointer<QWidget>> styled = styled_;
    styled_.clear();
    // A widget under an application style sheet shows a wrapper around this
    // style rather than this style itself; it is on the list all the same.
    for (const QPointer<QWidget>& widget : styled)
        if (widget)
            widget->setStyle(nullptr);
}

void TItemDrawer::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    styled_.removeIf([](const QPointer<QWidget>& styled) { return styled.isNull(); });
    if (widget && !styled_.contains(widget))
        styled_.append(widget);
}

void TItemDrawer::unpolish(QWidget* widget) {
    styled_.removeAll(widget);
    QProxyStyle::unpolish(widget);
}

void TItemDrawer::SetMenus(const QStringList& menus) {
    menus_ = menus;
    for (const QString& name : menus_) {
        QWidget* found = nullptr;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget* window : windows) {
            if (window->objectName() == name && IsMenuWidget(window)) {
                found = window;
                break;
            }
            const QList<QWidget*> named = window->findChildren<QWidget*>(name);
            for (QWidget* candidate : named) {
                if (IsMenuWidget(candidate)) {
                    found = candidate;
                    break;
                }
            }
            if (found)
                break;
        }
        if (found)
            AttachMenuTree(found);
    }
}

void TItemDrawer::AttachMenus() {
    attachedExplicitly_ = true;
    SetMenus(menus_);
}

void TItemDrawer::AttachMenuTree(QWidget* menu) {
    QSet<QWidget*> seen;
    QList<QWidget*> pending{menu};
    while (!pending.isEmpty()) {
        QWidget* widget = pending.takeFirst();
        if (seen.contains(widget))
            continue;
        seen.insert(widget);
        if (widget->style() != this)
            widget->setStyle(this);
        const QList<QAction*> items = widget->actions();
        for (QAction* item : items)
            if (item->menu())
                pending.append(item->menu());
    }
}

void TItemDrawer::AttachSubMenuOf(QAction* action) const {
    if (attachedExplicitly_ && action && action->menu())
        const_cast<TItemDrawer*>(this)->AttachMenuTree(action->menu());
}

TItemPaintColors TItemDrawer::PaintColors(const QPalette& palette) const {
    return UseSystemColors ? SystemPaintColors(palette) : OwnPaintColors(Colors, palette);
}

QFont TItemDrawer::ItemFont(const QFont& systemFont) const {
    return UseSystemFont ? systemFont : Font;
}

int TItemDrawer::ItemHeight(const QFont& font) {
    return std::max(kMinItemHeight, QFontMetrics(font).height() + 4);
}

QString TItemDrawer::StripAccelerators(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                shown += u'&';
                ++i;
            }
            continue;
        }
        shown += caption[i];
    }
    return shown;
}

QSize TItemDrawer::MeasureItem(const QString& text, bool separator, const QFont& font) {
    const int itemHeight = ItemHeight(font);
    if (separator)
        return {kMinItemWidth, kSeparatorHeight};
    const qsizetype tab = text.indexOf(u'\t');
    const QString caption = tab < 0 ? text : text.left(tab);
    const QString shortcut = tab < 0 ? QString() : text.mid(tab + 1);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(StripAccelerators(caption)) + itemHeight +
                      metrics.horizontalAdvance(shortcut) + kMeasureSlack;
    return {std::max(kMinItemWidth, width), itemHeight};
}

int TItemDrawer::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
    case PM_MenuVMargin:
        return 1;
    case PM_MenuHMargin:
    case PM_MenuBarPanelWidth:
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize TItemDrawer::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const {
    if (type == CT_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
            return MeasureItem(item->text, separator, ItemFont(item->font));
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void TItemDrawer::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    switch (element) {
    case PE_PanelMenu:
        DrawMenuBackground(option->rect, option->palette, widget ? widget->font() : QFont(),
                           painter);
        return;
    case PE_FrameMenu:
        Frame(painter, option->rect, PaintColors(option->palette).MenuBorder);
        return;
    case PE_PanelMenuBar:
        painter->fillRect(option->rect, PaintColors(option->palette).ButtonFace);
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void TItemDrawer::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    switch (element) {
    case CE_MenuBarItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            DrawMenuBarItem(item, painter, widget);
            return;
        }
        break;
    case CE_MenuItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            DrawDropDownItem(item, painter, widget);
            return;
        }
        break;
    case CE_MenuBarEmptyArea:
        painter->fillRect(option->rect, PaintColors(option->palette).ButtonFace);
        return;
    case CE_MenuEmptyArea:
        DrawMenuBackground(option->rect, option->palette, widget ? widget->font() : QFont(),
                           painter);
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TItemDrawer::DrawMenuBackground(const QRect& rect, const QPalette& palette, const QFont& font,
                                     QPainter* painter) const {
    // The gutter runs from the frame down the whole menu, so that the margins
    // above the first and below the last item continue it.
    const TItemPaintColors colors = PaintColors(palette);
    const int inset = pixelMetric(PM_MenuPanelWidth) + pixelMetric(PM_MenuHMargin);
    const int gutter = ItemHeight(ItemFont(font));
    painter->fillRect(rect, colors.MenuFill);
    painter->fillRect(QRect(rect.left() + inset, rect.top(), gutter, rect.height()), colors.Gutter);
}

void TItemDrawer::DrawMenuBarItem(const QStyleOptionMenuItem* item, QPainter* painter,
                                  const QWidget* widget) const {
    QAction* action = ActionAt(widget, item->rect);
    AttachSubMenuOf(action);
    const TItemPaintColors colors = PaintColors(item->palette);
    const QRect r = item->rect;
    const bool enabled = item->state & State_Enabled;
    // The bar marks the item under the pointer (or the keyboard) as
    // selected, and as sunken while its drop-down is open.
    const bool open = item->state & State_Sunken;
    const bool hot = (item->state & State_Selected) && !open;
    const bool boxed = hot || (open && !HasVisibleSubItem(action));

    painter->save();
    if (boxed && enabled) {
        FillFramed(painter, r, colors.SelectedFill, colors.SelectedBorder);
    } else if (open && enabled) {
        painter->fillRect(r, colors.ButtonFace);
        painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), colors.MenuBorder);
        painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), colors.MenuBorder);
        painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), colors.MenuBorder);
    } else {
        painter->fillRect(r, colors.ButtonFace);
    }

    QFont font = ItemFont(widget ? widget->font() : item->font);
    font.setBold(item->menuItemType == QStyleOptionMenuItem::DefaultItem);
    const QFontMetrics metrics(font);
    const int textWidth = metrics.horizontalAdvance(StripAccelerators(item->text));
    const int x = r.left() + (r.width() - textWidth) / 2;
    const int y = r.top() + r.height() / 2 - metrics.height() / 2 - 1;
    painter->setFont(font);
    painter->setPen(enabled ? colors.Text : colors.DisabledText);
    painter->drawText(QRect(x, y, textWidth, metrics.height()),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextDontClip,
                      item->text);
    painter->restore();

    if (OnDrawItem)
        OnDrawItem(const_cast<TItemDrawer*>(this), action, item->state);
}

QPixmap TItemDrawer::CheckGlyph(const QStyleOptionMenuItem* item, const QAction* action,
                                bool hot) const {
    const QPixmap own = ItemBitmap(action);
    if (!own.isNull())
        return own;
    const bool radio = item->checkType == QStyleOptionMenuItem::Exclusive;
    const QPixmap& chosen = radio ? (hot ? Bitmaps.HotRadio : Bitmaps.Radio)
                                  : (hot ? Bitmaps.HotCheckBox : Bitmaps.CheckBox);
    if (!chosen.isNull())
        return chosen;
    return radio ? (hot ? builtIn_.HotRadio : builtIn_.Radio)
                 : (hot ? builtIn_.HotCheckBox : builtIn_.CheckBox);
}

QPixmap TItemDrawer::ImageGlyph(const QStyleOptionMenuItem* item, const QAction* action,
                                qreal devicePixelRatio) const {
    const QPixmap own = ItemBitmap(action);
    if (!own.isNull())
        return own;
    if (item->icon.isNull())
        return {};
    return item->icon.pixmap(QSize(kMenuIconSize, kMenuIconSize), devicePixelRatio);
}

// What the steps of drawing one drop-down item share.
struct TItemDrawer::TDropDownPlace {
    QRect Rect;
    int Gutter = 0; // width of the glyph column
    int Middle = 0; // vertical centre
    bool Enabled = false;
    bool Selected = false;
};

void TItemDrawer::DrawDropDownItem(const QStyleOptionMenuItem* item, QPainter* painter,
                                   const QWidget* widget) const {
    QAction* action = ActionAt(widget, item->rect);
    AttachSubMenuOf(action);
    const TItemPaintColors colors = PaintColors(item->palette);
    TDropDownPlace place;
    place.Rect = item->rect;
    place.Gutter = ItemHeight(ItemFont(item->font));
    place.Middle = place.Rect.top() + place.Rect.height() / 2;
    place.Enabled = item->state & State_Enabled;
    place.Selected = item->state & State_Selected;

    painter->save();
    DrawDropDownBackground(place, colors, painter);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        // A separator is only its line.
        const QRect& r = place.Rect;
        painter->fillRect(QRect(r.left() + place.Gutter, place.Middle, r.width() - place.Gutter, 1),
                          colors.Gutter);
    } else {
        DrawDropDownGlyph(item, action, place, colors, painter);
        DrawDropDownText(item, place, colors, painter);
    }
    painter->restore();

    // Tell whoever listens.
    if (OnDrawItem)
        OnDrawItem(const_cast<TItemDrawer*>(this), action, item->state);
}

void TItemDrawer::DrawDropDownBackground(const TDropDownPlace& place,
                                         const TItemPaintColors& colors, QPainter* painter) const {
    const QRect& r = place.Rect;
    const int w = place.Gutter;
    if (place.Selected && place.Enabled) {
        FillFramed(painter, r, colors.SelectedFill, colors.SelectedBorder);
    } else {
        painter->fillRect(QRect(r.left(), r.top(), w, r.height()), colors.Gutter);
        painter->fillRect(QRect(r.left() + w, r.top(), r.width() - w, r.height()), colors.MenuFill);
        if (place.Selected && DrawDisabledSelRect)
            Frame(painter, r, colors.SelectedBorder);
    }
}

// The glyph: a check or radio mark for a checked item, else the item's image.
void TItemDrawer::DrawDropDownGlyph(const QStyleOptionMenuItem* item, const QAction* action,
                                    const TDropDownPlace& place, const TItemPaintColors& colors,
                                    QPainter* painter) const {
    const QRect& r = place.Rect;
    const int w = place.Gutter;
    const bool enabled = place.Enabled;
    const bool selected = place.Selected;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const bool checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
    QImage glyph;
    if (checked) {
        const bool radio = item->checkType == QStyleOptionMenuItem::Exclusive;
        if (enabled && !selected && (radio ? RadioRect : CheckboxRect)) {
            const int top = place.Middle - (w - 2) / 2;
            FillFramed(painter, QRect(r.left() + 1, top, w - 2, w - 2), colors.CheckBox,
                       colors.SelectedBorder);
        }
        glyph = DeviceImage(CheckGlyph(item, action, selected && enabled));
    } else {
        glyph = DeviceImage(ImageGlyph(item, action, ratio));
    }
    if (glyph.isNull())
        return;
    const qreal glyphRatio = glyph.devicePixelRatio();
    const QSize size = LogicalSize(glyph);
    QPoint at(r.left() + (w - size.width()) / 2, place.Middle - size.height() / 2);
    if (!checked && selected && enabled && ImageShadows) {
        const QImage shadow = GlyphShadow(glyph, Darken(colors.SelectedFill, 20));
        DrawGlyph(painter, WithRatio(shadow, glyphRatio), at + QPoint(1, 1));
        at -= QPoint(1, 1);
    }
    // Disabled glyphs are greyed towards the gutter; every glyph is drawn with
    // its transparent colour left out.
    const QImage shown = enabled ? TransparentGlyph(glyph) : DisabledGlyph(glyph, colors.Gutter);
    DrawGlyph(painter, WithRatio(shown, glyphRatio), at);
}

// Caption and short-cut; a sub-menu shows a small arrow at the right edge.
void TItemDrawer::DrawDropDownText(const QStyleOptionMenuItem* item, const TDropDownPlace& place,
                                   const TItemPaintColors& colors, QPainter* painter) const {
    const QRect& r = place.Rect;
    const int mid = place.Middle;
    QFont font = ItemFont(item->font);
    font.setBold(item->menuItemType == QStyleOptionMenuItem::DefaultItem);
    const QFontMetrics metrics(font);
    const qsizetype tab = item->text.indexOf(u'\t');
    const QString caption = tab < 0 ? item->text : item->text.left(tab);
    const QString shortcut = tab < 0 ? QString() : item->text.mid(tab + 1);
    const QColor textColour = place.Enabled ? colors.Text : colors.DisabledText;
    painter->setFont(font);
    painter->setPen(textColour);
    const int captionTop = mid - metrics.height() / 2 - 1;
    painter->drawText(
        QRect(r.left() + place.Gutter + kCaptionIndent, captionTop,
              metrics.horizontalAdvance(StripAccelerators(caption)), metrics.height()),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextDontClip, caption);
    if (!shortcut.isEmpty()) {
        const int shortcutWidth = metrics.horizontalAdvance(shortcut);
        const int right = r.left() + r.width() - kShortcutRightGap;
        painter->drawText(QRect(right - shortcutWidth, captionTop, shortcutWidth, metrics.height()),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, shortcut);
    }
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        const int x = r.left() + r.width() - 10;
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(Qt::NoPen);
        painter->setBrush(textColour);
        painter->drawPolygon(
            QPolygon({QPoint(x, mid - 4), QPoint(x + 4, mid), QPoint(x, mid + 4)}));
    }
}
