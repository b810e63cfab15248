// The cluster manager's lines in the diagnostic log: the master's connection and each
// operation's outcome, and every call on the local services with its result.
#pragma once

#include "cluster/master_link.h"
#include "cluster/service_client.h"

#include <QString>

namespace cluster_log {

void master_open(const QString &peer);
void master_request(const QString &peer, master_reply::op what, const node_info *node = nullptr, bool detach = false);
void master_reply(const QString &peer, const ::master_reply &r);
void master_lost(const QString &peer);

// On the service worker's thread, before and after a sequence.
void service_asked(const QByteArray &name, service_client::mode what);
void service_done(const service_client::outcome &o);

} // namespace cluster_log
