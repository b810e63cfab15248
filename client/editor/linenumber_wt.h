// The line-number gutter painted beside an editor.
#pragma once

#include <QWidget>

class linenumber_wt : public QWidget {
    Q_OBJECT
public:
    explicit linenumber_wt(QWidget *parent = nullptr);

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

    qint64 lines_ = 1;
    int offset_ = 0;
};
