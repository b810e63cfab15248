// The completion list that pops up under the editor's cursor: a window above everything that
// never takes the focus; the editor hands it the keys while it is open. It filters its
// candidates by the typed prefix and reports the choice back to the editor.
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
    // Shows the list at `cursor` + (10, 30) of the owner, moved inside the owner's screen
    // (above the cursor line when there is no room below).
    void popup_at(const QPoint &cursor);
    // Whether only the typed word itself is left, so choosing would change nothing.
    bool only_the_typed_word() const;
    // Keys the list consumes while open, so no shortcut of the window may take them first.
    static bool takes(const QKeyEvent *k);

signals:
    void sel(const QString &word);
    void not_found();
    void char_add(const char &c);
    void char_del();


protected:
    bool event(QEvent *ev) override;
    void keyPressEvent(QKeyEvent *ev) override;
    void hideEvent(QHideEvent *ev) override;

private:
    void refill();
    void choose();
    void close_list();
    void place();
    void step(int delta);
    // Closes the list and hands the key to the owner as if typed there.
    void pass_on(QKeyEvent *k);

    QStringList all_;
    QString prefix_;
    QWidget *owner_;
    bool closing_ = false;
    bool placed_ = false;
    QPoint cursor_;   // in the owner's coordinates
};
