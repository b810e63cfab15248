// "execute cmd": runs a command file line by line on the connection thread without opening it,
// with a progress dialog and Cancel on long files, and tells the user the outcome.
#pragma once

#include "script/script_runner.h"

#include <QByteArray>
#include <QObject>

#include <functional>

class QWidget;
class db_link;

class exec_cmd_file : public QObject {
    Q_OBJECT
public:
    // The loop alone: every command through db.run (logged), released at once. No messages.
    // done receives the outcome. False when the runner is busy.
    static bool run_commands(const QList<QByteArray> &commands, script_runner &runner,
                             const script_runner::finish &done);

    // After the file was read: runs its lines and shows the outcome. refresh runs when every
    // line succeeded or the user cancelled (the lines that ran may have changed tables), not
    // after a failure. done (may be empty) receives whether every line succeeded, after the
    // outcome was told. False when nothing started: an empty file, or the runner is busy.
    static bool run_content(const QByteArray &content, db_link &link, QWidget *parent,
                            const std::function<void()> &refresh, script_runner *runner = nullptr,
                            const std::function<void(bool ok)> &done = {});

    // The whole action: asks for the file ("open cmd file to execute", starting in "."),
    // reads it and runs it. Nothing happens when the dialog is cancelled or the file is empty.
    static void run(db_link &link, QWidget *parent, const std::function<void()> &refresh);
};
