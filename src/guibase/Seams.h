#pragma once
// Replaceable entry points to the window system's own dialogs and services.
// The program uses the Qt defaults; tests swap in scripted answers so that no
// modal system dialog ever blocks an unattended run.

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace seams {

// Open dialog: returns the chosen path, or an empty string when cancelled.
// filter is written as "description|pattern" pairs joined by '|' (the form the
// program's file types are written in); defaultSuffix has no dot.
using FileDialogFunction =
    std::function<QString(QWidget* parent, const QString& filter, const QString& defaultSuffix)>;
extern FileDialogFunction GetOpenFileName;
// Save dialog: same contract; never asks before overwriting.
extern FileDialogFunction GetSaveFileName;

// Message boxes. Information and error show one OK button.
using MessageFunction = std::function<void(QWidget* parent, const QString& text)>;
extern MessageFunction ShowInformation;
extern MessageFunction ShowError;
// Question with OK and Cancel: true for OK.
using QuestionFunction =
    std::function<bool(QWidget* parent, const QString& title, const QString& text)>;
extern QuestionFunction AskOkCancel;

// The default beep.
extern std::function<void()> Beep;

// Hands a URL (a local help page, a mailto: address) to the desktop.
extern std::function<void(const QUrl& url)> OpenUrl;

// Puts every seam back to its Qt default.
void RestoreDefaults();

} // namespace seams
