// Windows side and desktop-services side of opening documents and addresses.
#include "shell/platform_open.h"

#include "common/modal_seam.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace platform_open {

namespace {

bool hand_over(const QString &target, const QUrl &url)
{
#ifdef _WIN32
    Q_UNUSED(url);
    return modal_seam::start_process(opener(), {target});
#else
    // Scripted runs only record the request; nothing is opened on the test machine.
    if (modal_seam::scripted())
        return modal_seam::start_process(opener(), {target});
    return QDesktopServices::openUrl(url);
#endif
}

} // namespace

QString opener()
{
#ifdef _WIN32
    return QStringLiteral("explorer");
#else
    return QStringLiteral("xdg-open");
#endif
}

bool document(const QString &path)
{
    return hand_over(QDir::toNativeSeparators(path), QUrl::fromLocalFile(path));
}

bool address(const QString &url)
{
    return hand_over(url, QUrl(url));
}

} // namespace platform_open
