// The service worker's thread, the order of its sequences and the end of both.
#include "cluster/service_client.h"

#include "cluster/cluster_log.h"

#include <QThread>

service_client::service_client(std::unique_ptr<service_ctl::service_backend> backend, QObject *parent)
    : QObject(parent), off_(std::make_shared<service_ctl::call_off>())
{
    qRegisterMetaType<service_client::outcome>();
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("service_control"));
    worker_ = new service_worker(std::move(backend), off_);
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(this, &service_client::post, worker_, &service_worker::run);
    connect(worker_, &service_worker::done, this, &service_client::on_done);
    thread_->start();
}

service_client::~service_client()
{
    off_->upto(last_id_);
    thread_->quit();
    if (!off_->in_call()) {
        thread_->wait();   // called off, no call under way: the thread is leaving already
        delete thread_;
        return;
    }
    // A call to the manager can take as long as its time-out (or a password prompt): let the
    // thread end by itself and clear up after itself; its outcome reaches nobody.
    disconnect(worker_, nullptr, this, nullptr);
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
    if (thread_->isFinished())
        delete thread_;
}

void service_client::run(const QByteArray &name, mode what)
{
    ++pending_;
    emit post(++last_id_, name, int(what));
}

void service_client::call_off()
{
    off_->upto(last_id_);
    dropped_upto_ = last_id_;
    pending_ = 0;
}

void service_client::on_done(quint64 id, const service_client::outcome &o)
{
    if (id <= dropped_upto_)
        return;
    --pending_;
    emit finished(o);
}

service_worker::service_worker(std::unique_ptr<service_ctl::service_backend> backend,
                               std::shared_ptr<service_ctl::call_off> off)
    : backend_(std::move(backend)), off_(std::move(off))
{
}

service_worker::~service_worker() = default;

void service_worker::run(quint64 id, const QByteArray &name, int what)
{
    using mode = service_client::mode;
    off_->begin(id);
    service_client::outcome o;
    o.name = name;
    o.what = mode(what);
    cluster_log::service_asked(name, o.what);
    service_ctl::service_backend &b = *backend_;
    bool to_stop = o.what == mode::stop;
    if (o.what == mode::toggle)
        to_stop = service_ctl::is_running(b, name, off_.get());
    if (o.what != mode::state)
        o.r = to_stop ? service_ctl::stop(b, name, off_.get()) : service_ctl::start(b, name, off_.get());
    o.running = service_ctl::is_running(b, name, off_.get());
    o.r.cancelled = o.r.cancelled || off_->called_off();
    cluster_log::service_done(o);
    emit done(id, o);
}
