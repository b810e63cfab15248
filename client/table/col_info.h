// The tab window in which a table is defined: a new table with its fields, fields added to a
// table, one field changed or renamed, or the fields only looked at.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "table/window_closing.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;
class db_link;
class wait_notice;
struct field_change;

class col_info : public QWidget {
    Q_OBJECT
public:
    // What the window was filled for.
    static constexpr int add_fields = 0;
    static constexpr int modify = 1;
    static constexpr int rename = 2;
    static constexpr int view = 3;
    static constexpr int create_table = 4;
    static constexpr int construction = 5; // not filled yet: nothing can be changed or applied

    // Grid columns.
    static constexpr int name_col = 0;
    static constexpr int type_col = 1;
    static constexpr int index_col = 2;

    // The connection is not owned; the table is created on its thread.
    explicit col_info(db_link *link, QWidget *parent = nullptr);

    // Called once after construction. field is the field to modify or rename; indexes are the
    // texts "true" / "false" of the fields' index flags.
    void fill(const QByteArray &table, const QByteArray &field, const QList<QByteArray> &names,
              const QList<QByteArray> &types, const QList<QByteArray> &indexes, int mode);

    // The type names the type cells offer, in the order offered.
    static const QList<QByteArray> &type_names();

    // The form.
    QLabel *label = nullptr;
    QLineEdit *table_le = nullptr;
    QToolButton *add_btn = nullptr;
    QToolButton *delete_btn = nullptr;
    QTableWidget *tableWidget = nullptr;
    QPushButton *apply_btn = nullptr;
    QPushButton *cancel_btn = nullptr;

    QByteArray table;
    int mode = construction;
    int existing = 0; // rows of the fields the table had when filled; they are never removed
    QPointer<db_link> link;
    // The create command is on its way: Apply waits for its answer.
    bool applying() const { return applying_; }
    wait_notice *waits() const { return wait_; }
    // The form differs from what it was filled with, in a mode that can apply it.
    bool has_pending() const;
    // May the window go now? Unapplied changes ask first (window_closing.h): Apply runs Apply,
    // which ends the window with accepted() when it succeeds; Discard drops them; Cancel keeps it.
    close_answer may_close();

signals:
    void accepted();
    void rejected();
    // Apply has ended, whichever way.
    void applied(bool ok);

public slots:
    void add(bool checked = false);
    void del(bool checked = false);
    void apply(bool checked = false);
    void cancel(bool checked = false);
    void cellDoubleClicked(int row, int column);
    void currentCellChanged(int row, int column, int previous_row, int previous_column);
    void currentIndexChanged(int index);

private:
    bool cell_editable(int row, int column) const;
    void add_row(const QByteArray &name, const QByteArray &type, const QByteArray &index);
    void set_type_text(int row, const QByteArray &type);
    QByteArray cell_text(int row, int column) const;
    // Why a name the user typed cannot be sent, or an empty text when it can.
    QString name_problem(const QByteArray &name, bool is_table) const;
    // The first of the names in rows [from, rowCount()) that cannot be sent, or named twice
    // (also against the rows before from); empty when all can be sent.
    QString field_names_problem(int from) const;

    void apply_create();
    void apply_add();
    void apply_modify();
    void apply_rename();
    // Result boxes of the field operations, with the reason on the second line.
    void field_failed(const QString &title, const QString &text, const QString &reason);
    // Sends the field operations on the connection thread, in order; then receives the index of
    // the first that failed, or -1.
    void send_field_changes(const QList<field_change> &changes, const std::function<void(int failed)> &then);

    // The table name and every cell's text, in row order.
    QStringList form_state() const;
    // Puts the row back as it was filled: what the server has after a change it refused.
    void restore_row(int row);

    QStringList filled_; // form_state() right after fill
    QByteArray field_;  // the field to modify or rename
    int field_row_ = -1;
    bool applying_ = false;
    wait_notice *wait_ = nullptr;
};
