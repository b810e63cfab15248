// The first window: collects user, password, server address and port, validates them as the
// user types, logs in and hands the connection to a new main window.
#pragma once

#include <QDialog>

class MainWindow;
class db_link;
class wait_notice;
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
    // An address by the pattern of valid_ip, or a host name ("localhost", a DNS name); a text of
    // digits and dots only must be an address.
    static bool valid_host(const QString &text);
    static bool valid_port(const QString &text);
    // The connection thread of the login in progress (null before the first attempt and once
    // the main window has it).
    db_link *link() const { return link_; }
    wait_notice *login_wait() const { return wait_; }

public slots:
    // Starts a login on the connection thread; the dialog stays alive while it waits and its
    // Cancel (or the close button) ends the wait.
    void login();
    // Closing while a login waits cancels it.
    void reject() override;
    void ipChanged(const QString &text);
    void portChanged(const QString &text);

private:
    void build_form();
    void store_defaults(const QByteArray &ip, int port, const QByteArray &user);
    // Logs in at the IPv4 address; host is what the user typed (kept as the default).
    void start_login(const QByteArray &address, const QString &host);

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
    db_link *link_ = nullptr;
    wait_notice *wait_ = nullptr;
    int lookup_id_ = -1;   // a host name being resolved
};
