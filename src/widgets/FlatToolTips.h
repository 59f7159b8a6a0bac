#pragma once
// Tool-tips in the program's flat style: a 1 px border in RGB(50, 78, 97)
// around the tool-tip background colour, no bevel and no drop shadow.

class QApplication;

// Call once after the application object exists. Keeps any application
// style sheet already set and appends the tool-tip rule to it.
void ApplyFlatToolTips(QApplication& app);
