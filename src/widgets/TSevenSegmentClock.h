#pragma once
// A run-time clock drawn as seven-segment digits, HH:MM:SS. The display can be
// switched off (only the background is drawn) and on again. A mouse press
// emits pressed(), so that a borderless window can start a drag from it.

#include <QColor>
#include <QString>
#include <QWidget>

class TSevenSegmentClock : public QWidget {
    Q_OBJECT
public:
    explicit TSevenSegmentClock(QWidget* parent = nullptr);

    // Negative values show as 0. Minutes and seconds show as two digits
    // (values above 99 are shown as 99); hours use as many digits as they need
    // (at least two), so a long run never shows a wrong time.
    void SetTime(int hours, int minutes, int seconds);
    int Hours() const { return hours_; }
    int Minutes() const { return minutes_; }
    int Seconds() const { return seconds_; }
    // What the display shows when active, e.g. "01:02:03".
    QString Text() const;

    // Off: nothing but the background is drawn. On by default.
    void SetActive(bool active);
    bool Active() const { return active_; }

    void SetSegmentColor(const QColor& colour); // navy by default
    QColor SegmentColor() const { return segmentColour_; }
    void SetBackgroundColor(const QColor& colour); // white by default
    QColor BackgroundColor() const { return backgroundColour_; }
    // Off segments are not drawn by default; when shown they are drawn faint.
    void SetShowOffSegments(bool show);
    bool ShowOffSegments() const { return showOffSegments_; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int hours_ = 0;
    int minutes_ = 0;
    int seconds_ = 0;
    bool active_ = true;
    bool showOffSegments_ = false;
    QColor segmentColour_;
    QColor backgroundColour_;
};
