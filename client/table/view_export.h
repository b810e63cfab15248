// A CSV export chosen in the file dialog, of a whole table or of one view of it: the server
// writes the file, or this machine does; one box tells the outcome and why it failed.
#pragma once

#include <QByteArray>
#include <QString>

class QWidget;
class db_exec;

struct csv_export_request {
    QByteArray table;     // the table the result box names
    QByteArray view;      // the "view" command to export; empty: all of the table
    QString dialog_title;
    QString preset_path;
};

// Runs the dialog through the modal seam, then the export, then the result box. False when the
// user cancelled or the export failed.
bool export_through_dialog(QWidget *parent, db_exec &db, const csv_export_request &req);
