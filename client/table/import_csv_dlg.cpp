// The CSV file dialog's form and its rules: the server and client groups stay exclusive, the
// client and replace warnings are asked once per dialog, and an empty path is refused.
#include "table/import_csv_dlg.h"

#include "common/modal_seam.h"
#include "table/file_mode_questions.h"
#include "table/path_groups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

import_csv_dlg::import_csv_dlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("import_csv_dlg"));
    setWindowTitle(tr("Dialog"));
    resize(560, 300);
    auto *top = new QVBoxLayout(this);

    const path_groups g = add_path_groups(this, top, tr("Server(note: the file is in remote server)"), "label");
    s_gb_ = g.s_gb;
    s_path_le_ = g.s_path_le;
    c_gb_ = g.c_gb;
    c_path_le_ = g.c_path_le;
    path_tb_ = g.path_tb;

    auto *row = new QHBoxLayout;
    auto *label_2 = new QLabel(tr("Spliter"), this);
    label_2->setObjectName(QStringLiteral("label_2"));
    sp_cmb_ = new QComboBox(this);
    sp_cmb_->setObjectName(QStringLiteral("sp_cmb"));
    sp_cmb_->addItem(QStringLiteral(","), QByteArray(","));
    sp_cmb_->addItem(QStringLiteral(";"), QByteArray(";"));
    sp_cmb_->addItem(tr("space"), QByteArray(" "));
    sp_cmb_->addItem(QStringLiteral("-"), QByteArray("-"));
    sp_cmb_->addItem(QStringLiteral(":"), QByteArray(":"));
    sp_cmb_->addItem(QStringLiteral("\\t"), QByteArray("\t"));
    sp_cmb_->setCurrentIndex(0);
    rep_cb_ = new QCheckBox(tr("replace mode"), this);
    rep_cb_->setObjectName(QStringLiteral("rep_cb"));
    rep_cb_->setVisible(false);
    row->addWidget(label_2);
    row->addWidget(sp_cmb_, 1);
    row->addWidget(rep_cb_);
    top->addLayout(row);

    auto *format = new QGroupBox(tr("format"), this);
    format->setObjectName(QStringLiteral("groupBox"));
    auto *f_lay = new QHBoxLayout(format);
    csv_rb_ = new QRadioButton(QStringLiteral("csv"), format);
    csv_rb_->setObjectName(QStringLiteral("csv_rb"));
    csv_rb_->setChecked(true);
    csvs_rb_ = new QRadioButton(QStringLiteral("csvs"), format);
    csvs_rb_->setObjectName(QStringLiteral("csvs_rb"));
    f_lay->addWidget(csv_rb_);
    f_lay->addWidget(csvs_rb_);
    top->addWidget(format);

    button_box_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    button_box_->setObjectName(QStringLiteral("buttonBox"));
    top->addWidget(button_box_);

    connect(button_box_, &QDialogButtonBox::accepted, this, &import_csv_dlg::accept);
    connect(button_box_, &QDialogButtonBox::rejected, this, &import_csv_dlg::reject);
    connect(s_gb_, &QGroupBox::clicked, this, &import_csv_dlg::s_clicked);
    connect(c_gb_, &QGroupBox::clicked, this, &import_csv_dlg::c_clicked);
    connect(path_tb_, &QToolButton::clicked, this, &import_csv_dlg::clicked);
    connect(rep_cb_, &QCheckBox::stateChanged, this, &import_csv_dlg::change_replace_mode);
}

void import_csv_dlg::set_export_mode(bool on)
{
    export_mode_ = on;
    rep_cb_->setVisible(on);
}

void import_csv_dlg::set_path(const QString &text)
{
    s_path_le_->setText(text);
    c_path_le_->setText(text);
}

QString import_csv_dlg::path() const { return c_gb_->isChecked() ? c_path_le_->text() : s_path_le_->text(); }
bool import_csv_dlg::is_client() const { return c_gb_->isChecked(); }
bool import_csv_dlg::is_csv() const { return csv_rb_->isChecked(); }
QByteArray import_csv_dlg::splitter() const { return sp_cmb_->currentData().toByteArray(); }
csv_form import_csv_dlg::form() const
{
    csv_form f;
    f.typed = !is_csv();
    f.sep = splitter();
    return f;
}

bool import_csv_dlg::replace() const { return rep_cb_->checkState() == Qt::Checked; }

void import_csv_dlg::clicked(bool)
{
    const QString filter = tr("csv files (*.csv);;csvs files (*.csvs);;all files (*.*)");
    const QString chosen = export_mode_
        ? modal_seam::save_file(this, tr("set csv/csvs file's path"), c_path_le_->text(), filter)
        : modal_seam::open_file(this, tr("select csv/csvs file"), c_path_le_->text(), filter);
    if (!chosen.isEmpty())
        c_path_le_->setText(chosen);
}

bool import_csv_dlg::confirm_client()
{
    if (!file_mode_questions::client_mode(this))
        return false;
    ask_client_ = false;
    return true;
}

void import_csv_dlg::c_clicked(bool checked)
{
    if (ask_client_ && checked) {
        if (!confirm_client()) {
            c_gb_->setChecked(false);
            return;
        }
        s_gb_->setChecked(false);
        return;
    }
    s_gb_->setChecked(!c_gb_->isChecked());
}

void import_csv_dlg::s_clicked(bool checked)
{
    if (ask_client_ && !checked && !confirm_client()) {
        s_gb_->setChecked(true);
        return;
    }
    c_gb_->setChecked(!s_gb_->isChecked());
}

void import_csv_dlg::change_replace_mode(int state)
{
    if (!ask_replace_ || state != Qt::Checked)
        return;
    if (file_mode_questions::replace_mode(this))
        ask_replace_ = false;
    else
        rep_cb_->setCheckState(Qt::Unchecked);
}

void import_csv_dlg::accept()
{
    if (path().isEmpty()) {
        modal_seam::information(this, export_mode_ ? tr("export path information") : tr("import path information"),
                                tr("the input path is empty."));
        return;
    }
    QDialog::accept();
}
