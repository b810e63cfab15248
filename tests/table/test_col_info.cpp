// The table definition window against the development server: creating tables, the row rules of
// each mode, the type and index boxes, names refused before anything is sent, and the boxes of
// the field operations the server has no command for.
#include "common/modal_seam.h"
#include "db/cmd_builders.h"
#include "table/col_info.h"
#include "table_server_helper.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

namespace {

const QString no_command = QStringLiteral("the server offers no command for this operation.");

QString text(const col_info &w, int row, int column)
{
    const QTableWidgetItem *item = w.tableWidget->item(row, column);
    return item ? item->text() : QString();
}

bool editable(const col_info &w, int row, int column)
{
    return w.tableWidget->item(row, column)->flags() & Qt::ItemIsEditable;
}

// The combo box a double click puts into the cell, or null when the cell offers none.
QComboBox *open_box(col_info &w, int row, int column)
{
    w.tableWidget->setCurrentCell(row, column);
    w.cellDoubleClicked(row, column);
    return qobject_cast<QComboBox *>(w.tableWidget->cellWidget(row, column));
}

void set_name(col_info &w, int row, const QString &name) { w.tableWidget->item(row, col_info::name_col)->setText(name); }

} // namespace

class test_col_info : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;

    // How many commands with the verb the server has logged, once everything sent so far is in
    // its log (the log is written in batches: a marker command shows it has caught up); -1 when
    // the log never caught up.
    int logged(const QString &verb)
    {
        auto count = [this](const QString &v) {
            int n = 0;
            for (const QString &line : srv->server_log().split('\n')) {
                const QStringList words = line.split(' ');
                n += words.size() > 1 && words[1] == v;
            }
            return n;
        };
        const int markers = count("truncate");
        srv->run("truncate col_info_marker");
        if (!QTest::qWaitFor([&] { return count("truncate") > markers; }, 30000))
            return -1;
        return count(verb);
    }

    QList<QByteArray> fields(const QByteArray &table, QList<QByteArray> *types = nullptr)
    {
        name_list names, type_list, numbers;
        field_info(*srv->exec(), table, names, type_list, numbers, false);
        if (types)
            *types = type_list;
        return names;
    }

private slots:
    void initTestCase()
    {
        srv = std::make_unique<table_server>();
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(srv->run("create col_info_marker m i32"));
        QVERIFY(srv->run("create t a i32 b string"));
    }
    void cleanupTestCase() { srv.reset(); }

    void plain_names()
    {
        for (const char *good : {"a", "_", "weather_2", "A1_b"})
            QVERIFY2(is_plain_name(good), good);
        QCOMPARE(plain_name_fault(""), name_fault::empty);
        QCOMPARE(plain_name_fault("2x"), name_fault::leading_digit);
        int at = -1;
        QCOMPARE(plain_name_fault("weather; drop t", &at), name_fault::bad_char);
        QCOMPARE(at, 7);
        for (const char *bad : {"a b", "a-b", "a\"b", "t\n", "温度", "a.b"})
            QVERIFY2(!is_plain_name(bad), bad);
    }

    void builder_refuses_what_it_cannot_send_safely()
    {
        const int before = logged("create");
        QVERIFY(before >= 0);
        QVERIFY(before >= 2); // the tables of initTestCase: the log is read right
        db_exec &db = *srv->exec();
        QVERIFY(!create_table(db, "weather; drop t", {"v"}, {"i32"}));
        QVERIFY(!create_table(db, "w1", {"v i32 x"}, {"i32"}));
        QVERIFY(!create_table(db, "w1", {"v", "v"}, {"i32", "u08"}));
        QVERIFY(!create_table(db, "w1", {"v"}, {"int; drop t"}));
        QVERIFY(!create_table(db, "w1", {}, {}));
        QVERIFY(!change_field(db, "t", field_change{"a", "c", "i32", false}));
        QCOMPARE(logged("create"), before);
        QCOMPARE(fields("t"), (QList<QByteArray>{"a", "b"}));
    }

    void fresh_create_window()
    {
        col_info w(srv->link());
        w.fill("", "", {}, {}, {}, col_info::create_table);
        QCOMPARE(w.mode, col_info::create_table);
        QVERIFY(!w.table_le->isReadOnly());
        QVERIFY(w.apply_btn->isEnabled());
        QCOMPARE(w.tableWidget->rowCount(), 1);
        QCOMPARE(text(w, 0, 0), QString("f1"));
        QCOMPARE(text(w, 0, 1), QString("u32"));
        QVERIFY(!w.tableWidget->item(0, 1)->icon().pixmap(16, 16).isNull());
        QVERIFY(w.tableWidget->isColumnHidden(col_info::index_col));
        QVERIFY(!w.tableWidget->isColumnHidden(col_info::type_col));
        w.add_btn->click();
        w.add_btn->click();
        QCOMPARE(w.tableWidget->rowCount(), 3);
        QCOMPARE(text(w, 1, 0), QString("f2"));
        QCOMPARE(text(w, 2, 0), QString("f3"));
        QCOMPARE(text(w, 2, 1), QString("u32"));
        QCOMPARE(w.tableWidget->currentRow(), 2);
        QCOMPARE(w.tableWidget->currentColumn(), 0);
        QVERIFY(editable(w, 2, 0));
        // "-" takes the current row, whichever it is.
        w.tableWidget->setCurrentCell(0, 0);
        w.delete_btn->click();
        QCOMPARE(w.tableWidget->rowCount(), 2);
        QCOMPARE(text(w, 0, 0), QString("f2"));
    }

    void type_and_index_boxes()
    {
        col_info w(srv->link());
        w.fill("", "", {}, {}, {}, col_info::create_table);
        QComboBox *box = open_box(w, 0, col_info::type_col);
        QVERIFY(box);
        const QStringList order = {"u08", "u16", "u32", "u64", "i08", "i16", "i32",
                                   "i64", "float", "double", "string", "date", "time", "datetime"};
        QCOMPARE(box->count(), order.size());
        for (int i = 0; i < box->count(); ++i) {
            QCOMPARE(box->itemText(i), order[i]);
            QVERIFY2(!box->itemIcon(i).pixmap(16, 16).isNull(), qPrintable(order[i]));
        }
        QCOMPARE(box->currentText(), QString("u32"));
        box->setCurrentIndex(order.indexOf("datetime"));
        QCOMPARE(text(w, 0, 1), QString("datetime"));
        // Leaving the cell takes the box away and keeps the choice.
        w.tableWidget->setCurrentCell(0, 0);
        QVERIFY(!w.tableWidget->cellWidget(0, 1));
        QCOMPARE(text(w, 0, 1), QString("datetime"));
        // A second box starts at the cell's type.
        box = open_box(w, 0, col_info::type_col);
        QCOMPARE(box->currentText(), QString("datetime"));
        // Names are typed, not picked.
        QVERIFY(!open_box(w, 0, col_info::name_col));
        // The box covers its whole cell, so the cell's own type icon does not show beside it.
        w.resize(600, 400);
        w.show();
        box = open_box(w, 0, col_info::type_col);
        QTRY_VERIFY(box->isVisible());
        const QRect cell = w.tableWidget->visualItemRect(w.tableWidget->item(0, col_info::type_col));
        QTRY_COMPARE(box->geometry().left(), cell.left());
        QCOMPARE(box->geometry().right(), cell.right());

        col_info a(srv->link());
        a.fill("t", "", {"a"}, {"i32"}, {"false"}, col_info::add_fields);
        a.add_btn->click();
        QCOMPARE(text(a, 1, 2), QString("false"));
        QComboBox *index = open_box(a, 1, col_info::index_col);
        QVERIFY(index);
        QCOMPARE(index->count(), 2);
        QCOMPARE(index->itemText(0), QString("true"));
        QCOMPARE(index->itemText(1), QString("false"));
        index->setCurrentIndex(0);
        QCOMPARE(text(a, 1, 2), QString("true"));
    }

    void create_makes_the_table()
    {
        modal_seam::script answers;
        col_info w(srv->link());
        QSignalSpy accepted(&w, &col_info::accepted);
        w.fill("", "", {}, {}, {}, col_info::create_table);
        w.table_le->setText("weather");
        set_name(w, 0, "temp");
        w.add_btn->click();
        open_box(w, 1, col_info::type_col)->setCurrentIndex(9); // double
        w.add_btn->click();
        open_box(w, 2, col_info::type_col)->setCurrentIndex(10); // string
        w.apply_btn->click();
        QVERIFY(srv->settle());
        QCOMPARE(answers.shown.size(), std::size_t(1));
        QCOMPARE(answers.last_title(), QString("create table result"));
        QCOMPARE(answers.last_text(), QString("create table 'weather' is successful!"));
        QCOMPARE(accepted.count(), 1);
        QList<QByteArray> types;
        QCOMPARE(fields("weather", &types), (QList<QByteArray>{"temp", "f2", "f3"}));
        QCOMPARE(types, (QList<QByteArray>{"u32", "double", "string"}));

        // The server's refusal (the table exists now) keeps the window open with its reason.
        w.apply_btn->click();
        QVERIFY(srv->settle());
        QCOMPARE(accepted.count(), 1);
        QVERIFY(answers.last_text().startsWith("create table 'weather' is failed!\n"));
        QVERIFY(answers.last_text().size() > QString("create table 'weather' is failed!\n").size());
        QCOMPARE(w.tableWidget->rowCount(), 3);
    }

    void create_refuses_before_sending()
    {
        const int before = logged("create");
        QVERIFY(before >= 0);
        modal_seam::script answers;
        col_info w(srv->link());
        QSignalSpy accepted(&w, &col_info::accepted);
        w.fill("", "", {}, {}, {}, col_info::create_table);
        w.add_btn->click();

        struct refusal {
            const char *table, *field1, *field2, *reason;
        };
        const refusal cases[] = {
            {"weather; drop t", "f1", "f2", "the table name 'weather; drop t' holds ';'"},
            {"2020_data", "f1", "f2", "the table name '2020_data' starts with a digit."},
            {"", "f1", "f2", "the table name is empty."},
            {"ok_name", "v i32 x", "f2", "the field name 'v i32 x' holds ' '"},
            {"ok_name", "9v", "f2", "the field name '9v' starts with a digit."},
            {"ok_name", "", "f2", "a field name is empty."},
            {"ok_name", "v", "v", "the field name 'v' is given twice."},
            {"ok_name", "温度", "f2", "the field name '温度' holds '温'"},
        };
        for (const refusal &c : cases) {
            w.table_le->setText(QString::fromUtf8(c.table));
            set_name(w, 0, QString::fromUtf8(c.field1));
            set_name(w, 1, QString::fromUtf8(c.field2));
            w.apply_btn->click();
            QVERIFY(srv->settle());
            const QStringList lines = answers.last_text().split('\n');
            QCOMPARE(lines.size(), 2);
            QCOMPARE(lines[0], QString("create table '%1' is failed!").arg(QString::fromUtf8(c.table)));
            QVERIFY2(lines[1].startsWith(QString::fromUtf8(c.reason)), qPrintable(lines[1]));
        }

        // No rows: nothing to send either.
        w.table_le->setText("no_fields");
        w.tableWidget->setCurrentCell(1, 0);
        w.delete_btn->click();
        w.tableWidget->setCurrentCell(0, 0);
        w.delete_btn->click();
        QCOMPARE(w.tableWidget->rowCount(), 0);
        w.apply_btn->click();
        QVERIFY(srv->settle());
        QCOMPARE(answers.last_title(), QString("create table result"));
        QVERIFY(answers.last_text().startsWith("create table 'no_fields' is failed!"));

        QCOMPARE(accepted.count(), 0);
        QCOMPARE(logged("create"), before);
        QVERIFY(fields("ok_name").isEmpty());
        QCOMPARE(fields("t"), (QList<QByteArray>{"a", "b"}));
    }

    void add_mode_rows()
    {
        modal_seam::script answers;
        col_info w(srv->link());
        QSignalSpy accepted(&w, &col_info::accepted);
        w.fill("t", "", {"a", "b"}, {"i32", "string"}, {"false", "true"}, col_info::add_fields);
        QCOMPARE(w.existing, 2);
        QVERIFY(w.table_le->isReadOnly());
        QVERIFY(!w.tableWidget->isColumnHidden(col_info::index_col));
        QCOMPARE(text(w, 1, 2), QString("true"));
        for (int row : {0, 1}) {
            QVERIFY(!editable(w, row, 0));
            QVERIFY(!open_box(w, row, col_info::type_col));
            QVERIFY(!open_box(w, row, col_info::index_col));
        }
        w.add_btn->click();
        w.add_btn->click();
        QCOMPARE(text(w, 2, 0), QString("f3"));
        QCOMPARE(text(w, 3, 0), QString("f4"));
        QVERIFY(editable(w, 2, 0));
        QVERIFY(open_box(w, 3, col_info::type_col));

        // "-" never takes a field the table has.
        for (int row : {0, 1}) {
            w.tableWidget->setCurrentCell(row, 0);
            w.delete_btn->click();
            QCOMPARE(w.tableWidget->rowCount(), 4);
        }
        w.tableWidget->setCurrentCell(3, 0);
        w.delete_btn->click();
        QCOMPARE(w.tableWidget->rowCount(), 3);
        w.add_btn->click();

        // A bad or repeated new name is refused before any field goes out.
        set_name(w, 3, "a");
        w.apply_btn->click();
        QVERIFY(srv->settle());
        QCOMPARE(answers.last_title(), QString("create field result"));
        QCOMPARE(answers.last_text(), QString("create all field is failed!\nthe field name 'a' is given twice."));

        // The first failure stops the run: one box, for the first new field.
        set_name(w, 3, "x");
        const std::size_t boxes = answers.shown.size();
        w.apply_btn->click();
        QVERIFY(srv->settle());
        QCOMPARE(answers.shown.size(), boxes + 1);
        QCOMPARE(answers.last_title(), QString("create field result"));
        QCOMPARE(answers.last_text(), QString("create field 'f3' is failed!\n") + no_command);
        QCOMPARE(accepted.count(), 0);
        QCOMPARE(w.tableWidget->rowCount(), 4);
        QCOMPARE(fields("t"), (QList<QByteArray>{"a", "b"}));
    }

    void read_only_states()
    {
        col_info fresh(srv->link());
        QCOMPARE(fresh.mode, col_info::construction);
        QVERIFY(fresh.table_le->isReadOnly());
        QVERIFY(!fresh.apply_btn->isEnabled());
        QVERIFY(!fresh.add_btn->isEnabled());
        QVERIFY(!fresh.delete_btn->isEnabled());
        QCOMPARE(fresh.tableWidget->columnCount(), 3);
        QCOMPARE(fresh.tableWidget->horizontalHeaderItem(2)->text(), QString("Index"));
        QCOMPARE(fresh.tableWidget->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(fresh.tableWidget->selectionMode(), QAbstractItemView::SingleSelection);

        for (int mode : {col_info::view, col_info::construction}) {
            col_info w(srv->link());
            w.fill("t", "a", {"a", "b"}, {"i32", "string"}, {"false", "false"}, mode);
            QVERIFY(w.table_le->isReadOnly());
            QCOMPARE(w.table_le->text(), QString("t"));
            QCOMPARE(w.tableWidget->rowCount(), 2);
            QVERIFY(!w.apply_btn->isEnabled());
            QVERIFY(!w.add_btn->isEnabled());
            for (int row : {0, 1}) {
                QVERIFY(!editable(w, row, 0));
                QVERIFY(!open_box(w, row, col_info::type_col));
                QVERIFY(!open_box(w, row, col_info::index_col));
            }
            w.add(false);
            QCOMPARE(w.tableWidget->rowCount(), 2);
        }
    }

    void modify_and_rename()
    {
        modal_seam::script answers;
        col_info m(srv->link());
        QSignalSpy accepted(&m, &col_info::accepted);
        m.fill("t", "b", {"a", "b"}, {"i32", "string"}, {"false", "false"}, col_info::modify);
        QVERIFY(m.apply_btn->isEnabled());
        QVERIFY(!m.add_btn->isEnabled());
        QVERIFY(!open_box(m, 0, col_info::type_col));
        QVERIFY(!editable(m, 1, 0));
        QComboBox *type = open_box(m, 1, col_info::type_col);
        QVERIFY(type);
        type->setCurrentIndex(0);
        QCOMPARE(text(m, 1, 1), QString("u08"));
        m.apply_btn->click();
        QVERIFY(srv->settle());
        QCOMPARE(answers.last_title(), QString("modify field result"));
        QCOMPARE(answers.last_text(), QString("modify field is failed!\n") + no_command);
        QCOMPARE(accepted.count(), 0);
        // The grid shows what the server kept, not the refused type, and nothing is pending.
        QCOMPARE(text(m, 1, 1), QString("string"));
        QVERIFY(!m.tableWidget->cellWidget(1, col_info::type_col));
        QVERIFY(!m.has_pending());

        col_info r(srv->link());
        r.fill("t", "b", {"a", "b"}, {"i32", "string"}, {"false", "false"}, col_info::rename);
        QVERIFY(editable(r, 1, 0));
        QVERIFY(!editable(r, 0, 0));
        QVERIFY(!open_box(r, 1, col_info::type_col));
        set_name(r, 1, "c");
        r.apply_btn->click();
        QVERIFY(srv->settle());
        QCOMPARE(answers.last_title(), QString("rename field result"));
        QCOMPARE(answers.last_text(), QString("rename field 'b' to 'c' is failed!\n") + no_command);
        QCOMPARE(text(r, 1, 0), QString("b"));
        set_name(r, 1, "a");
        r.apply_btn->click();
        QVERIFY(srv->settle());
        QCOMPARE(answers.last_text(), QString("rename field 'b' to 'a' is failed!\nthe field name 'a' is given twice."));
        set_name(r, 1, "c;drop t");
        r.apply_btn->click();
        QVERIFY(srv->settle());
        QVERIFY(answers.last_text().endsWith("holds ';': only letters, digits and '_' are allowed."));
        QCOMPARE(fields("t"), (QList<QByteArray>{"a", "b"}));
    }

    // Cancel, as every road that closes the window, asks only when something is to lose.
    void cancel_asks_before_dropping_changes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("name");     // typed into table_le; empty: nothing changed
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("ended");    // "rejected", "accepted" or "" (still open)
        QTest::newRow("view") << int(col_info::view) << QString() << 0 << false << "rejected";
        QTest::newRow("fresh table") << int(col_info::create_table) << QString() << 0 << false << "rejected";
        QTest::newRow("keep") << int(col_info::create_table) << "ci_keep" << int(QMessageBox::Cancel) << true << "";
        QTest::newRow("discard") << int(col_info::create_table) << "ci_drop" << int(QMessageBox::Discard) << true
                                 << "rejected";
        QTest::newRow("apply") << int(col_info::create_table) << "ci_made" << int(QMessageBox::Apply) << true
                               << "accepted";
    }
    void cancel_asks_before_dropping_changes()
    {
        QFETCH(int, mode);
        QFETCH(QString, name);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(QString, ended);
        modal_seam::script answers;
        col_info w(srv->link());
        QSignalSpy rejected(&w, &col_info::rejected), accepted(&w, &col_info::accepted);
        w.fill(mode == col_info::view ? "t" : "", "", mode == col_info::view ? QList<QByteArray>{"a"} : QList<QByteArray>{},
               {"i32"}, {"false"}, mode);
        if (!name.isEmpty())
            w.table_le->setText(name);
        answers.push_button(QMessageBox::StandardButton(answer));
        w.cancel_btn->click();
        QVERIFY(srv->settle());
        QCOMPARE(!answers.shown.empty() && answers.shown[0].title == QStringLiteral("pending changes"), asked);
        if (asked)
            QCOMPARE(answers.shown[0].default_button, QMessageBox::Cancel);
        QCOMPARE(rejected.count(), int(ended == QStringLiteral("rejected")));
        QCOMPARE(accepted.count(), int(ended == QStringLiteral("accepted")));
        if (ended == QStringLiteral("accepted"))
            QCOMPARE(fields(name.toUtf8()), (QList<QByteArray>{"f1"}));
    }
};

QTEST_MAIN(test_col_info)
#include "test_col_info.moc"
