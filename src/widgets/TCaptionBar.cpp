#include "widgets/TCaptionBar.h"

#include "widgets/TImageButton.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWindow>

namespace {

// Follows the pointer with a window until the mouse button is released, for
// platforms without a system move loop. Lives as an application event
// filter for the length of one drag and then deletes itself.
class TPointerDrag : public QObject {
public:
    TPointerDrag(QWidget* window, QPoint pointer)
        : window_(window), grabOffset_(pointer - window->frameGeometry().topLeft()) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (!window_) {
            deleteLater();
            return false;
        }
        switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->buttons() == Qt::NoButton) {
                Finish();
                return false;
            }
            window_->move(mouse->globalPosition().toPoint() - grabOffset_);
            return false;
        }
        case QEvent::MouseButtonRelease:
            Finish();
            return false;
        default:
            return false;
        }
    }

private:
    void Finish() {
        qApp->removeEventFilter(this);
        deleteLater();
    }

    QPointer<QWidget> window_;
    QPoint grabOffset_;
};

} // namespace

void StartWindowDrag(QWidget* window) {
    if (!window)
        return;
    window = window->window();
    if (QWindow* handle = window->windowHandle(); handle && handle->startSystemMove())
        return;
    new TPointerDrag(window, QCursor::pos());
}

TCaptionBar::TCaptionBar(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SizeAllCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    caption_ = new QLabel(this);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    caption_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    // Presses and double clicks on the label count as on the bar.
    caption_->installEventFilter(this);
    left_ = new TImageButton(this);
    right_ = new TImageButton(this);
    left_->setCursor(Qt::ArrowCursor);
    right_->setCursor(Qt::ArrowCursor);
    left_->resize(19, 21);
    right_->resize(19, 21);
    leftAutoPlace_ = left_->pos();
    rightAutoPlace_ = right_->pos();
}

void TCaptionBar::SetCaption(const QString& caption) {
    caption_->setText(caption);
    caption_->adjustSize();
    CentreCaption();
}

QString TCaptionBar::Caption() const {
    return caption_->text();
}

void TCaptionBar::CentreCaption() {
    caption_->adjustSize();
    caption_->move(width() / 2 - caption_->width() / 2, height() / 2 - caption_->height() / 2);
}

void TCaptionBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
}

void TCaptionBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        Q_EMIT pressed();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TCaptionBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        Q_EMIT doubleClicked();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TCaptionBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Buttons stay at the bar's ends, unless the window has put one at a
    // place of its own: a button found away from where the bar last put it
    // is left alone from then on.
    const auto follow = [](TImageButton* button, QPoint& autoPlace, QPoint wanted) {
        if (autoPlace != kUnplaced && button->pos() != autoPlace)
            return;
        button->move(wanted);
        autoPlace = wanted;
    };
    follow(left_, leftAutoPlace_, QPoint(4, (height() - left_->height()) / 2));
    follow(right_, rightAutoPlace_,
           QPoint(width() - right_->width() - 4, (height() - right_->height()) / 2));
    CentreCaption();
}

bool TCaptionBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == caption_) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                Q_EMIT pressed();
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                Q_EMIT doubleClicked();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
