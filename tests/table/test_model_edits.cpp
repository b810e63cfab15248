// The grid model on a loaded table: headers, flags, edit tracking with its styles and signals,
// marks, added rows and stable sorting.
#include "support/mem_time.h"
#include "table/tab_data_model.h"
#include "table_server_helper.h"

#include <QColor>
#include <QFont>
#include <QSignalSpy>
#include <QtTest>

namespace mem = ox::db::mem;

class test_model_edits : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;

    std::unique_ptr<tab_data_model> loaded()
    {
        auto m = std::make_unique<tab_data_model>("t");
        if (!m->load_result(*srv->exec(), "view t", 1))
            return nullptr;
        return m;
    }
    QList<bool> flags_of(const QSignalSpy &spy)
    {
        QList<bool> out;
        for (const auto &args : spy)
            out << args.at(0).toBool();
        return out;
    }

private slots:
    void initTestCase()
    {
        mem::register_meta_types();
        srv = std::make_unique<table_server>();
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(srv->run("create t v i32 s string d double"));
        QVERIFY(srv->run("create empty_t n u08 w date"));
        // v holds equal values so the sort's stability shows.
        const char *rows[] = {
            "push into t v s d values 2 \"r0\" 0.5 at 2020-01-01 00:00:00",
            "push into t v s d values 1 \"r1\" 1.5 at 2020-01-01 00:00:01",
            "push into t v s d values 2 \"r2\" 2.5 at 2020-01-01 00:00:02",
            "push into t v s d values 1 \"r3\" 3.5 at 2020-01-01 00:00:03",
            "push into t v s d values 2 \"r4\" 4.5 at 2020-01-01 00:00:04",
        };
        for (const char *r : rows)
            QVERIFY2(srv->run(r), r);
    }
    void cleanupTestCase() { srv.reset(); }

    void empty_table_shows_its_header_only()
    {
        tab_data_model m("empty_t");
        bool filled = false;
        QVERIFY(m.load_result(*srv->exec(), "view empty_t", 1, &filled));
        QVERIFY(filled);
        QCOMPARE(m.rowCount(), 0);
        QCOMPARE(m.columnCount(), 3);
        // The types come from the field list when the result has no rows.
        QCOMPARE(m.type_of(0), QByteArray("datetime"));
        QCOMPARE(m.type_of(1), QByteArray("u08"));
        QCOMPARE(m.type_of(2), QByteArray("date"));
        QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("n"));
        QVERIFY(!m.headerData(0, Qt::Vertical).isValid());
        // A view of some fields matches its types by name, not by position.
        QVERIFY(m.load_result(*srv->exec(), "view empty_t w", 1));
        QCOMPARE(m.columnCount(), 2);
        QCOMPARE(m.type_of(1), QByteArray("date"));
    }

    void a_take_replaces_the_grid_in_one_reset()
    {
        auto m = loaded();
        QVERIFY(m);
        QVERIFY(m->setData(m->index(0, 1), 99));
        // Read apart from the model: the grid does not change until it takes the rows.
        grid_data data = tab_data_model::fetch(*srv->exec(), "t", "view t s", 1);
        QVERIFY(data.status.ok && data.filled);
        QCOMPARE(m->columnCount(), 4);
        QCOMPARE(m->changed_count(), 1);
        QSignalSpy about(m.get(), &QAbstractItemModel::modelAboutToBeReset);
        QSignalSpy reset(m.get(), &QAbstractItemModel::modelReset);
        QSignalSpy rows(m.get(), &QAbstractItemModel::rowsInserted);
        QSignalSpy columns(m.get(), &QAbstractItemModel::columnsInserted);
        QSignalSpy cells(m.get(), &QAbstractItemModel::dataChanged);
        m->take(std::move(data));
        QCOMPARE(about.count(), 1);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(rows.count() + columns.count() + cells.count(), 0);
        QCOMPARE(m->columnCount(), 2);
        QCOMPARE(m->rowCount(), 5);
        QCOMPARE(m->changed_count(), 0);
        QCOMPARE(m->data(m->index(4, 1)).toString(), QStringLiteral("r4"));
    }

    void failed_query_leaves_an_empty_grid()
    {
        auto m = loaded();
        QVERIFY(m);
        QVERIFY(m->rowCount() > 0);
        QByteArray line;
        bool filled = true;
        QVERIFY(!m->load_result(*srv->exec(), "view no_such_table", 1, &filled, &line));
        QVERIFY(!filled);
        QVERIFY(line.contains("failed"));
        QCOMPARE(m->rowCount(), 0);
        QCOMPARE(m->columnCount(), 0);
        QVERIFY(!m->index(0, 0).isValid());
        QCOMPARE(m->flags(m->index(0, 0)), Qt::NoItemFlags);
        QVERIFY(!m->insertRows(0, 1)); // no columns to give the row
    }

    void loaded_cells()
    {
        auto m = loaded();
        QVERIFY(m);
        QCOMPARE(m->rowCount(), 5);
        QCOMPARE(m->columnCount(), 4);
        QCOMPARE(m->time_point_column(), 0);
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("time point"));
        QCOMPARE(m->headerData(2, Qt::Horizontal, Qt::EditRole).toString(), QStringLiteral("s"));
        QVERIFY(!m->headerData(2, Qt::Horizontal, Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(!m->headerData(4, Qt::Horizontal).isValid());
        QCOMPARE(m->headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
        QCOMPARE(m->headerData(4, Qt::Vertical).toString(), QStringLiteral("5"));
        QVERIFY(!m->headerData(5, Qt::Vertical).isValid());
        QCOMPARE(int(m->flags(m->index(0, 0))), 33);
        QCOMPARE(int(m->flags(m->index(0, 1))), 35);
        QCOMPARE(m->data(m->index(1, 1), Qt::TextAlignmentRole).toInt(), 132);
        QCOMPARE(m->data(m->index(1, 1), Qt::EditRole), QVariant(1));
        QCOMPARE(m->data(m->index(1, 2)).toString(), QStringLiteral("r1"));
        QCOMPARE(m->data(m->index(1, 3)).toString(), QStringLiteral("1.50000000000000000"));
        QCOMPARE(m->data(m->index(1, 0)).toString(), QStringLiteral("2020-01-01 00:00:01"));
        QVERIFY(!m->data(m->index(1, 1), Qt::FontRole).isValid());
        QCOMPARE(m->itemData(m->index(1, 2)).value(Qt::EditRole), QVariant(QStringLiteral("r1")));
        QVERIFY(m->sid_of_row(0) != ~uint64_t(0));
        QVERIFY(!m->index(5, 0).isValid());
        QVERIFY(!m->index(0, 4).isValid());
        QVERIFY(!m->setData(m->index(5, 0), 1));
        QVERIFY(!m->setData(m->index(1, 1), QVariant()));
        QVERIFY(!m->mark_of(5, 0));
        QCOMPARE(m->display_text_of(m->index(1, 3)), QByteArray("1.50000000000000000"));
        m->set_display_mode(value_text::display_mode::hexadecimal);
        QCOMPARE(m->data(m->index(1, 1)).toString(), QStringLiteral("0x01"));
        QCOMPARE(m->from_text(QStringLiteral("0x10"), 1), QVariant(16));
        QCOMPARE(m->data(m->index(1, 1), Qt::EditRole), QVariant(1)); // only the text changes
        QVERIFY(m->delegate_of(1) == m->delegate_of(1));
        QVERIFY(m->delegate_of(1) != m->delegate_of(2));
    }

    void edits_back_and_forth()
    {
        auto m = loaded();
        QVERIFY(m);
        QSignalSpy changed(m.get(), &tab_data_model::changed);
        QSignalSpy data_changed(m.get(), &QAbstractItemModel::dataChanged);
        const QModelIndex v = m->index(2, 1);
        QVERIFY(m->setData(v, 7));
        QCOMPARE(flags_of(changed), QList<bool>{true});
        QCOMPARE(m->changed_count(), 1);
        QCOMPARE(data_changed.size(), 1);
        const auto roles = data_changed.at(0).at(2).value<QVector<int>>();
        QCOMPARE(roles, (QVector<int>{Qt::EditRole, Qt::FontRole, Qt::BackgroundRole}));
        QVERIFY(m->data(v, Qt::FontRole).value<QFont>().italic());
        QCOMPARE(m->data(v, Qt::BackgroundRole).value<QColor>(), QColor(Qt::darkGreen));
        QCOMPARE(m->data(v).toString(), QStringLiteral("7"));

        // A second edit keeps the signal quiet; undoing it leaves one pending edit.
        QVERIFY(m->setData(m->index(3, 2), QStringLiteral("x")));
        QCOMPARE(m->changed_count(), 2);
        QCOMPARE(changed.size(), 1);
        QVERIFY(m->setData(m->index(3, 2), QStringLiteral("r3")));
        QCOMPARE(m->changed_count(), 1);
        QCOMPARE(flags_of(changed), (QList<bool>{true, true}));

        // Back to the loaded value: plain style again and nothing pending.
        QVERIFY(m->setData(v, 2));
        QCOMPARE(m->changed_count(), 0);
        QCOMPARE(flags_of(changed).last(), false);
        QVERIFY(!m->data(v, Qt::FontRole).value<QFont>().italic());
        QCOMPARE(m->data(v, Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QVERIFY(m->pending_commands().isEmpty());

        // Other roles are stored as they come.
        data_changed.clear();
        QVERIFY(m->setData(v, QStringLiteral("tip"), Qt::ToolTipRole));
        QCOMPARE(m->data(v, Qt::ToolTipRole).toString(), QStringLiteral("tip"));
        QCOMPARE(data_changed.at(0).at(2).value<QVector<int>>(), QVector<int>{Qt::ToolTipRole});
    }

    void marked_colour_wins()
    {
        auto m = loaded();
        QVERIFY(m);
        bool *mark = m->mark_of(1, 2);
        QVERIFY(mark);
        *mark = true;
        QCOMPARE(m->data(m->index(1, 2), Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        QVERIFY(m->setData(m->index(1, 2), QStringLiteral("changed")));
        QCOMPARE(m->data(m->index(1, 2), Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        QCOMPARE(m->itemData(m->index(1, 2)).value(Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        *mark = false;
        QCOMPARE(m->data(m->index(1, 2), Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        QVERIFY(m->setData(m->index(1, 2), QStringLiteral("changed again")));
        QCOMPARE(m->data(m->index(1, 2), Qt::BackgroundRole).value<QColor>(), QColor(Qt::darkGreen));
    }

    void added_rows()
    {
        auto m = loaded();
        QVERIFY(m);
        QSignalSpy changed(m.get(), &tab_data_model::changed);
        QVERIFY(!m->insertRows(-1, 1));
        QVERIFY(!m->insertRows(6, 1));
        QVERIFY(m->insertRows(5, 2));
        QCOMPARE(m->rowCount(), 7);
        QCOMPARE(m->new_count(), 8);
        QCOMPARE(flags_of(changed), QList<bool>{true}); // once, for the first new item
        for (int row : {5, 6}) {
            QCOMPARE(m->sid_of_row(row), ~uint64_t(0));
            QCOMPARE(m->data(m->index(row, 0), Qt::EditRole).value<mem::date_time>(),
                     (mem::date_time{2019, 4, 23, 10, 11, 12, 0}));
            QCOMPARE(m->data(m->index(row, 1), Qt::EditRole), QVariant(0));
            QCOMPARE(m->data(m->index(row, 2)).toString(), QStringLiteral("abc"));
            QCOMPARE(m->data(m->index(row, 3), Qt::EditRole).userType(), int(QMetaType::Double));
            QCOMPARE(m->data(m->index(row, 1), Qt::FontRole).value<QFont>().weight(), 75);
            QCOMPARE(m->item_at(row, 2)->value(Qt::DisplayRole).toString(), QStringLiteral("abc"));
            // An added row chooses its own time point.
            QCOMPARE(int(m->flags(m->index(row, 0))), 35);
        }
        // Inserted in the middle, the loaded rows below move down with their values.
        QVERIFY(m->insertRows(0, 1));
        QCOMPARE(m->data(m->index(1, 2)).toString(), QStringLiteral("r0"));
        QCOMPARE(int(m->flags(m->index(1, 0))), 33);
        QCOMPARE(m->headerData(7, Qt::Vertical).toString(), QStringLiteral("8"));
        // Editing an added cell keeps it bold and marks it changed.
        QVERIFY(m->setData(m->index(0, 1), 9));
        const QFont f = m->data(m->index(0, 1), Qt::FontRole).value<QFont>();
        QCOMPARE(f.weight(), 75);
        QVERIFY(f.italic());
        // While rows are new, the signal never says "nothing pending".
        QVERIFY(m->setData(m->index(0, 1), 0));
        QVERIFY(!flags_of(changed).contains(false));
    }

    void stable_sort_both_ways()
    {
        auto m = loaded();
        QVERIFY(m);
        auto names = [&] {
            QStringList out;
            for (int r = 0; r < m->rowCount(); ++r)
                out << m->data(m->index(r, 2)).toString();
            return out;
        };
        auto sid_names = [&] {
            QMap<uint64_t, QString> out;
            for (int r = 0; r < m->rowCount(); ++r)
                out.insert(m->sid_of_row(r), m->data(m->index(r, 2)).toString());
            return out;
        };
        const auto before = sid_names();
        *m->mark_of(0, 2) = true; // r0's mark travels with it
        QVERIFY(m->setData(m->index(4, 3), 9.5)); // r4's edit too
        QPersistentModelIndex r2(m->index(2, 2));
        m->sort(1, Qt::AscendingOrder);
        QCOMPARE(names(), (QStringList{"r1", "r3", "r0", "r2", "r4"}));
        QCOMPARE(r2.row(), 3);
        m->sort(1, Qt::DescendingOrder);
        QCOMPARE(names(), (QStringList{"r4", "r2", "r0", "r3", "r1"}));
        m->sort(1, Qt::AscendingOrder);
        QCOMPARE(names(), (QStringList{"r1", "r3", "r0", "r2", "r4"}));
        QCOMPARE(sid_names(), before);
        QVERIFY(*m->mark_of(2, 2));
        QCOMPARE(m->data(m->index(4, 3), Qt::EditRole), QVariant(9.5));
        QVERIFY(m->data(m->index(4, 3), Qt::FontRole).value<QFont>().italic());
        QCOMPARE(m->changed_count(), 1);
        // By an edited value, and by strings and time points.
        m->sort(3, Qt::DescendingOrder);
        QCOMPARE(names().first(), QStringLiteral("r4"));
        m->sort(2, Qt::DescendingOrder);
        QCOMPARE(names(), (QStringList{"r4", "r3", "r2", "r1", "r0"}));
        m->sort(0, Qt::AscendingOrder);
        QCOMPARE(names(), (QStringList{"r0", "r1", "r2", "r3", "r4"}));
        m->sort(9, Qt::AscendingOrder); // outside: nothing happens
        QCOMPARE(names().first(), QStringLiteral("r0"));
    }

    void read_only_and_reload()
    {
        auto m = loaded();
        QVERIFY(m);
        m->set_read_only(true);
        QVERIFY(m->delegate_of(1)->read_only());
        QVERIFY(m->setData(m->index(0, 1), 5));
        QVERIFY(m->insertRows(0, 1));
        // Every load starts writable and without pending edits.
        QVERIFY(m->load_result(*srv->exec(), "view t", 1));
        QVERIFY(!m->delegate_of(1)->read_only());
        QCOMPARE(m->changed_count(), 0);
        QCOMPARE(m->new_count(), 0);
        QCOMPARE(m->rowCount(), 5);
        QVERIFY(!m->item_at(0, 1));
    }
};

QTEST_MAIN(test_model_edits)
#include "test_model_edits.moc"
