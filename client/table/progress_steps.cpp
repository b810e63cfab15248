// The bar inside a progress dialog, set directly.
#include "table/progress_steps.h"

#include <QProgressBar>
#include <QProgressDialog>

void set_progress_quietly(QProgressDialog *dlg, int value)
{
    if (!dlg)
        return;
    if (auto *bar = dlg->findChild<QProgressBar *>())
        bar->setValue(value);
}
