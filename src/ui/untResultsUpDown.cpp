#include "ui/untResultsUpDown.h"

#include <QEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

TUpDown::TUpDown(int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum),
      lastPosition_(std::clamp(position, minimum, maximum)) {
    const auto makeArrow = [this](Qt::ArrowType arrow, int direction) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setAutoRepeatDelay(400);
        button->setAutoRepeatInterval(60);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(false);
        connect(button, &QToolButton::clicked, this, [this, direction] { Step(direction); });
        return button;
    };
    up_ = makeArrow(Qt::UpArrow, +1);
    down_ = makeArrow(Qt::DownArrow, -1);
}

void TUpDown::SetAssociate(QLineEdit* edit) {
    if (associate_)
        associate_->removeEventFilter(this);
    associate_ = edit;
    if (!edit)
        return;
    edit->setValidator(new QIntValidator(minimum_, maximum_, edit));
    edit->setText(QString::number(lastPosition_));
    edit->installEventFilter(this);
}

int TUpDown::Clamp(int value) const {
    return std::clamp(value, minimum_, maximum_);
}

int TUpDown::Position() const {
    if (associate_) {
        bool ok = false;
        const int value = associate_->text().trimmed().toInt(&ok);
        if (ok)
            lastPosition_ = Clamp(value);
    }
    return lastPosition_;
}

void TUpDown::SetPosition(int position) {
    lastPosition_ = Clamp(position);
    if (associate_ && associate_->text() != QString::number(lastPosition_))
        associate_->setText(QString::number(lastPosition_));
}

void TUpDown::Step(int direction) {
    if (!isEnabled())
        return;
    SetPosition(Position() + direction);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
    // The edit's arrow keys and wheel step the number as the arrows do, but
    // only while the up-down itself is usable. The event type is tested
    // first: the edit also sends events while it is being destroyed, when it
    // is no longer a QLineEdit and the guarded pointer must not be read.
    const bool stepEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::Wheel;
    if (stepEvent && watched == associate_ && isEnabled() && associate_->isEnabled() &&
        !associate_->isReadOnly()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                Step(key == Qt::Key_Up ? +1 : -1);
                return true;
            }
        } else if (event->type() == QEvent::Wheel) {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (delta != 0) {
                Step(delta > 0 ? +1 : -1);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TUpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}
