// The learning window's controls: three tabs laid out for a 480 x 341 client
// area, fields wide enough for a line of a few dozen genes.
#include "guibase/Text.h"
#include "ui/untLearning.h"

#include "ui/TrasolanApplication.h"
#include "widgets/TFlatEdit.h"
#include "widgets/TFlatSpinEdit.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 480;
constexpr int kClientHeight = 341;
constexpr int kGeneFieldWidth = 461;
constexpr int kFieldHeight = 21;
constexpr int kButtonWidth = 89;
constexpr int kButtonHeight = 25;
constexpr int kSettingWidth = 121;
constexpr int kIconSize = 32;

QLabel* NewLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

TFlatEdit* NewGeneField(const QString& name, QWidget* parent) {
    auto* field = new TFlatEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFixedSize(kGeneFieldWidth, kFieldHeight);
    return field;
}

QPushButton* NewButton(const QString& name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    return button;
}

QFrame* NewLine(const QString& name, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A caption above its field, the pair kept tight and the pairs apart.
void AddCaptionedField(QVBoxLayout* layout, QLabel* caption, QWidget* field) {
    layout->addWidget(caption);
    layout->addSpacing(1);
    layout->addWidget(field);
    layout->addSpacing(8);
}

// A label whose dotted leader runs towards the setting on its right; the
// leader is cut off where the setting begins.
QLabel* NewLeaderLabel(const QString& name, const QString& text, QWidget* parent) {
    QLabel* label = NewLabel(name, text, parent);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(1);
    return label;
}

// A bold section title set between two etched lines.
QWidget* NewSectionHeader(const QString& name, const QString& text, QWidget* parent) {
    auto* header = new QWidget(parent);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    QFrame* before = NewLine(name + QStringLiteral("LineBefore"), header);
    before->setFixedWidth(12);
    QLabel* title = NewLabel(name, text, header);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    QFrame* after = NewLine(name + QStringLiteral("LineAfter"), header);
    row->addWidget(before);
    row->addWidget(title);
    row->addWidget(after, 1);
    return header;
}

} // namespace

void TfrmLearning::BuildControls() {
    setWindowTitle(Text("Обучение операциям кроссовера и мутации"));
    // A tool window: a thin caption with the system menu and a close button,
    // the same frame the window system gives tool windows everywhere.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);

    TabSheet1 = BuildCrossoverTab();
    TabSheet2 = BuildMutationTab();
    TabSheet3 = BuildSettingsTab();
    PageControl1->addTab(TabSheet1, Text("Кроссовер"));
    PageControl1->addTab(TabSheet2, Text("    Мутация    "));
    PageControl1->addTab(TabSheet3, Text("Настройки"));
    PageControl1->setCurrentIndex(0);
}

QWidget* TfrmLearning::BuildCrossoverTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 8, 6, 6);
    column->setSpacing(0);

    p1 = NewGeneField(QStringLiteral("p1"), page);
    p2 = NewGeneField(QStringLiteral("p2"), page);
    c1 = NewGeneField(QStringLiteral("c1"), page);
    c2 = NewGeneField(QStringLiteral("c2"), page);
    AddCaptionedField(column, NewLabel(QStringLiteral("Label1"), Text("Родитель 1"), page), p1);
    AddCaptionedField(column, NewLabel(QStringLiteral("Label2"), Text("Родитель 2"), page), p2);
    QFrame* line = NewLine(QStringLiteral("Bevel1"), page);
    line->setFixedWidth(kGeneFieldWidth);
    column->addWidget(line);
    column->addSpacing(8);
    AddCaptionedField(column, NewLabel(QStringLiteral("Label3"), Text("Потомок 1"), page), c1);
    AddCaptionedField(column, NewLabel(QStringLiteral("Label4"), Text("Потомок 2"), page), c2);
    column->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    Image1 = NewLabel(QStringLiteral("Image1"), {}, page);
    Image1->setFixedSize(kIconSize, kIconSize);
    Image1->setPixmap(QIcon(QStringLiteral(":/learning/help.svg")).pixmap(kIconSize, kIconSize));
    Label11 = NewLabel(QStringLiteral("Label11"), Text("Справка по данному кроссоверу"), page);
    Label11->setCursor(Qt::PointingHandCursor);
    Label11->setAttribute(Qt::WA_Hover);
    Button3 = NewButton(QStringLiteral("Button3"), Text("Генерировать"), page);
    Button4 = NewButton(QStringLiteral("Button4"), Text("Кроссовер"), page);
    bottom->addWidget(Image1);
    bottom->addWidget(Label11);
    bottom->addStretch(1);
    bottom->addWidget(Button3);
    bottom->addWidget(Button4);
    column->addLayout(bottom);
    return page;
}

QWidget* TfrmLearning::BuildMutationTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(6, 8, 6, 6);
    column->setSpacing(0);

    ChromDoMut = NewGeneField(QStringLiteral("ChromDoMut"), page);
    ChromPosleMut = NewGeneField(QStringLiteral("ChromPosleMut"), page);
    AddCaptionedField(
        column, NewLabel(QStringLiteral("Label5"), Text("Хромосома до мутации"), page), ChromDoMut);
    AddCaptionedField(column,
                      NewLabel(QStringLiteral("Label6"), Text("Хромосома после мутации"), page),
                      ChromPosleMut);
    column->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    Button1 = NewButton(QStringLiteral("Button1"), Text("Генерировать"), page);
    Button2 = NewButton(QStringLiteral("Button2"), Text("Мутировать"), page);
    bottom->addStretch(1);
    bottom->addWidget(Button1);
    bottom->addWidget(Button2);
    // As high as the crossover tab's bottom row with its icon, so the
    // buttons sit at the same place on both tabs.
    auto* holder = new QWidget(page);
    holder->setFixedHeight(kIconSize);
    holder->setLayout(bottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    column->addWidget(holder);
    return page;
}

QWidget* TfrmLearning::BuildSettingsTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 10, 8, 8);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(0, 1);

    GenCount = new TFlatSpinEdit(page);
    GenCount->setObjectName(QStringLiteral("GenCount"));
    // Below four genes the operators cannot work; such a count is refused
    // with a message when chromosomes are made, rather than silently
    // corrected here. A thousand genes is far more than a line can show.
    GenCount->setRange(0, 1000);
    GenCount->setValue(10);
    GenCount->setFixedSize(kSettingWidth, kFieldHeight);

    CrossoverTypePanel = new QComboBox(page);
    CrossoverTypePanel->setObjectName(QStringLiteral("CrossoverTypePanel"));
    CrossoverTypePanel->setFixedWidth(kSettingWidth);
    CrossoverTypePanel->setToolTip(Text("Текущая мутация"));

    MutationTypePanel = new QComboBox(page);
    MutationTypePanel->setObjectName(QStringLiteral("MutationTypePanel"));
    MutationTypePanel->setFixedWidth(kSettingWidth);
    MutationTypePanel->setToolTip(Text("Текущая мутация"));

    grid->addWidget(
        NewLeaderLabel(QStringLiteral("Label7"),
                       Text("Количество генов в хромосоме......................................"),
                       page),
        0, 0);
    grid->addWidget(GenCount, 0, 1);
    grid->addWidget(NewSectionHeader(QStringLiteral("Label10"), Text("Кроссовер"), page), 1, 0, 1,
                    2);
    grid->addWidget(
        NewLeaderLabel(QStringLiteral("Label8"),
                       Text("Тип кроссовера при демонстрации................................"),
                       page),
        2, 0);
    grid->addWidget(CrossoverTypePanel, 2, 1);
    grid->addWidget(NewSectionHeader(QStringLiteral("Label12"), Text("Мутация"), page), 3, 0, 1, 2);
    grid->addWidget(
        NewLeaderLabel(QStringLiteral("Label9"),
                       Text("Тип мутации при демонстрации......................................"),
                       page),
        4, 0);
    grid->addWidget(MutationTypePanel, 4, 1);
    grid->setRowStretch(5, 1);
    return page;
}

void TfrmLearning::ConnectHandlers() {
    // Every handler runs guarded: an operator error is shown in the
    // program's error box and never unwinds through Qt's own frames.
    connect(Button3, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { Button3Click(); }); });
    connect(Button4, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { Button4Click(); }); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { Button2Click(); }); });
    TabSheet1->installEventFilter(this);
    TabSheet2->installEventFilter(this);
    Label11->installEventFilter(this);
    Label11MouseLeave();
}
