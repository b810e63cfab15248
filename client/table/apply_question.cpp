// Words the count of rows each shared-time-point update will change and asks through the modal
// seam, so the model stays free of UI and tests script the answer.
#include "table/apply_question.h"

#include "common/modal_seam.h"
#include "table/tab_data_model.h"

#include <QCoreApplication>
#include <QStringList>

namespace {
class apply_question {
    Q_DECLARE_TR_FUNCTIONS(apply_question)
public:
    static bool ask(QWidget *parent, const tab_data_model &model)
    {
        const QList<tab_data_model::shared_update> shared = model.shared_time_point_updates();
        if (shared.isEmpty())
            return true;
        QStringList lines;
        for (const tab_data_model::shared_update &u : shared)
            lines << tr("Row %1 shares its time point with other rows: its update changes %2 rows.")
                         .arg(u.row + 1)
                         .arg(u.rows_changed);
        lines << QString() << tr("Apply the changes anyway?");
        return modal_seam::question(parent, tr("Apply"), lines.join(QLatin1Char('\n')),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    }
};
} // namespace

bool confirm_shared_updates(QWidget *parent, const tab_data_model &model)
{
    return apply_question::ask(parent, model);
}
