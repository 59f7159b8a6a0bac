#pragma once
// The city window: name, coordinates and kind of one node, and a button that
// deletes it. It shows the node the editor last touched: a double click opens
// it for that node, and while it is open every press that hits a node shows
// that node instead. Its edits always act on the node it shows; each is a
// step of the main window's undo history. Borderless, stays on top, dragged
// by its caption strip; Esc closes it.

#include <QWidget>

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class TCaptionBar;
class TFlatCheckBox;
class TGradientHeader;
class TImageButton;

class TfrmHint : public QWidget {
    Q_OBJECT
public:
    explicit TfrmHint(QWidget* parent = nullptr);

    // Shows the node with this ID from now on: caption, name, coordinates
    // and kind. An ID that names no node changes nothing (the window keeps
    // the node it showed).
    void ShowNode(int32_t id);
    // Shows no node any more and closes (the map it belonged to went).
    void Forget();
    // The ID of the node the window shows, or -1.
    int32_t TargetID() const { return targetId_; }
    // The map changed (a step done or undone): the fields show the node as
    // it is now; a node that went takes the window with it.
    void FollowMap();
    // A node was inserted (+1) or removed (-1) at a list position: the
    // window keeps showing the same node under its new ID.
    void FollowRenumbering(int32_t position, int delta);

    // Handlers.
    void CityNameChange();
    void StartCityClick();
    void Button1Click();
    void CloseBtnClick();
    // Applies the coordinate fields to the node (Enter in a coordinate field,
    // or leaving it). Text that is no number is refused and the field shows
    // the node's coordinate again.
    void CoordinatesEntered();

    TCaptionBar* FormCaption = nullptr;
    TImageButton* CloseBtn = nullptr;
    TGradientHeader* glWizardHeader1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* CityName = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* NCityX = nullptr;
    QLineEdit* NCityY = nullptr;
    QPushButton* Button1 = nullptr;
    TFlatCheckBox* StartCity = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The node the window shows, as a list position; -1 when none.
    int32_t TargetPosition() const;
    void ShowCoordinates(int32_t position);
    void ShowCaption(const QString& name);

    int32_t targetId_ = -1;
    // Set while the window itself fills its fields: their change handlers
    // then store nothing.
    bool filling_ = false;
};

extern TfrmHint* frmHint;
