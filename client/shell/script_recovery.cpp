// Recovery copies: one folder per running client with a lock file; a copy is the command file's
// path (percent-encoded) on its first line, then the unsaved text.
#include "shell/script_recovery.h"

#include "db/client_log.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <algorithm>
#include <atomic>

namespace {

const QString lock_name = QStringLiteral("lock");
const QString copy_pattern = QStringLiteral("*.copy");

QString &root_folder()
{
    static QString folder;
    return folder;
}

// A lock that only a dead holder gives up: a client may keep its folder for days.
std::unique_ptr<QLockFile> try_lock(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(lock_name));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

bool read_copy(const QString &file, script_recovery::left_copy &out)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray all = f.readAll();
    const int nl = all.indexOf('\n');
    if (nl <= 0)
        return false;
    out.copy_file = file;
    out.path = QByteArray::fromPercentEncoding(all.left(nl));
    out.text = all.mid(nl + 1);
    out.written = QFileInfo(file).lastModified();
    return true;
}


} // namespace

void script_recovery::set_root(const QString &folder)
{
    root_folder() = folder;
}

QString script_recovery::root()
{
    return root_folder();
}

script_recovery::script_recovery()
{
    const QString base = root();
    if (base.isEmpty() || !QDir().mkpath(base))
        return;
    // Two windows of one process may start within the same millisecond.
    static std::atomic<int> serial{0};
    const QString name = QStringLiteral("client_%1_%2_%3")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch())
                             .arg(serial.fetch_add(1));
    const QString folder = QDir(base).filePath(name);
    if (!QDir().mkpath(folder))
        return;
    lock_ = try_lock(folder);
    if (lock_)
        folder_ = folder;
    else
        QDir(folder).removeRecursively();
}

script_recovery::~script_recovery() = default;

QString script_recovery::copy_name(const QByteArray &path) const
{
    const QByteArray key = QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(20);
    return QDir(folder_).filePath(QString::fromLatin1(key) + QStringLiteral(".copy"));
}

bool script_recovery::keep(const QByteArray &path, const QByteArray &text)
{
    if (!active())
        return false;
    client_log::file_op op("write recovery copy", path, copy_name(path));
    // Written beside and renamed over the old copy: a kill halfway leaves the previous copy.
    QSaveFile f(copy_name(path));
    if (!f.open(QIODevice::WriteOnly))
        return op.done(false, -1, f.errorString().toUtf8());
    const QByteArray head = path.toPercentEncoding() + '\n';
    if (f.write(head) != head.size() || f.write(text) != text.size()) {
        const QByteArray why = f.errorString().toUtf8();
        f.cancelWriting();
        return op.done(false, -1, why);
    }
    const bool ok = f.commit();
    return op.done(ok, head.size() + text.size(), ok ? QByteArray() : f.errorString().toUtf8());
}

void script_recovery::drop(const QByteArray &path)
{
    if (active())
        remove_copy(copy_name(path), path);
}

void script_recovery::remove_copy(const QString &file, const QByteArray &path)
{
    // Every save asks for its copy to go; only a copy that was there is worth a line.
    if (!QFileInfo::exists(file))
        return;
    client_log::file_op op("remove recovery copy", path, file);
    QFile f(file);
    const bool ok = f.remove();
    op.done(ok, -1, ok ? QByteArray() : f.errorString().toUtf8());
}

void script_recovery::finish()
{
    if (!active())
        return;
    // The copies go before the lock, so no client starting meanwhile takes them for left ones.
    const QDir dir(folder_);
    for (const QString &name : dir.entryList({copy_pattern}, QDir::Files))
        remove_copy(dir.filePath(name), QByteArray());
    lock_.reset();
    QDir(folder_).removeRecursively();
    folder_.clear();
    QDir().rmdir(root());
}

std::vector<script_recovery::left_copy> script_recovery::take_left()
{
    std::vector<left_copy> out;
    const QString base = root();
    if (base.isEmpty())
        return out;
    const QDir dir(base);
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = dir.filePath(name);
        if (folder == folder_ || std::any_of(claimed_.begin(), claimed_.end(),
                                             [&](const auto &c) { return c.first == folder; }))
            continue;
        std::unique_ptr<QLockFile> lock = try_lock(folder);
        if (!lock)
            continue;   // a running client's
        const QDir sub(folder);
        for (const QString &file : sub.entryList({copy_pattern}, QDir::Files)) {
            left_copy c;
            if (read_copy(sub.filePath(file), c))
                out.push_back(std::move(c));
        }
        claimed_.emplace_back(folder, std::move(lock));
    }
    remove_empty_claims();
    std::sort(out.begin(), out.end(), [](const left_copy &a, const left_copy &b) { return a.written < b.written; });
    return out;
}

void script_recovery::forget(const left_copy &copy)
{
    remove_copy(copy.copy_file, copy.path);
    remove_empty_claims();
}

void script_recovery::remove_empty_claims()
{
    for (auto it = claimed_.begin(); it != claimed_.end();) {
        if (!QDir(it->first).entryList({copy_pattern}, QDir::Files).isEmpty()) {
            ++it;
            continue;
        }
        const QString folder = it->first;
        it = claimed_.erase(it);   // unlocks
        QDir(folder).removeRecursively();
    }
}
