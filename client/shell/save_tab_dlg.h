// Where to save a table file or a database backup, in which format, and whether an existing
// file may be replaced.
#pragma once

#include "shell/tab_file_dlg.h"

class QCheckBox;

class save_tab_dlg : public tab_file_dlg {
    Q_OBJECT
public:
    explicit save_tab_dlg(QWidget *parent = nullptr);

    bool is_bin() const;
    bool replace() const;

public slots:
    void change_replace_mode(int state);
    void accept() override;

private:
    QCheckBox *rep_cb_ = nullptr;
    bool ask_replace_ = true;
};
