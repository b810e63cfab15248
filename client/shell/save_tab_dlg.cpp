// The save dialog's form: replace mode with its warning, the shared path and format groups, and
// the refusal of an empty path.
#include "shell/save_tab_dlg.h"

#include "common/modal_seam.h"
#include "table/file_mode_questions.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QVBoxLayout>

save_tab_dlg::save_tab_dlg(QWidget *parent) : tab_file_dlg(false, parent)
{
    setObjectName(QStringLiteral("save_tab_dlg"));
    resize(573, 240);
    auto *top = new QVBoxLayout(this);
    rep_cb_ = new QCheckBox(tr("Replace Mode"), this);
    rep_cb_->setObjectName(QStringLiteral("rep_cb"));
    top->addWidget(rep_cb_);
    add_groups(top, tr("Server(note the input path is in remote server)"), tr("cmd"), "sql_rb");
    add_buttons(top);
    connect(rep_cb_, &QCheckBox::stateChanged, this, &save_tab_dlg::change_replace_mode);
}

bool save_tab_dlg::is_bin() const { return bin_rb_->isChecked(); }
bool save_tab_dlg::replace() const { return rep_cb_->checkState() == Qt::Checked; }

void save_tab_dlg::change_replace_mode(int state)
{
    if (state != Qt::Checked || !ask_replace_)
        return;
    if (file_mode_questions::replace_mode(this))
        ask_replace_ = false;
    else
        rep_cb_->setCheckState(Qt::Unchecked);
}

void save_tab_dlg::accept()
{
    if (path().isEmpty()) {
        modal_seam::information(this, tr("path information"), tr("the input path is empty."));
        return;
    }
    QDialog::accept();
}
