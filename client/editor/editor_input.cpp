// Keyboard, mouse and input-method handling of the editor.
#include "editor/editor.h"

#include "editor/auto_list.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>

namespace {

bool printable(const QString &t)
{
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

} // namespace

bool editor::eventFilter(QObject *obj, QEvent *ev)
{
    // While the completion list is open it gets the keys first.
    if (obj == this && list_ && list_->isVisible()) {
        if (ev->type() == QEvent::ShortcutOverride && auto_list::takes(static_cast<QKeyEvent *>(ev))) {
            ev->accept();
            return true;
        }
        if (ev->type() == QEvent::KeyPress) {
            show_cursor();
            QApplication::sendEvent(list_, ev);
            return true;
        }
    }
    // Tab and Shift+Tab are editing keys here, never focus moves.
    if (obj == this && ev->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(ev);
        const bool plain = !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        const bool back = k->key() == Qt::Key_Backtab || (k->key() == Qt::Key_Tab && (k->modifiers() & Qt::ShiftModifier));
        if (plain && (k->key() == Qt::Key_Tab || back)) {
            show_cursor();
            close_completion();
            if (back)
                indent_lines(-1);
            else if (selection_spans_lines())
                indent_lines(1);
            else
                insert_tab();
            return true;
        }
    }
    return QWidget::eventFilter(obj, ev);
}

bool editor::selection_spans_lines() const
{
    return !sel_.empty() && buf_.line_of(sel_.front().begin) != buf_.line_of(sel_.back().end);
}

// One indentation level more (direction 1) or less (-1) for every line the selection
// touches, or the cursor's line without one; one undo step. A selection that ends at the
// start of a line leaves that line alone.
void editor::indent_lines(int direction)
{
    if (sel_mode_ == 0)
        sel_mode_ = 2;
    qint64 first = buf_.line_of(cursor_), last = first;
    if (!sel_.empty()) {
        first = buf_.line_of(sel_.front().begin);
        last = buf_.line_of(sel_.back().end);
        if (last > first && buf_.line_start(last) == sel_.back().end)
            --last;
    }
    const int width = std::clamp(style_.tab_width, 1, 64);
    const std::string unit = style_.as_space ? std::string(static_cast<size_t>(width), ' ') : std::string("\t");
    const bool had_selection = !sel_.empty();
    const qint64 cursor_column = cursor_ - buf_.line_start(buf_.line_of(cursor_));
    qint64 cursor_shift = 0;
    history_.break_step();
    for (qint64 line = last; line >= first; --line) {
        const qint64 b = buf_.line_start(line);
        if (direction > 0) {
            insert_bytes(b, unit);
            cursor_shift = static_cast<qint64>(unit.size());
            continue;
        }
        qint64 n = 0;
        const qint64 len = buf_.line_length(line);
        if (len > 0 && buf_.at(b) == '\t')
            n = 1;
        else
            while (n < width && n < len && buf_.at(b + n) == ' ')
                ++n;
        remove_bytes(b, n);
        cursor_shift = -std::min(n, cursor_column);
    }
    history_.break_step();
    if (had_selection) {
        sel_.clear();
        anchor_ = buf_.line_start(first);
        cursor_ = buf_.line_end(last);
        sel_.push_back({anchor_, cursor_});
    } else {
        // Without a selection only the cursor's line changed.
        cursor_ = std::clamp<qint64>(cursor_ + cursor_shift, buf_.line_start(first), buf_.line_end(first));
        anchor_ = cursor_;
    }
    epilogue(changed::text);
}

void editor::insert_tab()
{
    if (sel_mode_ == 0)
        sel_mode_ = 2;
    // A damaged configuration must not ask for a huge or negative run of blanks.
    const int width = std::clamp(style_.tab_width, 1, 64);
    replace_selection(style_.as_space ? std::string(static_cast<size_t>(width), ' ') : std::string("\t"));
    anchor_ = cursor_;
    epilogue(changed::text);
    emit lineChanged();
}

void editor::type_text(const QString &text)
{
    const QByteArray b = text.toUtf8();
    replace_selection(std::string(b.constData(), static_cast<size_t>(b.size())));
    epilogue(changed::text);
    ask_completion();
}

void editor::select_from_anchor()
{
    sel_.clear();
    if (anchor_ != cursor_)
        sel_.push_back({std::min(anchor_, cursor_), std::max(anchor_, cursor_)});
}

void editor::move_cursor(qint64 pos, bool extend)
{
    pos = std::clamp<qint64>(pos, 0, buf_.size());
    if (extend) {
        if (sel_mode_ != 1) {
            anchor_ = cursor_;
            sel_mode_ = 1;
        }
        cursor_ = pos;
        select_from_anchor();
    } else {
        sel_.clear();
        cursor_ = pos;
        anchor_ = pos;
    }
    epilogue(changed::line);
}

qint64 editor::line_move(qint64 pos, qint64 lines) const
{
    const qint64 line = buf_.line_of(pos);
    const qint64 target = std::clamp<qint64>(line + lines, 0, buf_.line_count() - 1);
    if (target == line)
        return lines < 0 ? buf_.line_start(line) : buf_.line_end(line);
    const qint64 x = qint64(cells_before(pos)) * cell_width();
    return position_at_x(x, static_cast<int>(target * line_height()));
}

// Ctrl+Up and Ctrl+Down swap the cursor's line with its neighbour.
void editor::move_line(int direction)
{
    const qint64 line = buf_.line_of(cursor_);
    const qint64 other = line + direction;
    if (other < 0 || other >= buf_.line_count())
        return epilogue(changed::nothing);
    const qint64 top = std::min(line, other), bottom = std::max(line, other);
    const std::string a = buf_.line_text(top), b = buf_.line_text(bottom);
    const qint64 column = cursor_ - buf_.line_start(line);
    const qint64 begin = buf_.line_start(top);
    sel_.clear();
    remove_bytes(begin, buf_.line_end(bottom) - begin);
    insert_bytes(begin, b + "\n" + a);
    const qint64 new_line_start = direction < 0 ? begin : begin + static_cast<qint64>(b.size()) + 1;
    cursor_ = new_line_start + column;
    anchor_ = cursor_;
    epilogue(changed::text);
}

void editor::change_font_size(int delta)
{
    token_style *entries = style_.entries;
    if (delta > 0 || entries[style_default].point_size >= 6) {
        for (int e = 0; e < style_class_count; ++e)
            entries[e].point_size = std::max(1, entries[e].point_size + delta);
        QFont f = font();
        f.setPointSize(std::max(1, entries[style_default].point_size));
        setFont(f);
        glyphs_.clear();
        emit style_changed();
        // The owner keeps the sizes and hands them to its other editors.
        emit font_size_changed();
    }
    epilogue(changed::line);
}

void editor::keyPressEvent(QKeyEvent *ev)
{
    show_cursor();
    const Qt::KeyboardModifiers mods = ev->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const int key = ev->key();
    if (ctrl)
        matches_.clear();
    if (sel_mode_ == 0)
        sel_mode_ = 2;
    if (!shift && sel_mode_ == 1)
        sel_mode_ = 2;

    if (ctrl && !(mods & Qt::AltModifier)) {
        switch (key) {
        case Qt::Key_Minus: return change_font_size(-1);
        case Qt::Key_Equal:
        case Qt::Key_Plus: return change_font_size(1);
        case Qt::Key_A: return select_all();
        case Qt::Key_C: return copy();
        case Qt::Key_X: return cut();
        case Qt::Key_V: return paste();
        case Qt::Key_Z: return shift ? redo() : undo();
        case Qt::Key_Y: return redo();
        case Qt::Key_F: return find();
        case Qt::Key_H: return replace();
        case Qt::Key_Up: return move_line(-1);
        case Qt::Key_Down: return move_line(1);
        case Qt::Key_Home: return move_cursor(0, shift);
        case Qt::Key_End: return move_cursor(buf_.size(), shift);
        case Qt::Key_Left: return move_cursor(word_begin(buf_.prev_char(cursor_)), shift);
        case Qt::Key_Right: return move_cursor(word_end(cursor_ + (cursor_ < buf_.size() ? 1 : 0)), shift);
        default:
            update();
            ev->ignore();
            return;
        }
    }

    const qint64 line = buf_.line_of(cursor_);
    switch (key) {
    case Qt::Key_Shift:
        if (sel_mode_ != 1) {
            anchor_ = cursor_;
            sel_mode_ = 1;
        }
        return;
    case Qt::Key_Escape:
        sel_.clear();
        matches_.clear();
        return epilogue(changed::nothing);
    case Qt::Key_Backspace:
        if (!delete_selected() && cursor_ > 0) {
            const qint64 p = buf_.prev_char(cursor_);
            remove_bytes(p, cursor_ - p);
            cursor_ = anchor_ = p;
        }
        return epilogue(changed::text);
    case Qt::Key_Delete:
        if (!delete_selected() && cursor_ < buf_.size())
            remove_bytes(cursor_, buf_.char_length(cursor_));
        return epilogue(changed::text);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        replace_selection("\n");
        return epilogue(changed::text);
    case Qt::Key_Home: return move_cursor(buf_.line_start(line), shift);
    case Qt::Key_End: return move_cursor(buf_.line_end(line), shift);
    case Qt::Key_Left: return move_cursor(buf_.prev_char(cursor_), shift);
    case Qt::Key_Right:
        return move_cursor(cursor_ < buf_.size() ? cursor_ + buf_.char_length(cursor_) : cursor_, shift);
    case Qt::Key_Up: return move_cursor(line_move(cursor_, -1), shift);
    case Qt::Key_Down: return move_cursor(line_move(cursor_, 1), shift);
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        qint64 lines = 8;
        if (shift) {
            const int visible = visibleRegion().boundingRect().height();
            lines = std::max<qint64>(1, (visible > 0 ? visible : height()) / line_height());
        }
        return move_cursor(line_move(cursor_, key == Qt::Key_PageUp ? -lines : lines), shift);
    }
    default:
        break;
    }
    if (printable(ev->text()))
        return type_text(ev->text());
    ev->ignore();
}

void editor::keyReleaseEvent(QKeyEvent *ev)
{
    QWidget::keyReleaseEvent(ev);
}

void editor::mousePressEvent(QMouseEvent *ev)
{
    if (ev->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(ev);
    close_completion();
    setFocus(Qt::MouseFocusReason);
    show_cursor();
    const qint64 pos = position_at(ev->pos());
    if (ev->modifiers() & Qt::ShiftModifier) {
        if (sel_mode_ != 1 && sel_.empty())
            anchor_ = cursor_;
        cursor_ = pos;
        select_from_anchor();
    } else {
        sel_.clear();
        cursor_ = anchor_ = pos;
    }
    dragging_ = true;
    epilogue(changed::line);
}

void editor::mouseMoveEvent(QMouseEvent *ev)
{
    if (!dragging_ || !(ev->buttons() & Qt::LeftButton))
        return;
    const qint64 pos = position_at(ev->pos());
    if (pos == cursor_)
        return;
    cursor_ = pos;
    select_from_anchor();
    epilogue(changed::line);
}

void editor::mouseReleaseEvent(QMouseEvent *ev)
{
    if (ev->button() == Qt::LeftButton)
        dragging_ = false;
    QWidget::mouseReleaseEvent(ev);
}

void editor::mouseDoubleClickEvent(QMouseEvent *ev)
{
    if (ev->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(ev);
    cursor_ = position_at(ev->pos());
    dragging_ = false;
    select_word();
}

// The scroll area around the editor does the scrolling.
void editor::wheelEvent(QWheelEvent *ev)
{
    ev->ignore();
}

void editor::focusInEvent(QFocusEvent *ev)
{
    show_cursor();
    QWidget::focusInEvent(ev);
}

// The list goes with the focus, and leaves it where the user put it.
void editor::focusOutEvent(QFocusEvent *ev)
{
    dragging_ = false;
    close_completion();
    QWidget::focusOutEvent(ev);
}

void editor::inputMethodEvent(QInputMethodEvent *ev)
{
    // Composed text is not a prefix the list can match.
    if (!ev->commitString().isEmpty() || !ev->preeditString().isEmpty())
        close_completion();
    preedit_ = ev->preeditString();
    if (!ev->commitString().isEmpty()) {
        if (sel_mode_ == 0)
            sel_mode_ = 2;
        type_text(ev->commitString());
    } else {
        update();
    }
    ev->accept();
}

QVariant editor::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: return QRect(cursor_pt_, QSize(1, line_height()));
    case Qt::ImFont: return font();
    case Qt::ImSurroundingText: return current_line_text();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
        const qint64 b = buf_.line_start(buf_.line_of(cursor_));
        const std::string s = buf_.mid(b, cursor_ - b);
        return QString::fromUtf8(s.data(), static_cast<int>(s.size())).size();
    }
    default: return QWidget::inputMethodQuery(query);
    }
}
