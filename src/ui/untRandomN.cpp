#include "ui/untRandomN.h"

#include "core/RandomUnit.h"
#include "guibase/Text.h"
#include "map/RandomMap.h"
#include "map/TSPMap.h"
#include "ui/MapCommands.h"
#include "ui/TrasolanApplication.h"
#include "ui/untMain.h"
#include "ui/untResultsUpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

TfrmRandomN* frmRandomN = nullptr;

// ---------------------------------------------------------------------------

TfrmRandomN::TfrmRandomN(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("frmRandomN"));
    setWindowTitle(Text("Создать N случайных городов"));
    setFixedSize(227, 144);
    setModal(true);

    Label2 = new QLabel(Text("Число городов"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 16, 76, 13);

    CountCityEdit = new QLineEdit(QStringLiteral("25"), this);
    CountCityEdit->setObjectName(QStringLiteral("CountCityEdit"));
    CountCityEdit->setGeometry(120, 12, 87, 21);
    CountCityEditUpDown = new TUpDown(0, 32767, 25, this);
    CountCityEditUpDown->SetAssociate(CountCityEdit);
    CountCityEditUpDown->setObjectName(QStringLiteral("CountCityEditUpDown"));
    CountCityEditUpDown->setGeometry(207, 12, 16, 21);

    UseOkr = new QCheckBox(Text("Разместить случайно по окружности"), this);
    UseOkr->setObjectName(QStringLiteral("UseOkr"));
    UseOkr->setGeometry(8, 44, 213, 17);

    RoadsTrackBar = new QSlider(Qt::Horizontal, this);
    RoadsTrackBar->setObjectName(QStringLiteral("RoadsTrackBar"));
    RoadsTrackBar->setGeometry(0, 68, 225, 21);
    RoadsTrackBar->setRange(0, 100);
    RoadsTrackBar->setPageStep(10);
    RoadsTrackBar->setTickPosition(QSlider::TicksBelow);
    RoadsTrackBar->setTickInterval(10);
    RoadsTrackBar->setValue(75);
    RoadsTrackBar->setToolTip(Text("Соединять 75% городов дорогами"));
    connect(RoadsTrackBar, &QSlider::valueChanged, this, [this] { RoadsTrackBarChange(); });

    RndBtn = new QPushButton(Text("Генерировать"), this);
    RndBtn->setObjectName(QStringLiteral("RndBtn"));
    RndBtn->setGeometry(64, 105, 101, 25);
    RndBtn->setDefault(true);
    connect(RndBtn, &QPushButton::clicked, this, [this] { RunGuarded([this] { RndBtnClick(); }); });

    NonCityTrackBar = new QSlider(Qt::Horizontal, this);
    NonCityTrackBar->setObjectName(QStringLiteral("NonCityTrackBar"));
    NonCityTrackBar->setGeometry(4, 120, 225, 21);
    NonCityTrackBar->setRange(0, 100);
    NonCityTrackBar->setValue(0);
    NonCityTrackBar->setToolTip(Text("Использовать 0% перевалочных пунктов"));
    NonCityTrackBar->hide();
    connect(NonCityTrackBar, &QSlider::valueChanged, this, [this] { NonCityTrackBarChange(); });
}

void TfrmRandomN::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget()) {
        // Centred by its client area: the frame is not known before the
        // dialog is first shown, and a frame-based move would put it higher
        // (or lower) that first time than every later one.
        const QRect owner = parentWidget()->geometry();
        setGeometry(QRect(owner.center() - rect().center(), size()));
    }
    CountCityEdit->setFocus();
    CountCityEdit->selectAll();
}

void TfrmRandomN::RoadsTrackBarChange() {
    RoadsTrackBar->setToolTip(Text("Соединять %1% городов дорогами").arg(RoadsTrackBar->value()));
}

void TfrmRandomN::NonCityTrackBarChange() {
    NonCityTrackBar->setToolTip(
        Text("Использовать %1% перевалочных пунктов ").arg(NonCityTrackBar->value()));
}

void TfrmRandomN::RndBtnClick() {
    // Отмена in the unsaved-changes question keeps the dialog open.
    if (GenerateRandomMap())
        accept();
}

bool TfrmRandomN::GenerateRandomMap() {
    TRandomMapSettings settings;
    settings.Count = CountCityEditUpDown->Position();
    settings.RoadShare = RoadsTrackBar->value();
    settings.TransitShare = NonCityTrackBar->value();
    settings.Ring = UseOkr->isChecked();
    if (frmMain && frmMain->Roads) {
        settings.Width = frmMain->Roads->width();
        settings.Height = frmMain->Roads->height();
    }
    // Settings beyond what the program can hold are refused before anything
    // is asked or changed.
    CheckRandomMapSettings(settings);
    if (!frmMain) {
        ::GenerateRandomMap(g_Map, settings, g_Display);
        return true;
    }
    if (!frmMain->AskToSaveChanges())
        return false;
    uint32_t seed = 0;
    frmMain->ReplaceMap(
        Text("случайная карта"),
        [&] {
            // Input waits while the map is rebuilt, so that no click lands in
            // a half-made map.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            // Seeded from the clock as always; the seed is kept so that the
            // history can make the same map again.
            Randomize();
            seed = RandSeed();
            ::GenerateRandomMap(g_Map, settings, g_Display, seed, [] {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            });
        },
        [&] { return TMapContent::Generated(settings, seed); });
    frmMain->RedrawMap();
    return true;
}
