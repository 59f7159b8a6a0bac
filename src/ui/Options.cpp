#include "ui/Options.h"

#include "guibase/Text.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TGradientHeader.h"
#include "widgets/TImageButton.h"
#include "widgets/TImageList.h"

#include <QFrame>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

TfrmOptions* frmOptions = nullptr;

namespace {

constexpr int kClientWidth = 624;
constexpr int kClientHeight = 457;
constexpr int kBorder = 2;
constexpr int kCaptionHeight = 27;
constexpr int kStripHeight = 5;
constexpr int kCloseButtonLeft = 418;

} // namespace

TfrmOptions::TfrmOptions(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(Text("Опции алгоритма"));
    resize(kClientWidth, kClientHeight);

    CaptionImages = new TImageList(QSize(16, 16), this);
    CaptionImages->AddFromResource(QStringLiteral(":/main/caption/close.svg"));
    CaptionImages->AddFromResource(QStringLiteral(":/main/caption/rollup.svg"));
    CaptionImages->AddFromResource(QStringLiteral(":/main/caption/rolldown.svg"));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setLineWidth(kBorder);
    Panel1->setGeometry(0, 0, kClientWidth, kClientHeight);

    FormCaption = new TCaptionBar(Panel1);
    FormCaption->setObjectName(QStringLiteral("FormCaption"));
    FormCaption->setGeometry(kBorder, kBorder, kClientWidth - 2 * kBorder, kCaptionHeight);
    FormCaption->SetCaption(Text("Опции алгоритма"));
    RollUp = FormCaption->LeftButton();
    RollUp->setObjectName(QStringLiteral("RollUp"));
    RollUp->SetImages(CaptionImages);
    RollUp->SetImageIndex(kImageRollUp);
    CloseBtn = FormCaption->RightButton();
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->SetImages(CaptionImages);
    CloseBtn->SetImageIndex(kImageClose);
    PlaceCaptionButtons();

    GradientStrip = new TGradientHeader(Panel1);
    GradientStrip->setObjectName(QStringLiteral("GradientStrip"));
    GradientStrip->setGeometry(kBorder, kBorder + kCaptionHeight, kClientWidth - 2 * kBorder,
                               kStripHeight);

    TreeView1 = new QTreeWidget(Panel1);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setGeometry(4, 36, 193, 365);

    PageControl1 = new QTabWidget(Panel1);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(200, 36, 413, 365);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, Text("Тип задачи"));

    Bevel1 = new QFrame(Panel1);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(4, 404, kClientWidth - 8, 2);

    OKButton = new QPushButton(QStringLiteral("OK"), Panel1);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(268, 420, 75, 25);
    OKButton->setDefault(true);

    connect(OKButton, &QPushButton::clicked, this, &TfrmOptions::OKButtonClick);
    connect(CloseBtn, &QAbstractButton::clicked, this, &TfrmOptions::OKButtonClick);
    connect(RollUp, &QAbstractButton::clicked, this, &TfrmOptions::RollUpClick);
    connect(FormCaption, &TCaptionBar::pressed, this, &TfrmOptions::FormCaptionMouseDown);
    connect(FormCaption, &TCaptionBar::doubleClicked, this, &TfrmOptions::RollUpClick);

    // Centred on the main window (the parent) when there is one.
    if (parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(parentWidget()->window()->frameGeometry().center());
        move(frame.topLeft());
    }
}

TfrmOptions::~TfrmOptions() {
    if (frmOptions == this)
        frmOptions = nullptr;
}

void TfrmOptions::PlaceCaptionButtons() {
    // The bar lays its buttons out at its ends; this window keeps its close
    // button at its own place.
    CloseBtn->move(kCloseButtonLeft, CloseBtn->y());
}

void TfrmOptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceCaptionButtons();
}

void TfrmOptions::FormCaptionMouseDown() {
    StartWindowDrag(this);
}

void TfrmOptions::RollUpClick() {
    if (!rolledUp_) {
        unrolledHeight_ = height();
        const int rolled = kCaptionHeight + kStripHeight + 4;
        Panel1->resize(Panel1->width(), rolled);
        resize(width(), rolled);
        RollUp->SetImageIndex(kImageRollDown);
        rolledUp_ = true;
    } else {
        resize(width(), unrolledHeight_);
        Panel1->resize(Panel1->width(), unrolledHeight_);
        RollUp->SetImageIndex(kImageRollUp);
        rolledUp_ = false;
    }
}

void TfrmOptions::OKButtonClick() {
    close();
}
