#pragma once
// TMark: the borderless splash window. It holds one picture, Logo, sizes
// itself to it and stands in the middle of the desktop.

#include <QPixmap>
#include <QWidget>

class QLabel;

class TMark : public QWidget {
    Q_OBJECT
public:
    explicit TMark(QWidget* parent = nullptr);

    QLabel* Logo = nullptr;

    // Shows `picture` at its natural size and makes the window exactly that
    // size (0 x 0 for an empty picture), centred on the desktop.
    void SetPicture(const QPixmap& picture);
    // A transparent picture leaves out its transparent colour (the
    // bottom-left pixel, or the alpha channel of a picture that has one) and
    // lets what is behind the window show there.
    void SetTransparent(bool transparent);
    bool Transparent() const { return transparent_; }

private:
    void ShowPicture();

    QPixmap picture_;
    bool transparent_ = true;
};
