#include "platform/filesystem.h"

#include "common/translate.h"
#include "platform/nativepath.h"
#include "platform/doctext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lexicana {

namespace {

// The largest file any reader takes: the item data, tables, set files,
// lists and pages of a glossary are far smaller, and reading one this size
// already takes several times its size in memory (bench_conversion: 121 MB
// for 130,000 records whose item data file is 15 MB).
constexpr qint64 kMaxReadBytes = 512LL * 1024 * 1024;
const char* const kTooLarge = lexicana::TrMark("ファイルが大きすぎます（読み込めるのは 512 MB まで）");

constexpr qint64 ReadBlockSize = 32768;

QString QtFileName(const std::string& documentPath)
{
    std::string native = NativeFileName(documentPath);
    return QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
}

// True when the file is read-only: not writable for this user, or without
// any write bit (the read-only attribute of Windows). The bits are looked at
// too because a root user passes the access check for every file.
bool IsReadOnlyFile(const QFileInfo& info)
{
    constexpr QFileDevice::Permissions anyWrite
        = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

bool Fail(std::string* error, const std::string& reason, const std::string& path)
{
    if (error)
        *error = reason + " : " + DocToUtf8(path);
    return false;
}

constexpr const char* kNotRegularFile = lexicana::TrMark("通常のファイルではありません");

#ifdef Q_OS_UNIX
// A file descriptor closed with the object; QFile uses it without owning it.
class FileHandle {
public:
    explicit FileHandle(int fd)
        : fd_(fd)
    {
    }
    ~FileHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// The system's reason for the last failed call, in parentheses.
std::string SystemReason()
{
    return " (" + std::string(std::strerror(errno)) + ")";
}
#else
class FileHandle { };
#endif

// Opens file for reading when it names a regular file. A FIFO or device is
// refused without being opened (a FIFO without a writer would block the open,
// a device may never end); the opened file is checked again, so a name
// swapped in between cannot slip through.
bool OpenRegularFileForReading(
    QFile& file, std::optional<FileHandle>& handle, std::string* error, const std::string& path)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(file.fileName());
    struct stat info { };
    if (::stat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return Fail(error, lexicana::Tr(kNotRegularFile), path);
    handle.emplace(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (handle->fd() < 0)
        return Fail(error, lexicana::Tr("ファイルを開けません") + SystemReason(), path);
    if (::fstat(handle->fd(), &info) != 0 || !S_ISREG(info.st_mode))
        return Fail(error, lexicana::Tr(kNotRegularFile), path);
    if (!file.open(handle->fd(), QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return Fail(error,
            lexicana::Tr("ファイルを開けません") + " (" + file.errorString().toStdString() + ")", path);
    return true;
#else
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        return Fail(error, lexicana::Tr(kNotRegularFile), path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Fail(error,
            lexicana::Tr("ファイルを開けません") + " (" + file.errorString().toStdString() + ")", path);
    return true;
#endif
}

// Writes bytes into an existing file that is not a regular file (a device, a
// FIFO) as a plain write: such a target cannot be replaced by renaming a new
// file over it. A FIFO without a reader is refused rather than waited for.
bool WriteToSpecialFile(
    const QString& name, std::string_view bytes, std::string* error, const std::string& path)
{
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(name);
    const FileHandle handle(::open(native.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (handle.fd() < 0 || ::fcntl(handle.fd(), F_SETFL, ::fcntl(handle.fd(), F_GETFL) & ~O_NONBLOCK) != 0)
        return Fail(error, lexicana::Tr("ファイルを書き込み用に開けません") + SystemReason(), path);
    QFile file(name);
    if (!file.open(handle.fd(), QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return Fail(error,
            lexicana::Tr("ファイルを書き込み用に開けません") + " (" + file.errorString().toStdString() + ")",
            path);
#else
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Fail(error,
            lexicana::Tr("ファイルを書き込み用に開けません") + " (" + file.errorString().toStdString() + ")",
            path);
#endif
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        const std::string reason = file.errorString().toStdString();
        return Fail(error, lexicana::Tr("ファイルに書き込めません") + " (" + reason + ")", path);
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return Fail(error,
            lexicana::Tr("ファイルに書き込めません") + " (" + file.errorString().toStdString() + ")", path);
    return true;
}

// Reads the file block by block: opened tells the size the file has when
// opened, take gets each block as it arrives.
bool ReadBlocks(const std::string& path, const std::function<void(qint64)>& opened,
    const std::function<void(std::string_view)>& take, std::string* error)
{
    std::optional<FileHandle> handle; // outlives file, which uses it
    QFile file(QtFileName(path));
    if (!OpenRegularFileForReading(file, handle, error, path))
        return false;
    const qint64 size = file.size();
    if (size > kMaxReadBytes)
        return Fail(error, lexicana::Tr(kTooLarge), path);
    opened(size);
    char block[ReadBlockSize];
    qint64 total = 0;
    while (true) {
        qint64 got = file.read(block, ReadBlockSize);
        if (got < 0)
            return Fail(error,
                lexicana::Tr("ファイルを読み込めません") + " (" + file.errorString().toStdString() + ")",
                path);
        if (got == 0)
            break;
        // A file that grows while it is read is held to the same limit.
        total += got;
        if (total > kMaxReadBytes)
            return Fail(error, lexicana::Tr(kTooLarge), path);
        take(std::string_view(block, static_cast<std::size_t>(got)));
    }
    return true;
}

} // namespace

bool ReadFileBlocks(
    const std::string& path, const std::function<void(std::string_view)>& take, std::string* error)
{
    return ReadBlocks(path, [](qint64) {}, take, error);
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error)
{
    bytes.clear();
    std::string content;
    const auto reserve = [&content](qint64 size) {
        if (size > 0)
            content.reserve(static_cast<std::size_t>(size));
    };
    if (!ReadBlocks(path, reserve, [&content](std::string_view block) { content.append(block); }, error))
        return false;
    bytes.swap(content);
    return true;
}

bool SaveFileBytes(const std::string& path, std::string_view bytes, std::string* error)
{
    const QString name = QtFileName(path);
    const QFileInfo target(name);
    if (target.exists()) {
        if (target.isDir())
            return Fail(error, lexicana::Tr("フォルダーには書き込めません"), path);
        // QSaveFile would rename over a read-only file; refuse it instead.
        if (IsReadOnlyFile(target))
            return Fail(error, lexicana::Tr("読み取り専用のファイルには書き込めません"), path);
        if (!target.isFile())
            return WriteToSpecialFile(name, bytes, error, path);
    }
    QSaveFile file(name);
    // Where the folder refuses the temporary file (no write permission) but
    // the file itself is writable, QSaveFile writes the file in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error,
            lexicana::Tr("ファイルを書き込み用に開けません") + " (" + file.errorString().toStdString() + ")",
            path);
    const qint64 size = static_cast<qint64>(bytes.size());
    // The bytes are pushed out here, so that a disk that fills up fails the
    // save: a failed flush inside commit() would not stop the rename and the
    // cut-off file would replace the old one.
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        file.commit();
        return Fail(error, lexicana::Tr("ファイルに書き込めません") + " (" + reason + ")", path);
    }
    if (!file.commit())
        return Fail(error,
            lexicana::Tr("ファイルを保存できません") + " (" + file.errorString().toStdString() + ")", path);
    return true;
}

bool PathIsFile(const std::string& path)
{
    QFileInfo info(QtFileName(path));
    return info.exists() && !info.isDir();
}

bool PathIsFolder(const std::string& path)
{
    return QFileInfo(QtFileName(path)).isDir();
}

bool PathExists(const std::string& path)
{
    return QFileInfo::exists(QtFileName(path));
}

bool MakeFolders(const std::string& path)
{
    return QDir().mkpath(QtFileName(path));
}

std::string FileIdentity(const std::string& path)
{
#ifdef Q_OS_UNIX
    struct stat info { };
    if (::stat(NativeFileName(path).c_str(), &info) == 0)
        return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
#endif
    const QString canonical = QFileInfo(QtFileName(path)).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical.toStdString();
}

} // namespace lexicana
