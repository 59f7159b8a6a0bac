#include "ui/untTypeTask.h"

#include "guibase/Text.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

TfrmTypeTask* frmTypeTask = nullptr;

TfrmTypeTask::TfrmTypeTask(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmTypeTask"));
    setWindowTitle(Text("Выбрать тип задачи"));
    setFixedSize(317, 303);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 301, 241);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);

    ClassicComivoyager = new QRadioButton(Text("Классическая задача коммивояжера"), Panel1);
    ClassicComivoyager->setObjectName(QStringLiteral("ClassicComivoyager"));
    ClassicComivoyager->move(16, 32);
    ClassicComivoyager->adjustSize();

    ShotestPath = new QRadioButton(Text("Нахождение кратчайшего пути мужду городами"), Panel1);
    ShotestPath->setObjectName(QStringLiteral("ShotestPath"));
    ShotestPath->move(16, 108);
    ShotestPath->adjustSize();
    ShotestPath->setChecked(true);

    // Completes the second button's caption on a line of its own.
    Label1 = new QLabel(Text("выбранными пользователем"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(34, 124);
    Label1->adjustSize();

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(116, 264, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TfrmTypeTask::~TfrmTypeTask() {
    if (frmTypeTask == this)
        frmTypeTask = nullptr;
}
