#include "ui/untHint.h"

#include "core/NumberText.h"
#include "core/TSPErrors.h"
#include "guibase/Seams.h"
#include "guibase/Text.h"
#include "map/TSPMap.h"
#include "ui/TrasolanApplication.h"
#include "ui/untMain.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TFlatCheckBox.h"
#include "widgets/TGradientHeader.h"
#include "widgets/TImageButton.h"
#include "widgets/TImageList.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>

#include <algorithm>
#include <cmath>

TfrmHint* frmHint = nullptr;

namespace {

constexpr QSize kClientSize{177, 213};
constexpr int kCaptionHeight = 23;

int32_t CurrentNode() {
    return frmMain ? frmMain->CurrentNodeID : -1;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->adjustSize();
    label->move(at);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, QRect place) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(place);
    return edit;
}

} // namespace

TfrmHint::TfrmHint(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmHint"));
    setWindowTitle(Text("Информация"));
    setFixedSize(kClientSize);

    FormCaption = new TCaptionBar(this);
    FormCaption->setObjectName(QStringLiteral("FormCaption"));
    FormCaption->setGeometry(0, 0, kClientSize.width(), kCaptionHeight);
    FormCaption->SetCaption(Text("Информация"));
    // Black on the white bar, whatever the desktop's colour scheme.
    QPalette captionColours = FormCaption->CaptionLabel()->palette();
    captionColours.setColor(QPalette::WindowText, Qt::black);
    FormCaption->CaptionLabel()->setPalette(captionColours);
    // The bar's own buttons keep to its ends; this window's close button has
    // its own place.
    FormCaption->LeftButton()->hide();
    FormCaption->RightButton()->hide();
    CloseBtn = new TImageButton(frmMain ? frmMain->ImageList2 : nullptr, capClose, FormCaption);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setGeometry(148, 1, 19, 21);
    CloseBtn->setFocusPolicy(Qt::NoFocus);
    CloseBtn->setToolTip(Text("Закрыть окно"));
    connect(CloseBtn, &QAbstractButton::clicked, this, [this] { CloseBtnClick(); });
    connect(FormCaption, &TCaptionBar::pressed, this, [this] { StartWindowDrag(this); });

    glWizardHeader1 = new TGradientHeader(this);
    glWizardHeader1->setObjectName(QStringLiteral("glWizardHeader1"));
    glWizardHeader1->setGeometry(0, kCaptionHeight, kClientSize.width(), 5);

    Label1 = MakeLabel(this, "Label1", Text("Название города"), {44, 36});
    CityName = MakeEdit(this, "CityName", {8, 56, 161, 21});
    Label2 = MakeLabel(this, "Label2", Text("Координаты"), {56, 88});
    Label3 = MakeLabel(this, "Label3", QStringLiteral("X"), {36, 104});
    Label4 = MakeLabel(this, "Label4", QStringLiteral("Y"), {128, 104});
    NCityX = MakeEdit(this, "NCityX", {10, 120, 75, 21});
    NCityX->setText(QStringLiteral("0"));
    NCityY = MakeEdit(this, "NCityY", {86, 120, 79, 21});
    NCityY->setText(QStringLiteral("0"));

    // Not the default button: Enter while typing a name must not delete the
    // node. Deleting takes a click.
    Button1 = new QPushButton(Text("Удалить город"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(12, 156, 157, 25);
    Button1->setAutoDefault(false);
    Button1->setDefault(false);

    StartCity = new TFlatCheckBox(Text("Является городом"), this);
    StartCity->setObjectName(QStringLiteral("StartCity"));
    StartCity->setGeometry(32, 184, 121, 17);

    connect(CityName, &QLineEdit::textChanged, this,
            [this] { RunGuarded([this] { CityNameChange(); }); });
    connect(StartCity, &QCheckBox::toggled, this,
            [this] { RunGuarded([this] { StartCityClick(); }); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { Button1Click(); }); });
    connect(NCityX, &QLineEdit::editingFinished, this, [this] { CoordinatesEntered(); });
    connect(NCityY, &QLineEdit::editingFinished, this, [this] { CoordinatesEntered(); });
}

void TfrmHint::keyPressEvent(QKeyEvent* event) {
    // The fields leave Esc to the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TfrmHint::paintEvent(QPaintEvent*) {
    // A thin frame keeps the borderless window apart from what lies behind.
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TfrmHint::Fill(int32_t position) {
    if (position < 0 || position >= g_Map.Count())
        return;
    // Filling sets the name and the kind, whose change handlers store them
    // back into the node; the copies are taken first for that reason.
    const TCity city = g_Map.City(position);
    CityName->setText(QString::fromStdString(city.Name));
    NCityX->setText(QString::fromStdString(FloatToStr(city.X)));
    NCityY->setText(QString::fromStdString(FloatToStr(city.Y)));
    StartCity->setChecked(city.ThisCity);
}

void TfrmHint::CityNameChange() {
    // The node at the position CurrentNodeID (IDs equal positions); with no
    // such node (after a right click on empty space) the name goes nowhere.
    const int32_t position = CurrentNode();
    if (position < 0 || position >= g_Map.Count())
        return;
    g_Map.SetCityName(position, CityName->text().toStdString());
}

void TfrmHint::StartCityClick() {
    const int32_t position = g_Map.IndexOfID(CurrentNode());
    if (position >= 0)
        g_Map.SetCityKind(position, StartCity->isChecked());
    if (frmMain)
        frmMain->RedrawMap();
}

void TfrmHint::Button1Click() {
    if (frmMain)
        frmMain->StopRunIfActive();
    g_Display.ShowPath = false;
    g_Map.DeleteCity(CurrentNode());
    if (frmMain)
        frmMain->RedrawMap();
    close();
}

void TfrmHint::CloseBtnClick() {
    close();
}

void TfrmHint::ShowCoordinates(int32_t position) {
    const TCity& city = g_Map.City(position);
    NCityX->setText(QString::fromStdString(FloatToStr(city.X)));
    NCityY->setText(QString::fromStdString(FloatToStr(city.Y)));
}

void TfrmHint::CoordinatesEntered() {
    if (!NCityX->isModified() && !NCityY->isModified())
        return;
    NCityX->setModified(false);
    NCityY->setModified(false);
    const int32_t position = g_Map.IndexOfID(CurrentNode());
    if (position < 0)
        return;
    double x = 0;
    double y = 0;
    try {
        x = StrToFloat(NCityX->text().toStdString());
        y = StrToFloat(NCityY->text().toStdString());
        if (std::fabs(x) > kMaxCoordinate || std::fabs(y) > kMaxCoordinate)
            throw ETSPError("Координаты узла " + std::to_string(position) +
                            " лежат вне допустимого диапазона");
        g_Map.SetCityPosition(position, x, y);
    } catch (const std::exception& error) {
        ShowCoordinates(position);
        seams::ShowError(this, MessageText(QString::fromUtf8(error.what())));
        return;
    }
    if (frmMain)
        frmMain->RedrawMap();
}
