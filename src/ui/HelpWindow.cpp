#include "ui/HelpWindow.h"

#include "guibase/Text.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Text("Справка — Трасолан"));
    auto* column = new QVBoxLayout(this);

    Note = new QLabel(this);
    Note->setObjectName(QStringLiteral("HelpNote"));
    Note->setWordWrap(true);
    Note->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    column->addWidget(Note);

    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Links within the help stay here; links to the web go to the desktop.
    Browser->setOpenLinks(true);
    Browser->setOpenExternalLinks(true);
    column->addWidget(Browser, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Text("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    column->addWidget(buttons);

    resize(820, 640);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(size().boundedTo(area.size()));
        move(area.center() - rect().center());
    }
}

void THelpWindow::ShowPage(const QUrl& page) {
    Note->setText(Text("Браузер не найден, поэтому справка открыта в окне программы. "
                       "Файл справки: %1")
                      .arg(QDir::toNativeSeparators(page.toLocalFile())));
    Browser->setSource(page);
    show();
    raise();
    activateWindow();
}
