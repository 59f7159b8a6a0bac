#pragma once
// The program's windows: each is created once at start-up, in one fixed
// order, kept hidden until it is needed and destroyed only when the program
// ends, so that every window keeps its settings and contents between showings.

// Creates the windows in their fixed order; all start hidden (main() shows
// the main window).
void CreateForms();
// Destroys them in the reverse order.
void DestroyForms();

// Commands of the main window's menu that open windows built in other
// modules. Each shows its window modally (nothing happens before CreateForms
// or after DestroyForms).
void ShowHelpAboutModal();
void ShowLearningModal();
void ShowGraphicFitnessModal();
void ShowChromSostModal();
