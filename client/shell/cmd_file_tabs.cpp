// Command files in script-editor tabs: the file actions behind the main window's File menu.
#include "shell/cmd_file_tabs.h"

#include "common/modal_seam.h"
#include "db/client_log.h"
#include "config/sys_config.h"
#include "shell/script_recovery.h"
#include "shell/tab_area.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QTabWidget>

cmd_file_tabs::cmd_file_tabs(tab_area &area, sys_config_record &config, script_page_hooks hooks,
                             QWidget *dialog_parent, QObject *parent)
    : QObject(parent), area_(area), config_(config), hooks_(std::move(hooks)),
      dialog_parent_(dialog_parent), recovery_(std::make_unique<script_recovery>())
{
    copy_timer_.setSingleShot(true);
    connect(&copy_timer_, &QTimer::timeout, this, &cmd_file_tabs::write_copies);
}

cmd_file_tabs::~cmd_file_tabs() = default;

QString cmd_file_tabs::file_filter()
{
    return tr("cmd files (*.tcd);;all files (*.*)");
}

QString cmd_file_tabs::file_name_of(const QByteArray &path)
{
    return QFileInfo(QString::fromUtf8(path)).fileName();
}

QString cmd_file_tabs::with_extension(const QString &chosen)
{
    const QFileInfo info(chosen);
    if (chosen.isEmpty() || !info.suffix().isEmpty())
        return chosen;
    return chosen + (chosen.endsWith(QLatin1Char('.')) ? QStringLiteral("tcd") : QStringLiteral(".tcd"));
}

QString cmd_file_tabs::ask_save_path(const QString &caption, const QString &start) const
{
    // A name typed without an extension would give a file that the open dialog's filter hides.
    return with_extension(modal_seam::save_file(dialog_parent_, caption, start, file_filter()));
}

QByteArray cmd_file_tabs::read_file(const QByteArray &path)
{
    client_log::file_op op("open command file", {}, QString::fromUtf8(path));
    QFile f(QString::fromUtf8(path));
    if (!f.open(QIODevice::ReadOnly)) {
        op.done(false, -1, f.errorString().toUtf8());
        return QByteArray();
    }
    const QByteArray bytes = f.readAll();
    const bool ok = f.error() == QFileDevice::NoError;
    op.done(ok, bytes.size(), ok ? QByteArray() : f.errorString().toUtf8());
    return bytes;
}

bool cmd_file_tabs::write_file(const QByteArray &path, const QByteArray &bytes)
{
    client_log::file_op op("save command file", {}, QString::fromUtf8(path));
    // Written beside the file and renamed over it, so a full disk or a broken write never
    // leaves the user with a truncated script.
    QSaveFile f(QString::fromUtf8(path));
    if (!f.open(QIODevice::WriteOnly)) {
        // The folder refuses the file beside: a writable existing file is then written in
        // place, which beats a script that can never be saved.
        QFile in_place(QString::fromUtf8(path));
        if (!in_place.exists() || !in_place.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return op.done(false, -1, f.errorString().toUtf8());
        const bool ok = in_place.write(bytes) == bytes.size() && in_place.flush();
        return op.done(ok, bytes.size(), ok ? QByteArray() : in_place.errorString().toUtf8());
    }
    if (f.write(bytes) != bytes.size()) {
        const QByteArray why = f.errorString().toUtf8();
        f.cancelWriting();
        return op.done(false, bytes.size(), why);
    }
    const bool ok = f.commit();
    return op.done(ok, bytes.size(), ok ? QByteArray() : f.errorString().toUtf8());
}

bool cmd_file_tabs::is_script(const QWidget *page) const
{
    return area_.is_script_tab(page);
}

QByteArray cmd_file_tabs::path_of(const QWidget *page) const
{
    for (auto it = map_.cbegin(); it != map_.cend(); ++it)
        if (it.value() == page)
            return it.key();
    return QByteArray();
}

QWidget *cmd_file_tabs::current_script() const
{
    QWidget *page = area_.tabs()->currentWidget();
    return is_script(page) ? page : nullptr;
}

bool cmd_file_tabs::any_modified() const
{
    for (QWidget *page : map_)
        if (hooks_.modified(page))
            return true;
    return false;
}

QString cmd_file_tabs::proposed_name() const
{
    QSet<QString> titles;
    for (QWidget *page : map_) {
        const int i = area_.tabs()->indexOf(page);
        if (i >= 0)
            titles.insert(area_.tabs()->tabText(i));
    }
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("scriptfile%1.tcd").arg(n);
        if (!titles.contains(name))
            return name;
    }
}

QWidget *cmd_file_tabs::open_path(const QByteArray &path, bool at_start)
{
    if (QWidget *open = map_.value(path)) {
        area_.tabs()->setCurrentWidget(open);
        return open;
    }
    if (!at_start) {
        config_.add_recent_file(path.toStdString());
        config_.add_open_file(path.toStdString());
        emit recent_changed();
    }
    QWidget *page = hooks_.create(read_file(path));
    map_.insert(path, page);
    emit page_opened(page, path);
    area_.add_script_tab(page, file_name_of(path));
    return page;
}

void cmd_file_tabs::new_file()
{
    const QString chosen = ask_save_path(tr("set cmd file's location"), proposed_name());
    if (chosen.isEmpty())
        return;
    const QByteArray path = chosen.toUtf8();
    if (!map_.contains(path) && !QFileInfo::exists(chosen)) {
        QFile f(chosen);
        if (f.open(QIODevice::WriteOnly))
            f.close();
    }
    // An existing file keeps its content and is shown with it: an empty editor over it would
    // wipe the file at the first save.
    open_path(path);
}

void cmd_file_tabs::open_file()
{
    const QString chosen = modal_seam::open_file(dialog_parent_, tr("open cmd file to script editor"),
                                                 QStringLiteral("."), file_filter());
    if (!chosen.isEmpty())
        open_path(chosen.toUtf8());
}

void cmd_file_tabs::open_recent(const QByteArray &path)
{
    if (path.isEmpty())
        return;
    if (QWidget *open = map_.value(path)) {
        area_.tabs()->setCurrentWidget(open);
        return;
    }
    if (!QFileInfo::exists(QString::fromUtf8(path))) {
        const auto b = modal_seam::question(dialog_parent_, tr("file not exists"),
                                            tr("the file is not exists do your want to create new file?"),
                                            QMessageBox::Yes | QMessageBox::No);
        if (b != QMessageBox::Yes)
            return;
    }
    open_path(path);
}

void cmd_file_tabs::cls_recent()
{
    config_.clear_recent_files();
    emit recent_changed();
}

bool cmd_file_tabs::save_page(QWidget *page)
{
    if (!is_script(page))
        return false;
    const QByteArray path = path_of(page);
    if (!write_file(path, hooks_.text(page)))
        return false;
    hooks_.mark_saved(page);
    recovery_->drop(path);
    return true;
}

bool cmd_file_tabs::save_file()
{
    QWidget *page = current_script();
    return page ? save_page(page) : true;
}

bool cmd_file_tabs::save_all_files()
{
    bool all = true;
    for (QWidget *page : script_pages())
        all = save_page(page) && all;
    // The window refreshes the actions' states as if the current tab were selected again.
    if (area_.tabs()->currentIndex() >= 0)
        emit current_stale();
    return all;
}

bool cmd_file_tabs::save_all_before_leaving()
{
    for (QWidget *page : script_pages()) {
        while (!save_page(page)) {
            // An unchanged page loses nothing when it cannot be written.
            if (!hooks_.modified(page))
                break;
            const QByteArray path = path_of(page);
            const auto b = modal_seam::warning(
                dialog_parent_, tr("save file result"),
                tr("the file \"%1\" cannot be written. Save its text elsewhere, discard the changes, "
                   "or cancel closing?").arg(QString::fromUtf8(path)),
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
            if (b == QMessageBox::Discard)
                break;
            if (b != QMessageBox::Save)
                return false;
            const QString chosen = ask_save_path(tr("save as cmd file to location"), QString::fromUtf8(path));
            if (chosen.isEmpty() || !write_file(chosen.toUtf8(), hooks_.text(page)))
                continue;
            hooks_.mark_saved(page);
            recovery_->drop(path);
            // The next start reopens the copy that holds the text.
            config_.remove_open_file(path.toStdString());
            config_.add_open_file(chosen.toStdString());
            config_.add_recent_file(chosen.toStdString());
            break;
        }
    }
    return true;
}

void cmd_file_tabs::save_file_as()
{
    QWidget *page = current_script();
    if (!page)
        return;
    const QByteArray old_path = path_of(page);
    const QString chosen = ask_save_path(tr("save as cmd file to location"), QString::fromUtf8(old_path));
    if (chosen.isEmpty())
        return;
    const QByteArray path = chosen.toUtf8();
    const auto same = [](const QString &a, const QString &b) {
        return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
    };
    if (path == old_path || same(chosen, QString::fromUtf8(old_path))) {
        modal_seam::information(dialog_parent_, tr("file path is same"),
                                tr("the selected path is same as original!"));
        return;
    }
    // Two tabs on one file would write over each other, and the map holds one page per path.
    for (auto it = map_.cbegin(); it != map_.cend(); ++it) {
        if (it.value() != page && (it.key() == path || same(chosen, QString::fromUtf8(it.key())))) {
            modal_seam::information(dialog_parent_, tr("file is open"),
                                    tr("the selected file is open in another tab!"));
            return;
        }
    }
    if (!write_file(path, hooks_.text(page)))
        return;
    area_.tabs()->setTabText(area_.tabs()->indexOf(page), file_name_of(path));
    map_.remove(old_path);
    map_.insert(path, page);
    hooks_.mark_saved(page);
    recovery_->drop(old_path);
    config_.add_recent_file(path.toStdString());
    config_.remove_open_file(old_path.toStdString());
    // The tab now shows the new file, so that is the one to reopen at the next start.
    config_.add_open_file(path.toStdString());
    emit recent_changed();
}

void cmd_file_tabs::remove_page(QWidget *page)
{
    const QByteArray path = path_of(page);
    map_.remove(path);
    recovery_->drop(path);
    config_.remove_open_file(path.toStdString());
    area_.remove_tab(page);
}

bool cmd_file_tabs::close_page(QWidget *page)
{
    if (!is_script(page))
        return false;
    if (hooks_.modified(page) && !save_page(page)) {
        // Closing would throw the unsaved text away: the tab stays and the user hears why.
        modal_seam::warning(dialog_parent_, tr("save file result"),
                            tr("save file \"%1\" is failed, the file stays open!")
                                .arg(QString::fromUtf8(path_of(page))));
        return false;
    }
    remove_page(page);
    return true;
}

void cmd_file_tabs::close_file()
{
    if (QWidget *page = current_script())
        close_page(page);
}

QList<QWidget *> cmd_file_tabs::script_pages() const
{
    return area_.script_tabs();
}

void cmd_file_tabs::close_all_files()
{
    for (QWidget *page : script_pages())
        close_page(page);
}

void cmd_file_tabs::close_files_except()
{
    QWidget *keep = area_.tabs()->currentWidget();
    for (QWidget *page : script_pages())
        if (page != keep)
            close_page(page);
    if (keep && area_.tabs()->indexOf(keep) >= 0)
        area_.tabs()->setCurrentWidget(keep);
}

void cmd_file_tabs::reopen_at_start()
{
    const std::list<std::string> paths = config_.open_files;
    for (const std::string &p : paths) {
        const QByteArray path = QByteArray::fromStdString(p);
        if (QFileInfo::exists(QString::fromUtf8(path)))
            open_path(path, true);
    }
}
