// Runs a QtTest program against a real X display of its own (Xvfb) with the openbox window
// manager, so popups, focus, key chords and painting at the widget's place in its window
// behave as on a desktop. Usage, instead of QTEST_MAIN:
//
//     class test_x : public QObject {
//         Q_OBJECT
//     private slots:
//         void initTestCase() { SHOWN_WINDOW_REQUIRE(); }
//         void case() { QWidget w; w.show(); QVERIFY(QTest::qWaitForWindowActive(&w)); ... }
//     };
//     SHOWN_WINDOW_TEST_MAIN(test_x)
//
// Xvfb picks a free display itself (-displayfd), so tests running in parallel never share
// one. Without Xvfb the program still runs (offscreen) and SHOWN_WINDOW_REQUIRE skips every
// case with the reason. Both servers are stopped at exit, and die with the test if it crashes.
#pragma once

#include <QString>

namespace shown_window {

// Starts Xvfb and openbox and points the toolkit at them (DISPLAY, QT_QPA_PLATFORM=xcb).
// Call before the application object exists; returns once the window manager runs.
bool start_display();
// True once start_display succeeded.
bool running();
// Why the shown-window cases cannot run; empty while the display runs.
QString skip_reason();
// Stops openbox and Xvfb; also registered to run at exit.
void stop_display();

} // namespace shown_window

#define SHOWN_WINDOW_REQUIRE()                                                                   \
    do {                                                                                         \
        if (!shown_window::running())                                                            \
            QSKIP(qPrintable(shown_window::skip_reason()));                                      \
    } while (false)

#define SHOWN_WINDOW_TEST_MAIN(test_class)                                                       \
    int main(int argc, char **argv)                                                              \
    {                                                                                            \
        shown_window::start_display();                                                           \
        QApplication app(argc, argv);                                                            \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                 \
        test_class tc;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                               \
        const int rc = QTest::qExec(&tc, argc, argv);                                            \
        shown_window::stop_display();                                                            \
        return rc;                                                                               \
    }
