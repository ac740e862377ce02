#include "platform/runlock.h"

#include "platform/nativepath.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace lexicana {

namespace {

QString LockFileName(const std::string& setFile)
{
    const std::string native = NativeFileName(setFile);
    const QFileInfo set(QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size()))));
    return set.absolutePath() + QStringLiteral("/.") + set.fileName() + QStringLiteral(".lexicana-lock");
}

std::string HolderText(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host, application;
    if (!lock.getLockInfo(&pid, &host, &application))
        return std::string();
    std::string text = "PID " + std::to_string(pid);
    if (!application.isEmpty())
        text += ", " + application.toStdString();
    return text;
}

} // namespace

struct TRunLock::Impl {
    std::unique_ptr<QLockFile> lock;
};

TRunLock::TRunLock()
    : impl_(std::make_unique<Impl>())
{
}

TRunLock::~TRunLock() = default;

bool TRunLock::Acquire(const std::string& setFile, int waitMs, std::string* holder)
{
    Release();
    auto lock = std::make_unique<QLockFile>(LockFileName(setFile));
    // A run never holds the lock longer than it runs, so a lock file whose
    // process is alive is never stale; one whose process is gone is taken
    // over at once by QLockFile itself.
    lock->setStaleLockTime(0);
    if (lock->tryLock(waitMs)) {
        impl_->lock = std::move(lock);
        return true;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return true; // no lock file can be made here: the run is not held up
    if (holder)
        *holder = HolderText(*lock);
    return false;
}

void TRunLock::Release()
{
    impl_->lock.reset();
}

bool TRunLock::HeldElsewhere(const std::string& setFile, std::string* holder)
{
    QLockFile lock(LockFileName(setFile));
    lock.setStaleLockTime(0);
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    if (lock.error() != QLockFile::LockFailedError)
        return false;
    if (holder)
        *holder = HolderText(lock);
    return true;
}

} // namespace lexicana
