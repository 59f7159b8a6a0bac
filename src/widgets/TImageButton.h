#pragma once
// A flat button that shows one image of a TImageList, optionally with a
// caption under it. Hovering an enabled button lifts the image over a soft
// shadow and draws a thin frame; pressing moves the image 1 px right and down;
// a disabled button shows a greyed, lighter image. The image index and the
// caption can be changed at run time (Start/Pause, roll up/down).

#include "widgets/TImageList.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>

class TImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TImageButton(QWidget* parent = nullptr);
    TImageButton(TImageList* images, int imageIndex, QWidget* parent = nullptr);

    void SetImages(TImageList* images);
    TImageList* Images() const { return images_; }

    void SetImageIndex(int index);
    int ImageIndex() const { return imageIndex_; }

    // Caption drawn under the image (the large panel buttons); empty = none.
    // Same as QAbstractButton::setText/text.
    void SetCaption(const QString& caption);
    QString Caption() const { return text(); }

    // True while the pointer is over the button (drives the hover look).
    bool IsHovered() const { return hovered_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void DropCachedImages();
    const QPixmap& NormalImage(qreal dpr);
    const QPixmap& ShadowImage(qreal dpr);
    const QPixmap& DisabledImage(qreal dpr);

    QPointer<TImageList> images_;
    QMetaObject::Connection imagesChanged_;
    int imageIndex_ = 0;
    bool hovered_ = false;

    // Derived pictures are cached per index and device pixel ratio, because
    // the shadow and the greyed image cost a blur and a colour pass.
    int cachedIndex_ = -1;
    qreal cachedDpr_ = 0;
    QPixmap normal_, shadow_, disabled_;
};
