#pragma once
// The algorithm-options window: a borderless frame with a caption strip that
// drags it and rolls it up, an empty tree of option groups and one empty page
// "Тип задачи". It is created with the other windows and never opened.

#include <QDialog>

class QFrame;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QWidget;
class TCaptionBar;
class TGradientHeader;
class TImageButton;
class TImageList;

class TfrmOptions : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOptions(QWidget* parent = nullptr);
    ~TfrmOptions() override;

    QFrame* Panel1 = nullptr;
    TCaptionBar* FormCaption = nullptr;
    TImageButton* RollUp = nullptr;
    TImageButton* CloseBtn = nullptr;
    TGradientHeader* GradientStrip = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QFrame* Bevel1 = nullptr;
    QPushButton* OKButton = nullptr;
    TImageList* CaptionImages = nullptr;

    void FormCaptionMouseDown();
    void RollUpClick();
    void OKButtonClick();

    bool IsRolledUp() const { return rolledUp_; }

    // Roll button images: unrolled shows kImageRollUp, rolled kImageRollDown.
    static constexpr int kImageClose = 0;
    static constexpr int kImageRollUp = 1;
    static constexpr int kImageRollDown = 2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PlaceCaptionButtons();

    bool rolledUp_ = false;
    int unrolledHeight_ = 0;
};

extern TfrmOptions* frmOptions;
