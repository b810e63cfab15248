// The load dialog's form: the table-name row (shown for "bin" files), the shared path and format
// groups, and the refusals of an empty name or path.
#include "shell/load_tab_dlg.h"

#include "common/modal_seam.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

load_tab_dlg::load_tab_dlg(QWidget *parent) : tab_file_dlg(true, parent)
{
    setObjectName(QStringLiteral("load_tab_dlg"));
    resize(641, 300);
    auto *top = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    tab_lbl_ = new QLabel(tr("table name"), this);
    tab_lbl_->setObjectName(QStringLiteral("tab_lbl"));
    tab_le_ = new QLineEdit(this);
    tab_le_->setObjectName(QStringLiteral("tab_le"));
    row->addWidget(tab_lbl_);
    row->addWidget(tab_le_);
    top->addLayout(row);
    add_groups(top, tr("Server(note the input path is in remote server)"), tr("cmd"), "cmd_rb");
    add_buttons(top);
    connect(bin_rb_, &QRadioButton::clicked, this, &load_tab_dlg::bin_clicked);
    connect(second_rb_, &QRadioButton::clicked, this, &load_tab_dlg::cmd_clicked);
}

QString load_tab_dlg::table_name() const { return tab_le_->text(); }
bool load_tab_dlg::is_bin_mode() const { return bin_rb_->isChecked(); }

void load_tab_dlg::bin_clicked(bool checked)
{
    if (!checked)
        return;
    tab_lbl_->show();
    tab_le_->show();
}

void load_tab_dlg::cmd_clicked(bool checked)
{
    if (checked)
        hide_table_name();
}

void load_tab_dlg::hide_table_name()
{
    tab_lbl_->hide();
    tab_le_->hide();
}

void load_tab_dlg::accept()
{
    if (!tab_le_->isHidden()) {
        if (tab_le_->text().isEmpty()) {
            modal_seam::information(this, tr("table name information"), tr("the input table's name is empty."));
            return;
        }
        if (path().isEmpty()) {
            modal_seam::information(this, tr("table path information"), tr("the input table's path is empty."));
            return;
        }
    } else if (path().isEmpty()) {
        // Without a path there is nothing to load or restore; the server would be asked for "".
        modal_seam::information(this, tr("path information"), tr("the input path is empty."));
        return;
    }
    QDialog::accept();
}
