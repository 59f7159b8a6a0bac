#pragma once
// A check box with a flat square indicator and a drawn check glyph.
// QCheckBox::toggled(bool) is emitted on every change of the state, also when
// the state is set from code; windows that must react to being filled rely
// on that.

#include <QCheckBox>

class TFlatCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TFlatCheckBox(QWidget* parent = nullptr);
    explicit TFlatCheckBox(const QString& text, QWidget* parent = nullptr);

    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QRect IndicatorRect() const;
};
