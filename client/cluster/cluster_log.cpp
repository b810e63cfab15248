// Texts of the cluster manager's log lines.
#include "cluster/cluster_log.h"

#include "support/log/vorn_log.h"

namespace cluster_log {

namespace {

const char *op_name(master_reply::op what)
{
    switch (what) {
    case master_reply::op::open: return "connect";
    case master_reply::op::refresh: return "list nodes";
    case master_reply::op::membership: return "change membership";
    case master_reply::op::shutdown: return "shut down";
    }
    return "?";
}

const char *step_name(master_reply::step at)
{
    switch (at) {
    case master_reply::step::open: return "connect";
    case master_reply::step::names: return "names list";
    case master_reply::step::node: return "node record";
    case master_reply::step::probe: return "node probe";
    case master_reply::step::membership: return "membership request";
    case master_reply::step::shutdown: return "shutdown request";
    }
    return "?";
}

const char *mode_name(service_client::mode what)
{
    switch (what) {
    case service_client::mode::state: return "state";
    case service_client::mode::toggle: return "start or stop";
    case service_client::mode::start: return "start";
    case service_client::mode::stop: return "stop";
    }
    return "?";
}

} // namespace

void master_open(const QString &peer) { log_info("cluster master %s: connecting", peer.toUtf8().constData()); }

void master_request(const QString &peer, master_reply::op what, const node_info *node, bool detach)
{
    if (what == master_reply::op::refresh) {
        log_it(LOG_LEVEL_DEBUG, "cluster master %s: list nodes", peer.toUtf8().constData());
        return;
    }
    if (node)
        log_info("cluster master %s: %s node '%s' (%s:%u)", peer.toUtf8().constData(), detach ? "detach" : "attach",
                 node->name.constData(), node->ip.constData(), unsigned(node->port));
    else
        log_info("cluster master %s: %s", peer.toUtf8().constData(), op_name(what));
}

void master_reply(const QString &peer, const ::master_reply &r)
{
    const QByteArray p = peer.toUtf8();
    switch (r.r) {
    case ::master_reply::result::ok:
        log_it(r.what == ::master_reply::op::refresh ? LOG_LEVEL_DEBUG : LOG_LEVEL_INFO, "cluster master %s: %s done",
               p.constData(), op_name(r.what));
        break;
    case ::master_reply::result::failed:
        log_warn("cluster master %s: %s failed at the %s%s%s", p.constData(), op_name(r.what), step_name(r.at),
                 r.node.name.isEmpty() ? "" : " of node ", r.node.name.constData());
        break;
    case ::master_reply::result::lost:
        log_warn("cluster master %s: %s got no whole answer in time or the connection broke (at the %s)",
                 p.constData(), op_name(r.what), step_name(r.at));
        break;
    }
}

void master_lost(const QString &peer)
{
    log_warn("cluster master %s: the master closed the connection", peer.toUtf8().constData());
}

void service_asked(const QByteArray &name, service_client::mode what)
{
    log_it(what == service_client::mode::state ? LOG_LEVEL_DEBUG : LOG_LEVEL_INFO, "service %s: %s asked",
           name.constData(), mode_name(what));
}

void service_done(const service_client::outcome &o)
{
    const char *state = o.running ? "running" : "not running";
    if (o.what == service_client::mode::state) {
        log_it(LOG_LEVEL_DEBUG, "service %s: %s", o.name.constData(), state);
        return;
    }
    if (o.r.cancelled)
        log_note("service %s: %s called off; now %s", o.name.constData(), mode_name(o.what), state);
    else if (o.r.ok)
        log_info("service %s: %s done; now %s", o.name.constData(), mode_name(o.what), state);
    else
        log_warn("service %s: %s failed: %s; now %s", o.name.constData(), mode_name(o.what),
                 o.r.text.isEmpty() ? "no reason given" : o.r.text.toUtf8().constData(), state);
}

} // namespace cluster_log
