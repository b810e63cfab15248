// The editor's search and replace dialog: finds in the editor's text (or in the ranges selected
// when the search began), selects what it finds, and replaces through the editor's history.
#pragma once

#include "common/search_form.h"
#include "editor/editor.h"

#include <QPointer>
#include <string>
#include <vector>

class utf8_offsets;

class search_dlg : public search_form {
    Q_OBJECT
public:
    // Becomes the editor's search dialog; the editor owns it and shows it for find and replace.
    explicit search_dlg(editor *ed);

    editor *target_editor() const { return ed_; }
    // The ranges "Only Selection" searches in (byte offsets).
    const std::vector<text_range> &selection_scope() const { return scope_; }

public slots:
    void search_all(bool checked = false) override;
    void next(bool checked = false) override;
    void prev(bool checked = false) override;
    void replace(bool checked = false) override;
    void replace_all(bool checked = false) override;
    // Tells that the target does not occur.
    void notinfo();

signals:
    // After Replace or Replace All changed the text; count is the number of replacements.
    void replaced(int count);

protected:
    QString title_for(bool replace_mode) const override;

private:
    struct snapshot;
    // The byte ranges to search: the whole text, or the selection scope.
    std::vector<text_range> scope();
    // Next (forward) or Previous from the cursor; `after_cursor` skips the character under it.
    void search_step(bool forward, bool after_cursor);
    void select_found(snapshot &s, int begin, int end);
    // Moves the scope after `with` took the place of [begin, end).
    void shift_scope(qint64 begin, qint64 end, qint64 new_length);
    void take_selection();

    QPointer<editor> ed_;
    std::vector<text_range> scope_;
    std::vector<text_range> own_sel_; // what this dialog selected last
    bool changing_ = false;           // the text changes by this dialog's hand
};
