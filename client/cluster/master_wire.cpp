// Request payloads and reply bodies of the cluster master protocol.
#include "cluster/master_wire.h"

#include <QtEndian>

namespace master_wire {

namespace {

enum : quint8 { op_shutdown = 4, op_query = 5, op_membership = 255 };

QByteArray header(quint8 op)
{
    QByteArray out;
    out.append(char(1)).append(char(0)).append(char(op));
    return out;
}

} // namespace

QByteArray frame(const QByteArray &payload)
{
    QByteArray out;
    node_wire::put_u32(out, quint32(payload.size()));
    return out + payload;
}

QByteArray query_all()
{
    QByteArray payload = header(op_query);
    payload.append(char(0));
    node_wire::put_text(payload, QByteArray());
    return payload;
}

QByteArray query_one(const QByteArray &name)
{
    QByteArray payload = header(op_query);
    payload.append(char(1));
    node_wire::put_text(payload, name);
    return payload;
}

QByteArray membership(bool detach, const node_info &n)
{
    QByteArray payload = header(op_membership);
    payload.append(char(detach ? 1 : 0));
    return payload + node_wire::encode(n);
}

QByteArray shutdown() { return header(op_shutdown); }

bool read_names(const QByteArray &body, QList<QByteArray> &out)
{
    if (body.size() < 8)
        return false;
    const quint64 count = qFromLittleEndian<quint64>(body.constData());
    int pos = 8;
    QList<QByteArray> names;
    for (quint64 i = 0; i < count; ++i) {
        if (body.size() - pos < 4)
            return false;
        const quint32 n = qFromLittleEndian<quint32>(body.constData() + pos);
        pos += 4;
        if (quint32(body.size() - pos) < n)
            return false;
        names.append(body.mid(pos, int(n)));
        pos += int(n);
    }
    out = names;
    return true;
}

bool read_node(const QByteArray &body, node_info &out)
{
    int pos = 0;
    return node_wire::decode(body, pos, out);
}

} // namespace master_wire
