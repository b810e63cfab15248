// The one place where the client shows modal UI: message boxes, questions, file choosers,
// modal dialogs, print dialogs and process restarts. Tests install a scripted handler that
// answers without showing anything and records what would have been shown.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class QDialog;
class QPrinter;
class QWidget;

namespace modal_seam {

enum class kind { information, warning, critical, question, open_file, open_files, save_file,
                  directory, dialog, print, start_process };

// What the client asked the user (or the system) for.
struct request {
    kind what = kind::information;
    QString title;
    QString text;      // message text, or the start folder/file name for file choosers
    QString filter;    // file choosers only
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton default_button = QMessageBox::NoButton; // the one Enter presses
    QDialog *dialog = nullptr;   // kind::dialog
    QPrinter *printer = nullptr; // kind::print
    QStringList args;            // kind::start_process: program then arguments
};

// The user's (or the system's) answer.
struct answer {
    QMessageBox::StandardButton button = QMessageBox::Ok; // message boxes and questions
    QStringList files;  // file choosers: empty means cancelled
    int result = 0;     // dialogs: QDialog::Accepted / Rejected; print: 1 accepted
    bool ok = true;     // start_process: started
};

// Replaces the real modal UI while installed. The callback gets each request and returns
// the answer; it may drive the dialog of a kind::dialog request before answering.
using handler = std::function<answer(const request &)>;
void install(handler h);
void uninstall();
bool scripted();

// Message boxes. Each returns the button that closed the box. Questions before destructive
// operations pass QMessageBox::No as the default button.
QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton default_button = QMessageBox::NoButton);
QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    QMessageBox::StandardButton default_button = QMessageBox::NoButton);
QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::StandardButton default_button = QMessageBox::NoButton);

// File choosers; an empty result means the user cancelled.
QString open_file(QWidget *parent, const QString &caption, const QString &dir, const QString &filter);
QStringList open_files(QWidget *parent, const QString &caption, const QString &dir, const QString &filter);
QString save_file(QWidget *parent, const QString &caption, const QString &dir, const QString &filter);
QString directory(QWidget *parent, const QString &caption, const QString &dir);

// Runs a dialog modally and returns its result code.
int exec_dialog(QDialog *dlg);

// Shows the print dialog for the printer; true when the user chose to print.
bool print_dialog(QPrinter *printer, QWidget *parent);

// Starts a detached process (the language switch restarts the program this way).
bool start_process(const QString &program, const QStringList &args);

// A ready-made test handler: answers from a queue (default answer when it runs dry)
// and keeps every request for the test to read.
class script {
public:
    script();
    ~script();
    script(const script &) = delete;
    script &operator=(const script &) = delete;

    void push(answer a) { answers_.push_back(std::move(a)); }
    void push_button(QMessageBox::StandardButton b) { answer a; a.button = b; push(a); }
    void push_file(const QString &path) { answer a; a.files = QStringList{path}; push(a); }
    void push_result(int r) { answer a; a.result = r; push(a); }
    // Called for kind::dialog requests before the queued answer is taken, to fill in the dialog.
    std::function<void(QDialog *)> on_dialog;

    std::vector<request> shown;
    answer fallback;   // used when the queue is empty

    QString last_text() const { return shown.empty() ? QString() : shown.back().text; }
    QString last_title() const { return shown.empty() ? QString() : shown.back().title; }

private:
    std::deque<answer> answers_;
};

} // namespace modal_seam
