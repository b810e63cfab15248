// Node records: the wire form both ways, the list item's icon, text and colour, and the record
// kept in an item's data.
#include "cluster/node_info.h"
#include "cluster/node_params_dlg.h"

#include <QListWidgetItem>
#include <QtTest>

namespace {
node_info sample()
{
    node_info n;
    n.name = "n\xc3\xa9ud-1";
    n.ip = "10.0.0.7";
    n.group = -3;
    n.port = 0xBEEF;
    n.running = 1;
    n.max_space = 0x0102030405060708ull;
    n.use_space = 0xFFull << 56;
    return n;
}
} // namespace

class test_node_info : public QObject {
    Q_OBJECT
private slots:
    void wire_form()
    {
        const QByteArray w = node_wire::encode(sample());
        QCOMPARE(w.left(4), QByteArray("\x07\0\0\0", 4));
        QCOMPARE(w.size(), 4 + 7 + 4 + 8 + 4 + 2 + 1 + 8 + 8);
        QCOMPARE(w.mid(23, 4), QByteArray("\xfd\xff\xff\xff", 4));   // group -3
        QCOMPARE(w.mid(27, 2), QByteArray("\xef\xbe", 2));
        int pos = 0;
        node_info back;
        QVERIFY(node_wire::decode(w, pos, back));
        QCOMPARE(pos, w.size());
        QVERIFY(back == sample());
        // Every cut of the record is refused, and a length past the end is not read.
        for (int cut = 0; cut < w.size(); ++cut) {
            int p = 0;
            QVERIFY2(!node_wire::decode(w.left(cut), p, back), qPrintable(QString::number(cut)));
        }
        int p = 0;
        QVERIFY(!node_wire::decode(QByteArray("\xff\xff\xff\x7f" "abc", 7), p, back));
    }

    void icons_by_state_and_usage()
    {
        node_info n = sample();
        n.max_space = 1000;
        n.use_space = 370;
        QCOMPARE(node_icon_path(n, false), QStringLiteral(":/img/cluster/node_30.svg"));
        QCOMPARE(node_icon_path(n, true), QStringLiteral(":/img/cluster/mnode_30.svg"));
        n.use_space = 5000;
        QCOMPARE(node_icon_path(n, false), QStringLiteral(":/img/cluster/node_100.svg"));
        n.running = 0;
        QCOMPARE(node_icon_path(n, false), QStringLiteral(":/img/cluster/node_pwr_off.svg"));
        QCOMPARE(node_icon_path(n, true), QStringLiteral(":/img/cluster/mnode_pwr_off.svg"));
        // No maximum: nothing used shows empty, anything used shows full (no division by zero).
        n.running = 1;
        n.max_space = 0;
        n.use_space = 0;
        QCOMPARE(node_icon_path(n, false), QStringLiteral(":/img/cluster/node_0.svg"));
        n.use_space = 1;
        QCOMPARE(node_icon_path(n, false), QStringLiteral(":/img/cluster/node_100.svg"));
        // Every path the dialog can name exists in the resources.
        for (int step = 0; step <= 100; step += 10)
            for (const char *family : {"node_", "mnode_"})
                QVERIFY(QFile::exists(QStringLiteral(":/img/cluster/") + family + QString::number(step) + ".svg"));
    }

    void item_keeps_the_record()
    {
        QListWidgetItem item;
        const node_info n = sample();
        show_node(&item, n, true);
        QCOMPARE(item.text(), QStringLiteral("n\u00e9ud-1  @  10.0.0.7:48879"));
        QCOMPARE(item.foreground().color(), QColor(Qt::darkGreen));
        QCOMPARE(item.data(node_wire::record_role).type(), QVariant::String);
        node_info back;
        QVERIFY(node_of(&item, back));   // bytes above 0x7f survive the trip through text
        QVERIFY(back == n);
        node_info plain = n;
        plain.group = 0;
        show_node(&item, plain, false);
        QCOMPARE(item.foreground().color(), QColor(Qt::gray));
        item.setData(node_wire::record_role, QStringLiteral("junk"));
        QVERIFY(!node_of(&item, back));
    }

    void space_units()
    {
        int value = 0, unit = 0;
        node_params_dlg::split_space(3ull << 30, value, unit);
        QCOMPARE(value, 3);
        QCOMPARE(unit, 3);
        QCOMPARE(node_params_dlg::join_space(value, unit), 3ull << 30);
        node_params_dlg::split_space(1500, value, unit);
        QCOMPARE(value, 1500);
        QCOMPARE(unit, 0);
        node_params_dlg::split_space(~0ull, value, unit);   // too large to show exactly: the largest unit
        QCOMPARE(unit, 4);
        QVERIFY(value > 0);
    }
};

QTEST_MAIN(test_node_info)
#include "test_node_info.moc"
