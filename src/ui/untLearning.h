#pragma once
// The teaching window: two parents and the two children one demonstration
// crossover makes of them, and one chromosome before and after one
// demonstration mutation, each shown as a line of numbered genes.
//
// The parents and the chromosome to mutate belong to the window and change
// only when the user asks for new ones ("Генерировать"); every operation
// works on fresh copies, so each click shows another random result of the
// same inputs instead of piling changes on top of each other.

#include "demo/TSPNewGenetic.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TFlatEdit;
class TFlatSpinEdit;

class TfrmLearning : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLearning(QWidget* parent = nullptr);
    ~TfrmLearning() override;

    // Creates the chromosomes (empty until first shown) and copies the
    // operator lists of the solver panel, once.
    void FormCreate();
    // Frees the chromosomes.
    void FormDestroy();

    // Crossover tab: shown, "Генерировать", "Кроссовер".
    void TabSheet1Show();
    void Button3Click();
    void Button4Click();
    // Mutation tab: shown, "Генерировать", "Мутировать".
    void TabSheet2Show();
    void Button1Click();
    void Button2Click();
    // The help link.
    void Label11MouseEnter();
    void Label11MouseLeave();
    void Label11Click();

    // The window's own chromosomes, for tests.
    const demo::TTSPChromosome& Parent1() const { return parent1_; }
    const demo::TTSPChromosome& Parent2() const { return parent2_; }
    const demo::TTSPChromosome& ChromosomeToMutate() const { return chromosomeToMutate_; }

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr; // "Кроссовер"
    QWidget* TabSheet2 = nullptr; // "    Мутация    "
    QWidget* TabSheet3 = nullptr; // "Настройки"

    TFlatEdit* p1 = nullptr;
    TFlatEdit* p2 = nullptr;
    TFlatEdit* c1 = nullptr;
    TFlatEdit* c2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label11 = nullptr;
    QPushButton* Button3 = nullptr; // "Генерировать" (parents)
    QPushButton* Button4 = nullptr; // "Кроссовер"

    TFlatEdit* ChromDoMut = nullptr;
    TFlatEdit* ChromPosleMut = nullptr;
    QPushButton* Button1 = nullptr; // "Генерировать" (chromosome to mutate)
    QPushButton* Button2 = nullptr; // "Мутировать"

    TFlatSpinEdit* GenCount = nullptr;
    QComboBox* CrossoverTypePanel = nullptr;
    QComboBox* MutationTypePanel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // untLearningLayout.cpp: the three tabs and their controls.
    void BuildControls();
    QWidget* BuildCrossoverTab();
    QWidget* BuildMutationTab();
    QWidget* BuildSettingsTab();
    void ConnectHandlers();

    // Fills a chromosome with a new random permutation of GenCount genes.
    // Returns false, after telling the user, when GenCount is too small for
    // the operators.
    bool MakeChromosome(demo::TTSPChromosome& chromosome);
    bool MakeParents();
    void ShowParents();
    // The tab's "Генерировать" becomes the button Enter presses.
    void SetDefaultButtonFor(QWidget* tab);

    demo::TTSPChromosome chromosomeToMutate_;
    demo::TTSPChromosome parent1_;
    demo::TTSPChromosome parent2_;
};

extern TfrmLearning* frmLearning;

// Refusal shown when the gene count is below what the operators need.
inline constexpr const char* kLearningGeneCountMessage =
    "Количество генов в хромосоме должно быть не меньше 4: операторам кроссовера и мутации "
    "нужны хотя бы четыре гена";
