// Wire form and list-item form of a node record. The wire form travels in the item as Latin-1
// text so that every byte, binary counts included, comes back unchanged.
#include "cluster/node_info.h"

#include <QIcon>
#include <QListWidgetItem>
#include <QRegularExpressionValidator>
#include <QtEndian>
#include <algorithm>

bool node_info::operator==(const node_info &o) const
{
    return name == o.name && ip == o.ip && group == o.group && port == o.port && running == o.running &&
           max_space == o.max_space && use_space == o.use_space;
}

namespace node_wire {

namespace {

template <typename T>
void put_le(QByteArray &out, T v)
{
    char b[sizeof(T)];
    qToLittleEndian(v, b);
    out.append(b, int(sizeof(T)));
}

template <typename T>
bool get_le(const QByteArray &in, int &pos, T &v)
{
    if (pos < 0 || in.size() - pos < int(sizeof(T)))
        return false;
    v = qFromLittleEndian<T>(in.constData() + pos);
    pos += int(sizeof(T));
    return true;
}

bool get_text(const QByteArray &in, int &pos, QByteArray &s)
{
    quint32 n = 0;
    if (!get_le(in, pos, n) || quint32(in.size() - pos) < n)
        return false;
    s = in.mid(pos, int(n));
    pos += int(n);
    return true;
}

} // namespace

void put_u32(QByteArray &out, quint32 v) { put_le(out, v); }

void put_text(QByteArray &out, const QByteArray &s)
{
    put_le(out, quint32(s.size()));
    out += s;
}

QByteArray encode(const node_info &n)
{
    QByteArray out;
    put_text(out, n.name);
    put_text(out, n.ip);
    put_le(out, n.group);
    put_le(out, n.port);
    put_le(out, n.running);
    put_le(out, n.max_space);
    put_le(out, n.use_space);
    return out;
}

bool decode(const QByteArray &in, int &pos, node_info &out)
{
    node_info n;
    if (!get_text(in, pos, n.name) || !get_text(in, pos, n.ip) || !get_le(in, pos, n.group) ||
        !get_le(in, pos, n.port) || !get_le(in, pos, n.running) || !get_le(in, pos, n.max_space) ||
        !get_le(in, pos, n.use_space))
        return false;
    out = n;
    return true;
}

} // namespace node_wire

QString node_icon_path(const node_info &n, bool master_icon)
{
    QString path = QStringLiteral(":/img/cluster/") + (master_icon ? QStringLiteral("mnode_") : QStringLiteral("node_"));
    if (n.running != 1)
        return path + QStringLiteral("pwr_off.svg");
    // A node without a maximum has no share to show; one past its maximum shows full.
    int step = 0;
    if (n.max_space > 0)
        step = int(std::min(10.0, double(n.use_space) * 10.0 / double(n.max_space)));
    else if (n.use_space > 0)
        step = 10;
    return path + QString::number(step * 10) + QStringLiteral(".svg");
}

QString node_item_text(const node_info &n)
{
    return QString::fromUtf8(n.name) + QStringLiteral("  @  ") + QString::fromUtf8(n.ip) + QLatin1Char(':') +
           QString::number(n.port);
}

QColor node_text_colour(const node_info &n)
{
    return n.group != 0 ? QColor(Qt::darkGreen) : QColor(Qt::gray);
}

QValidator *ipv4_validator(QObject *parent)
{
    return new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("((2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\.){3}(2[0-4]\\d|25[0-5]|[01]?\\d\\d?)")), parent);
}

void show_node(QListWidgetItem *item, const node_info &n, bool master_icon)
{
    item->setText(node_item_text(n));
    item->setIcon(QIcon(node_icon_path(n, master_icon)));
    item->setForeground(node_text_colour(n));
    // The size is given: the QByteArray overload would stop at the first zero byte.
    const QByteArray wire = node_wire::encode(n);
    item->setData(node_wire::record_role, QString::fromLatin1(wire.constData(), wire.size()));
    item->setData(node_wire::master_icon_role, master_icon);
}

bool node_of(const QListWidgetItem *item, node_info &out)
{
    const QByteArray wire = item->data(node_wire::record_role).toString().toLatin1();
    int pos = 0;
    return node_wire::decode(wire, pos, out) && pos == wire.size();
}
