// Screenshots for the shown-window tests: a part of the real screen, and writing it where
// VORN_SHOTS_DIR points (nothing is written without it).
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QWidget;

// The screen under r (global coordinates) on w's screen, after pending paints.
QImage screen_of(QWidget *w, const QRect &r);
void save_shot(const QImage &img, const QString &name);
