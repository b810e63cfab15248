// Placeholder main window so the login dialog and start-up build and run; written by the
// login/start-up engineer. The main-window engineer replaces this file and main_window.cpp
// whole, keeping the constructor below.
#pragma once

#include <QMainWindow>

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const QString &ip, int port, const QString &user, const QString &passwd,
               QWidget *parent = nullptr);

    QString ip() const { return ip_; }
    int port() const { return port_; }
    QString user() const { return user_; }

private:
    QString ip_;
    int port_;
    QString user_;
    QString passwd_;
};
