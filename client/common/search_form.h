// What the editor's and the grids' search dialogs share: their controls, the options they read,
// the wrap-around question of Next and Previous, and the boxes that report a search.
#pragma once

#include "common/text_search.h"

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class search_form : public QDialog {
    Q_OBJECT
public:
    // The row of the third check box: "Only Selection" for the editor, the "Constraint" group
    // for the grids.
    enum class extra { only_selection, constraint };
    search_form(extra with, QWidget *parent);

    QString target() const;
    text_search::options options() const;
    bool wrapped() const { return wrapped_; }
    // Whether the replace row is shown.
    bool replace_mode() const { return replace_mode_; }
    // Off for targets that may only be searched: the replace row never shows then.
    void set_replace_allowed(bool on);
    bool replace_allowed() const { return replace_allowed_; }

    QLabel *target_lbl = nullptr;
    QLineEdit *target_le = nullptr;
    QLabel *rep_lbl = nullptr;
    QLineEdit *rep_le = nullptr;
    QPushButton *next_pb = nullptr;
    QPushButton *prev_pb = nullptr;
    QPushButton *fall_pb = nullptr;
    QPushButton *rep_pb = nullptr;
    QPushButton *rep_all_pb = nullptr;
    QCheckBox *mw_cb = nullptr;
    QCheckBox *cs_cb = nullptr;
    QCheckBox *os_cb = nullptr;        // only_selection
    QGroupBox *mode_gb = nullptr;
    QRadioButton *normal_rb = nullptr;
    QRadioButton *reg_rb = nullptr;
    QRadioButton *sup_rb = nullptr;
    QGroupBox *mode_gb_2 = nullptr;    // constraint
    QRadioButton *row_rb = nullptr;
    QRadioButton *col_rb = nullptr;
    QRadioButton *none_rb = nullptr;

public slots:
    virtual void search_all(bool checked = false) = 0;
    virtual void next(bool checked = false) = 0;
    virtual void prev(bool checked = false) = 0;
    virtual void replace(bool checked = false) = 0;
    virtual void replace_all(bool checked = false) = 0;
    void target_changed(const QString &text);
    // Shows the dialog in find or replace mode, raised above its owner.
    void show_top(bool replace_mode);
    void reject() override;

protected:
    virtual QString title_for(bool replace_mode) const = 0;

    // The matcher of the target and options. None when the target is empty, or when the
    // regular expression does not compile, which the user is told in a box.
    std::optional<text_search::matcher> make_matcher();
    // One Next (forward) or Previous: find(from_edge) searches from the cursor, or from the
    // beginning (end) when from_edge is set, and returns whether it found a match. Asks whether
    // to continue from the other end and keeps the wrapped flag.
    void step(bool forward, const std::function<bool(bool from_edge)> &find);
    void tell_found(int count);
    void tell_replaced(int count);
    void tell_not_found(const QString &title);
    void refresh_buttons();

private:
    bool wrapped_ = false;
    bool replace_mode_ = false;
    bool replace_allowed_ = true;
};
