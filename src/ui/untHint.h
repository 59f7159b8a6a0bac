#pragma once
// The city window: name, coordinates and kind of the node the editor last
// touched (CurrentNodeID), and a button that deletes it. Borderless, stays on
// top, dragged by its caption strip; Esc closes it.

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

    // Shows the node at a list position in the fields. Setting the fields
    // stores the name and kind back into that node, as typing would.
    void Fill(int32_t position);

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
    void ShowCoordinates(int32_t position);
};

extern TfrmHint* frmHint;
