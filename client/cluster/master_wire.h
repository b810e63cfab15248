// The cluster master's requests and replies as bytes: request payloads, the frame around them,
// and the reading of reply bodies. All integers little-endian; no sockets here.
#pragma once

#include "cluster/node_info.h"

#include <QByteArray>
#include <QList>

namespace master_wire {

// A reply is a node record or a list of names; anything far larger is not from a master.
constexpr quint32 max_reply = 64u << 20;
constexpr quint8 failed_status = 1;

QByteArray frame(const QByteArray &payload);
QByteArray query_all();
QByteArray query_one(const QByteArray &name);
QByteArray membership(bool detach, const node_info &n);
QByteArray shutdown();

// Bodies are what follows the status byte. The count comes from the wire: it is checked
// against the bytes that arrived, never trusted for an allocation.
bool read_names(const QByteArray &body, QList<QByteArray> &out);
bool read_node(const QByteArray &body, node_info &out);

} // namespace master_wire
