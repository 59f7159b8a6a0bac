#pragma once

#include <QWidget>

class QLineEdit;

// The solver panel: settings, counters and the run controls.
class TfrmResults : public QWidget {
    Q_OBJECT
public:
    explicit TfrmResults(QWidget* parent = nullptr);
    ~TfrmResults() override;

    void StartBtnClick();
    void StopBtnClick();

    QLineEdit* AllCities = nullptr;
};

extern TfrmResults* frmResults;
