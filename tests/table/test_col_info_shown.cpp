// The table definition window in a real shown window: the type box opens by mouse over its cell
// and is driven by keys, a name is typed into its cell, and the view of a table's fields shows
// each type with its icon. With VORN_SHOTS_DIR set the screenshots are written there.
#include "shots_dir.h"
#include "shown_window.h"
#include "table/col_info.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTranslator>
#include <QToolButton>
#include <QtTest>

namespace {

// The whole screen (popups included), also written to VORN_SHOTS_DIR when that is set.
QImage screen_shot(QWidget *w, const QString &name)
{
    QCoreApplication::processEvents();
    const QImage img = w->screen()->grabWindow(0).toImage();
    if (const QString path = shots::path(name); !path.isEmpty())
        img.save(path);
    return img;
}

// The spread between the darkest and the lightest pixel.
int ink_range(const QImage &img)
{
    int lo = 255, hi = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const int v = qGray(img.pixel(x, y));
            lo = qMin(lo, v);
            hi = qMax(hi, v);
        }
    return hi - lo;
}

QPoint cell_centre(QTableWidget *t, int row, int column)
{
    return t->visualItemRect(t->item(row, column)).center();
}

} // namespace

class test_col_info_shown : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SHOWN_WINDOW_REQUIRE(); }

    void type_box_by_mouse_and_keys()
    {
        col_info w(nullptr);
        w.fill("", "", {}, {}, {}, col_info::create_table);
        w.resize(560, 420);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.add_btn->click();
        QTableWidget *t = w.tableWidget;

        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell_centre(t, 1, col_info::type_col));
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, cell_centre(t, 1, col_info::type_col));
        auto *box = qobject_cast<QComboBox *>(t->cellWidget(1, col_info::type_col));
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QTest::mouseClick(box, Qt::LeftButton);
        QTRY_VERIFY(box->view()->isVisible());
        QCOMPARE(box->view()->model()->rowCount(), 14);
        // The list opens on the cell's window, at the cell.
        const QRect popup = QRect(box->view()->mapToGlobal(QPoint(0, 0)), box->view()->size());
        QVERIFY(popup.intersects(QRect(w.mapToGlobal(QPoint(0, 0)), w.size())));
        const QImage shot = screen_shot(&w, "create_table_type_box.png");
        // The grid's style sheet must not paint the highlighted entry's text in its background's
        // colour: its name stands out from the row it is on.
        const QAbstractItemView *list = box->view();
        QRect entry = list->visualRect(list->model()->index(box->currentIndex(), 0)) & list->viewport()->rect();
        entry.adjust(30, 3, -3, -3); // past the icon, inside the entry's frame
        entry.moveTopLeft(list->viewport()->mapToGlobal(entry.topLeft()) - w.screen()->geometry().topLeft());
        QVERIFY(ink_range(shot.copy(entry)) > 100);

        // Down from u32 is u64; Return takes it into the cell.
        QTest::keyClick(box->view(), Qt::Key_Down);
        QTest::keyClick(box->view(), Qt::Key_Return);
        QTRY_VERIFY(!box->view()->isVisible());
        QCOMPARE(t->item(1, col_info::type_col)->text(), QString("u64"));

        // A name is typed into its cell.
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell_centre(t, 0, col_info::name_col));
        QTRY_VERIFY(!t->cellWidget(1, col_info::type_col));
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, cell_centre(t, 0, col_info::name_col));
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != t);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "temp");
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits on its next turn of the event loop.
        QTRY_COMPARE(t->item(0, col_info::name_col)->text(), QString("temp"));
        screen_shot(&w, "create_table_typed.png");
    }

    void view_shows_every_type()
    {
        const QList<QByteArray> types = col_info::type_names();
        QList<QByteArray> names, indexes;
        for (const QByteArray &type : types) {
            names.append("v_" + type);
            indexes.append("false");
        }
        col_info w(nullptr);
        w.fill("all_types", "", names, types, indexes, col_info::view);
        w.resize(560, 520);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTableWidget *t = w.tableWidget;
        for (int row = 0; row < types.size(); ++row)
            QVERIFY(!t->item(row, col_info::type_col)->icon().pixmap(16, 16).isNull());
        // A double click in view mode changes nothing.
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, cell_centre(t, 0, col_info::name_col));
        QVERIFY(!t->cellWidget(0, col_info::name_col));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(t));
        screen_shot(&w, "view_fields.png");
    }

    void translated_form_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("name_header");
        QTest::addColumn<QString>("apply");
        QTest::newRow("zh") << "zh" << QString::fromUtf8("名称") << QString::fromUtf8("应用");
        QTest::newRow("fr") << "fr" << "Nom" << "Appliquer";
        QTest::newRow("jp") << "jp" << QString::fromUtf8("名前") << QString::fromUtf8("適用");
    }
    void translated_form()
    {
        QFETCH(QString, lang);
        QFETCH(QString, name_header);
        QFETCH(QString, apply);
        QTranslator tr;
        QVERIFY(tr.load(QStringLiteral(":/lang/vorn_tsdb_cli_%1.qm").arg(lang)));
        QCoreApplication::installTranslator(&tr);
        col_info w(nullptr);
        QCoreApplication::removeTranslator(&tr);
        w.fill("weather", "", {"temp"}, {"double"}, {"false"}, col_info::add_fields);
        w.resize(560, 420);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.tableWidget->horizontalHeaderItem(col_info::name_col)->text(), name_header);
        QCOMPARE(w.apply_btn->text(), apply);
        for (QWidget *b : {static_cast<QWidget *>(w.apply_btn), static_cast<QWidget *>(w.cancel_btn),
                           static_cast<QWidget *>(w.label)})
            QVERIFY(b->width() >= b->sizeHint().width());
        screen_shot(&w, QStringLiteral("add_fields_%1.png").arg(lang));
    }
};

SHOWN_WINDOW_TEST_MAIN(test_col_info_shown)
#include "test_col_info_shown.moc"
