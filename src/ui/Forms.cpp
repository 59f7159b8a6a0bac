#include "ui/Forms.h"

#include "extras/untHelpAbout.h"
#include "guibase/ModalWindows.h"
#include "ui/Options.h"
#include "ui/frmLittleHint.h"
#include "ui/untChromSost.h"
#include "ui/untGraphicFitness.h"
#include "ui/untHint.h"
#include "ui/untLearning.h"
#include "ui/untMain.h"
#include "ui/untProgress.h"
#include "ui/untRandomN.h"
#include "ui/untResults.h"
#include "ui/untTestCrossover.h"
#include "ui/untTypeTask.h"

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
    frmTestCrossover = new TfrmTestCrossover();
    frmGraphicFitness = new TfrmGraphicFitness();
    frmLearning = new TfrmLearning(frmMain);
    frmChromSost = new TfrmChromSost();
    frmTypeTask = new TfrmTypeTask(frmMain);
    LittleHint = new TLittleHint(frmMain);
    frmProgress = new TfrmProgress(frmMain);
}

void DestroyForms() {
    Destroy(frmProgress);
    Destroy(LittleHint);
    Destroy(frmTypeTask);
    Destroy(frmChromSost);
    Destroy(frmLearning);
    Destroy(frmGraphicFitness);
    Destroy(frmTestCrossover);
    Destroy(frmHelpAbout);
    Destroy(frmHint);
    Destroy(frmResults);
    Destroy(frmOptions);
    Destroy(frmRandomN);
    Destroy(frmMain);
}

void ShowHelpAboutModal() {
    if (frmHelpAbout)
        ExecModal(*frmHelpAbout);
}

void ShowLearningModal() {
    if (frmLearning)
        ExecModal(*frmLearning);
}

void ShowGraphicFitnessModal() {
    if (frmGraphicFitness)
        frmGraphicFitness->ShowModalFromMenu();
}

void ShowChromSostModal() {
    if (frmChromSost)
        frmChromSost->ShowModalFromMenu();
}
