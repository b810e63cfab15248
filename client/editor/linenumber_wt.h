// The line-number gutter painted beside an editor, in the grid of the editor's style.
#pragma once

#include "editor/editor_style.h"

#include <QWidget>

class linenumber_wt : public QWidget {
    Q_OBJECT
public:
    explicit linenumber_wt(QWidget *parent = nullptr);

    // The style of the editor beside it: line height, cell width and font size.
    void set_style(const editor_style &style);

    void set_line_count(qint64 lines);
    qint64 line_count() const { return lines_; }
    // Top of the editor's visible area, in editor pixels.
    void set_scroll_offset(int y);
    int scroll_offset() const { return offset_; }

    // Decimal digits of the line count times the width of one digit (at least a blank),
    // plus half an editor cell on each side so the digits never touch the text.
    int width_needed() const;
    int margin() const;
    QFont gutter_font() const;

protected:
    void paintEvent(QPaintEvent *ev) override;

private:
    int digit_width() const;

    editor_style style_;
    qint64 lines_ = 1;
    int offset_ = 0;
};
