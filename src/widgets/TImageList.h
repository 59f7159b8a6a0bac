#pragma once
// A list of same-sized images that buttons and menus pick from by index.
// Each entry is kept as a QIcon so that a picture loaded from an SVG resource
// is rendered sharp at any device pixel ratio; generated pictures are kept as
// the pixmaps they were made from.

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QSize>
#include <QString>

class TImageList : public QObject {
    Q_OBJECT
public:
    // `size` is the logical (device-independent) size of every image.
    explicit TImageList(QSize size, QObject* parent = nullptr);

    QSize Size() const { return size_; }
    int Count() const { return static_cast<int>(icons_.size()); }

    // Appends an image loaded from a file or resource path (":/…", SVG or
    // PNG). A path that cannot be loaded still takes its place in the list as
    // an empty image, so that the indices of later images stay as planned.
    // Returns the new image's index.
    int AddFromResource(const QString& path);
    // Appends a generated picture (any size; it is scaled to Size() when drawn).
    int Add(const QPixmap& pixmap);
    int Add(const QIcon& icon);
    // Replaces the image at `index`; an index outside the list is ignored.
    void Replace(int index, const QIcon& icon);
    void Clear();

    // The image at `index` rendered at Size() for the given device pixel
    // ratio; a null pixmap for an index outside the list.
    QPixmap Image(int index, qreal devicePixelRatio = 1.0) const;
    // The image as an icon (an empty icon outside the list), e.g. for menus.
    QIcon Icon(int index) const;
    bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }

Q_SIGNALS:
    // Any image was added, replaced or removed: users repaint.
    void Changed();

private:
    QSize size_;
    QList<QIcon> icons_;
};
