// An editor in a real shown, focused window (a line edit above it, so the editor does not
// sit at its window's origin), and input delivered as the window system would deliver it.
#pragma once

#include "editor/editor.h"
#include "editor/editor_area.h"

#include <QImage>
#include <QLineEdit>
#include <QWidget>

namespace shown_editor {

// The editor takes the configuration record as it is when the window is made.
struct window {
    QWidget top;
    QLineEdit *other = nullptr;
    editor_area *area = nullptr;
    editor *ed = nullptr;

    explicit window(const QSize &size = QSize(560, 320), const QPoint &at = QPoint(40, 40));
    // Shown, active and the editor focused.
    bool ready() const { return ready_; }

private:
    bool ready_ = false;
};

// Keys go to the window that has the focus, through the toolkit's whole delivery path
// (shortcuts, popups, focus moves), with the modifier keys pressed first as on a keyboard.
void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier);
void type(const QString &text);
// A press of a modifier key alone.
void modifier_press(Qt::Key k);
void click(QWidget *w, const QPoint &at);

// The screen's pixels under a widget (popups and window decorations included).
QImage grab_screen(const QWidget *w, const QRect &rect);

} // namespace shown_editor
