// Real modal UI, or the scripted handler when a test installed one.
#include "modal_seam.h"

#include <QDialog>
#include <QFileDialog>
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

QMessageBox::StandardButton box(kind k, QWidget *parent, const QString &title, const QString &text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton default_button = QMessageBox::NoButton)
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
    if (!scripted())
        return QProcess::startDetached(program, args);
    request r;
    r.what = kind::start_process;
    r.args = QStringList{program} + args;
    return current()(r).ok;
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
