#include "platform/pagetext.h"

#include <QStringEncoder>
#include <cstdio>
#include <unordered_map>

namespace lexicana {

namespace {

// Code page 932 with its NEC and IBM extensions, as Windows uses it.
constexpr const char* kCodec = "windows-31j";

std::string BytesOf(const QByteArray& bytes)
{
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

std::string PageSjisFromUtf8(std::string_view utf8, long long& references)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    {
        QStringEncoder encoder(kCodec);
        const QByteArray bytes = encoder(text);
        if (!encoder.hasError())
            return BytesOf(bytes);
    }
    // Character by character; each distinct character is asked of the codec
    // once (an empty code: it has none).
    std::unordered_map<char32_t, std::string> codes;
    std::string out;
    out.reserve(utf8.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length
            = (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2
                                                                                                       : 1;
        const char32_t code
            = length == 2 ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        if (code < 0x80) {
            out += static_cast<char>(code);
            ++i;
            continue;
        }
        auto known = codes.find(code);
        if (known == codes.end()) {
            QStringEncoder one(kCodec);
            const QByteArray bytes = one(text.mid(i, length));
            known = codes.emplace(code, one.hasError() ? std::string() : BytesOf(bytes)).first;
        }
        if (known->second.empty()) {
            char reference[16];
            std::snprintf(reference, sizeof reference, "&#x%X;", static_cast<unsigned>(code));
            out += reference;
            ++references;
        } else {
            out += known->second;
        }
        i += length;
    }
    return out;
}

} // namespace lexicana
