// The script tab: layout, running the script through result grids, and the result tab actions.
#include "script/cmd_script_editor.h"

#include "common/wait_notice.h"
#include "db/db_link.h"
#include "config/editor_restyle.h"
#include "config/sys_config.h"
#include "editor/editor.h"
#include "editor/editor_area.h"
#include "editor/linenumber_wt.h"
#include "script/script_lines.h"
#include "common/failure_box.h"
#include "common/modal_seam.h"
#include "table/grid_copy.h"
#include "table/grid_csv.h"
#include "table/search_tab_dlg.h"
#include "table/chart_pane.h"
#include "table/tab_data_model.h"
#include "table/view_export.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const command_property = "vorn_command";
// Pixels between the chart button beside the result tabs and the window's right edge.
constexpr int corner_margin = 6;

// The table a command reads, when its first word names one to read ("view t1 ..."); the
// model asks for that table's fields when the result comes without rows.
QByteArray table_of(const QByteArray &cmd)
{
    const QList<QByteArray> words = cmd.simplified().split(' ');
    if (words.size() >= 2 && words[0] == "view")
        return words[1];
    return QByteArray();
}

} // namespace

cmd_script_editor::cmd_script_editor(QWidget *owner, db_link *link, const QByteArray &content, QWidget *parent)
    : QWidget(parent), owner_(owner), link_(link), runner_(link, owner ? owner : this, this)
{
    setObjectName(QStringLiteral("cmd_script_editor"));

    auto *top = new QWidget;
    auto *top_lay = new QVBoxLayout(top);
    top_lay->setContentsMargins(10, 10, 10, 4);
    area_ = new editor_area(top);
    area_->area()->setGeometry(10, 10, 500, 200);
    area_->area()->setMinimumHeight(200);
    editor *ed = area_->editor_widget();
    ed->setObjectName(QStringLiteral("cmd script editor"));
    ed->set_style(editor_style_of(sys_config));
    // The font size keys change the size of every script's text and the stored configuration.
    connect(ed, &editor::font_size_changed, this, [ed] { keep_font_sizes(*ed); });
    ed->resize(800, 600);
    top_lay->addWidget(area_, 1);

    exec_btn_ = new QPushButton(tr("execute(&e)"), top);
    exec_btn_->setObjectName(QStringLiteral("exec_btn"));
    exec_btn_->setShortcut(QKeySequence(tr("Ctrl+Return")));
    // The waits of this tab's commands: the runner's and the export's.
    wait_ = new wait_notice(link, this, top);
    auto *btn_row = new QHBoxLayout;
    btn_row->addWidget(exec_btn_);
    btn_row->addStretch(1);
    btn_row->addWidget(wait_);
    top_lay->addLayout(btn_row);

    tab_widget_ = new QTabWidget;
    tab_widget_->setObjectName(QStringLiteral("tabWidget"));
    tab_widget_->setTabsClosable(true);
    tab_widget_->setElideMode(Qt::ElideRight);
    tab_widget_->hide();

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->addWidget(top);
    splitter_->addWidget(tab_widget_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 2);
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(splitter_);

    QTabBar *bar = tab_widget_->tabBar();
    bar->setContextMenuPolicy(Qt::ActionsContextMenu);
    copy_act_ = new QAction(tr("copy current text"), bar);
    close_all_act_ = new QAction(tr("close all"), bar);
    close_cur_act_ = new QAction(tr("close current"), bar);
    export_act_ = new QAction(tr("export current data"), bar);
    export_act_->setToolTip(tr("export current windows execute result to csv/csvs file"));
    bar->addAction(copy_act_);
    bar->addAction(close_all_act_);
    bar->addAction(close_cur_act_);
    bar->addAction(export_act_);
    // The corner sits flush with the window's edge: a margin keeps the button's frame inside.
    auto *corner = new QWidget;
    auto *corner_row = new QHBoxLayout(corner);
    corner_row->setContentsMargins(0, 0, corner_margin, 0);
    chart_btn_ = new QToolButton(corner);
    chart_btn_->setObjectName(QStringLiteral("chart_btn"));
    chart_btn_->setAutoRaise(true);
    chart_btn_->hide();
    corner_row->addWidget(chart_btn_);
    tab_widget_->setCornerWidget(corner, Qt::TopRightCorner);

    connect(exec_btn_, &QPushButton::clicked, this, &cmd_script_editor::exec_cmd);
    connect(ed, &editor::textChanged, this, &cmd_script_editor::change_layout);
    connect(ed, &editor::lineChanged, this, &cmd_script_editor::change_layout);
    connect(ed, &editor::modified_changed, this, &cmd_script_editor::sync_modified);
    connect(ed, &editor::textChanged, this, &cmd_script_editor::sync_modified);
    connect(tab_widget_, &QTabWidget::tabCloseRequested, this, qOverload<int>(&cmd_script_editor::close_tab));
    connect(tab_widget_, &QTabWidget::currentChanged, this, &cmd_script_editor::follow_chart_toggle);
    connect(copy_act_, &QAction::triggered, this, &cmd_script_editor::copy_tab);
    connect(close_all_act_, &QAction::triggered, this, &cmd_script_editor::close_all_tab);
    connect(close_cur_act_, &QAction::triggered, this, qOverload<bool>(&cmd_script_editor::close_tab));
    connect(export_act_, &QAction::triggered, this, &cmd_script_editor::export_data);
    // editor_area already follows the scroll area; this keeps the slot of this window in step.
    connect(area_->area(), &scrollarea::change_geo, this, &cmd_script_editor::update_ed_geo);

    ed->set_text(QString::fromUtf8(content));
    ed->mark_saved();
    setFocusProxy(ed);
    change_layout();
}

cmd_script_editor::~cmd_script_editor() = default;

editor *cmd_script_editor::editor_widget() const { return area_->editor_widget(); }
bool cmd_script_editor::modified() const { return editor_widget()->modified(); }

void cmd_script_editor::mark_saved()
{
    editor_widget()->mark_saved();
    sync_modified();
}

void cmd_script_editor::sync_modified()
{
    const bool now = modified();
    setWindowModified(now);
    if (now == shown_modified_)
        return;
    shown_modified_ = now;
    emit modified_changed(now);
}

QByteArray cmd_script_editor::text_bytes() const
{
    return QByteArray::fromStdString(editor_widget()->text_bytes());
}

void cmd_script_editor::set_table_names(const QStringList &tables, const QMap<QString, QStringList> &fields)
{
    editor_widget()->set_table_names(tables, fields);
}

void cmd_script_editor::set_window_actions(const editor_actions &actions)
{
    editor_widget()->set_window_actions(actions);
}

void cmd_script_editor::update_ed_geo(const QRect &visible) { area_->update_ed_geo(visible); }
void cmd_script_editor::change_layout() { area_->change_layout(); }

QTableView *cmd_script_editor::result_view(int index) const
{
    // A result page is a splitter of the grid and, once asked for, its chart.
    QWidget *page = tab_widget_->widget(index);
    return page ? page->findChild<QTableView *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

tab_data_model *cmd_script_editor::result_model(int index) const
{
    QTableView *v = result_view(index);
    return v ? qobject_cast<tab_data_model *>(v->model()) : nullptr;
}

QByteArray cmd_script_editor::result_command(int index) const
{
    QWidget *w = tab_widget_->widget(index);
    return w ? w->property(command_property).toByteArray() : QByteArray();
}

// ---------------------------------------------------------------- running

void cmd_script_editor::exec_cmd()
{
    if (runner_.running())
        return;
    const QList<QByteArray> commands = script_lines::split_commands(text_bytes());
    while (tab_widget_->count() > 0)
        remove_result(tab_widget_->count() - 1);
    show_or_hide_results();
    exec(commands, 0);
}

void cmd_script_editor::exec_sel(bool)
{
    editor *ed = editor_widget();
    if (runner_.running() || ed->selections().empty())
        return;
    const int first_line = int(ed->buffer().line_of(ed->selections().front().begin));
    exec(script_lines::split_commands(ed->selected_text().toUtf8()), first_line);
}

void cmd_script_editor::exec_cur(bool)
{
    editor *ed = editor_widget();
    if (runner_.running())
        return;
    exec(script_lines::split_commands(ed->current_line_text().toUtf8()), int(ed->current_line()));
}

bool cmd_script_editor::exec(const QList<QByteArray> &commands, int first_line)
{
    if (runner_.running())
        return false;
    failed_line_ = -1;
    // On the connection thread: the grid of a command that returned data; its log line goes in
    // after any command the grid needed for its types.
    const auto one = [](db_exec &db, const QByteArray &cmd, int, std::unique_ptr<grid_data> &piece) {
        auto grid = std::make_unique<grid_data>(tab_data_model::fetch(db, table_of(cmd), cmd, 1));
        db.append_log(grid->log_line);
        const bool ok = grid->status.ok;
        if (ok && grid->filled)
            piece = std::move(grid);
        return ok;
    };
    const auto take = [this, commands](int index, grid_data &&grid) {
        const QByteArray cmd = commands.value(index);
        add_result(cmd, std::move(grid));
    };
    return runner_.start(commands, one, take, [this, commands, first_line](const script_runner::outcome &out) {
        run_ended(out, commands, first_line);
    });
}

void cmd_script_editor::run_ended(const script_runner::outcome &out, const QList<QByteArray> &commands, int first_line)
{
    show_or_hide_results();
    focus_editor();
    QWidget *parent = owner_ ? owner_.data() : this;
    if (out.failed >= 0) {
        failed_line_ = first_line + out.failed;
        // The cursor goes to the failing line, so the user sees which one it was.
        editor *ed = editor_widget();
        if (failed_line_ < ed->line_count())
            ed->set_cursor_position(ed->buffer().line_start(failed_line_));
        const QString text = tr("the cmd \"%1\" execute failed!").arg(QString::fromUtf8(commands[out.failed]));
        QPointer<db_link> link = link_;
        failure_box::show(parent, tr("execute infomation"), text, out.status, [link] {
            if (link)
                link->request_reconnect();
        });
        emit run_finished(false);
        return;
    }
    if (out.cancelled) {
        modal_seam::information(parent, tr("execute infomation"),
                                tr("the cmd execute is cancelled after %1 of %2 commands!").arg(out.done).arg(out.total));
        emit run_finished(false);
        return;
    }
    modal_seam::information(parent, tr("execute infomation"), tr("the cmd execute sussesful total!"));
    emit executed(true);
    emit run_finished(true);
}

void cmd_script_editor::add_result(const QByteArray &cmd, grid_data &&grid)
{
    auto *page = new QSplitter(Qt::Horizontal);
    page->setChildrenCollapsible(false);
    auto *view = new QTableView;
    page->addWidget(view);
    // The grid is set up empty and takes its rows in one reset once it is in place: a view
    // given a model of a million rows lays out its row header twice.
    auto *model = new tab_data_model(table_of(cmd), view);
    view->setModel(model);
    // No indicator yet: the rows keep the server's order until the user picks a column.
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    page->setProperty(command_property, cmd);

    auto *find = new QAction(QIcon(QStringLiteral(":/img/find.svg")), tr("find text"), view);
    find->setObjectName(QStringLiteral("act_find_result"));
    find->setShortcut(QKeySequence(tr("ctrl+shift+f")));
    find->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view->addAction(find);
    add_copy_action(view);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(find, &QAction::triggered, this, [this, view, model] {
        // Result grids are read-only: their dialog finds but never replaces.
        search_tab_dlg::of(view, model, false)->show_top(false);
        emit find_in_result(view);
    });

    QString title = QString::fromUtf8(cmd);
    title.replace(QLatin1Char('&'), QLatin1String("&&"));
    const int index = tab_widget_->addTab(page, title);
    tab_widget_->setTabToolTip(index, QString::fromUtf8(cmd));
    tab_widget_->setCurrentIndex(index);
    show_or_hide_results();

    model->take(std::move(grid));
    model->set_read_only(true);
    for (int c = 0; c < model->columnCount(); ++c)
        if (item_dlgt *d = model->delegate_of(c))
            view->setItemDelegateForColumn(c, d);
    // Shown, the grid measures the rows in sight; not laid out yet, the first rows of the
    // result: a hundred of them tell a column's width as well as Qt's thousand, at a tenth of
    // the cost of shaping their texts on this thread.
    view->horizontalHeader()->setResizeContentsPrecision(100);
    view->resizeColumnsToContents();
    // Off by default: a result tab opens on its grid, and the chart costs nothing until asked.
    QAction *chart = chart_pane::add_toggle(page, model, view, false);
    // A reload may make the grid chartable or not: the button beside the tabs follows.
    connect(chart, &QAction::changed, this, &cmd_script_editor::follow_chart_toggle);
    follow_chart_toggle();
}

void cmd_script_editor::remove_result(int index)
{
    QWidget *w = tab_widget_->widget(index);
    if (!w)
        return;
    tab_widget_->removeTab(index);
    delete w;   // the grid, its model and delegates, and the chart go with the page
}

void cmd_script_editor::follow_chart_toggle()
{
    QTableView *view = result_view(tab_widget_->currentIndex());
    QAction *toggle = view ? view->findChild<QAction *>(QStringLiteral("chart_toggle"), Qt::FindDirectChildrenOnly)
                           : nullptr;
    if (toggle && chart_btn_->defaultAction() != toggle) {
        // A button that holds more than one action draws a menu arrow over its text.
        if (QAction *before = chart_btn_->defaultAction())
            chart_btn_->removeAction(before);
        chart_btn_->setDefaultAction(toggle);
    }
    chart_btn_->setVisible(toggle && toggle->isVisible());
}

void cmd_script_editor::show_or_hide_results()
{
    tab_widget_->setVisible(tab_widget_->count() > 0);
}

void cmd_script_editor::focus_editor()
{
    editor_widget()->setFocus();
}

// ---------------------------------------------------------------- result tab actions

void cmd_script_editor::close_tab(int index)
{
    remove_result(index);
    show_or_hide_results();
}

void cmd_script_editor::close_tab(bool)
{
    if (tab_widget_->count() > 0)
        close_tab(tab_widget_->currentIndex());
}

void cmd_script_editor::close_all_tab(bool)
{
    while (tab_widget_->count() > 0)
        remove_result(tab_widget_->count() - 1);
    show_or_hide_results();
}

void cmd_script_editor::copy_tab(bool)
{
    // The tab's data, ready for a spreadsheet; the command is in the tab's title and tip.
    if (QTableView *view = result_view(tab_widget_->currentIndex()))
        QApplication::clipboard()->setText(all_cells_text(view));
}

QString cmd_script_editor::export_path_for(const QByteArray &cmd, const QDateTime &when)
{
    QByteArray name = table_of(cmd);
    if (name.isEmpty())
        name = cmd.simplified().split(' ').value(0);
    // Only bytes every file system takes; the rest of a name becomes "_".
    QString safe;
    for (const QChar ch : QString::fromUtf8(name))
        safe += (ch.isLetterOrNumber() || ch == QLatin1Char('_') || ch == QLatin1Char('-')) ? ch : QLatin1Char('_');
    if (safe.isEmpty())
        safe = QStringLiteral("result");
    return QStringLiteral("./export_data/%1_%2.csv").arg(safe, when.toString(QStringLiteral("yy-MM-dd_HH_mm_ss")));
}

void cmd_script_editor::export_data(bool)
{
    if (tab_widget_->count() == 0 || !link_)
        return;
    QByteArray cmd = result_command(tab_widget_->currentIndex());
    // Trimmed as the export command wants its query: no trailing separator or blanks.
    const QByteArray strip = "; \t\n\v\f";
    int b = 0, e = cmd.size();
    while (b < e && strip.contains(cmd[b]))
        ++b;
    while (e > b && strip.contains(cmd[e - 1]))
        --e;
    cmd = cmd.mid(b, e - b);

    // The file lies on the server (the query is exported there, under a relative path) or on
    // this machine (the grid's rows are written here, not fetched again).
    const int index = tab_widget_->currentIndex();
    csv_export_request req;
    req.view = cmd;
    req.dialog_title = tr("export current windows execute result to csv/csvs file");
    req.preset_path = export_path_for(cmd, QDateTime::currentDateTime());
    req.result_title = tr("export data result");
    req.result_text = [](const QString &path, bool ok) {
        return tr("export current data to file '%1' is %2!").arg(path, ok ? tr("successful") : tr("failed"));
    };
    req.write_here = [this, index](const QString &path, const csv_form &form, bool replace, QByteArray &why) {
        const tab_data_model *model = result_model(index);
        return model && write_local_file(path, grid_csv_text(*model, form), replace, why);
    };
    // The tab waits for the server's export: its own notice shows the wait.
    export_through_dialog(this, *link_, req);
}

// ---------------------------------------------------------------- Edit menu

void cmd_script_editor::cut() { editor_widget()->cut(); }
void cmd_script_editor::copy() { editor_widget()->copy(); }
void cmd_script_editor::paste() { editor_widget()->paste(); }
void cmd_script_editor::redo() { editor_widget()->redo(); }
void cmd_script_editor::undo() { editor_widget()->undo(); }
void cmd_script_editor::goto_err() { editor_widget()->goto_error(); }
void cmd_script_editor::goto_lineb() { editor_widget()->goto_line_begin(); }
void cmd_script_editor::goto_linee() { editor_widget()->goto_line_end(); }
void cmd_script_editor::goto_wordb() { editor_widget()->goto_word_begin(); }
void cmd_script_editor::goto_worde() { editor_widget()->goto_word_end(); }
void cmd_script_editor::del_sel() { editor_widget()->delete_selection(); }
void cmd_script_editor::sel_beside() { editor_widget()->select_beside(); }
void cmd_script_editor::sel_all() { editor_widget()->select_all(); }
void cmd_script_editor::sel_line() { editor_widget()->select_line(); }
void cmd_script_editor::sel_word() { editor_widget()->select_word(); }
void cmd_script_editor::find() { editor_widget()->find(); }
void cmd_script_editor::replace() { editor_widget()->replace(); }
void cmd_script_editor::print() { editor_widget()->print(); }

void cmd_script_editor::format_sel()
{
    editor *ed = editor_widget();
    if (ed->selections().empty())
        return;
    const text_buffer &buf = ed->buffer();
    const qint64 first = buf.line_of(ed->selections().front().begin);
    const qint64 last = buf.line_of(std::max<qint64>(ed->selections().back().begin, ed->selections().back().end - 1));
    const qint64 begin = buf.line_start(first);
    const qint64 end = buf.line_start(last) + buf.line_length(last);
    QByteArray old = QByteArray::fromStdString(buf.mid(begin, end - begin));
    QList<QByteArray> lines = old.split('\n');
    for (QByteArray &l : lines)
        l = script_lines::format_line(l);
    const QByteArray formatted = lines.join('\n');
    if (formatted != old)
        ed->replace_range(begin, end, QString::fromUtf8(formatted));
    ed->setFocus();
}
