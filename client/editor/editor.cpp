// The editor's state and every change of its text: insertion and removal through the
// history, the selection lists, the common epilogue, the command check and its timers.
#include "editor/editor.h"

#include "editor/auto_list.h"
#include "editor/token_classifier.h"

#include <QElapsedTimer>
#include <algorithm>

namespace {

const qint64 small_text = 0x20000;     // always coloured and checked at once
const qint64 large_text = 0x400000;    // never coloured or checked

qint64 program_ms()
{
    static QElapsedTimer t;
    if (!t.isValid())
        t.start();
    return t.elapsed();
}

// Sorts the ranges and joins those that touch or overlap, so that no byte is edited twice.
void normalise(std::vector<text_range> &r)
{
    r.erase(std::remove_if(r.begin(), r.end(), [](const text_range &x) { return x.end <= x.begin; }), r.end());
    std::sort(r.begin(), r.end(), [](const text_range &a, const text_range &b) { return a.begin < b.begin; });
    std::vector<text_range> out;
    for (const text_range &x : r) {
        if (!out.empty() && x.begin <= out.back().end)
            out.back().end = std::max(out.back().end, x.end);
        else
            out.push_back(x);
    }
    r.swap(out);
}

// Follows a change of delta bytes at pos; ranges that lose bytes are dropped.
void shift(std::vector<text_range> &r, qint64 pos, qint64 delta)
{
    std::vector<text_range> out;
    for (text_range x : r) {
        if (delta < 0 && x.end > pos && x.begin < pos - delta)
            continue;
        if (x.begin >= pos) {
            x.begin += delta;
            x.end += delta;
        } else if (x.end > pos) {
            x.end += delta;
        }
        out.push_back(x);
    }
    r.swap(out);
}

} // namespace

editor::editor(QWidget *parent) : QWidget(parent), clock_(program_ms)
{
    setObjectName(QStringLiteral("editor"));
    resize(400, 300);
    setWindowTitle(tr("Form"));
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::WheelFocus);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    installEventFilter(this);

    QFont f(QStringLiteral("Source Code Pro"));
    f.setKerning(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setPointSize(std::max(1, style_.entries[style_default].point_size));
    setFont(f);

    history_.set_clock([this] { return clock_(); });
    connect(&blink_timer_, &QTimer::timeout, this, &editor::change_cursor);
    blink_timer_.start(500);
    parse_timer_.setSingleShot(true);
    connect(&parse_timer_, &QTimer::timeout, this, &editor::auto_parse);
    pause_timer_.setSingleShot(true);
    connect(&pause_timer_, &QTimer::timeout, this, [this] { update(); });

    build_context_menu();
    epilogue(changed::nothing);
}

editor::~editor()
{
    close_completion();
}

void editor::set_clock(std::function<qint64()> clock)
{
    clock_ = clock ? std::move(clock) : std::function<qint64()>(program_ms);
}

// ------------------------------------------------------------------ text access

QString editor::text() const
{
    const std::string t = buf_.text();
    return QString::fromUtf8(t.data(), static_cast<int>(t.size()));
}

void editor::set_text(const QString &text)
{
    close_completion();
    const QByteArray bytes = text.toUtf8();
    buf_.set_text(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
    history_.clear();
    cursor_ = 0;
    anchor_ = 0;
    sel_.clear();
    matches_.clear();
    longest_line_ = -1;
    ++edits_;
    x_origin_ = 0;
    last_change_ms_ = clock_() - 1000000;
    error_pos_ = buf_.size();
    epilogue(changed::text);
}

QString editor::selected_text() const
{
    QStringList parts;
    for (const text_range &r : sel_) {
        const std::string s = buf_.mid(r.begin, r.end - r.begin);
        parts << QString::fromUtf8(s.data(), static_cast<int>(s.size()));
    }
    return parts.join(QLatin1Char('\n'));
}

QString editor::current_line_text() const
{
    const std::string s = buf_.line_text(buf_.line_of(cursor_));
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

void editor::set_cursor_position(qint64 pos)
{
    cursor_ = std::clamp<qint64>(pos, 0, buf_.size());
    anchor_ = cursor_;
    epilogue(changed::line);
}

void editor::mark_saved()
{
    history_.mark_saved();
    refresh_actions();
}

// ------------------------------------------------------------------ selection lists

void editor::add_selection(qint64 begin, qint64 end)
{
    begin = std::clamp<qint64>(begin, 0, buf_.size());
    end = std::clamp<qint64>(end, 0, buf_.size());
    sel_.push_back({std::min(begin, end), std::max(begin, end)});
    normalise(sel_);
    refresh_actions();
    update();
}

void editor::clear_selection()
{
    sel_.clear();
    refresh_actions();
    update();
}

void editor::add_match(qint64 begin, qint64 end)
{
    begin = std::clamp<qint64>(begin, 0, buf_.size());
    end = std::clamp<qint64>(end, 0, buf_.size());
    matches_.push_back({std::min(begin, end), std::max(begin, end)});
    normalise(matches_);
    update();
}

void editor::clear_matches()
{
    matches_.clear();
    update();
}

void editor::replace_range(qint64 begin, qint64 end, const QString &with)
{
    begin = std::clamp<qint64>(begin, 0, buf_.size());
    end = std::clamp<qint64>(end, begin, buf_.size());
    const QByteArray b = with.toUtf8();
    remove_bytes(begin, end - begin);
    insert_bytes(begin, std::string(b.constData(), static_cast<size_t>(b.size())));
    cursor_ = begin + b.size();
    epilogue(changed::text);
}

void editor::set_selections(std::vector<text_range> ranges)
{
    for (text_range &r : ranges) {
        r.begin = std::clamp<qint64>(r.begin, 0, buf_.size());
        r.end = std::clamp<qint64>(r.end, r.begin, buf_.size());
    }
    normalise(ranges);
    sel_.swap(ranges);
    refresh_actions();
    update();
}

// One deletion of the span from the first range to the last and one insertion of its new
// text: a single step however many ranges, and no line index update per range.
void editor::replace_ranges(const std::vector<text_range> &ranges, const std::vector<std::string> &with)
{
    if (ranges.empty() || ranges.size() != with.size())
        return;
    close_completion();
    const qint64 first = std::clamp<qint64>(ranges.front().begin, 0, buf_.size());
    const qint64 last = std::clamp<qint64>(ranges.back().end, first, buf_.size());
    const std::string old = buf_.mid(first, last - first);
    std::string span;
    span.reserve(old.size());
    qint64 at = first;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const qint64 b = std::clamp<qint64>(ranges[i].begin, at, last);
        span.append(old, static_cast<size_t>(at - first), static_cast<size_t>(b - at));
        span += with[i];
        at = std::clamp<qint64>(ranges[i].end, b, last);
    }
    span.append(old, static_cast<size_t>(at - first), std::string::npos);
    sel_.clear();
    history_.break_step();
    remove_bytes(first, last - first);
    insert_bytes(first, span);
    history_.break_step();
    cursor_ = first + static_cast<qint64>(span.size());
    anchor_ = cursor_;
    longest_line_ = -1;
    epilogue(changed::text);
}

// ------------------------------------------------------------------ editing primitives

qint64 editor::pause_ms() const
{
    return static_cast<qint64>(static_cast<double>(style_.edit_time) * 1000.0);
}

void editor::insert_bytes(qint64 pos, const std::string &bytes)
{
    if (bytes.empty())
        return;
    pos = std::clamp<qint64>(pos, 0, buf_.size());
    history_.record_insert(pos, bytes, pause_ms());
    buf_.insert(pos, bytes);
    if (longest_line_ >= 0) {
        const qint64 first = buf_.line_of(pos), last = buf_.line_of(pos + static_cast<qint64>(bytes.size()));
        for (qint64 l = first; l <= last; ++l)
            longest_line_ = std::max<qint64>(longest_line_, buf_.line_length(l));
    }
    after_change(pos, static_cast<qint64>(bytes.size()), 0);
}

void editor::remove_bytes(qint64 pos, qint64 len)
{
    pos = std::clamp<qint64>(pos, 0, buf_.size());
    len = std::clamp<qint64>(len, 0, buf_.size() - pos);
    if (len == 0)
        return;
    const std::string gone = buf_.mid(pos, len);
    history_.record_delete(pos, gone, pause_ms());
    const qint64 line = buf_.line_of(pos);
    if (longest_line_ >= 0 && (buf_.line_length(line) >= longest_line_ ||
                               gone.find('\n') != std::string::npos))
        longest_line_ = -1;
    buf_.remove(pos, len);
    after_change(pos, -len, 0);
}

void editor::after_change(qint64 pos, qint64 delta, qint64)
{
    ++edits_;
    last_change_ms_ = clock_();
    shift(matches_, pos, delta);
    shift(sel_, pos, delta);
    if (error_pos_ >= pos)
        error_pos_ = std::max(pos, error_pos_ + delta);
    error_pos_ = std::min<qint64>(error_pos_, buf_.size());
}

void editor::replace_selection(const std::string &bytes)
{
    if (sel_.empty()) {
        insert_bytes(cursor_, bytes);
        cursor_ += static_cast<qint64>(bytes.size());
    } else {
        const std::vector<text_range> ranges = sel_;
        sel_.clear();
        for (auto r = ranges.rbegin(); r != ranges.rend(); ++r) {
            remove_bytes(r->begin, r->end - r->begin);
            insert_bytes(r->begin, bytes);
        }
        cursor_ = ranges.front().begin + static_cast<qint64>(bytes.size());
    }
    anchor_ = cursor_;
}

bool editor::delete_selected()
{
    if (sel_.empty())
        return false;
    const std::vector<text_range> ranges = sel_;
    sel_.clear();
    for (auto r = ranges.rbegin(); r != ranges.rend(); ++r)
        remove_bytes(r->begin, r->end - r->begin);
    cursor_ = ranges.front().begin;
    anchor_ = cursor_;
    return true;
}

void editor::undo()
{
    close_completion();
    after_history_step(history_.undo(buf_));
}

void editor::redo()
{
    close_completion();
    after_history_step(history_.redo(buf_));
}

// The history changed the text behind the editing primitives' back: the cursor goes where that
// change was (`at`; negative when there was nothing to take back or redo), and the selections,
// search hits and longest-line measure of the text before it no longer hold.
void editor::after_history_step(qint64 at)
{
    if (at < 0)
        return finish_op(changed::nothing);
    cursor_ = std::clamp<qint64>(at, 0, buf_.size());
    anchor_ = cursor_;
    sel_.clear();
    matches_.clear();
    longest_line_ = -1;
    ++edits_;
    last_change_ms_ = clock_();
    finish_op(changed::text);
}

// ------------------------------------------------------------------ epilogue

void editor::set_style(const editor_style &style)
{
    style_ = style;
    QFont f = font();
    f.setPointSize(std::max(1, style_.entries[style_default].point_size));
    setFont(f);
    update();
    emit style_changed();
}

void editor::set_auto_size(bool on)
{
    auto_size_ = on;
    update_geometry_now();
}

void editor::set_fill_size(const QSize &size)
{
    if (size == fill_size_)
        return;
    fill_size_ = size;
    update_geometry_now();
}

qint64 editor::content_width() const
{
    if (longest_line_ < 0)
        const_cast<editor *>(this)->measure_longest_line();
    return cell_width() * longest_line_ + 100;
}

void editor::set_x_origin(qint64 x)
{
    x = std::clamp<qint64>(x, 0, std::max<qint64>(0, content_width() - widget_width_cap));
    if (x == x_origin_)
        return;
    x_origin_ = x;
    update_cursor_point();
    update();
}

void editor::measure_longest_line()
{
    longest_line_ = 0;
    const qint64 n = buf_.line_count();
    for (qint64 l = 0; l < n; ++l)
        longest_line_ = std::max<qint64>(longest_line_, buf_.line_length(l));
}

bool editor::ascii_only(const char *s, qint64 n)
{
    unsigned char any = 0;
    for (qint64 i = 0; i < n; ++i)
        any |= static_cast<unsigned char>(s[i]);
    return !(any & 0x80);
}

int editor::cells_before(qint64 pos) const
{
    pos = std::clamp<qint64>(pos, 0, buf_.size());
    qint64 i = buf_.line_start(buf_.line_of(pos));
    // One cell per byte without multi-byte characters: a long line needs no walk.
    if (ascii_only(const_cast<text_buffer &>(buf_).range_ptr(i, pos - i), pos - i))
        return static_cast<int>(pos - i);
    int cells = 0;
    while (i < pos) {
        const int n = buf_.char_length(i);
        cells += n > 1 ? 2 : 1;
        i += n;
    }
    return cells;
}

qint64 editor::position_at(const QPoint &p) const
{
    return position_at_x(p.x() + x_origin_, p.y());
}

qint64 editor::position_at_x(qint64 px, int py) const
{
    const qint64 line = std::clamp<qint64>(py < 0 ? 0 : py / line_height(), 0, buf_.line_count() - 1);
    const qint64 end = buf_.line_end(line);
    const int cw = cell_width();
    qint64 i = buf_.line_start(line);
    qint64 x = 0;
    while (i < end) {
        const int n = buf_.char_length(i);
        const int w = (n > 1 ? 2 : 1) * cw;
        if (px < x + w / 2)
            break;
        x += w;
        i += n;
    }
    return i;
}

void editor::update_geometry_now()
{
    if (!auto_size_)
        return;
    const qint64 w = std::max<qint64>(content_width(), fill_size_.width());
    const qint64 h = std::max<qint64>(line_height() * (buf_.line_count() + 1) + 100, fill_size_.height());
    const QSize want(static_cast<int>(std::min<qint64>(w, widget_width_cap)),
                     static_cast<int>(std::min<qint64>(h, QWIDGETSIZE_MAX)));
    x_origin_ = std::clamp<qint64>(x_origin_, 0, std::max<qint64>(0, w - widget_width_cap));
    if (size() != want)
        resize(want);
}

void editor::update_cursor_point()
{
    cursor_pt_ = QPoint(static_cast<int>(qint64(cell_width()) * cells_before(cursor_) - x_origin_),
                        static_cast<int>(buf_.line_of(cursor_) * line_height()));
}

void editor::epilogue(changed what)
{
    update_geometry_now();
    update_cursor_point();
    update();
    if (what == changed::text) {
        start_parse();
        if (buf_.size() >= small_text && buf_.size() < large_text)
            pause_timer_.start(static_cast<int>(2 * pause_ms() + 20));
        emit textChanged();
    } else if (what == changed::line) {
        emit lineChanged();
    }
    refresh_actions();
    if (history_.modified() != was_modified_) {
        was_modified_ = history_.modified();
        emit modified_changed(was_modified_);
    }
}

void editor::finish_op(changed what)
{
    epilogue(what);
    setFocus();
}

void editor::refresh_actions()
{
    const bool has_error = error_pos_ != buf_.size();
    const bool has_sel = !sel_.empty();
    auto set = [](QAction *a, bool on) {
        if (a)
            a->setEnabled(on);
    };
    set(actions_.value(QStringLiteral("goto_error")), has_error);
    set(actions_.value(QStringLiteral("cut")), has_sel);
    set(actions_.value(QStringLiteral("copy")), has_sel);
    set(actions_.value(QStringLiteral("delete_selection")), has_sel);
    set(actions_.value(QStringLiteral("undo")), history_.can_undo());
    set(actions_.value(QStringLiteral("redo")), history_.can_redo());

    const editor_actions &w = window_actions_;
    set(w.goto_error, has_error);
    set(w.cut, has_sel);
    set(w.copy, has_sel);
    set(w.delete_selection, has_sel);
    set(w.exec_selection, has_sel);
    set(w.format_selection, has_sel);
    set(w.undo, history_.can_undo());
    set(w.redo, history_.can_redo());
    set(w.save_file, history_.modified());
    set(w.paste, true);
    set(w.find, true);
    set(w.replace, true);
    set(w.exec_line, true);
    set(w.print_file, true);
}

void editor::set_window_actions(const editor_actions &actions)
{
    window_actions_ = actions;
    refresh_actions();
}

void editor::set_search_dialog(QWidget *dlg)
{
    if (search_ && search_ != dlg)
        delete search_.data();
    search_ = dlg;
    if (dlg && dlg->parent() != this)
        dlg->setParent(this, dlg->windowFlags() | Qt::Dialog);
}

// ------------------------------------------------------------------ command check

void editor::check_now()
{
    const qint64 lines = buf_.line_count();
    error_pos_ = buf_.size();
    for (qint64 l = 0; l < lines; ++l) {
        const qint64 b = buf_.line_start(l), n = buf_.line_length(l);
        if (!token_classifier::line_valid(buf_.range_ptr(b, n), static_cast<int>(n))) {
            error_pos_ = b;
            break;
        }
    }
    refresh_actions();
}

bool editor::classify_now() const
{
    const qint64 n = buf_.size();
    if (n < small_text)
        return true;
    return n < large_text && clock_() - last_change_ms_ >= 2 * pause_ms();
}

// Small texts are checked at once; medium ones once typing has paused (auto_parse); texts
// beyond the upper bound are never checked and count as valid.
void editor::start_parse()
{
    const qint64 n = buf_.size();
    if (n < small_text) {
        parse_timer_.stop();
        check_now();
    } else if (n < large_text) {
        parse_timer_.start(50);
    } else {
        parse_timer_.stop();
        error_pos_ = n;
    }
}

void editor::auto_parse()
{
    if (clock_() - last_change_ms_ > 2 * pause_ms()) {
        parse_timer_.stop();
        if (buf_.size() < large_text)
            check_now();
        update();
    } else {
        parse_timer_.start(50);
    }
}

// ------------------------------------------------------------------ cursor blink

void editor::change_cursor()
{
    cursor_visible_ = !cursor_visible_;
    update(cursor_rect().adjusted(-2, 0, 2, 0));
}

void editor::show_cursor()
{
    cursor_visible_ = true;
    blink_timer_.start(500);
    update(cursor_rect().adjusted(-2, 0, 2, 0));
}
