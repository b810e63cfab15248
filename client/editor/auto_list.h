// The completion list that pops up under the editor's cursor: it takes the keys while open,
// filters its candidates by the typed prefix and reports the choice back to the editor.
#pragma once

#include <QListWidget>
#include <QStringList>

class auto_list : public QListWidget {
    Q_OBJECT
public:
    // `owner` receives the keys the list does not use.
    auto_list(const QStringList &candidates, const QString &prefix, QWidget *owner);

    // Width the larger of 80 pixels and 16 per character of the longest candidate,
    // 20 pixels of height per candidate.
    static QSize size_for(const QStringList &candidates);

    QString prefix() const { return prefix_; }
    QStringList candidates() const;

signals:
    void sel(const QString &word);
    void not_found();
    void char_add(const char &c);
    void char_del();

protected:
    void keyPressEvent(QKeyEvent *ev) override;
    void focusOutEvent(QFocusEvent *ev) override;

private:
    void refill();
    void choose();
    void close_list();
    void step(int delta);

    QStringList all_;
    QString prefix_;
    QWidget *owner_;
    bool closing_ = false;
};
