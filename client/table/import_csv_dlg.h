// The CSV file dialog: where the file lies (on the server or on this machine), its separator and
// form, and in export use whether an existing file may be replaced. It only collects the choices.
#pragma once

#include "db/csv_local.h"

#include <QByteArray>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

class import_csv_dlg : public QDialog {
    Q_OBJECT
public:
    explicit import_csv_dlg(QWidget *parent = nullptr);

    void set_export_mode(bool on);
    bool export_mode() const { return export_mode_; }
    void set_path(const QString &text);
    QString path() const;
    bool is_client() const;
    bool is_csv() const;
    QByteArray splitter() const;
    // The layout chosen: csvs (typed header) or csv, and the separator.
    csv_form form() const;
    bool replace() const;

public slots:
    void clicked(bool checked);
    void change_replace_mode(int state);
    void accept() override;
    void s_clicked(bool checked);
    void c_clicked(bool checked);

private:
    bool confirm_client();

    QGroupBox *s_gb_ = nullptr;
    QGroupBox *c_gb_ = nullptr;
    QLineEdit *s_path_le_ = nullptr;
    QLineEdit *c_path_le_ = nullptr;
    QToolButton *path_tb_ = nullptr;
    QComboBox *sp_cmb_ = nullptr;
    QCheckBox *rep_cb_ = nullptr;
    QRadioButton *csv_rb_ = nullptr;
    QRadioButton *csvs_rb_ = nullptr;
    QDialogButtonBox *button_box_ = nullptr;
    bool export_mode_ = false;
    bool ask_replace_ = true;
    bool ask_client_ = true;
};
