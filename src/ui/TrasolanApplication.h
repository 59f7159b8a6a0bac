#pragma once
// The application object. Its notify() is the program's default error
// display: an exception thrown by any handler is shown in a message box and
// the program goes on with the next event.

#include <QApplication>

#include <exception>
#include <functional>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the message of an exception in an error box (through the seams).
void ShowException(const std::exception& error);
void ShowUnknownException();

// Runs an action and shows any exception it throws as notify() would, without
// letting it unwind through Qt's own frames. Returns false when it threw.
bool RunGuarded(const std::function<void()>& action);

// The action as a slot that runs it guarded: a command's errors are shown by
// the program's error display and the command ends; the window goes on.
template <typename Action> auto Guarded(Action action) {
    return [action] { RunGuarded(action); };
}
