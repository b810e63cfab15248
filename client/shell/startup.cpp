// Language table, translators, style sheet and bundled fonts for start-up.
#include "shell/startup.h"

#include "config/sys_config.h"
#include "shell/login_dlg.h"
#include "shell/script_recovery.h"
#include "common/modal_seam.h"
#include "db/client_log.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QTranslator>
#include <clocale>
#include <cstdio>

namespace startup {

namespace {

const language languages[] = {
    {0, "zh_CN.UTF-8", ":/lang/qt_zh_CN.qm", ":/lang/vorn_tsdb_cli_zh.qm"},
    {1, "en_US.UTF-8", ":/lang/qt_en.qm", ":/lang/vorn_tsdb_cli_en.qm"},
    {2, "fr.UTF-8", ":/lang/qt_fr.qm", ":/lang/vorn_tsdb_cli_fr.qm"},
    {3, "jp.UTF-8", ":/lang/qt_jp.qm", ":/lang/vorn_tsdb_cli_jp.qm"},
};

QString &stored_program_path()
{
    static QString path;
    return path;
}

} // namespace

const language *language_of(int code)
{
    for (const language &l : languages)
        if (l.code == code)
            return &l;
    return nullptr;
}

const language *load_language(int code, QTranslator &qt_tr, QTranslator &app_tr)
{
    const language *l = language_of(code);
    if (!l)
        return nullptr;
    std::setlocale(LC_ALL, l->locale);
    // A missing catalogue leaves that translator empty; the texts then stay English.
    qt_tr.load(QString::fromLatin1(l->qt_qm));
    app_tr.load(QString::fromLatin1(l->app_qm));
    return l;
}

bool install_style_sheet(QApplication &app)
{
    QFile qss(QStringLiteral(":/qss/vorn_white-.qss"));
    if (!qss.open(QIODevice::ReadOnly)) {
        std::fputs("open qss failed.", stdout);
        std::fflush(stdout);
        app.setStyleSheet(QString());
        return false;
    }
    const QString sheet = QString::fromUtf8(qss.readAll());
    qss.close();
    app.setStyleSheet(sheet);
    return true;
}

int register_fonts()
{
    int n = 0;
    const QDir fonts(QStringLiteral(":/font"));
    for (const QString &name : fonts.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files))
        if (QFontDatabase::addApplicationFont(fonts.filePath(name)) >= 0)
            ++n;
    // Without the editor font, a family lookup would fall back to a proportional face and the
    // editor's character grid would no longer line up; point it at a fixed-pitch face instead.
    const QString editor_family = QStringLiteral("Source Code Pro");
    if (!QFontDatabase().families().contains(editor_family, Qt::CaseInsensitive)) {
        QFont::insertSubstitutions(editor_family,
                                   {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                                    QStringLiteral("Noto Sans Mono"), QStringLiteral("Courier New"),
                                    QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    }
    return n;
}

int run(QApplication &app, const char *config_path)
{
    install_style_sheet(app);

    QTranslator qt_tr;
    QTranslator app_tr;
    load_language(sys_config.lang, qt_tr, app_tr);
    client_log::language(sys_config.lang, !app_tr.isEmpty());
    app.installTranslator(&qt_tr);
    app.installTranslator(&app_tr);
    // Unsaved script text is copied beside the configuration, in a folder of its own.
    script_recovery::set_root(QFileInfo(QString::fromLocal8Bit(config_path)).absoluteDir().filePath(
        QStringLiteral("recovery")));

    {
        login_dlg dlg;
        if (modal_seam::exec_dialog(&dlg) == QDialog::Accepted)
            app.exec();
        sys_config.save(config_path);
        // The main window the dialog created lives on until the process ends.
    }
    app.removeTranslator(&app_tr);
    app.removeTranslator(&qt_tr);
    return 0;
}

void set_program_path(const QString &path)
{
    stored_program_path() = path;
}

QString program_path()
{
    return stored_program_path();
}

} // namespace startup
