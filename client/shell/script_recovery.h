// Copies of the unsaved text of script tabs, kept beside the configuration so that a hang or a
// kill loses no typing. Each running client writes into a folder of its own, locked while it
// runs; a folder whose lock is free belongs to a client that ended without cleaning up.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

class QLockFile;

class script_recovery {
public:
    // A copy that a client left behind.
    struct left_copy {
        QString copy_file;   // where the copy lies
        QByteArray path;     // the command file it belongs to
        QByteArray text;
        QDateTime written;
    };

    // The folder holding the clients' folders; empty (the default) keeps no copies. Start-up
    // points it beside the configuration.
    static void set_root(const QString &folder);
    static QString root();

    // Opens this client's folder under root(); inactive when root() is empty or unusable.
    script_recovery();
    // Releases the folders; copies still there are offered at the next start.
    ~script_recovery();
    script_recovery(const script_recovery &) = delete;
    script_recovery &operator=(const script_recovery &) = delete;

    bool active() const { return lock_ != nullptr; }
    QString folder() const { return folder_; }

    // Writes the copy of a file's unsaved text in one step, replacing the previous one.
    bool keep(const QByteArray &path, const QByteArray &text);
    // Removes the copy of a file (saved, closed, or back to its saved text).
    void drop(const QByteArray &path);
    // A clean end: every copy goes, and this client's folder with them.
    void finish();

    // The copies of clients that ended without cleaning up, oldest first. Their folders are
    // claimed (locked) so that a second client starting beside this one does not offer them too.
    std::vector<left_copy> take_left();
    // A copy that was restored or declined: it goes, and its folder when it was the last.
    void forget(const left_copy &copy);

private:
    QString copy_name(const QByteArray &path) const;
    // Removes a copy file (of the command file at path, when known) and logs it.
    static void remove_copy(const QString &file, const QByteArray &path);
    void remove_empty_claims();

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    std::vector<std::pair<QString, std::unique_ptr<QLockFile>>> claimed_;
};
