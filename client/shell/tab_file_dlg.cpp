// The path groups, the chooser and the format group of the table-file dialogs.
#include "shell/tab_file_dlg.h"

#include "common/modal_seam.h"
#include "table/file_mode_questions.h"
#include "table/path_groups.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

tab_file_dlg::tab_file_dlg(bool loading, QWidget *parent) : QDialog(parent), loading_(loading) {}

void tab_file_dlg::add_groups(QVBoxLayout *top, const QString &server_title, const QString &second_format,
                              const char *second_format_name)
{
    const path_groups g = add_path_groups(this, top, server_title, "label_2");
    s_gb_ = g.s_gb;
    s_path_le_ = g.s_path_le;
    c_gb_ = g.c_gb;
    // Typed or chosen with "...", the client path is the one used; it is as editable as the
    // server path beside it.
    c_path_le_ = g.c_path_le;
    path_tb_ = g.path_tb;

    f_gb_ = new QGroupBox(tr("format"), this);
    f_gb_->setObjectName(QStringLiteral("f_gb"));
    auto *f_lay = new QHBoxLayout(f_gb_);
    bin_rb_ = new QRadioButton(QStringLiteral("bin"), f_gb_);
    bin_rb_->setObjectName(QStringLiteral("bin_rb"));
    bin_rb_->setChecked(true);
    second_rb_ = new QRadioButton(second_format, f_gb_);
    second_rb_->setObjectName(QLatin1String(second_format_name));
    f_lay->addWidget(bin_rb_);
    f_lay->addWidget(second_rb_);
    top->addWidget(f_gb_);

    connect(s_gb_, &QGroupBox::clicked, this, &tab_file_dlg::s_clicked);
    connect(c_gb_, &QGroupBox::clicked, this, &tab_file_dlg::c_clicked);
    connect(path_tb_, &QToolButton::clicked, this, &tab_file_dlg::change_path);
    connect(bin_rb_, &QRadioButton::toggled, this, &tab_file_dlg::format_changed);
}

QString tab_file_dlg::with_format_extension(const QString &path, bool bin)
{
    const QString from = bin ? QStringLiteral(".tcd") : QStringLiteral(".bin");
    if (!path.endsWith(from, Qt::CaseInsensitive))
        return path;
    return path.left(path.size() - from.size()) + (bin ? QStringLiteral(".bin") : QStringLiteral(".tcd"));
}

void tab_file_dlg::format_changed()
{
    // A table file's name follows the chosen format; a backup keeps its own extension.
    if (db_mode_)
        return;
    const bool bin = bin_rb_->isChecked();
    for (QLineEdit *le : {s_path_le_, c_path_le_})
        le->setText(with_format_extension(le->text(), bin));
}

void tab_file_dlg::add_buttons(QVBoxLayout *top)
{
    button_box_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    button_box_->setObjectName(QStringLiteral("buttonBox"));
    top->addWidget(button_box_);
    connect(button_box_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(button_box_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString tab_file_dlg::proposed_name(const QString &head, const QString &ext, const QDateTime &when)
{
    return head + when.toString(QStringLiteral("yy-MM-dd_HH_mm_ss")) + ext;
}

QString tab_file_dlg::path() const { return s_gb_->isChecked() ? s_path_le_->text() : c_path_le_->text(); }
bool tab_file_dlg::is_client() const { return c_gb_->isChecked(); }

void tab_file_dlg::set_path(const QString &text)
{
    s_path_le_->setText(text);
    c_path_le_->setText(text);
}

void tab_file_dlg::set_db_mode() { db_mode_ = true; }

void tab_file_dlg::s_clicked(bool)
{
    // The server group is left by checking the client group, never by unchecking itself.
    s_gb_->setChecked(true);
    c_gb_->setChecked(false);
}

void tab_file_dlg::c_clicked(bool checked)
{
    if (checked && ask_client_) {
        if (!file_mode_questions::client_mode(this, loading_)) {
            c_gb_->setChecked(false);
            return;
        }
        ask_client_ = false;
    }
    s_gb_->setChecked(!c_gb_->isChecked());
}

void tab_file_dlg::change_path(bool)
{
    // The chooser opens on the files of the chosen format.
    const QString filter = db_mode_                ? tr("backup files (*.sbk);;all files (*.*)")
                           : bin_rb_->isChecked() ? tr("bin files (*.bin);;cmd files (*.tcd);;all files (*.*)")
                                                  : tr("cmd files (*.tcd);;bin files (*.bin);;all files (*.*)");
    QString chosen;
    if (loading_)
        chosen = modal_seam::open_file(this, db_mode_ ? tr("select database file's path") : tr("select table file's path"),
                                       c_path_le_->text(), filter);
    else
        chosen = modal_seam::save_file(this, db_mode_ ? tr("set database file's path") : tr("set table file's path"),
                                       c_path_le_->text(), filter);
    if (!chosen.isEmpty())
        c_path_le_->setText(chosen);
}
