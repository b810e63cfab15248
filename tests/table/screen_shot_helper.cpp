// Grabs from the X screen, so popups and window frames are on the picture too.
#include "screen_shot_helper.h"
#include "shots_dir.h"

#include <QGuiApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

QImage screen_of(QWidget *w, const QRect &r)
{
    // Paints what is pending, then waits until the X server has drawn it.
    QGuiApplication::sync();
    return w->screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
}

void save_shot(const QImage &img, const QString &name)
{
    const QString path = shots::path(name);
    if (!path.isEmpty())
        img.save(path);
}
