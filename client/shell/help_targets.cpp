// Manual lookup and online reference addresses by language.
#include "shell/help_targets.h"

#include "shell/build_version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef VORN_SITE
#define VORN_SITE "https://www.vorn-tsdb.example"
#endif

namespace help_targets {

namespace {
QString &folder_override()
{
    static QString path;
    return path;
}
} // namespace

void set_program_folder(const QString &path)
{
    folder_override() = path;
}

QString program_folder()
{
    return folder_override().isEmpty() ? QCoreApplication::applicationDirPath() : folder_override();
}

QString language_folder(int code)
{
    switch (code) {
    case 0: return QStringLiteral("zh");
    case 2: return QStringLiteral("fr");
    case 3: return QString();
    default: return QStringLiteral("en");
    }
}

QStringList manual_candidates(const QString &folder)
{
    const QString rel = QStringLiteral("doc/%1/vorn_cli.pdf").arg(folder);
    QStringList out{QDir::current().absoluteFilePath(rel)};
    const QString beside = QDir(program_folder()).absoluteFilePath(rel);
    if (QDir::cleanPath(beside) != QDir::cleanPath(out.first()))
        out << beside;
    return out;
}

QString find_manual(const QString &folder)
{
    for (const QString &p : manual_candidates(folder))
        if (QFileInfo(p).isFile())
            return QDir::cleanPath(p);
    return QString();
}

QString online_address(const QString &folder)
{
    QString site = QStringLiteral(VORN_SITE);
    while (site.endsWith(QLatin1Char('/')))
        site.chop(1);
    // The reference of the commands this version speaks.
    return QStringLiteral("%1/%2/cmd_ref_" VORN_VERSION_TEXT ".html").arg(site, folder);
}

} // namespace help_targets
