// The scroll area that hosts an editor and its line-number gutter, keeping the gutter at
// the left edge and the cursor in view.
#pragma once

#include <QScrollArea>

class editor;
class linenumber_wt;

// Reports the visible part of its content whenever it scrolls or changes size.
class scrollarea : public QScrollArea {
    Q_OBJECT
public:
    explicit scrollarea(QWidget *parent = nullptr);
    QRect visible_rect() const;

signals:
    void change_geo(const QRect &visible);
    void scrolling(int x, int y);

public slots:
    void scroll_h(int value);
    void scroll_v(int value);
    void wheel(QWheelEvent *ev);

protected:
    void resizeEvent(QResizeEvent *ev) override;
    void scrollContentsBy(int dx, int dy) override;
};

// Gutter and editor side by side inside a scrollarea.
class editor_area : public QWidget {
    Q_OBJECT
public:
    explicit editor_area(QWidget *parent = nullptr);

    editor *editor_widget() const { return ed_; }
    linenumber_wt *gutter() const { return gutter_; }
    scrollarea *area() const { return area_; }

public slots:
    // After a change of the text or the cursor: gutter, placement, parent size, cursor in view.
    void change_layout();
    void update_ed_geo(const QRect &visible);

private:
    void fit();
    bool slide(const QRect &visible);

    bool laying_out_ = false;
    QSize fitted_view_;
    scrollarea *area_;
    QWidget *content_;
    linenumber_wt *gutter_;
    editor *ed_;
};
