#include "ui/untRandomN.h"

#include "guibase/Text.h"
#include "map/RandomMap.h"
#include "map/TSPMap.h"
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
        const QRect owner = parentWidget()->frameGeometry();
        move(owner.center() - rect().center());
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
    GenerateRandomMap();
    accept();
}

void TfrmRandomN::GenerateRandomMap() {
    // A run on the old map ends before the map goes away.
    if (frmMain)
        frmMain->StopRunIfActive();
    // Input waits while the map is rebuilt, so that no click lands in a half-made
    // map.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    TRandomMapSettings settings;
    settings.Count = CountCityEditUpDown->Position();
    settings.RoadShare = RoadsTrackBar->value();
    settings.TransitShare = NonCityTrackBar->value();
    settings.Ring = UseOkr->isChecked();
    if (frmMain && frmMain->Roads) {
        settings.Width = frmMain->Roads->width();
        settings.Height = frmMain->Roads->height();
    }
    ::GenerateRandomMap(g_Map, settings, g_Display, std::nullopt, [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    if (frmMain)
        frmMain->RedrawMap();
}
