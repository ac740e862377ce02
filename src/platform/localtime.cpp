#include "platform/localtime.h"

#include "platform/qdoctext.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QtGlobal>

namespace lexicana {

namespace {

// The instant shown as "now". With SOURCE_DATE_EPOCH the instant is shown in
// UTC, so that the same value gives the same text on every machine.
QDateTime Now()
{
    long long seconds = 0;
    if (SourceDateEpoch(seconds))
        return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    return QDateTime::currentDateTime();
}

std::string ToSjis(const QString& text, const QString& fallback)
{
    if (auto bytes = DocFromQString(text))
        return *bytes;
    // A locale format with a character outside Shift_JIS: a plain ASCII form.
    return fallback.toStdString();
}

} // namespace

bool SourceDateEpoch(long long& seconds)
{
    if (!qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH"))
        return false;
    bool ok = false;
    const qlonglong value = qEnvironmentVariable("SOURCE_DATE_EPOCH").trimmed().toLongLong(&ok);
    if (!ok)
        return false;
    seconds = value;
    return true;
}

std::string TimeFormatWithoutZone(const std::string& format)
{
    const QString in = QString::fromStdString(format);
    QString out;
    out.reserve(in.size());
    bool quoted = false;
    bool droppedZone = false; // a zone field was dropped: skip the blanks after it
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QChar c = in.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            out += c;
            droppedZone = false;
            continue;
        }
        if (!quoted && c == u't') {
            // Drop the blanks in front of the field, then the field itself.
            while (!out.isEmpty() && out.back().isSpace())
                out.chop(1);
            droppedZone = true;
            continue;
        }
        if (droppedZone && c.isSpace() && out.isEmpty())
            continue; // a zone field at the start leaves no leading blank
        droppedZone = false;
        out += c;
    }
    return out.toStdString();
}

std::string CurrentDateText()
{
    const QDate date = Now().date();
    return ToSjis(QLocale::system().toString(date, QLocale::ShortFormat), date.toString(Qt::ISODate));
}

std::string CurrentTimeText()
{
    const QTime time = Now().time();
    const QLocale locale = QLocale::system();
    const QString format
        = QString::fromStdString(TimeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat).toStdString()));
    return ToSjis(locale.toString(time, format), time.toString(QStringLiteral("HH:mm:ss")));
}

} // namespace lexicana
