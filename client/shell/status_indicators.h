// The two buttons of the status bar: the connection indicator and the error indicator of the
// current script.
#pragma once

#include <QObject>
#include <QString>

class QPushButton;
class QStatusBar;

class status_indicators : public QObject {
    Q_OBJECT
public:
    explicit status_indicators(QStatusBar *bar);

    // Who is connected where: the connection button shows "user@address:port", its tool tip
    // says the same with the state.
    void set_server(const QString &user, const QString &ip, int port);
    void set_connected(bool connected);
    void set_error(bool error);

    bool connected() const { return connected_; }
    bool error() const { return error_; }
    // The image each button shows now.
    QString connection_icon() const;
    QString error_icon() const;

    QPushButton *connection_button() const { return connection_; }
    QPushButton *error_button() const { return error_btn_; }

private:
    QPushButton *connection_;
    QPushButton *error_btn_;
    bool connected_ = true;
    bool error_ = false;
    QString user_, ip_;
    int port_ = 0;

    void update_connection_tip();
};
