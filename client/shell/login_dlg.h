// The first window: collects user, password, server address and port, validates them as the
// user types, logs in and hands the connection to a new main window.
#pragma once

#include <QDialog>

class MainWindow;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class login_dlg : public QDialog {
    Q_OBJECT
public:
    explicit login_dlg(QWidget *parent = nullptr);

    // The main window created by the first successful login (none before).
    MainWindow *main_window() const { return main_window_; }

    static bool valid_ip(const QString &text);
    static bool valid_port(const QString &text);

public slots:
    void login();
    void ipChanged(const QString &text);
    void portChanged(const QString &text);

private:
    void build_form();
    void store_defaults(const QByteArray &ip, int port, const QByteArray &user);

    QLabel *title_ = nullptr;
    QLabel *logo_ = nullptr;
    QLineEdit *le_user_ = nullptr;
    QLineEdit *le_passwd_ = nullptr;
    QLineEdit *le_ip_ = nullptr;
    QLineEdit *le_port_ = nullptr;
    QLabel *lbl_ipinfo_ = nullptr;
    QLabel *lbl_portinfo_ = nullptr;
    QCheckBox *cb_default_ = nullptr;
    QPushButton *pb_login_ = nullptr;
    QToolButton *pb_close_ = nullptr;
    MainWindow *main_window_ = nullptr;
};
