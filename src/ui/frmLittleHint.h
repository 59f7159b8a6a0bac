#pragma once
// The little hint: a small translucent window beside the pointer that tells
// what lies under it on the map or what is being dragged.

#include <QPixmap>
#include <QWidget>

class QLabel;

class TLittleHint : public QWidget {
    Q_OBJECT
public:
    explicit TLittleHint(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const;
    // Makes the window just wide enough for its text.
    void FitWidth();

    QLabel* Info = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap picture_;
};

extern TLittleHint* LittleHint;
