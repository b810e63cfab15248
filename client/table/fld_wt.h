// The field filter of the data view: a row of check boxes, one per field, under a line edit
// that names the checked ones; it unfolds into a full list while the mouse is over it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QWidget>

class QLineEdit;
class QListWidget;

class fld_wt : public QWidget {
    Q_OBJECT
public:
    explicit fld_wt(QWidget *parent = nullptr);

    // The checked field names, in list order.
    QList<QByteArray> checked_fields() const;
    // The line edit's text: the checked names joined by "|".
    QString shown_text() const;
    bool unfolded() const { return unfolded_; }
    QSize sizeHint() const override;

public slots:
    void add_fields(const QString &f, bool checked);
    void cls_fields();
    QListWidget *list() const { return list_; }

signals:
    void field_changed();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void unfold();
    void fold();
    void show_checked();
    void place_children();

    QListWidget *list_;
    QLineEdit *le_;
    bool unfolded_ = false;
};
