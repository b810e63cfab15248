// A line that says what the window waits for and for how long: a moving bar, the text and the
// elapsed seconds, counted on a one-second timer. Hidden while nothing is waited for; shown only
// once a wait lasts long enough to notice, so quick answers do not make it flicker.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

class wait_note : public QWidget {
    Q_OBJECT
public:
    explicit wait_note(QWidget *parent = nullptr);

    void start(const QString &what);
    void stop();
    bool waiting() const { return clock_.isValid(); }
    QLabel *label() const { return label_; }

    static constexpr int show_after_ms = 400;

private:
    void tick();

    QLabel *label_ = nullptr;
    QProgressBar *bar_ = nullptr;
    QString what_;
    QElapsedTimer clock_;
    QTimer ticker_;
};
