#include "cli/watch.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <ctime>
#include <sys/stat.h>
#include <tuple>

namespace lexicana {

namespace {

// What tells one state of a file from another.
using Stamp = std::tuple<bool, dev_t, ino_t, off_t, long long, long long>;

Stamp StampOf(const std::string& file)
{
    struct stat st { };
    if (::stat(file.c_str(), &st) != 0)
        return {};
    return { true, st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec,
        st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec };
}

long long NowNs()
{
    struct timespec now { };
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

std::vector<Stamp> StampsOf(const std::vector<std::string>& files)
{
    std::vector<Stamp> stamps;
    for (const std::string& file : files)
        stamps.push_back(StampOf(file));
    return stamps;
}

} // namespace

void WatchAndConvert(
    const std::function<TWatchList()>& convert, const std::function<bool()>& interrupted, int quietMs)
{
    QFileSystemWatcher watcher;
    QTimer settle;
    settle.setSingleShot(true);
    settle.setInterval(quietMs);
    QTimer poll;
    poll.setInterval(100);
    QEventLoop loop;

    TWatchList list;
    std::vector<Stamp> seen;
    const auto watch = [&watcher](const std::vector<std::string>& files) {
        if (!watcher.files().isEmpty())
            watcher.removePaths(watcher.files());
        if (!watcher.directories().isEmpty())
            watcher.removePaths(watcher.directories());
        for (const std::string& file : files) {
            const QString name = QString::fromLocal8Bit(file.c_str());
            if (QFileInfo::exists(name))
                watcher.addPath(name);
            const QString folder = QFileInfo(name).absolutePath();
            if (!watcher.directories().contains(folder))
                watcher.addPath(folder);
        }
    };
    const auto run = [&] {
        // The stamps of the files as the run is about to read them: a file
        // that differs afterwards changed during the run.
        const std::vector<std::string> before = list.files;
        const std::vector<Stamp> stampsBefore = StampsOf(before);
        const long long begun = NowNs();
        list = convert();
        watch(list.files);
        seen = StampsOf(list.files);
        const long long ended = NowNs();
        for (std::size_t j = 0; j < list.files.size(); ++j) {
            // Any file whose status changed while the run went on (a file
            // renamed into place keeps its old modification time but not
            // its status-change time; one from the future is a skewed
            // clock, not a change).
            const long long changed = std::get<5>(seen[j]);
            bool during = std::get<0>(seen[j]) && changed >= begun && changed <= ended;
            for (std::size_t i = 0; i < before.size(); ++i)
                during = during || (before[i] == list.files[j] && stampsBefore[i] != seen[j]);
            if (during)
                settle.start();
        }
    };
    // A folder changes with every file written into it, the pages included;
    // only a change of one of the watched files counts, or any change while
    // the last run could not read them all.
    QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &settle, [&settle] { settle.start(); });
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &settle, [&] {
        if (!list.complete || StampsOf(list.files) != seen)
            settle.start();
    });
    QObject::connect(&settle, &QTimer::timeout, &loop, run);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (interrupted())
            loop.quit();
    });
    run();
    poll.start();
    if (!interrupted())
        loop.exec();
}

} // namespace lexicana
