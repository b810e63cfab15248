// Command files in script-editor tabs: creating, opening, saving, closing, the editor map and
// the recent and open lists of the configuration. Kept apart from the main window so that it
// works on any tab area and any kind of script page.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;
class script_recovery;
class tab_area;
struct sys_config_record;

// What the file logic needs from a script page (the script editor in the program).
struct script_page_hooks {
    std::function<QWidget *(const QByteArray &content)> create; // a new page showing the text
    std::function<QByteArray(QWidget *)> text;                  // its text as UTF-8
    std::function<bool(QWidget *)> modified;                    // unsaved changes?
    std::function<void(QWidget *)> mark_saved;
    // Puts recovered text in as an edit of the page (undoable, the page counts as modified).
    std::function<void(QWidget *, const QByteArray &)> restore;
};

class cmd_file_tabs : public QObject {
    Q_OBJECT
public:
    using editor_map = QMap<QByteArray, QWidget *>;

    // Script pages go into `area` as its script tabs. Dialogs and messages belong to
    // dialog_parent.
    cmd_file_tabs(tab_area &area, sys_config_record &config, script_page_hooks hooks,
                  QWidget *dialog_parent, QObject *parent = nullptr);
    ~cmd_file_tabs() override;

    // The editor map: command-file path -> its page; a path is open at most once.
    const editor_map &editors() const { return map_; }

    static QString file_filter();
    // The chosen path, with ".tcd" added when its name has no extension.
    static QString with_extension(const QString &chosen);
    // "scriptfileN.tcd" with the smallest N from 1 that no script tab carries as its title.
    QString proposed_name() const;

    // The common road of new, open, open recent and the reopening at start. Returns the page
    // (the one already open for the path, if any). At start the lists are left as they are.
    QWidget *open_path(const QByteArray &path, bool at_start = false);

    // The file actions; each returns quietly when a dialog is cancelled.
    void new_file();
    void open_file();
    void open_recent(const QByteArray &path);
    void cls_recent();
    bool save_file();         // the current page; false when it could not be written
    bool save_all_files();    // every page in tab order; false when any could not be written
    // Before the window closes or the program restarts: saves every page, and for each that
    // cannot be written asks to save it elsewhere, discard its changes or cancel. False when
    // the user cancelled (nothing closes then).
    bool save_all_before_leaving();
    void save_file_as();
    void close_file();        // the current page
    void close_all_files();
    void close_files_except();
    // Reopens the files of the open list that still exist, in list order.
    void reopen_at_start();

    // Closes one page as close_file does (saved first when modified). False when it is not a
    // script page of this map or when its unsaved text could not be written (it then stays).
    bool close_page(QWidget *page);
    // Writes one page to its file; true when the file holds the text afterwards.
    bool save_page(QWidget *page);

    QByteArray path_of(const QWidget *page) const;
    QWidget *current_script() const;
    bool any_modified() const;
    // The script pages in tab order.
    QList<QWidget *> script_pages() const;

    // Reads a whole file: empty when it cannot be read.
    static QByteArray read_file(const QByteArray &path);
    // Writes the bytes in one step: the old content stays whole when writing fails.
    static bool write_file(const QByteArray &path, const QByteArray &bytes);
    static QString file_name_of(const QByteArray &path);

    // Recovery copies (cmd_file_tabs_recovery.cpp), kept where script_recovery::root() says.
    // A page's text changed: its copy is written once the typing pauses for copy_delay_ms, and
    // at the latest copy_delay_max_ms after the first change not yet copied.
    void note_edit(QWidget *page);
    // Writes the copies of the pages changed since the last write now.
    void write_copies();
    // After a start: offers each copy that a client left when it ended without cleaning up;
    // Yes (the default) puts the text into the file's tab, No discards it.
    void offer_left_copies();
    // A clean end: no copy stays.
    void end_session();
    const script_recovery &recovery() const { return *recovery_; }
    // "%n seconds" up to "%n days", the age the offer names.
    static QString age_text(qint64 seconds);
    static constexpr int copy_delay_ms = 2000;
    static constexpr int copy_delay_max_ms = 10000;

signals:
    // The tabs' states changed without a change of the current tab (after saving all): the
    // window refreshes its actions for the current tab.
    void current_stale();
    // A page was created for a file (the window connects its signals and hands it the tables).
    void page_opened(QWidget *page, const QByteArray &path);
    // The recent list changed: the window rebuilds the recent-files submenu.
    void recent_changed();

private:
    bool is_script(const QWidget *page) const;
    // The save chooser of the file actions; empty when cancelled.
    QString ask_save_path(const QString &caption, const QString &start) const;
    void remove_page(QWidget *page);

    tab_area &area_;
    editor_map map_;
    sys_config_record &config_;
    script_page_hooks hooks_;
    QPointer<QWidget> dialog_parent_;

    std::unique_ptr<script_recovery> recovery_;
    QTimer copy_timer_;
    QElapsedTimer first_uncopied_;
    QList<QPointer<QWidget>> uncopied_;
};
