#include "cli/watch.h"

#include <QDateTime>
#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace lexicana {

void WatchAndConvert(const std::function<std::vector<std::string>()>& convert,
    const std::function<bool()>& interrupted, int quietMs)
{
    QFileSystemWatcher watcher;
    QTimer settle;
    settle.setSingleShot(true);
    settle.setInterval(quietMs);
    QTimer poll;
    poll.setInterval(100);
    QEventLoop loop;

    // The files of the set and their folders, watched afresh.
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
    std::vector<std::string> files;
    // A folder changes with every file written into it, the pages included;
    // only a change that alters one of the watched files' times counts.
    const auto stamps = [&files] {
        std::vector<qint64> times;
        for (const std::string& file : files) {
            const QFileInfo info(QString::fromLocal8Bit(file.c_str()));
            times.push_back(
                info.exists() ? info.lastModified().toMSecsSinceEpoch() * 1000 + info.size() : -1);
        }
        return times;
    };
    std::vector<qint64> seen;
    // A change made while the run read the files counts as well: the watch
    // starts only after the run.
    const auto run = [&] {
        const qint64 begun = QDateTime::currentMSecsSinceEpoch();
        files = convert();
        watch(files);
        seen = stamps();
        // A time in the future (a skewed clock) is no change, or every run
        // would start the next.
        const qint64 ended = QDateTime::currentMSecsSinceEpoch();
        for (const std::string& file : files) {
            const QFileInfo info(QString::fromLocal8Bit(file.c_str()));
            const qint64 modified = info.exists() ? info.lastModified().toMSecsSinceEpoch() : 0;
            if (modified >= begun && modified <= ended)
                settle.start();
        }
    };
    run();

    QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &settle, [&settle] { settle.start(); });
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &settle, [&settle, &stamps, &seen] {
        if (stamps() != seen)
            settle.start();
    });
    QObject::connect(&settle, &QTimer::timeout, &loop, run);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (interrupted())
            loop.quit();
    });
    poll.start();
    if (!interrupted())
        loop.exec();
}

} // namespace lexicana
