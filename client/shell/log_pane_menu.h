// The execution log pane's context menu: the toolkit's copy and select-all, "clear", and the
// filter that shows only the commands the user ran (tree refreshes and a follow's reloads left
// out, so they never push the user's own commands out of sight).
#pragma once

#include <QObject>
#include <QPoint>

class QAction;
class QMenu;
class QTextDocument;
class QTextEdit;
class db_exec;

class log_pane_menu : public QObject {
    Q_OBJECT
public:
    // Takes over the pane's context menu; the wrapper's lines keep going to the pane's document
    // (every command) and to a second one of the user's own commands.
    log_pane_menu(QTextEdit *pane, db_exec *db, QObject *parent = nullptr);

    QAction *clear_action() const { return clear_; }
    QAction *filter_action() const { return filter_; }
    bool filtered() const;
    QTextDocument *all_commands() const { return all_; }
    QTextDocument *user_commands() const { return user_; }

    // The menu the pane shows (deleted when it closes); the tests open it as the user does.
    QMenu *make_menu();

public slots:
    void clear();
    // On: the pane shows the user's commands only; off: every command again.
    void set_filtered(bool on);

private:
    void popup(const QPoint &pos);

    QTextEdit *pane_;
    QTextDocument *all_;
    QTextDocument *user_;
    QAction *clear_;
    QAction *filter_;
};
