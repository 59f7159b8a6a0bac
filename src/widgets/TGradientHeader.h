#pragma once
// A header strip filled with a vertical gradient from the palette's highlight
// colour (top) to the window colour (bottom), with an optional bold caption
// line and a comment line under it. Used as the thin decorative strip under
// caption bars (no texts) and as the about box's header (both texts).

#include <QString>
#include <QWidget>

class TGradientHeader : public QWidget {
    Q_OBJECT
public:
    explicit TGradientHeader(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    void SetComment(const QString& comment);
    QString Comment() const { return comment_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QString comment_;
};
