// The operations behind the Edit menu and the context menu: cursor jumps, selections,
// clipboard, find and replace, printing.
#include "editor/editor.h"

#include "editor/completion_words.h"
#include "common/modal_seam.h"
#include "editor/search_dlg.h"

#include <QApplication>
#include <QClipboard>
#include <QPrinter>
#include <algorithm>

namespace {

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

// Words are runs of letters, digits, "_" and non-ASCII characters. Word begin goes to the
// start of the word the cursor is in, or of the one before when it already stands at a start.
qint64 editor::word_begin(qint64 pos) const
{
    using completion_words::is_word_byte;
    pos = std::clamp<qint64>(pos, 0, buf_.size());
    while (pos > 0 && !is_word_byte(buf_.at(pos - 1)))
        --pos;
    while (pos > 0 && is_word_byte(buf_.at(pos - 1)))
        --pos;
    return pos;
}

qint64 editor::word_end(qint64 pos) const
{
    using completion_words::is_word_byte;
    const qint64 n = buf_.size();
    pos = std::clamp<qint64>(pos, 0, n);
    while (pos < n && !is_word_byte(buf_.at(pos)))
        ++pos;
    while (pos < n && is_word_byte(buf_.at(pos)))
        ++pos;
    return pos;
}

void editor::goto_error()
{
    if (error_pos_ != buf_.size()) {
        sel_.clear();
        cursor_ = anchor_ = error_pos_;
    }
    finish_op(changed::line);
}

void editor::goto_line_begin()
{
    sel_.clear();
    cursor_ = anchor_ = buf_.line_start(buf_.line_of(cursor_));
    finish_op(changed::line);
}

void editor::goto_line_end()
{
    sel_.clear();
    cursor_ = anchor_ = buf_.line_end(buf_.line_of(cursor_));
    finish_op(changed::line);
}

void editor::goto_word_begin()
{
    sel_.clear();
    cursor_ = anchor_ = word_begin(cursor_);
    finish_op(changed::line);
}

void editor::goto_word_end()
{
    sel_.clear();
    cursor_ = anchor_ = word_end(cursor_);
    finish_op(changed::line);
}

void editor::delete_selection()
{
    close_completion();
    finish_op(delete_selected() ? changed::text : changed::nothing);
}

void editor::select_all()
{
    add_selection(0, buf_.size());
    finish_op(changed::line);
}

void editor::select_line()
{
    const qint64 line = buf_.line_of(cursor_);
    sel_.clear();
    add_selection(buf_.line_start(line), buf_.line_end(line));
    cursor_ = buf_.line_end(line);
    finish_op(changed::line);
}

void editor::select_word()
{
    using completion_words::is_word_byte;
    qint64 b = cursor_, e = cursor_;
    while (b > 0 && is_word_byte(buf_.at(b - 1)))
        --b;
    while (e < buf_.size() && is_word_byte(buf_.at(e)))
        ++e;
    sel_.clear();
    if (e > b) {
        add_selection(b, e);
        anchor_ = b;
        cursor_ = e;
    }
    finish_op(changed::line);
}

void editor::select_beside()
{
    qint64 b = cursor_, e = cursor_;
    while (b > 0 && !blank(buf_.at(b - 1)))
        --b;
    while (e < buf_.size() && !blank(buf_.at(e)))
        ++e;
    sel_.clear();
    if (e > b) {
        add_selection(b, e);
        anchor_ = b;
        cursor_ = e;
    }
    finish_op(changed::line);
}

void editor::copy()
{
    if (!sel_.empty())
        QApplication::clipboard()->setText(selected_text());
    finish_op(changed::nothing);
}

void editor::cut()
{
    close_completion();
    if (sel_.empty())
        return finish_op(changed::nothing);
    QApplication::clipboard()->setText(selected_text());
    delete_selected();
    finish_op(changed::text);
}

void editor::paste()
{
    close_completion();
    const QByteArray b = QApplication::clipboard()->text().toUtf8();
    if (b.isEmpty())
        return finish_op(changed::nothing);
    replace_selection(std::string(b.constData(), static_cast<size_t>(b.size())));
    finish_op(changed::text);
}

void editor::find()
{
    if (!search_)
        new search_dlg(this); // becomes search_, a child of this editor
    if (search_) {
        search_->setWindowTitle(tr("find text in current windows"));
        search_->show();
        search_->raise();
        search_->activateWindow();
    }
    emit search_requested(false);
}

void editor::replace()
{
    if (!search_)
        new search_dlg(this); // becomes search_, a child of this editor
    if (search_) {
        search_->setWindowTitle(tr("replace text in current windows"));
        search_->show();
        search_->raise();
        search_->activateWindow();
    }
    emit search_requested(true);
}

void editor::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(1200);
    if (modal_seam::print_dialog(&printer, this))
        print_to(&printer);
    setFocus();
}

QAction *editor::context_action(const QString &name) const
{
    return actions_.value(name);
}

void editor::build_context_menu()
{
    auto add = [this](const char *name, const QString &text, void (editor::*op)()) {
        auto *a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, op);
        addAction(a);
        actions_.insert(QString::fromLatin1(name), a);
    };
    add("undo", tr("undo"), &editor::undo);
    add("redo", tr("redo"), &editor::redo);
    add("cut", tr("cut"), &editor::cut);
    add("copy", tr("copy"), &editor::copy);
    add("paste", tr("paste"), &editor::paste);
    add("delete_selection", tr("delete selection"), &editor::delete_selection);
    add("select_all", tr("select all"), &editor::select_all);
    add("select_line", tr("select line"), &editor::select_line);
    add("select_word", tr("select word"), &editor::select_word);
    add("goto_error", tr("go to error position"), &editor::goto_error);
}
