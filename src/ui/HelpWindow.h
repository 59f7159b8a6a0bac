#pragma once
// The help in a window of the program, for a desktop without a web browser:
// the help page in a text browser (its links and anchors work there), under
// a note that says why it is shown here and where the page lies.

#include <QDialog>
#include <QUrl>

class QLabel;
class QTextBrowser;

class THelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Shows the page (a local file, with an anchor or without) and raises
    // the window.
    void ShowPage(const QUrl& page);

    QLabel* Note = nullptr;
    QTextBrowser* Browser = nullptr;
};
