#include "ui/Forms.h"

#include "extras/untHelpAbout.h"
#include "ui/Options.h"
#include "ui/frmLittleHint.h"
#include "ui/untHint.h"
#include "ui/untLearning.h"
#include "ui/untMain.h"
#include "ui/untProgress.h"
#include "ui/untRandomN.h"
#include "ui/untResults.h"
#include "ui/untTypeTask.h"

// The solver panel's chart windows and the crossover test join the program
// as soon as their module is part of it.
#if __has_include("ui/untTestCrossover.h")
#include "ui/untTestCrossover.h"
#define TRASOLAN_HAS_TEST_CROSSOVER 1
#endif
#if __has_include("ui/untGraphicFitness.h")
#include "ui/untGraphicFitness.h"
#define TRASOLAN_HAS_GRAPHIC_FITNESS 1
#endif
#if __has_include("ui/untChromSost.h")
#include "ui/untChromSost.h"
#define TRASOLAN_HAS_CHROM_SOST 1
#endif

namespace {

template <typename T> void Destroy(T*& form) {
    delete form;
    form = nullptr;
}

} // namespace

void CreateForms() {
    frmMain = new TfrmMain();
    frmRandomN = new TfrmRandomN(frmMain);
    frmOptions = new TfrmOptions(frmMain);
    frmResults = new TfrmResults();
    frmHint = new TfrmHint(frmMain);
    frmHelpAbout = new TfrmHelpAbout(frmMain);
#ifdef TRASOLAN_HAS_TEST_CROSSOVER
    frmTestCrossover = new TfrmTestCrossover();
#endif
#ifdef TRASOLAN_HAS_GRAPHIC_FITNESS
    frmGraphicFitness = new TfrmGraphicFitness();
#endif
    frmLearning = new TfrmLearning(frmMain);
#ifdef TRASOLAN_HAS_CHROM_SOST
    frmChromSost = new TfrmChromSost();
#endif
    frmTypeTask = new TfrmTypeTask(frmMain);
    LittleHint = new TLittleHint(frmMain);
    frmProgress = new TfrmProgress(frmMain);
}

void DestroyForms() {
    Destroy(frmProgress);
    Destroy(LittleHint);
    Destroy(frmTypeTask);
#ifdef TRASOLAN_HAS_CHROM_SOST
    Destroy(frmChromSost);
#endif
    Destroy(frmLearning);
#ifdef TRASOLAN_HAS_GRAPHIC_FITNESS
    Destroy(frmGraphicFitness);
#endif
#ifdef TRASOLAN_HAS_TEST_CROSSOVER
    Destroy(frmTestCrossover);
#endif
    Destroy(frmHelpAbout);
    Destroy(frmHint);
    Destroy(frmResults);
    Destroy(frmOptions);
    Destroy(frmRandomN);
    Destroy(frmMain);
}

void ShowHelpAboutModal() {
    if (frmHelpAbout)
        frmHelpAbout->exec();
}

void ShowLearningModal() {
    if (frmLearning)
        frmLearning->exec();
}

void ShowGraphicFitnessModal() {
#ifdef TRASOLAN_HAS_GRAPHIC_FITNESS
    if (frmGraphicFitness)
        frmGraphicFitness->ShowModalFromMenu();
#endif
}

void ShowChromSostModal() {
#ifdef TRASOLAN_HAS_CHROM_SOST
    if (frmChromSost)
        frmChromSost->ShowModalFromMenu();
#endif
}
