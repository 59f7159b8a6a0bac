#pragma once
// Showing the program's modal windows.
//
// The solver panel stays on top of every other window of the program. A
// modal window opened while it is up would go underneath it, and the panel,
// blocked by that very window, could not be dragged out of the way. So every
// modal window asks to stay on top as well; among windows that stay on top
// the newest comes first.

class QDialog;

// Executes the dialog modally above the solver panel; returns exec()'s result.
int ExecModal(QDialog& dialog);
