#include "platform/doctext.h"

#include "common/fileio.h"
#include "common/messages.h"
#include "common/translate.h"
#include "platform/qdoctext.h"
#include "platform/qsjis.h"
#include "platform/sjistext.h"

#include <stdexcept>

namespace lexicana {

QString QStringFromCode(TextCode code, std::string_view text)
{
    if (code == TextCode::Utf8)
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return QStringFromSjis(text);
}

QString QStringFromDoc(std::string_view text)
{
    return QStringFromCode(DocumentTextCode(), text);
}

std::optional<std::string> CodeFromQString(TextCode code, const QString& text, QString* unencodable)
{
    if (code == TextCode::Utf8) {
        const QByteArray bytes = text.toUtf8();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return SjisFromQString(text, unencodable);
}

std::optional<std::string> DocFromQString(const QString& text, QString* unencodable)
{
    return CodeFromQString(DocumentTextCode(), text, unencodable);
}

std::string DocToUtf8(std::string_view text)
{
    return QStringFromDoc(text).toStdString();
}

bool Utf8ToDoc(std::string_view utf8, std::string& out, std::string* unencodable)
{
    return ConvertTextCode(utf8, TextCode::Utf8, DocumentTextCode(), out, unencodable);
}

std::string DocOf(std::string_view utf8)
{
    return DocumentTextCode() == TextCode::Utf8 ? std::string(utf8) : SjisOf(utf8);
}

bool ConvertTextCode(std::string_view text, TextCode from, TextCode to, std::string& out, std::string* unencodable)
{
    if (from == to) {
        out.assign(text);
        return true;
    }
    QString bad;
    auto bytes = CodeFromQString(to, QStringFromCode(from, text), unencodable ? &bad : nullptr);
    if (!bytes) {
        if (unencodable)
            *unencodable = bad.toStdString();
        return false;
    }
    out = std::move(*bytes);
    return true;
}

void ConvertLinesCode(std::vector<std::string>& lines, TextCode from, TextCode to)
{
    if (from == to)
        return;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string out, bad;
        if (!ConvertTextCode(lines[i], from, to, out, &bad))
            throw std::runtime_error(FillArgs(lexicana::Tr("%1 行目の文字「%2」は%3で表せません。"),
                { std::to_string(i + 1), bad, TextCodeName(to) }));
        lines[i] = std::move(out);
    }
}

std::vector<std::string> LoadDocumentLines(const std::string& path, TFileCode* code)
{
    std::string text, reason;
    if (ReadFileToString(path, text, &reason) != FileOk)
        throw std::runtime_error(reason);
    return DocumentLinesOf(text, path, code);
}

std::vector<std::string> DocumentLinesOf(const std::string& text, const std::string& path, TFileCode* code)
{
    const TFileCode fileCode = DetectFileCode(text);
    std::vector<std::string> lines = SplitLines(fileCode.bom ? text.substr(kUtf8Bom.size()) : text);
    try {
        ConvertLinesCode(lines, fileCode.code, DocumentTextCode());
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(e.what()) + " : " + DocToUtf8(path));
    }
    if (code)
        *code = fileCode;
    return lines;
}

void SaveDocumentLines(const std::string& path, const std::vector<std::string>& lines, const TFileCode& code)
{
    std::vector<std::string> converted = lines;
    ConvertLinesCode(converted, DocumentTextCode(), code.code);
    std::string text(code.bom ? kUtf8Bom : std::string_view());
    for (const std::string& line : converted)
        text += line + "\r\n";
    std::string error;
    if (!SaveFileAtomically(path, text, &error))
        throw std::runtime_error(error);
}

const char* TextCodeName(TextCode code)
{
    return code == TextCode::Utf8 ? "UTF-8" : "Shift_JIS";
}

} // namespace lexicana
