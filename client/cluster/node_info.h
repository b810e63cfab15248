// A cluster node as the master reports it, its wire form, and how a list item shows it.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QtGlobal>

class QListWidgetItem;
class QValidator;
class QObject;

struct node_info {
    QByteArray name;
    QByteArray ip;
    qint32 group = 0;
    quint16 port = 0;
    quint8 running = 0;
    quint64 max_space = 0;
    quint64 use_space = 0;

    bool operator==(const node_info &o) const;
};

namespace node_wire {

// Item data roles: the record's wire form (as text, one character per byte) and the icon family.
constexpr int record_role = 256;
constexpr int master_icon_role = 257;
// Set on items added or changed here that the master does not know yet.
constexpr int local_role = 258;

void put_u32(QByteArray &out, quint32 v);
void put_text(QByteArray &out, const QByteArray &s);
QByteArray encode(const node_info &n);
// Reads a record at pos and advances pos; false when the bytes do not hold a whole record.
bool decode(const QByteArray &in, int &pos, node_info &out);

} // namespace node_wire

// ":/img/cluster/node_30.svg", "…/mnode_pwr_off.svg" and so on.
QString node_icon_path(const node_info &n, bool master_icon);
QString node_item_text(const node_info &n);
QColor node_text_colour(const node_info &n);
// Accepts dotted IPv4 addresses only (the master and the nodes are reached by address).
QValidator *ipv4_validator(QObject *parent);

// Writes the record into the item: text, icon, colour and the wire form as user data.
void show_node(QListWidgetItem *item, const node_info &n, bool master_icon);
// The record an item keeps; false when its user data is not a whole record.
bool node_of(const QListWidgetItem *item, node_info &out);
