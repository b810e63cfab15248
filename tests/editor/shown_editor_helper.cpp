// An editor in a real shown window and window-system input for it.
#include "shown_editor_helper.h"

#include "config/editor_restyle.h"
#include "config/sys_config.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

namespace shown_editor {

window::window(const QSize &size, const QPoint &at)
{
    top.setWindowTitle(QStringLiteral("editor"));
    auto *lay = new QVBoxLayout(&top);
    other = new QLineEdit(&top);
    other->setObjectName(QStringLiteral("le_other"));
    lay->addWidget(other);
    area = new editor_area(&top);
    lay->addWidget(area);
    ed = area->editor_widget();
    ed->set_style(editor_style_of(sys_config));
    top.resize(size);
    top.move(at);
    top.show();
    top.activateWindow();
    ready_ = QTest::qWaitForWindowActive(&top);
    ed->setFocus();
    ready_ = ready_ && QTest::qWaitFor([this] { return ed->hasFocus(); }, 2000);
}

namespace {

QWindow *focus_window()
{
    if (QWindow *w = QGuiApplication::focusWindow())
        return w;
    QWidget *a = QApplication::activeWindow();
    return a ? a->windowHandle() : nullptr;
}

} // namespace

// The release goes to whichever window has the focus by then (a popup may have closed).
void key(Qt::Key k, Qt::KeyboardModifiers mods)
{
    QTest::keyPress(focus_window(), k, mods);
    QCoreApplication::processEvents();
    QTest::keyRelease(focus_window(), k, mods);
    QCoreApplication::processEvents();
}

void type(const QString &text)
{
    for (const QChar c : text) {
        const Qt::Key k = c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, focus_window(), k, QString(c), Qt::NoModifier);
        QCoreApplication::processEvents();
        QTest::sendKeyEvent(QTest::Release, focus_window(), k, QString(c), Qt::NoModifier);
        QCoreApplication::processEvents();
    }
}

void modifier_press(Qt::Key k)
{
    QTest::keyPress(focus_window(), k);
    QCoreApplication::processEvents();
    QTest::keyRelease(focus_window(), k);
    QCoreApplication::processEvents();
}

void click(QWidget *w, const QPoint &at)
{
    QWidget *top = w->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, w->mapTo(top, at));
    QCoreApplication::processEvents();
}

QImage grab_screen(const QWidget *w, const QRect &rect)
{
    // Paints what is pending, then waits until the X server has drawn it.
    QGuiApplication::sync();
    const QPoint g = w->mapToGlobal(rect.topLeft());
    QScreen *screen = w->screen();
    return screen->grabWindow(0, g.x(), g.y(), rect.width(), rect.height()).toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace shown_editor
