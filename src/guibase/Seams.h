#pragma once
// Replaceable entry points to the window system's own dialogs and services.
// The program uses the Qt defaults; tests swap in scripted answers so that no
// modal system dialog ever blocks an unattended run.

#include <QString>
#include <QUrl>

#include <functional>
#include <type_traits>
#include <utility>

class QWidget;

namespace seams {

// Open dialog: returns the chosen path, or an empty string when cancelled.
// filter is written as "description|pattern" pairs joined by '|' (the form the
// program's file types are written in); defaultSuffix has no dot.
using FileDialogFunction =
    std::function<QString(QWidget* parent, const QString& filter, const QString& defaultSuffix)>;
extern FileDialogFunction GetOpenFileName;
// Save dialog: same contract, starting at suggestedPath (a file name or a
// path; empty for none). It asks before it lets a file be overwritten.
using SaveDialogFunction =
    std::function<QString(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                          const QString& suggestedPath)>;
extern SaveDialogFunction GetSaveFileName;
// The open and save dialogs of a kind of file (by its suffix) start where
// the last file of that kind was chosen; before the first, an open dialog
// starts in this folder (the sample maps for maps).
void SetFirstFolder(const QString& defaultSuffix, const QString& folder);

// Message boxes. Information and error show one OK button.
using MessageFunction = std::function<void(QWidget* parent, const QString& text)>;
extern MessageFunction ShowInformation;
extern MessageFunction ShowError;
// Question with OK and Cancel: true for OK.
using QuestionFunction =
    std::function<bool(QWidget* parent, const QString& title, const QString& text)>;
extern QuestionFunction AskOkCancel;
// The question before a map with unsaved changes goes: "Сохранить",
// "Не сохранять" or "Отмена" (also Esc and closing the box).
enum class TSaveChangesAnswer { Save, Discard, Cancel };
using SaveChangesFunction = std::function<TSaveChangesAnswer(QWidget* parent, const QString& text)>;
extern SaveChangesFunction AskSaveChanges;

// The default beep.
extern std::function<void()> Beep;

// Hands a URL (a local help page, a mailto: address) to the desktop.
// notOpened runs, on the UI thread and perhaps seconds later, when no program
// of the desktop took it: the caller then shows what it can itself. A
// scripted stand-in may take the URL alone.
class TUrlOpener {
public:
    using NotOpened = std::function<void()>;
    using Function = std::function<void(const QUrl& url, const NotOpened& notOpened)>;

    template <typename F> TUrlOpener& operator=(F function) {
        if constexpr (std::is_invocable_v<F&, const QUrl&, const NotOpened&>)
            function_ = std::move(function);
        else
            function_ = [function](const QUrl& url, const NotOpened&) mutable { function(url); };
        return *this;
    }
    void operator()(const QUrl& url, const NotOpened& notOpened = {}) const {
        function_(url, notOpened);
    }

private:
    Function function_;
};
extern TUrlOpener OpenUrl;

// Puts every seam back to its Qt default.
void RestoreDefaults();

} // namespace seams
