#include "extras/untHelpAbout.h"

#include "core/RandomUnit.h"
#include "extras/SongPlayer.h"
#include "guibase/DesktopOpen.h"
#include "guibase/Seams.h"
#include "guibase/Text.h"
#include "widgets/TGradientHeader.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdint>

TfrmHelpAbout* frmHelpAbout = nullptr;

namespace {

constexpr int kClientWidth = 334;
constexpr int kClientHeight = 294;
constexpr int kLogoSize = 48;
constexpr int kSlideInterval = 30;
constexpr int kTypingInterval = 200;
// Typing keys come every 50..249 ms, like a person at a typewriter.
constexpr int kKeyDelayBase = 50;
constexpr int kKeyDelaySpread = 200;
const QChar kCursor = u'|';

QFont PanelFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(13);
    return font;
}

// A white text panel with a thin flat frame.
QLabel* MakePanel(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    // A flat grey frame whatever the text colour (the address is blue).
    panel->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid #808080;"
                                        " padding: 2px; }"));
    QPalette palette = panel->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(palette);
    panel->setFont(PanelFont());
    panel->setTextFormat(Qt::PlainText);
    return panel;
}

QTimer* MakeTimer(QObject* parent, const QString& name, int interval) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}

} // namespace

TfrmHelpAbout::TfrmHelpAbout(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmHelpAbout"));
    setWindowTitle(QStringLiteral("About me :)"));
    setFixedSize(kClientWidth, kClientHeight);
    setModal(true);

    Header = new TGradientHeader(this);
    Header->setObjectName(QStringLiteral("Header"));
    Header->setGeometry(0, 0, kClientWidth, 60);
    Header->SetCaption(Text("Программа: Трасолан"));
    Header->SetComment(Text("Автор: Велеска"));

    ImageLogo = new QLabel(this);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setGeometry(kLogoLeft, kLogoTop, kLogoSize, kLogoSize);
    ImageLogo->setPixmap(QIcon(QStringLiteral(":/extras/logo.svg"))
                             .pixmap(QSize(kLogoSize, kLogoSize), devicePixelRatioF()));
    ImageLogo->setAttribute(Qt::WA_TranslucentBackground);

    StaticText = MakePanel(this, QStringLiteral("StaticText"), QRect(64, 63, 265, 202));
    StaticText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    StaticText->setWordWrap(true);
    StaticText->installEventFilter(this);

    Email = MakePanel(this, QStringLiteral("Email"), QRect(64, 268, 265, 23));
    Email->setAlignment(Qt::AlignCenter);
    QFont link = PanelFont();
    link.setUnderline(true);
    Email->setFont(link);
    QPalette blue = Email->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    Email->setPalette(blue);
    Email->setCursor(Qt::PointingHandCursor);
    Email->installEventFilter(this);

    // The logo stays above the text panels while it slides past them.
    ImageLogo->raise();

    Timer1 = MakeTimer(this, QStringLiteral("Timer1"), kSlideInterval);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer2 = MakeTimer(this, QStringLiteral("Timer2"), kTypingInterval);
    Timer3 = MakeTimer(this, QStringLiteral("Timer3"), kTypingInterval);
    connect(Timer1, &QTimer::timeout, this, &TfrmHelpAbout::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TfrmHelpAbout::Timer2Timer);
    connect(Timer3, &QTimer::timeout, this, &TfrmHelpAbout::Timer3Timer);

    Song = new TSongPlayer(this);
}

TfrmHelpAbout::~TfrmHelpAbout() {
    if (frmHelpAbout == this)
        frmHelpAbout = nullptr;
}

QString TfrmHelpAbout::Greeting() {
    return Text("Здравствуйте!\n"
                "\n"
                "Перед вами Трасолан —\n"
                "демонстрационная программа\n"
                "решения задачи коммивояжера\n"
                "генетическими алгоритмами.\n"
                "Её написал Велеска.\n"
                "Спасибо за интерес к ней!\n"
                "Вопросы, отзывы и пожелания\n"
                "присылайте по адресу:");
}

QString TfrmHelpAbout::Address() {
    return QStringLiteral("veleska@example.com");
}

void TfrmHelpAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmHelpAbout::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormClose();
}

bool TfrmHelpAbout::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == StaticText || watched == Email) &&
        event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* panel = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            panel->rect().contains(mouse->position().toPoint()))
            StaticTextClick();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmHelpAbout::FormShow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    ImageLogo->move(kLogoLeft, kLogoTop);
    stepsLeft_ = kSlideSteps;
    // An unfinished slide from an earlier showing leaves its current interval
    // as the new base.
    baseInterval_ = Timer1->interval();
    Timer1->start();
    StaticText->clear();
    Email->clear();
    Timer2->start();
    StartMusic();
}

void TfrmHelpAbout::StartMusic() {
    if (Song->HasSong())
        Song->SongFree();
    if (Song->SongLoadFromResource(QStringLiteral("MYXM")))
        Song->SongPlay();
}

void TfrmHelpAbout::FormClose() {
    Song->SongFree();
}

void TfrmHelpAbout::Timer1Timer() {
    if (stepsLeft_ <= 0) {
        Timer1->stop();
        return;
    }
    ImageLogo->move(ImageLogo->x(), ImageLogo->y() + 1);
    --stepsLeft_;
    // The current interval, not the base one, enters the product: the
    // interval swings between short and long at first and then settles into
    // a smooth rise, so the logo starts fast and slows down.
    const int64_t product = static_cast<int64_t>(stepsLeft_) * (Timer1->interval() - 1);
    const int d = static_cast<int>(std::trunc(static_cast<double>(product) / kSlideSteps));
    Timer1->setInterval(std::max(1, baseInterval_ - d));
    if (stepsLeft_ == 0)
        Timer1->stop();
}

void TfrmHelpAbout::Timer2Timer() {
    Timer2->setInterval(Rnd(kKeyDelaySpread) + kKeyDelayBase);
    const QString greeting = Greeting();
    QString text = StaticText->text();
    if (text.size() > 1)
        text.chop(1); // the cursor
    if (text.size() < greeting.size())
        text += greeting[text.size()];
    text += kCursor;
    if (text.size() > greeting.size()) {
        text.chop(1);
        StaticText->setText(text);
        Timer2->stop();
        Timer3->start();
        return;
    }
    StaticText->setText(text);
}

void TfrmHelpAbout::Timer3Timer() {
    Timer3->setInterval(Rnd(kKeyDelaySpread) + kKeyDelayBase);
    const QString address = Address();
    QString text = Email->text();
    if (text.size() < address.size())
        text += address[text.size()];
    Email->setText(text);
    if (text.size() >= address.size())
        Timer3->stop();
}

void TfrmHelpAbout::StaticTextClick() {
    if (Email->text() != Address())
        return;
    seams::OpenUrl(QUrl(QStringLiteral("mailto:") + Address()), [] { ShowMailAddress(Address()); });
}
