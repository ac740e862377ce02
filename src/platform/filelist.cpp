#include "platform/filelist.h"

#include "platform/localtime.h"
#include "platform/nativepath.h"

#include <QCollator>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

namespace lexicana {

namespace {

QString TimeText(const QDateTime& time)
{
    if (!time.isValid())
        return QString();
    const QDateTime local = time.toLocalTime();
    const QLocale locale = QLocale::system();
    const QString timeFormat
        = QString::fromStdString(TimeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat).toStdString()));
    return locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + locale.toString(local.time(), timeFormat);
}

} // namespace

std::string LocalFileTimeText(long long secondsSinceEpoch)
{
    return TimeText(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC)).toStdString();
}

bool ListFolderFiles(const std::string& folder, const std::string& pattern, std::vector<TFolderFile>& files)
{
    files.clear();
    if (folder.empty())
        return false;
    const std::string native = NativeFileName(folder);
    QDir dir(QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size()))));
    if (!dir.exists() || !dir.isReadable())
        return false;
    const QString filter = pattern.empty() ? QStringLiteral("*") : QString::fromStdString(pattern);
    dir.setNameFilters({ filter }); // without QDir::CaseSensitive: letter case ignored
    dir.setFilter(QDir::Files | QDir::Hidden);
    dir.setSorting(QDir::Unsorted);
    QFileInfoList entries = dir.entryInfoList();

    QCollator collator(QLocale::system());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(), [&collator](const QFileInfo& a, const QFileInfo& b) {
        return collator.compare(a.fileName(), b.fileName()) < 0;
    });

    files.reserve(static_cast<std::size_t>(entries.size()));
    for (const QFileInfo& entry : entries) {
        TFolderFile file;
        file.name = entry.fileName().toStdString();
        file.size = entry.size();
        file.modified = TimeText(entry.lastModified()).toStdString();
        files.push_back(std::move(file));
    }
    return true;
}

} // namespace lexicana
