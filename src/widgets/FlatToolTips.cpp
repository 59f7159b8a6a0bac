#include "widgets/FlatToolTips.h"

#include <QApplication>
#include <QPalette>
#include <QToolTip>

void ApplyFlatToolTips(QApplication& app) {
    // A style-sheet rule is the one portable way to take the native bevel
    // and shadow off QToolTip; the colours still come from the palette so
    // that the tool-tip background follows the desktop's.
    const QPalette palette = QToolTip::palette();
    const QString background = palette.color(QPalette::ToolTipBase).name();
    const QString text = palette.color(QPalette::ToolTipText).name();
    const QString rule = QStringLiteral("QToolTip { border: 1px solid rgb(50, 78, 97); "
                                        "border-radius: 0px; padding: 1px 3px; "
                                        "background-color: %1; color: %2; }")
                             .arg(background, text);
    QString sheet = app.styleSheet();
    if (sheet.contains(rule))
        return; // applied already
    if (!sheet.isEmpty())
        sheet += QLatin1Char('\n');
    app.setStyleSheet(sheet + rule);
}
