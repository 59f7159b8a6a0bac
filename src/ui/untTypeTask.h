#pragma once
// The task-type dialog. It offers the classic travelling-salesman task and
// the shortest route between the cities the user selected; the program always
// solves the second, and nothing reads the choice. It is created with the
// other windows and never opened.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

class TfrmTypeTask : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTypeTask(QWidget* parent = nullptr);
    ~TfrmTypeTask() override;

    QFrame* Panel1 = nullptr;
    QRadioButton* ClassicComivoyager = nullptr;
    QRadioButton* ShotestPath = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* OKButton = nullptr;
};

extern TfrmTypeTask* frmTypeTask;
