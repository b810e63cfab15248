// The export road every table window shares: dialog, server or local writing, result box.
#include "table/view_export.h"

#include "common/failure_box.h"
#include "common/modal_seam.h"
#include "db/cmd_builders.h"
#include "db/csv_local.h"
#include "db/db_link.h"
#include "table/import_csv_dlg.h"
#include "table/tab_data_model.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

// What the dialog chose, as values that may travel to the connection thread.
struct export_choice {
    QByteArray table, view;
    QString path;
    bool client = false;
    bool csv = true;
    QByteArray splitter;
    csv_form form;
    bool replace = false;
};

struct export_outcome {
    bool ok = false;
    QByteArray why;    // a local failure's own reason
    db_status status;  // the server's side
};

class view_export {
    Q_DECLARE_TR_FUNCTIONS(view_export)
public:
    // The view's rows as the server would write them, from one run of the view here.
    static bool write_view_here(db_exec &db, const export_choice &c, QByteArray &why)
    {
        name_list names, types;
        row_list rows;
        QByteArray line;
        if (!db.query(c.view, names, rows, types, line, 0))
            return false;
        // A view without rows names its columns but has no values to tell their kinds.
        if (types.isEmpty() && !names.isEmpty())
            tab_data_model::types_from_fields(db, c.table, names, types);
        if (types.size() != names.size()) {
            why = "the rows of the view came without their types";
            return false;
        }
        return write_local_file(c.path, grid_csv(names, types, rows, c.form), c.replace, why);
    }

    // The export itself, where the connection is.
    static export_outcome write(db_exec &db, const export_choice &c)
    {
        export_outcome out;
        if (c.client)
            out.ok = c.view.isEmpty() ? export_table_local(db, c.table, c.path, c.form, c.replace, out.why)
                                      : write_view_here(db, c, out.why);
        else if (c.view.isEmpty())
            out.ok = export_table(db, c.table, c.path.toUtf8(), c.csv, c.splitter, c.replace, false);
        else
            out.ok = export_query(db, c.view, c.path.toUtf8(), c.csv, c.splitter, c.replace, false);
        out.status = db_status::of(out.ok, db);
        return out;
    }

    // The dialog; false when the user cancelled it.
    static bool choose(QWidget *parent, const csv_export_request &req, export_choice &c)
    {
        import_csv_dlg dlg(parent);
        dlg.set_export_mode(true);
        dlg.setWindowTitle(req.dialog_title);
        dlg.set_path(req.preset_path);
        if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
            return false;
        c.table = req.table;
        c.view = req.view;
        c.path = dlg.path();
        c.client = dlg.is_client();
        c.csv = dlg.is_csv();
        c.splitter = dlg.splitter();
        c.form = dlg.form();
        c.replace = dlg.replace();
        return true;
    }

    static void tell(QWidget *parent, const csv_export_request &req, const QString &path, const export_outcome &out,
                     bool written_here, const std::function<void()> &reconnect)
    {
        const QString title = req.result_title.isEmpty() ? tr("export table result") : req.result_title;
        const QString text = req.result_text ? req.result_text(path, out.ok)
                                             : tr("export table '%1' to file '%2' is %3!")
                                                   .arg(QString::fromUtf8(req.table), path, out.ok ? tr("successful") : tr("failed"));
        if (out.ok) {
            modal_seam::information(parent, title, text);
            return;
        }
        // A local failure says its own reason; the server's reason is the last run's, and rows
        // written from the screen never asked the server anything.
        if (!out.why.isEmpty() || written_here)
            failure_box::show(parent, title, failure_box::with_reason(text, QString::fromUtf8(out.why)), 0, QString(), {});
        else
            failure_box::show(parent, title, text, out.status, reconnect);
    }

    // Rows already on screen are written here at once; true when that was the road taken.
    static bool written_from_screen(const csv_export_request &req, const export_choice &c, export_outcome &out)
    {
        if (!c.client || !req.write_here)
            return false;
        out.ok = req.write_here(c.path, c.form, c.replace, out.why);
        return true;
    }
};

} // namespace

void export_through_dialog(QWidget *parent, db_link &link, const csv_export_request &req,
                           const std::function<void(bool ok)> &done)
{
    export_choice c;
    if (!view_export::choose(parent, req, c)) {
        if (done)
            done(false);
        return;
    }
    QPointer<db_link> guard(&link);
    const auto reconnect = [guard] {
        if (guard)
            guard->request_reconnect();
    };
    export_outcome here;
    if (view_export::written_from_screen(req, c, here)) {
        view_export::tell(parent, req, c.path, here, true, reconnect);
        if (done)
            done(here.ok);
        return;
    }
    QPointer<QWidget> shown(parent);
    const bool had_parent = parent != nullptr;
    link.post(parent, [c](db_exec &db) { return view_export::write(db, c); },
              [req, c, shown, had_parent, reconnect, done](const export_outcome &out) {
                  if (had_parent && !shown)
                      return;
                  view_export::tell(shown, req, c.path, out, false, reconnect);
                  if (done)
                      done(out.ok);
              });
}

bool export_through_dialog(QWidget *parent, db_exec &db, const csv_export_request &req)
{
    export_choice c;
    if (!view_export::choose(parent, req, c))
        return false;
    export_outcome out;
    const bool written_here = view_export::written_from_screen(req, c, out);
    if (!written_here)
        out = view_export::write(db, c);
    db.update_log();
    view_export::tell(parent, req, c.path, out, written_here, [&db] { db.request_reconnect(); });
    return out.ok;
}
