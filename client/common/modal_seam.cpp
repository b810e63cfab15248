// Real modal UI, or the scripted handler when a test installed one.
#include "modal_seam.h"

#include "db/client_log.h"

#include <QDialog>
#include <QFileDialog>
#include <QMetaEnum>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>

namespace modal_seam {
namespace {
handler &current()
{
    static handler h;
    return h;
}

// Every box reaches the log as it opens (what went wrong on the user's screen is what support
// asks about first, also when the program hangs behind it); a question's answer follows.
void log_box(kind k, const QString &title, const QString &text)
{
    static const char *const kinds[] = {"information", "warning", "critical", "question"};
    const int level = k == kind::critical ? LOG_LEVEL_ERROR
                      : k == kind::warning ? LOG_LEVEL_WARN
                      : k == kind::information ? LOG_LEVEL_NOTE
                                               : LOG_LEVEL_INFO;
    log_it(level, "%s box '%s': %s", kinds[int(k) <= int(kind::question) ? int(k) : 0], title.toUtf8().constData(),
           text.toUtf8().constData());
}

void log_answer(const QString &title, QMessageBox::StandardButton answer)
{
    const QMetaObject &mo = QMessageBox::staticMetaObject;
    const char *pressed = mo.enumerator(mo.indexOfEnumerator("StandardButtons")).valueToKey(answer);
    log_info("question '%s' answered %s", title.toUtf8().constData(), pressed ? pressed : "by closing it");
}

QMessageBox::StandardButton show_box(kind k, QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton default_button)
{
    if (scripted()) {
        request r;
        r.what = k;
        r.title = title;
        r.text = text;
        r.buttons = buttons;
        r.default_button = default_button;
        return current()(r).button;
    }
    switch (k) {
    case kind::warning: return QMessageBox::warning(parent, title, text, buttons, default_button);
    case kind::critical: return QMessageBox::critical(parent, title, text, buttons, default_button);
    case kind::question: return QMessageBox::question(parent, title, text, buttons, default_button);
    default: return QMessageBox::information(parent, title, text, buttons, default_button);
    }
}

QMessageBox::StandardButton box(kind k, QWidget *parent, const QString &title, const QString &text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton default_button = QMessageBox::NoButton)
{
    log_box(k, title, text);
    const QMessageBox::StandardButton answer = show_box(k, parent, title, text, buttons, default_button);
    if (k == kind::question)
        log_answer(title, answer);
    return answer;
}

answer ask_file(kind k, const QString &caption, const QString &dir, const QString &filter)
{
    request r;
    r.what = k;
    r.title = caption;
    r.text = dir;
    r.filter = filter;
    return current()(r);
}
} // namespace

void install(handler h) { current() = std::move(h); }
void uninstall() { current() = nullptr; }
bool scripted() { return static_cast<bool>(current()); }

QMessageBox::StandardButton information(QWidget *p, const QString &t, const QString &x, QMessageBox::StandardButtons b,
                                        QMessageBox::StandardButton d)
{ return box(kind::information, p, t, x, b, d); }
QMessageBox::StandardButton warning(QWidget *p, const QString &t, const QString &x, QMessageBox::StandardButtons b,
                                    QMessageBox::StandardButton d)
{ return box(kind::warning, p, t, x, b, d); }
QMessageBox::StandardButton critical(QWidget *p, const QString &t, const QString &x, QMessageBox::StandardButtons b)
{ return box(kind::critical, p, t, x, b); }
QMessageBox::StandardButton question(QWidget *p, const QString &t, const QString &x, QMessageBox::StandardButtons b,
                                     QMessageBox::StandardButton d)
{ return box(kind::question, p, t, x, b, d); }

QString open_file(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    if (!scripted())
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    const QStringList f = ask_file(kind::open_file, caption, dir, filter).files;
    return f.isEmpty() ? QString() : f.first();
}

QStringList open_files(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    if (!scripted())
        return QFileDialog::getOpenFileNames(parent, caption, dir, filter);
    return ask_file(kind::open_files, caption, dir, filter).files;
}

QString save_file(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    if (!scripted())
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    const QStringList f = ask_file(kind::save_file, caption, dir, filter).files;
    return f.isEmpty() ? QString() : f.first();
}

QString directory(QWidget *parent, const QString &caption, const QString &dir)
{
    if (!scripted())
        return QFileDialog::getExistingDirectory(parent, caption, dir);
    const QStringList f = ask_file(kind::directory, caption, dir, QString()).files;
    return f.isEmpty() ? QString() : f.first();
}

int exec_dialog(QDialog *dlg)
{
    if (!scripted())
        return dlg->exec();
    request r;
    r.what = kind::dialog;
    r.title = dlg->windowTitle();
    r.dialog = dlg;
    const int res = current()(r).result;
    dlg->setResult(res);
    return res;
}

bool print_dialog(QPrinter *printer, QWidget *parent)
{
    if (!scripted()) {
        QPrintDialog dlg(printer, parent);
        return dlg.exec() == QDialog::Accepted;
    }
    request r;
    r.what = kind::print;
    r.printer = printer;
    return current()(r).result != 0;
}

bool start_process(const QString &program, const QStringList &args)
{
    bool ok = false;
    if (!scripted()) {
        ok = QProcess::startDetached(program, args);
    } else {
        request r;
        r.what = kind::start_process;
        r.args = QStringList{program} + args;
        ok = current()(r).ok;
    }
    log_it(ok ? LOG_LEVEL_INFO : LOG_LEVEL_WARN, "start process %s: %s",
           (QStringList{program} + args).join(QLatin1Char(' ')).toUtf8().constData(), ok ? "started" : "failed");
    return ok;
}

script::script()
{
    install([this](const request &r) {
        shown.push_back(r);
        if (r.what == kind::dialog && on_dialog)
            on_dialog(r.dialog);
        if (answers_.empty())
            return fallback;
        answer a = answers_.front();
        answers_.pop_front();
        return a;
    });
}

script::~script() { uninstall(); }

} // namespace modal_seam
