// "execute cmd": runs a command file line by line through the execution wrapper without
// opening it, with a progress dialog and Cancel on long files, and tells the user the outcome.
#pragma once

#include "editor/script_runner.h"

#include <QByteArray>
#include <QObject>

#include <functional>

class QWidget;
class db_exec;

class exec_cmd_file : public QObject {
    Q_OBJECT
public:
    // The loop alone: every command through db.run (logged), released at once. No messages.
    static script_runner::outcome run_commands(const QList<QByteArray> &commands, db_exec &db,
                                               script_runner &runner);

    // After the file was read: runs its lines and shows the outcome. refresh runs when every
    // line succeeded or the user cancelled (the lines that ran may have changed tables), not
    // after a failure. True when every line succeeded; an empty file runs nothing.
    static bool run_content(const QByteArray &content, db_exec &db, QWidget *parent,
                            const std::function<void()> &refresh, script_runner *runner = nullptr);

    // The whole action: asks for the file ("open cmd file to execute", starting in "."),
    // reads it and runs it. Nothing happens when the dialog is cancelled or the file is empty.
    static void run(db_exec &db, QWidget *parent, const std::function<void()> &refresh);
};
