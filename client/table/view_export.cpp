// The export road every table window shares: dialog, server or local writing, result box.
#include "table/view_export.h"

#include "common/failure_box.h"
#include "common/modal_seam.h"
#include "db/cmd_builders.h"
#include "db/csv_local.h"
#include "db/db_exec.h"
#include "table/import_csv_dlg.h"

#include <QCoreApplication>

namespace {
class view_export {
    Q_DECLARE_TR_FUNCTIONS(view_export)
public:
    // The view's rows as the server would write them, from one run of the view here.
    static bool write_view_here(db_exec &db, const QByteArray &view, const import_csv_dlg &dlg, QByteArray &why)
    {
        name_list names, types;
        row_list rows;
        QByteArray line;
        if (!db.query(view, names, rows, types, line, 0))
            return false;
        if (types.size() != names.size()) {
            why = "the rows of the view came without their types";
            return false;
        }
        return write_local_file(dlg.path(), grid_csv(names, types, rows, dlg.form()), dlg.replace(), why);
    }

    static bool run(QWidget *parent, db_exec &db, const csv_export_request &req)
    {
        import_csv_dlg dlg(parent);
        dlg.set_export_mode(true);
        dlg.setWindowTitle(req.dialog_title);
        dlg.set_path(req.preset_path);
        if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
            return false;
        const QString path = dlg.path();
        QByteArray why;
        bool ok;
        const bool written_here = dlg.is_client() && req.write_here;
        if (written_here)
            ok = req.write_here(path, dlg.form(), dlg.replace(), why);
        else if (dlg.is_client())
            ok = req.view.isEmpty() ? export_table_local(db, req.table, path, dlg.form(), dlg.replace(), why)
                                    : write_view_here(db, req.view, dlg, why);
        else if (req.view.isEmpty())
            ok = export_table(db, req.table, path.toUtf8(), dlg.is_csv(), dlg.splitter(), dlg.replace(), false);
        else
            ok = export_query(db, req.view, path.toUtf8(), dlg.is_csv(), dlg.splitter(), dlg.replace(), false);
        db.update_log();

        const QString title = req.result_title.isEmpty() ? tr("export table result") : req.result_title;
        const QString text = req.result_text ? req.result_text(path, ok)
                                             : tr("export table '%1' to file '%2' is %3!")
                                                   .arg(QString::fromUtf8(req.table), path, ok ? tr("successful") : tr("failed"));
        if (ok) {
            modal_seam::information(parent, title, text);
            return true;
        }
        // A local failure says its own reason; the server's reason is the last run's, and rows
        // written from the screen never asked the server anything.
        if (!why.isEmpty() || written_here)
            failure_box::show(parent, title, failure_box::with_reason(text, QString::fromUtf8(why)), 0, QString(), {});
        else
            failure_box::show(parent, title, text, db.last_code(), db.last_reason(), [&db] { db.request_reconnect(); });
        return false;
    }
};
} // namespace

bool export_through_dialog(QWidget *parent, db_exec &db, const csv_export_request &req)
{
    return view_export::run(parent, db, req);
}
