// Which table file or database backup to load, in which format, and under which table name.
#pragma once

#include "shell/tab_file_dlg.h"

class load_tab_dlg : public tab_file_dlg {
    Q_OBJECT
public:
    explicit load_tab_dlg(QWidget *parent = nullptr);

    QString table_name() const;

public slots:
    void accept() override;
    void bin_clicked(bool checked);
    void cmd_clicked(bool checked);
    bool is_bin_mode() const;
    void hide_table_name();

private:
    QLabel *tab_lbl_ = nullptr;
    QLineEdit *tab_le_ = nullptr;
};
