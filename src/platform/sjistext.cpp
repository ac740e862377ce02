#include "platform/sjistext.h"

#include "platform/qsjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace lexicana {

namespace {
// Code page 932 with its NEC and IBM extensions, as Windows uses it.
constexpr const char* kCodec = "windows-31j";
} // namespace

QString QStringFromSjis(std::string_view sjis)
{
    QStringDecoder decoder(kCodec);
    return decoder(QByteArrayView(sjis.data(), static_cast<qsizetype>(sjis.size())));
}

std::optional<std::string> SjisFromQString(const QString& text, QString* unencodable)
{
    QStringEncoder encoder(kCodec);
    QByteArray bytes = encoder(text);
    if (!encoder.hasError())
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (unencodable) {
        unencodable->clear();
        for (qsizetype i = 0; i < text.size();) {
            qsizetype n = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            QString ch = text.mid(i, n);
            QStringEncoder one(kCodec);
            QByteArray ignored = one(ch);
            (void)ignored;
            if (one.hasError() && !unencodable->contains(ch))
                unencodable->append(ch);
            i += n;
        }
    }
    return std::nullopt;
}

std::string SjisToUtf8(std::string_view sjis)
{
    return QStringFromSjis(sjis).toStdString();
}

bool Utf8ToSjis(std::string_view utf8, std::string& out, std::string* unencodable)
{
    QString bad;
    auto bytes = SjisFromQString(
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), unencodable ? &bad : nullptr);
    if (!bytes) {
        if (unencodable)
            *unencodable = bad.toStdString();
        return false;
    }
    out = std::move(*bytes);
    return true;
}

std::string SjisOf(std::string_view utf8)
{
    QStringEncoder encoder(kCodec);
    QByteArray bytes = encoder(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace lexicana
