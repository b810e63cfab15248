// Moving a progress dialog without an event pass: QProgressDialog::setValue handles all pending
// events itself when the dialog is modal, which would re-enter whatever called it.
#pragma once

class QProgressDialog;

// Sets the value the dialog's bar shows (and value() reads); nothing when dlg is null.
void set_progress_quietly(QProgressDialog *dlg, int value);
