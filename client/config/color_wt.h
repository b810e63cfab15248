// A compact colour picker: a swatch of the current colour, a row of ready colours taken with
// one click, and a button that opens the toolkit's colour dialog (with alpha).
#pragma once

#include <QColor>
#include <QVector>
#include <QWidget>

class QHBoxLayout;
class QToolButton;

class color_wt : public QWidget {
    Q_OBJECT
public:
    explicit color_wt(QWidget *parent = nullptr);

    QColor color() const { return color_; }
    // Shows the colour without reporting it.
    void set_color(const QColor &c);
    // The colours offered for one click, in order; repeated colours are shown once.
    void set_choices(const QVector<QColor> &colors);
    QVector<QColor> choices() const { return choices_; }

signals:
    // The user picked a colour (from the row or the dialog).
    void color_changed(const QColor &c);

public slots:
    // Opens the colour dialog through the modal seam; a cancelled dialog reports nothing.
    void choose();

private:
    void pick(const QColor &c);

    QColor color_ = Qt::black;
    QVector<QColor> choices_;
    QWidget *swatch_;
    QHBoxLayout *row_;
    QVector<QToolButton *> choice_buttons_;
    QToolButton *more_pb_;
};
