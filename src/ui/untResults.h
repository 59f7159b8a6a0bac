#pragma once
// The solver panel: the genetic algorithm's settings, the Start/Pause/Stop
// controls and the live view of a run (counters, best route, crossover kinds,
// run-time clock). A borderless tool window that stays on top, is dragged by
// its caption strip, rolls up to that strip, and widens to show an options
// area that slides out to the right.
//
// A run is a loop inside StartBtnClick; the main window's generation handler
// pumps the message queue after every generation, so every other handler of
// this panel may run nested inside a running StartBtnClick.

#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <cstdint>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class TBarChart;
class TCaptionBar;
class TFlatCheckBox;
class TGradientHeader;
class TImageButton;
class TImageList;
class TSevenSegmentClock;
class TUpDown;

namespace solver {
class TTSPPopulation;
}

class TfrmResults : public QWidget {
    Q_OBJECT
public:
    explicit TfrmResults(QWidget* parent = nullptr);
    ~TfrmResults() override;

    // --- Handlers --------------------------------------------------------------
    void FormShow();
    void RollUpClick();
    void FormCaptionDblClick();
    void FormCaptionMouseDown();
    void TimerMouseDown();
    void CloseBtnClick();
    void OpenOptionsBtnClick();
    void TimerOpenTimer();
    void Timer1Timer();
    // Start, Pause and Resume in one button. Raises the map's or the solver's
    // refusal before anything is touched; an error inside the run brings the
    // panel back to its stopped look and is passed on.
    void StartBtnClick();
    void StopBtnClick();
    void OptimizeComboChange();
    void pMutationEditChange();
    void pCrossoverEditChange();
    void BestPathCheckedClick();
    void UseElitizmClick();
    void AdaptiveCheckClick();
    void CrossoverTypePanelChange() {}
    void MutationTypePanelChange() {}
    void SetOperatorControlsEnabled(bool enabled);

    // --- Fed by the main window's solver events ---------------------------------
    // Counters of one finished generation (everything GenerationDone writes
    // into this panel).
    void ShowGeneration(const solver::TTSPPopulation& population, int32_t generation);
    // Writes the last generation's numbers that ShowGeneration has held back.
    void FlushGeneration();
    // Best length and route after OnNewBest.
    void ShowNewBest(const solver::TTSPPopulation& population, double best);

    // True while the options area is open or opening (OpenOptionsBtn image 1).
    bool OptionsOpen() const;
    // The run-time clock as text, "HH:MM:SS".
    QString ClockText() const;

    // --- State ------------------------------------------------------------------
    int SavedHeight = 0;
    // The run-time clock. Hours keep counting past 24 (and past 255).
    int Seconds = 0;
    int Minutes = 0;
    int Hours = 0;

    // --- Controls (object names as the fields are named) -------------------------
    TCaptionBar* FormCaption = nullptr;
    QLabel* ResLabel = nullptr;
    TImageButton* RollUp = nullptr;
    TImageButton* CloseBtn = nullptr;
    TGradientHeader* glWizardHeader1 = nullptr;
    TSevenSegmentClock* Timer = nullptr;

    QLineEdit* AllCities = nullptr;
    QLineEdit* CountIterations = nullptr;
    QLineEdit* BestEstimate = nullptr;
    QLabel* LabelPath = nullptr;
    QLineEdit* BestPath = nullptr;
    QLineEdit* MutationCount = nullptr;
    QLineEdit* CrossoverCount = nullptr;
    QLabel* CrossoverSost = nullptr;
    QLineEdit* Adaptive = nullptr;

    QLabel* Label1 = nullptr;
    QComboBox* CrossoverTypePanel = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* MutationTypePanel = nullptr;
    QLabel* Label14 = nullptr;
    QComboBox* SelectionTypePanel = nullptr;

    TFlatCheckBox* AdaptiveCheck = nullptr;
    TFlatCheckBox* UseElitizm = nullptr;
    TFlatCheckBox* BestPathChecked = nullptr;
    QPlainTextEdit* InfoMemo = nullptr;
    TImageButton* StartBtn = nullptr;
    TImageButton* StopBtn = nullptr;
    TImageButton* OpenOptionsBtn = nullptr;

    QFrame* OptionsDivider = nullptr;
    QLineEdit* pMutationEdit = nullptr;
    TUpDown* pMutationEditUpDown = nullptr;
    QLineEdit* pCrossoverEdit = nullptr;
    TUpDown* pCrossoverEditUpDown = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* ParentsEdit = nullptr;
    TUpDown* ParentsEditUpDown = nullptr;
    QLineEdit* MaxChromEdit = nullptr;
    TUpDown* MaxChromEditUpDown = nullptr;
    QComboBox* OptimizeCombo = nullptr;
    QLabel* LabelNStop = nullptr;
    QLineEdit* KritStop = nullptr;
    TUpDown* IterationUpDown = nullptr;
    TBarChart* ChromSost = nullptr;
    int Series1 = 0; // the bar series of ChromSost

    // The run images (Старт, Пауза, Стоп) and the caption images, shared with
    // the main window's tool panel and caption buttons; the panel's own two
    // images of the options button.
    TImageList* RunImages = nullptr;
    TImageList* CaptionImages = nullptr;
    TImageList* ImageList1 = nullptr;

    QTimer* Timer1 = nullptr;
    QTimer* TimerOpen = nullptr;

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void BuildCaption();
    void BuildStatistics();
    void BuildOperators();
    void BuildButtons();
    void BuildOptions();
    void ConnectHandlers();
    void CentreResLabel();
    // Copies the panel's settings into the population (Start, step 4).
    void CopySettings(solver::TTSPPopulation& population) const;
    // The steps of StartBtnClick.
    void PauseRun(solver::TTSPPopulation& population);
    void CheckRunCanStart(solver::TTSPPopulation& population, bool fresh) const;
    void ShowRunStarting(bool fresh);
    void DriveRun(solver::TTSPPopulation& population);
    // The panel's look after an error left the run loop.
    void RecoverFromRunError(solver::TTSPPopulation& population);
    void RefillChromSost(const std::array<int32_t, 5>& totals);
    void Redraw() const;

    // The numbers of the last generation, waiting to be shown.
    struct TPendingGeneration {
        bool Valid = false;
        int32_t Generation = 0;
        int32_t Mutations = 0;
        int32_t Crossovers = 0;
        bool Adaptive = false;
        std::array<int32_t, 5> KindCurrent{};
        std::array<int32_t, 5> KindTotal{};
    };
    TPendingGeneration pending_;
    QElapsedTimer displayClock_;
    // The map is redrawn for a new best route at most this often (RedrawRoute).
    QElapsedTimer routeClock_;
    QTimer* routeTimer_ = nullptr;
    void RedrawRoute();
    void FlushRoute();

    // Last values written into the counters, so that a generation rewrites
    // only texts whose number changed.
    int64_t shownMutations_ = -1;
    int64_t shownCrossovers_ = -1;
    std::array<int32_t, 5> shownKindTotal_{};
    std::array<int32_t, 5> shownKindCurrent_{};
    bool shownKindsValid_ = false;
    bool shownAdaptive_ = false;
    bool placed_ = false; // centred once, at the first showing
    // Where CloseBtn stands: set at creation, moved with every slide step.
    int closeBtnLeft_ = 0;
};

extern TfrmResults* frmResults;

// The population the panel drives: the main window's, or none.
solver::TTSPPopulation* ResultsPopulation();
