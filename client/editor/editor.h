// The command editor widget: its own UTF-8 buffer painted on a fixed character grid, per-token
// colours from the style its owner hands over, an undo history grouped by typing pauses, and the
// operations behind the Edit menu and the context menu.
#pragma once

#include "editor/auto_list.h"
#include "editor/completion_words.h"
#include "editor/editor_style.h"
#include "editor/text_buffer.h"
#include "editor/undo_history.h"

#include <QAction>
#include <QHash>
#include <QMap>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;

// A selected or highlighted byte range [begin, end).
struct text_range {
    qint64 begin = 0;
    qint64 end = 0;
    bool operator==(const text_range &o) const { return begin == o.begin && end == o.end; }
};

// Actions of the surrounding window that follow the editor's state (any may be null).
struct editor_actions {
    QPointer<QAction> goto_error, cut, copy, paste, redo, undo, delete_selection, find, replace,
        exec_selection, exec_line, format_selection, save_file, print_file;
};

class editor : public QWidget {
    Q_OBJECT
public:
    explicit editor(QWidget *parent = nullptr);
    ~editor() override;

    // ---- text access
    QString text() const;
    std::string text_bytes() const { return buf_.text(); }
    // Replaces the whole text; the history starts afresh and the text counts as saved.
    void set_text(const QString &text);
    QString selected_text() const;
    QString current_line_text() const;
    qint64 length() const { return buf_.size(); }
    qint64 line_count() const { return buf_.line_count(); }
    qint64 current_line() const { return buf_.line_of(cursor_); }
    const text_buffer &buffer() const { return buf_; }

    qint64 cursor_position() const { return cursor_; }
    void set_cursor_position(qint64 pos);
    QPoint cursor_point() const { return cursor_pt_; }

    // Where the command check stopped; the length when the text is valid.
    qint64 error_position() const { return error_pos_; }
    // Runs the command check now, whatever the size of the text.
    void check_now();

    bool modified() const { return history_.modified(); }
    void mark_saved();

    // ---- selection and search highlights (kept sorted and without overlaps)
    const std::vector<text_range> &selections() const { return sel_; }
    void add_selection(qint64 begin, qint64 end);
    void clear_selection();
    const std::vector<text_range> &matches() const { return matches_; }
    void add_match(qint64 begin, qint64 end);
    void clear_matches();
    // Replaces [begin, end) through the history (search and replace uses this).
    void replace_range(qint64 begin, qint64 end, const QString &with);
    // Replaces the selection list at once: search results may be many thousands of ranges.
    void set_selections(std::vector<text_range> ranges);
    // Replaces each range (sorted, not overlapping) by the text of the same index, as one undo
    // step of its own; the selection is cleared and the cursor ends after the last text.
    void replace_ranges(const std::vector<text_range> &ranges, const std::vector<std::string> &with);

    // ---- completion
    void set_table_names(const QStringList &tables, const QMap<QString, QStringList> &fields);
    auto_list *completion_list() const { return list_; }

    // ---- look and typing switches, as the owner configured them
    // Takes a new style; the editor repaints. After a change of the metrics the caller also
    // moves the cursor (set_cursor_position) so that the editor sizes itself anew.
    void set_style(const editor_style &style);
    const editor_style &style() const { return style_; }

    // ---- metrics of the style
    int cell_width() const { return style_.cell_width(); }
    int line_height() const { return style_.line_height(); }
    bool auto_size() const { return auto_size_; }
    void set_auto_size(bool on);
    // The smallest size auto-sizing may give: the surrounding view, so that a click anywhere
    // in the view lands in the editor.
    void set_fill_size(const QSize &size);
    // Width of the whole text in pixels (the widget itself is capped by the toolkit's limit).
    qint64 content_width() const;
    // Pixels of the text left of the widget's x = 0; non-zero only for lines too wide for
    // one widget, whose view then slides along the line.
    qint64 x_origin() const { return x_origin_; }
    void set_x_origin(qint64 x);
    // The widest a widget may be made.
    static constexpr int widget_width_cap = 8000000;
    // Column of a byte offset in cells (multi-byte characters take two).
    int cells_before(qint64 pos) const;
    // Whether no byte of s[0, n) belongs to a multi-byte character.
    static bool ascii_only(const char *s, qint64 n);
    qint64 position_at(const QPoint &p) const;
    // The same for a pixel of the whole text (x counted from the start of the line).
    qint64 position_at_x(qint64 x, int y) const;

    // ---- hooks for the surrounding window
    void set_window_actions(const editor_actions &actions);
    // The search dialog is owned by the editor and shown by find and replace.
    void set_search_dialog(QWidget *dlg);
    QWidget *search_dialog() const { return search_; }
    const undo_history &history() const { return history_; }
    // Tests drive the clock of the history, the typing pauses and the parse timer.
    void set_clock(std::function<qint64()> clock);

    // Style entry of the byte at a position, as painting uses it.
    const token_style &style_at(qint64 pos);

    // Paints lines [first, last] with the painter's origin at the top of line 0.
    void paint_lines(QPainter &p, qint64 first, qint64 last, bool for_printer);
    // Draws the mark of a blank (U+2B1D), a tab (U+2409) or another control byte (its
    // control picture) into a cell, for fonts that have no glyph for it.
    static void draw_mark(QPainter &p, const QRectF &cell, uint code_point, const QColor &colour);
    // Paints the whole text onto the printer, page after page.
    void print_to(QPrinter *printer);

    // ---- operations behind the Edit menu, each followed by the common epilogue
    void goto_error();
    void goto_line_begin();
    void goto_line_end();
    void goto_word_begin();
    void goto_word_end();
    void delete_selection();
    void select_all();
    void select_line();
    void select_word();
    // Selects the run of non-blank bytes around the cursor (a whole token, quotes included).
    void select_beside();
    void undo();
    void redo();
    void copy();
    void cut();
    void paste();
    void find();
    void replace();
    void print();

    QAction *context_action(const QString &name) const;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void textChanged();
    void lineChanged();
    // Find or replace asked for; the search dialog of the surrounding code listens.
    void search_requested(bool replace);
    void modified_changed(bool modified);
    // The style changed, by set_style or by the font size keys.
    void style_changed();
    // Ctrl+Plus or Ctrl+Minus changed every entry's font size; style() holds the new sizes.
    void font_size_changed();

public slots:
    void change_cursor();
    void show_cursor();
    void reset_word();
    void auto_parse();
    void start_parse();
    void auto_sel(const QString &word);
    void auto_not_found();
    void auto_char_add(const char &c);
    void auto_char_del();

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override;
    void mousePressEvent(QMouseEvent *ev) override;
    void mouseReleaseEvent(QMouseEvent *ev) override;
    void mouseDoubleClickEvent(QMouseEvent *ev) override;
    void mouseMoveEvent(QMouseEvent *ev) override;
    void wheelEvent(QWheelEvent *ev) override;
    void keyPressEvent(QKeyEvent *ev) override;
    void keyReleaseEvent(QKeyEvent *ev) override;
    void focusInEvent(QFocusEvent *ev) override;
    void focusOutEvent(QFocusEvent *ev) override;
    void paintEvent(QPaintEvent *ev) override;
    void inputMethodEvent(QInputMethodEvent *ev) override;

private:
    enum class changed { nothing, line, text };

    // ---- editing primitives (editor.cpp): every change of the text goes through these
    void insert_bytes(qint64 pos, const std::string &bytes);
    void remove_bytes(qint64 pos, qint64 len);
    // Replaces every selected range (last first) with the bytes, or inserts at the cursor.
    void replace_selection(const std::string &bytes);
    bool delete_selected();
    void after_change(qint64 pos, qint64 delta, qint64 line_len_hint);
    void after_history_step(qint64 at);
    void epilogue(changed what);
    void update_geometry_now();
    void measure_longest_line();
    void update_cursor_point();
    QRect cursor_rect() const;
    void refresh_actions();
    qint64 pause_ms() const;
    bool classify_now() const;

    // ---- typing (editor_input.cpp)
    void type_text(const QString &text);
    void move_cursor(qint64 pos, bool extend);
    void select_from_anchor();
    qint64 line_move(qint64 pos, qint64 lines) const;
    void move_line(int direction);
    void change_font_size(int delta);
    void insert_tab();
    bool selection_spans_lines() const;
    void indent_lines(int direction);

    // ---- words (editor_edit_ops.cpp)
    qint64 word_begin(qint64 pos) const;
    qint64 word_end(qint64 pos) const;
    void build_context_menu();
    void finish_op(changed what);

    // ---- completion (editor_completion.cpp)
    void ask_completion();
    void close_completion();

    // ---- painting helpers (editor_paint.cpp)
    struct face;
    face &face_for(const QFont &font);
    void paint_cells(QPainter &p, qint64 first, qint64 last, bool for_printer, qint64 first_cell, qint64 last_cell,
                     qint64 x_origin);
    const std::vector<uint8_t> &line_entries(qint64 line, const char *s, int n);
    QFont font_for_preedit() const;
    // Pre-rendered glyph of one code point in one entry's font and colour.
    const QPixmap &glyph_pixmap(int entry, const QFont &font, const QColor &colour, uint code_point);

    editor_style style_;
    text_buffer buf_;
    undo_history history_;
    std::function<qint64()> clock_;
    qint64 cursor_ = 0;
    std::vector<text_range> sel_;
    std::vector<text_range> matches_;
    qint64 anchor_ = 0;
    int sel_mode_ = 0;          // 0 no anchor yet, 1 extending with Shift, 2 not extending
    qint64 error_pos_ = 0;
    bool cursor_visible_ = true;
    QPoint cursor_pt_;
    bool auto_size_ = true;
    QSize fill_size_;
    qint64 x_origin_ = 0;
    quint64 edits_ = 0;         // counts changes of the text, for caches
    std::vector<uint8_t> line_entries_;
    qint64 entries_line_ = -1;
    quint64 entries_edit_ = 0;
    qint64 last_change_ms_ = -1000000;
    qint64 longest_line_ = 0;   // bytes of the longest line; -1 when it must be measured again
    bool dragging_ = false;
    bool was_modified_ = false;
    QString preedit_;

    QTimer blink_timer_;
    QTimer parse_timer_;
    QTimer pause_timer_;        // repaints once typing has paused so big texts get coloured

    completion_words::names names_;
    QPointer<auto_list> list_;
    QPointer<QWidget> search_;
    editor_actions window_actions_;
    QHash<QString, QAction *> actions_;
    QHash<quint64, QPixmap> glyphs_;
    QString glyph_fonts_;       // the fonts and cell size the cached glyphs were drawn with
    QHash<QString, std::shared_ptr<face>> faces_;
};
