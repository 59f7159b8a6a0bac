#pragma once
// An up-down control joined to a one-line edit, as the solver panel pairs
// them: the edit shows the number, the arrows (and the Up/Down keys and the
// wheel in the edit) step it, and the program reads the up-down's Position,
// which follows whatever the edit holds, kept within Min..Max. The pair is two
// controls on purpose: the panel disables one of them and not the other.

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QToolButton;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(int minimum, int maximum, int position, QWidget* parent = nullptr);

    // Joins the edit: it is given the position as text and an integer
    // validator for the range, and its arrow keys and wheel step the position.
    void SetAssociate(QLineEdit* edit);
    QLineEdit* Associate() const { return associate_; }

    // The edit's number limited to Min..Max; the last good number while the
    // edit holds no number (empty while the user retypes it).
    int Position() const;
    void SetPosition(int position);
    int Min() const { return minimum_; }
    int Max() const { return maximum_; }

    // One step up (+1) or down (-1), as a click on an arrow does.
    void Step(int direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int Clamp(int value) const;

    int minimum_;
    int maximum_;
    mutable int lastPosition_;
    QPointer<QLineEdit> associate_;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};
