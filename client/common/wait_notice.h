// The notice of a command that waits for the server: the seconds it has waited and a Cancel
// button that ends the wait. The status bar shows one for every wait; a tab shows one for the
// waits of its own commands.
#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class db_link;

class wait_notice : public QWidget {
    Q_OBJECT
public:
    // With an owner, only waits of jobs asked by the owner or by an object below it show here;
    // without one, every wait. Hidden while nothing waits.
    wait_notice(db_link *link, QObject *owner, QWidget *parent = nullptr);

    QLabel *label() const { return label_; }
    QPushButton *cancel_button() const { return cancel_; }

private:
    bool mine(QObject *asker) const;
    void show_wait(QObject *asker, int seconds);
    void end_wait(QObject *asker);
    void retranslate(int seconds);

    QPointer<db_link> link_;
    QPointer<QObject> owner_;
    bool filtered_ = false;
    QLabel *label_ = nullptr;
    QPushButton *cancel_ = nullptr;
};
