// May a table window go? The one question every road that ends a data view or a table
// definition window asks first when it holds changes not applied yet: a close button, Ctrl+W,
// quitting, a refresh that no longer finds its table.
#pragma once

#include <QList>
#include <QMessageBox>
#include <functional>

class QWidget;

enum class close_answer {
    go,       // nothing pending, or the user dropped it
    keep,     // the user kept the window (the default answer)
    applying, // the changes are on their way; the window ends itself once they went
};

// Asks a data view or a table definition window; every other page may always go.
close_answer ask_before_closing(QWidget *page);

// Asks the pages one at a time and stops at the first that may not go now; true when all may.
// When one starts applying, then() runs once it has applied and ended itself and its connection
// is idle again, so the caller can try once more; a failed apply keeps the window, then() stays
// unrun.
bool ask_before_closing_all(const QList<QWidget *> &pages, const std::function<void()> &then);

// The question itself, through the modal seam: what names the changes. Apply, Discard, or
// Cancel (the default, also Escape) that keeps the window.
QMessageBox::StandardButton ask_pending_close(QWidget *parent, const QString &what);
