#include "guibase/DesktopOpen.h"

#include "guibase/Seams.h"
#include "guibase/Text.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <memory>

void OpenWithDesktop(const QUrl& url, const std::function<void()>& notOpened) {
    const auto failed = [notOpened] {
        if (notOpened)
            notOpened();
    };
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(url))
            failed();
        return;
    }
    // The shell waits for xdg-open as a child of its own: should the program
    // end first, only the shell is stopped, and a browser xdg-open is still
    // waiting for stays open.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(QStringLiteral("/bin/sh"));
    process->setArguments({QStringLiteral("-c"), QStringLiteral("\"$0\" \"$1\" & wait $!"), opener,
                           url.toString(QUrl::FullyEncoded)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(process, &QProcess::finished, process,
                     [process, clock, failed](int exitCode, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || exitCode != 0) &&
                             clock->elapsed() < kDesktopOpenVerdictTime)
                             failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         failed();
                         process->deleteLater();
                     });
    process->start();
}

void ShowMailAddress(const QString& address) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(address);
    seams::ShowInformation(QApplication::activeWindow(),
                           Text("Почтовая программа не найдена. Напишите письмо по адресу\n\n"
                                "%1\n\nАдрес скопирован в буфер обмена.")
                               .arg(address));
}
