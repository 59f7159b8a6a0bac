// The solver panel's controls: creation and layout at the designed places,
// texts, hints and initial values.
#include "ui/untResults.h"

#include "guibase/Text.h"
#include "solver/SolverCodes.h"
#include "ui/untResultsUpDown.h"
#include "widgets/TBarChart.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TFlatCheckBox.h"
#include "widgets/TFlatEdit.h"
#include "widgets/TGradientHeader.h"
#include "widgets/TImageButton.h"
#include "widgets/TImageList.h"
#include "widgets/TSevenSegmentClock.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

TfrmResults* frmResults = nullptr;

namespace {

// Designed sizes and places.
constexpr int kDesignWidth = 627;
constexpr int kDesignHeight = 507;
constexpr int kNarrowWidth = 312; // options area hidden
constexpr int kCaptionHeight = 27;
constexpr int kHeaderHeight = 5;
constexpr int kCaptionButtonWidth = 19;
constexpr int kCaptionButtonHeight = 21;
constexpr int kCloseBtnDesignLeft = kDesignWidth - kCaptionButtonWidth - 4;

constexpr int kRowHeight = 21;
constexpr int kRowPitch = 23;
constexpr int kLeftLabelX = 8;
constexpr int kLeftFieldX = 160;
constexpr int kLeftFieldWidth = 144;
constexpr int kStatisticsTop = 40;
constexpr int kOptionsLabelX = 320;
constexpr int kOptionsFieldX = 486;
constexpr int kOptionsEditWidth = 113;
constexpr int kUpDownWidth = 17;

template <std::size_t N> QStringList Items(const std::array<std::string_view, N>& names) {
    QStringList items;
    for (const std::string_view name : names)
        items << Text(name);
    return items;
}

// A caption ending in a dotted leader; clipped at the field it leads to.
QLabel* DottedLabel(QWidget* parent, const char* caption, int x, int y, int width,
                    const char* name = nullptr) {
    auto* label = new QLabel(Text(caption), parent);
    label->setGeometry(x, y, width, kRowHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit* ReadOnlyField(QWidget* parent, const char* name, const char* hint, const char* text,
                         int y) {
    auto* edit = new TFlatEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setToolTip(Text(hint));
    edit->setText(Text(text));
    edit->setGeometry(kLeftFieldX, y, kLeftFieldWidth, kRowHeight);
    return edit;
}

QComboBox* DropDown(QWidget* parent, const char* name, const char* hint, const QStringList& items,
                    int initial, QRect geometry) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setToolTip(Text(hint));
    combo->addItems(items);
    combo->setCurrentIndex(initial);
    combo->setGeometry(geometry);
    return combo;
}

} // namespace

TfrmResults::TfrmResults(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmResults"));
    setWindowTitle(Text("Результаты"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    setFont(font);
    // A tool window would otherwise vanish whenever the program loses focus.
    setAttribute(Qt::WA_MacAlwaysShowToolWindow);
    resize(kDesignWidth, kDesignHeight);

    RunImages = new TImageList(QSize(32, 32), this);
    RunImages->AddFromResource(QStringLiteral(":/main/tool/start.svg")); // 0 Старт
    RunImages->AddFromResource(QStringLiteral(":/main/tool/pause.svg")); // 1 Пауза
    RunImages->AddFromResource(QStringLiteral(":/main/tool/stop.svg"));  // 2 Стоп
    CaptionImages = new TImageList(QSize(16, 16), this);
    CaptionImages->AddFromResource(QStringLiteral(":/main/caption/close.svg"));    // 0
    CaptionImages->AddFromResource(QStringLiteral(":/main/caption/rollup.svg"));   // 1
    CaptionImages->AddFromResource(QStringLiteral(":/main/caption/rolldown.svg")); // 2
    ImageList1 = new TImageList(QSize(32, 32), this);
    ImageList1->AddFromResource(QStringLiteral(":/results/options-open.svg"));  // 0
    ImageList1->AddFromResource(QStringLiteral(":/results/options-close.svg")); // 1

    BuildCaption();
    BuildStatistics();
    BuildOperators();
    BuildButtons();
    BuildOptions();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    TimerOpen = new QTimer(this);
    TimerOpen->setObjectName(QStringLiteral("TimerOpen"));
    TimerOpen->setInterval(1);
    routeTimer_ = new QTimer(this);
    routeTimer_->setSingleShot(true);

    ConnectHandlers();
    FormCreate();
    Timer1->start();
}

TfrmResults::~TfrmResults() {
    if (frmResults == this)
        frmResults = nullptr;
}

void TfrmResults::BuildCaption() {
    FormCaption = new TCaptionBar(this);
    FormCaption->setObjectName(QStringLiteral("FormCaption"));
    FormCaption->setGeometry(0, 0, width(), kCaptionHeight);
    FormCaption->SetCaption(Text("Результаты"));
    ResLabel = FormCaption->CaptionLabel();
    ResLabel->setObjectName(QStringLiteral("ResLabel"));

    RollUp = FormCaption->LeftButton();
    RollUp->setObjectName(QStringLiteral("RollUp"));
    RollUp->setToolTip(Text("Свернуть/развернуть окно"));
    RollUp->SetImages(CaptionImages);
    RollUp->SetImageIndex(1);
    RollUp->setGeometry(4, 3, kCaptionButtonWidth, kCaptionButtonHeight);

    // The close button follows the window's right edge step by step while
    // the options area slides, so it is the panel's own button rather than
    // the strip's, which the strip would put back at its default place on
    // every resize.
    FormCaption->RightButton()->hide();
    CloseBtn = new TImageButton(CaptionImages, 0, FormCaption);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setToolTip(Text("Закрыть окно"));
    CloseBtn->setCursor(Qt::ArrowCursor);
    CloseBtn->setGeometry(kCloseBtnDesignLeft, 3, kCaptionButtonWidth, kCaptionButtonHeight);

    Timer = new TSevenSegmentClock(FormCaption);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setToolTip(Text("Время работы генетического алгоритма"));
    Timer->SetSegmentColor(QColor(0, 0, 128));
    Timer->SetBackgroundColor(Qt::white);
    Timer->SetShowOffSegments(false);
    Timer->SetTime(0, 0, 0);
    Timer->SetActive(false);
    Timer->setGeometry(28, 5, 74, 17);

    glWizardHeader1 = new TGradientHeader(this);
    glWizardHeader1->setObjectName(QStringLiteral("glWizardHeader1"));
    glWizardHeader1->setGeometry(0, kCaptionHeight, width(), kHeaderHeight);
}

void TfrmResults::BuildStatistics() {
    struct Row {
        const char* Caption;
        const char* LabelName;
        const char* Field;
        const char* Hint;
        const char* Initial;
    };
    static constexpr Row kRows[] = {
        {"Всего городов..........................", nullptr, "AllCities", "Всего городов на карте",
         "0"},
        {"Текущее поколение................", nullptr, "CountIterations",
         "Текущее поколение популяции", "0"},
        {"Кратчайший путь......................", nullptr, "BestEstimate",
         "Кратчайший путь найденный за все время существования популяции", "0"},
        {"Лучшее решение.....................", "LabelPath", "BestPath", "Лучшее решение ГА", ""},
        {"Всего мутаций.........................", nullptr, "MutationCount",
         "Всего мутаций в генетическом алгоритме", "0"},
        {"Всего кросоверов...................", nullptr, "CrossoverCount",
         "Всего кроссоверов в генетическом алгоритме", "0"},
        {"Состояние кроссоверов.........", "CrossoverSost", "Adaptive",
         "Текущее распределение кроссоверов", ""},
    };
    QLineEdit** fields[] = {&AllCities,     &CountIterations, &BestEstimate, &BestPath,
                            &MutationCount, &CrossoverCount,  &Adaptive};
    QLabel* labels[std::size(kRows)] = {};
    int y = kStatisticsTop;
    for (std::size_t i = 0; i < std::size(kRows); ++i, y += kRowPitch) {
        const Row& row = kRows[i];
        labels[i] = DottedLabel(this, row.Caption, kLeftLabelX, y, kLeftFieldX - kLeftLabelX - 2,
                                row.LabelName);
        *fields[i] = ReadOnlyField(this, row.Field, row.Hint, row.Initial, y);
    }
    LabelPath = labels[3];
    CrossoverSost = labels[6];
}

void TfrmResults::BuildOperators() {
    int y = kStatisticsTop + 7 * kRowPitch + 6;
    const QRect field(kLeftFieldX, y, kLeftFieldWidth, kRowHeight);
    const int labelWidth = kLeftFieldX - kLeftLabelX - 2;

    Label1 = DottedLabel(this, "Кросовер..................................", kLeftLabelX, y,
                         labelWidth, "Label1");
    CrossoverTypePanel = DropDown(this, "CrossoverTypePanel", "Текущий кроссовер",
                                  Items(solver::kCrossoverNames), solver::ckOP, field);
    y += kRowPitch;
    Label2 = DottedLabel(this, "Мутация....................................", kLeftLabelX, y,
                         labelWidth, "Label2");
    MutationTypePanel =
        DropDown(this, "MutationTypePanel", "Текущая мутация", Items(solver::kMutationNames),
                 solver::mkRandom, field.translated(0, kRowPitch));
    y += kRowPitch;
    Label14 =
        DottedLabel(this, "Стратегия отбора особей........", kLeftLabelX, y, labelWidth, "Label14");
    SelectionTypePanel = DropDown(this, "SelectionTypePanel", "Текущая стратегия отбора особей",
                                  Items(solver::kSelectionNames), solver::skRoulette,
                                  field.translated(0, 2 * kRowPitch));
    y += kRowPitch + 6;

    const auto check = [this, &y](const char* name, const char* caption, bool checked) {
        auto* box = new TFlatCheckBox(Text(caption), this);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(checked);
        box->setGeometry(kLeftLabelX - 2, y, kNarrowWidth - kLeftLabelX, 18);
        y += 19;
        return box;
    };
    AdaptiveCheck = check("AdaptiveCheck", "Использовать приспосабливающийся алгоритм", true);
    UseElitizm = check("UseElitizm", "Использовать стратегию элитизма", false);
    BestPathChecked = check("BestPathChecked", "Обновлять информацию о лучшем решении", true);

    InfoMemo = new QPlainTextEdit(this);
    InfoMemo->setObjectName(QStringLiteral("InfoMemo"));
    InfoMemo->setReadOnly(true);
    InfoMemo->setToolTip(Text("Дополнительная информация"));
    InfoMemo->setFrameShape(QFrame::Box);
    InfoMemo->setFrameShadow(QFrame::Plain);
    InfoMemo->setGeometry(kLeftLabelX, y + 4, kNarrowWidth - 2 * kLeftLabelX, 80);
}

void TfrmResults::BuildButtons() {
    const int top = kDesignHeight - 57 - 12;
    const auto button = [this, top](const char* name, const char* caption, const char* hint,
                                    TImageList* images, int image, int x) {
        auto* b = new TImageButton(images, image, this);
        b->setObjectName(QString::fromLatin1(name));
        b->SetCaption(Text(caption));
        b->setToolTip(Text(hint));
        b->setGeometry(x, top, 57, 57);
        return b;
    };
    StartBtn =
        button("StartBtn", "Старт", "Начать работу генетического алгоритма", RunImages, 0, 34);
    StopBtn =
        button("StopBtn", "Стоп", "Закончить работу генетического алгоритма", RunImages, 2, 127);
    StopBtn->setEnabled(false);
    OpenOptionsBtn = button("OpenOptionsBtn", "Опции", "Показать/спрятать дополнительные опции",
                            ImageList1, 0, 220);
}

void TfrmResults::BuildOptions() {
    OptionsDivider = new QFrame(this);
    OptionsDivider->setObjectName(QStringLiteral("OptionsDivider"));
    OptionsDivider->setFrameShape(QFrame::VLine);
    OptionsDivider->setFrameShadow(QFrame::Sunken);
    OptionsDivider->setGeometry(kNarrowWidth, kCaptionHeight + kHeaderHeight + 4, 2,
                                kDesignHeight - kCaptionHeight - kHeaderHeight - 12);

    const int labelWidth = kOptionsFieldX - kOptionsLabelX - 2;
    int y = kStatisticsTop;
    const auto number = [this, &y, labelWidth](const char* caption, const char* labelName,
                                               const char* editName, const char* upDownName,
                                               const char* hint, int initial, int maximum,
                                               QLabel** label, QLineEdit** edit, TUpDown** upDown) {
        QLabel* l = DottedLabel(this, caption, kOptionsLabelX, y, labelWidth, labelName);
        if (label)
            *label = l;
        auto* e = new TFlatEdit(this);
        e->setObjectName(QString::fromLatin1(editName));
        e->setToolTip(Text(hint));
        e->setGeometry(kOptionsFieldX, y, kOptionsEditWidth, kRowHeight);
        auto* u = new TUpDown(0, maximum, initial, this);
        u->setObjectName(QString::fromLatin1(upDownName));
        u->setToolTip(Text(hint));
        u->setGeometry(kOptionsFieldX + kOptionsEditWidth + 1, y, kUpDownWidth, kRowHeight);
        u->SetAssociate(e);
        *edit = e;
        *upDown = u;
        y += kRowPitch;
    };
    number("Процент мутации.....................", nullptr, "pMutationEdit", "pMutationEditUpDown",
           "Процент мутации (0...100)", 20, 100, nullptr, &pMutationEdit, &pMutationEditUpDown);
    number("Процент скрещивания............", nullptr, "pCrossoverEdit", "pCrossoverEditUpDown",
           "Процент скрещивания (0...100)", 80, 100, nullptr, &pCrossoverEdit,
           &pCrossoverEditUpDown);
    number("Размер элиты..........................", "Label7", "ParentsEdit", "ParentsEditUpDown",
           "Размер элитной популяции", 50, 32767, &Label7, &ParentsEdit, &ParentsEditUpDown);
    Label7->setEnabled(false);
    ParentsEdit->setEnabled(false);
    ParentsEditUpDown->setEnabled(false);
    number("Число хромосом.....................", nullptr, "MaxChromEdit", "MaxChromEditUpDown",
           "Число хромосом в популяции", 100, 32767, nullptr, &MaxChromEdit, &MaxChromEditUpDown);

    DottedLabel(this, "Критерий останова..................", kOptionsLabelX, y, labelWidth);
    OptimizeCombo =
        DropDown(this, "OptimizeCombo", "Критерий остановки алгоритма",
                 Items(solver::kStopCriterionNames), solver::scConstantBest,
                 QRect(kOptionsFieldX, y, kOptionsEditWidth + 1 + kUpDownWidth, kRowHeight));
    y += kRowPitch;
    number("Итераций..................................", "LabelNStop", "KritStop",
           "IterationUpDown", "Итераций в кроитетрие останова", 250, 32767, &LabelNStop, &KritStop,
           &IterationUpDown);

    ChromSost = new TBarChart(this);
    ChromSost->setObjectName(QStringLiteral("ChromSost"));
    ChromSost->setToolTip(Text("Инфорамция о распределении кроссоверов в "
                               "самоприспосабливающемся генетическом алгоритме"));
    ChromSost->SetLegendVisible(false);
    ChromSost->SetLeftAxisVisible(false);
    ChromSost->SetTitle(QString());
    TBarSeriesOptions options;
    options.Marks = TMarkStyle::Value;
    options.GradientBars = true;
    Series1 = ChromSost->AddSeries(QStringLiteral("Series1"), options);
    const int chartTop = y + 8;
    ChromSost->setGeometry(kOptionsLabelX - 4, chartTop, kDesignWidth - kOptionsLabelX,
                           kDesignHeight - chartTop - 8);
}
