#pragma once
// A one-line edit with a flat 1 px frame instead of the sunken 3-D border.
// Read-only or editable, as QLineEdit::setReadOnly says; a read-only edit
// keeps the white field so that long values stay easy to read.

#include <QLineEdit>

class TFlatEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TFlatEdit(QWidget* parent = nullptr);
    explicit TFlatEdit(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
