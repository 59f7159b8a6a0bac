#pragma once
// The random map dialog "Создать N случайных городов": number of cities, a
// ring or free placement, the share of node pairs joined by roads.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class TUpDown;

class TfrmRandomN : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRandomN(QWidget* parent = nullptr);

    // Replaces the map by a random one with the dialog's current settings and
    // redraws the main window's map. The dialog need not be showing (F5).
    // Asks about unsaved changes first: false when the user kept the map.
    // The new map is a step of the undo history and has no file.
    bool GenerateRandomMap();

    void RndBtnClick();
    void RoadsTrackBarChange();
    void NonCityTrackBarChange();

    QLabel* Label2 = nullptr;
    QLineEdit* CountCityEdit = nullptr;
    TUpDown* CountCityEditUpDown = nullptr;
    QCheckBox* UseOkr = nullptr;
    QSlider* RoadsTrackBar = nullptr;
    QPushButton* RndBtn = nullptr;
    QSlider* NonCityTrackBar = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

extern TfrmRandomN* frmRandomN;
