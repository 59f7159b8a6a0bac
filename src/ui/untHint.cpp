#include "ui/untHint.h"

#include "core/NumberText.h"
#include "core/TSPErrors.h"
#include "core/TextEncoding.h"
#include "guibase/Seams.h"
#include "guibase/Text.h"
#include "map/TSPMap.h"
#include "ui/MapCommands.h"
#include "ui/TrasolanApplication.h"
#include "ui/untMain.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TFlatCheckBox.h"
#include "widgets/TGradientHeader.h"
#include "widgets/TImageButton.h"
#include "widgets/TImageList.h"

#include <QFontMetrics>
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

void TfrmHint::ShowNode(int32_t id) {
    const int32_t position = g_Map.IndexOfID(id);
    if (position < 0)
        return;
    targetId_ = id;
    const TCity& city = g_Map.City(position);
    filling_ = true;
    CityName->setText(QString::fromStdString(city.Name));
    CityName->setModified(false);
    ShowCoordinates(position);
    StartCity->setChecked(city.ThisCity);
    filling_ = false;
    ShowCaption(CityName->text());
}

void TfrmHint::Forget() {
    targetId_ = -1;
    ShowCaption(QString());
    hide();
}

int32_t TfrmHint::TargetPosition() const {
    return targetId_ < 0 ? -1 : g_Map.IndexOfID(targetId_);
}

void TfrmHint::FollowMap() {
    if (targetId_ < 0)
        return;
    const int32_t position = TargetPosition();
    if (position < 0) {
        Forget();
        return;
    }
    // Only what differs is written: a field being typed into keeps its text
    // and its cursor.
    const TCity& city = g_Map.City(position);
    filling_ = true;
    if (Utf8Left(CityName->text().toStdString(), kMaxNameLength) != city.Name)
        CityName->setText(QString::fromStdString(city.Name));
    if (!NCityX->isModified() && !NCityY->isModified())
        ShowCoordinates(position);
    if (StartCity->isChecked() != city.ThisCity)
        StartCity->setChecked(city.ThisCity);
    filling_ = false;
    ShowCaption(QString::fromStdString(city.Name));
}

void TfrmHint::FollowRenumbering(int32_t position, int delta) {
    if (targetId_ < 0)
        return;
    if (delta < 0 && targetId_ == position)
        Forget();
    else if (targetId_ >= position)
        targetId_ += delta;
}

void TfrmHint::ShowCaption(const QString& name) {
    // "Информация" and the node's name, cut to the room left of the close
    // button, so that the window always says which node it edits.
    const QString caption = Text("Информация");
    if (name.isEmpty()) {
        FormCaption->SetCaption(caption);
        FormCaption->CaptionLabel()->setToolTip(QString());
        return;
    }
    QLabel* label = FormCaption->CaptionLabel();
    const int room = CloseBtn->x() - 8;
    const QString full = caption + QStringLiteral(": ") + name;
    FormCaption->SetCaption(QFontMetrics(label->font()).elidedText(full, Qt::ElideRight, room));
    // Centred in the room left of the close button rather than in the bar.
    label->move((CloseBtn->x() - label->width()) / 2, label->y());
    label->setToolTip(full);
}

void TfrmHint::CityNameChange() {
    const int32_t position = TargetPosition();
    if (filling_ || position < 0 || !frmMain)
        return;
    const std::string name = Utf8Left(CityName->text().toStdString(), kMaxNameLength);
    const std::string& old = g_Map.City(position).Name;
    if (name == old)
        return;
    frmMain->PushEdit(new TRenameNodeCommand(frmMain->EditTarget(), position, old, name));
    ShowCaption(CityName->text());
}

void TfrmHint::StartCityClick() {
    const int32_t position = TargetPosition();
    if (filling_ || position < 0 || !frmMain)
        return;
    if (g_Map.City(position).ThisCity != StartCity->isChecked())
        frmMain->PushEdit(
            new TNodeKindCommand(frmMain->EditTarget(), position, StartCity->isChecked()));
}

void TfrmHint::Button1Click() {
    const int32_t position = TargetPosition();
    if (position >= 0 && frmMain)
        frmMain->PushEdit(new TDeleteNodeCommand(frmMain->EditTarget(), position));
    close();
}

void TfrmHint::CloseBtnClick() {
    close();
}

void TfrmHint::ShowCoordinates(int32_t position) {
    const TCity& city = g_Map.City(position);
    NCityX->setText(QString::fromStdString(FloatToStr(city.X)));
    NCityY->setText(QString::fromStdString(FloatToStr(city.Y)));
    NCityX->setModified(false);
    NCityY->setModified(false);
}

void TfrmHint::CoordinatesEntered() {
    if (!NCityX->isModified() && !NCityY->isModified())
        return;
    NCityX->setModified(false);
    NCityY->setModified(false);
    const int32_t position = TargetPosition();
    if (position < 0 || !frmMain)
        return;
    double x = 0;
    double y = 0;
    try {
        x = StrToFloat(NCityX->text().toStdString());
        y = StrToFloat(NCityY->text().toStdString());
        if (std::fabs(x) > kMaxCoordinate || std::fabs(y) > kMaxCoordinate)
            throw ETSPError("Координаты узла " + std::to_string(position) +
                            " лежат вне допустимого диапазона");
    } catch (const std::exception& error) {
        ShowCoordinates(position);
        seams::ShowError(this, MessageText(QString::fromUtf8(error.what())));
        return;
    }
    const TCity& city = g_Map.City(position);
    if (x != city.X || y != city.Y)
        frmMain->PushEdit(new TMoveNodeCommand(frmMain->EditTarget(), Text("изменение координат"),
                                               position, QPointF(city.X, city.Y), QPointF(x, y)));
}
