#pragma once
// The caption strip of a borderless window: a white bar with a bold caption
// in its middle, an image button at the left (roll up/down) and one at the
// right (close), and the size-all cursor. A press on the bar (not on its
// buttons) emits pressed(); the window's handler then calls StartWindowDrag.
// A double click emits doubleClicked().

#include <QString>
#include <QWidget>

class QLabel;
class TImageButton;

class TCaptionBar : public QWidget {
    Q_OBJECT
public:
    explicit TCaptionBar(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    QString Caption() const;
    // The caption label (to name it or move it).
    QLabel* CaptionLabel() const { return caption_; }
    // The two buttons exist always; a window hides the one it does not use.
    // Give them images (SetImages/SetImageIndex) and object names. The bar
    // keeps them at its left and right ends as it is resized, until the
    // window moves one itself; from then on that one stays where it was put.
    TImageButton* LeftButton() const { return left_; }
    TImageButton* RightButton() const { return right_; }

    // Centres the caption label in the bar (again after the bar's width changed).
    void CentreCaption();

Q_SIGNALS:
    void pressed();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caption_ = nullptr;
    TImageButton* left_ = nullptr;
    TImageButton* right_ = nullptr;
    // Where the bar last put each button itself.
    static constexpr QPoint kUnplaced{-1, -1};
    QPoint leftAutoPlace_ = kUnplaced;
    QPoint rightAutoPlace_ = kUnplaced;
};

// Lets the user drag `window` with the mouse button that is down now, as the
// window system does for a title bar. Uses the window system's own move loop
// where the platform offers one; elsewhere the window follows the pointer
// until the button is released. Call it from a mouse-press handler.
void StartWindowDrag(QWidget* window);
