#pragma once

#include <QString>
#include <memory>

namespace kordex {

// One writer at a time on a SQLite store: a rebuild or an import of another process
// is refused at once, with what it does and who runs it, instead of SQLite's "database
// is locked" after ten seconds. The lock is the store file's own flock (SQLite locks
// with fcntl, which flock does not touch); what the holder does lies beside the store
// while it holds the lock.
class WriterLock
{
public:
    // Raises ServerError(WriterBusy) naming the other writer; nothing when the store
    // file cannot be opened (opening the store says why).
    static std::unique_ptr<WriterLock> take(const QString &storePath, const QString &work);
    ~WriterLock();

    WriterLock(const WriterLock &) = delete;
    WriterLock &operator=(const WriterLock &) = delete;

private:
    WriterLock(int fd, QString notePath);

    int m_fd;
    QString m_notePath;
};

} // namespace kordex
