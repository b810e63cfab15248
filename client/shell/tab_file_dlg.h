// What the table-file dialogs share: the server and client path groups (exclusive, with the
// client warning asked once), the file chooser behind "...", the format group and database mode.
#pragma once

#include <QDateTime>
#include <QDialog>

class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class QVBoxLayout;

class tab_file_dlg : public QDialog {
    Q_OBJECT
public:
    // loading: the dialog reads a file (open chooser, the load texts) rather than writing one.
    tab_file_dlg(bool loading, QWidget *parent);

    // A proposed file name: head, the time as "yy-MM-dd_HH_mm_ss", then ext (with its dot).
    static QString proposed_name(const QString &head, const QString &ext, const QDateTime &when);

    // A table file's path with the extension of the format: ".bin" for bin, ".tcd" for cmd. Only
    // the other format's extension is replaced; any other name stays.
    static QString with_format_extension(const QString &path, bool bin);

    // The server path while the server group is checked, else the client path.
    QString path() const;
    bool db_mode() const { return db_mode_; }

public slots:
    void s_clicked(bool checked);
    void c_clicked(bool checked);
    bool is_client() const;
    void set_path(const QString &text);
    void change_path(bool checked = false);
    void set_db_mode();

protected:
    // Adds the groups in their order; the derived form puts its own rows around them.
    void add_groups(QVBoxLayout *top, const QString &server_title, const QString &second_format,
                    const char *second_format_name);
    void add_buttons(QVBoxLayout *top);

    QGroupBox *s_gb_ = nullptr;
    QGroupBox *c_gb_ = nullptr;
    QLineEdit *s_path_le_ = nullptr;
    QLineEdit *c_path_le_ = nullptr;
    QToolButton *path_tb_ = nullptr;
    QGroupBox *f_gb_ = nullptr;
    QRadioButton *bin_rb_ = nullptr;
    QRadioButton *second_rb_ = nullptr;   // "cmd"
    QDialogButtonBox *button_box_ = nullptr;

private:
    // The format changed: both path fields take its extension.
    void format_changed();

    bool loading_;
    bool db_mode_ = false;
    bool ask_client_ = true;
};
