// A CSV export chosen in the file dialog, of a whole table, one view of it or a script's result:
// the server writes the file, or this machine does; one box tells the outcome and why it failed.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;
class db_exec;
class db_link;
struct csv_form;

struct csv_export_request {
    QByteArray table;     // the table the result box names
    QByteArray view;      // the "view" command to export; empty: all of the table
    QString dialog_title;
    QString preset_path;
    // The result box's title and text for the chosen path and the outcome; empty: the table's.
    QString result_title = {};
    std::function<QString(const QString &path, bool ok)> result_text = {};
    // Writes the file on this machine instead of running the view here (rows already on screen).
    std::function<bool(const QString &path, const csv_form &form, bool replace, QByteArray &why)> write_here = {};
};

// Runs the dialog through the modal seam, then the export on the connection thread, then the
// result box; parent (may be null) is who waits. done (may be empty) receives the outcome: false
// when the user cancelled or the export failed. Rows written from the screen never wait.
void export_through_dialog(QWidget *parent, db_link &link, const csv_export_request &req,
                           const std::function<void(bool ok)> &done = {});
// The same on the calling thread's connection, waiting for the server there.
bool export_through_dialog(QWidget *parent, db_exec &db, const csv_export_request &req);
