#include "guibase/ModalWindows.h"

#include <QDialog>

int ExecModal(QDialog& dialog) {
    // Window flags are only changed while the window is hidden: on a shown
    // window the change would hide it.
    if (!dialog.isVisible() && !dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return dialog.exec();
}
