#pragma once
// An integer spin editor with a flat 1 px frame and flat up/down arrows.

#include <QSpinBox>

class TFlatSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit TFlatSpinEdit(QWidget* parent = nullptr);

    int Value() const { return value(); }
    void SetValue(int value) { setValue(value); }

protected:
    void paintEvent(QPaintEvent* event) override;
};
