#include "html/pagecode.h"

#include "common/textcode.h"
#include "jconvert/jconvert.h"
#include "platform/pagetext.h"
#include "platform/sjistext.h"

namespace lexicana {

namespace {

bool Utf8Document()
{
    return DocumentTextCode() == TextCode::Utf8;
}

// True for the codes a UTF-8 document's text is encoded to: Shift_JIS,
// EUC-JP and JIS. A page without Japanese (or binary) has no code to keep
// to and takes the document's.
bool TakesSjis(int code)
{
    switch (code) {
    case JCodeSjis:
    case JCodeUndecided:
    case JCodeEuc:
    case JCodeJis83:
    case JCodeJis78:
        return true;
    default:
        return false;
    }
}

// A UTF-8 document's text in a page of a code other than UTF-8.
std::string Utf8TextInPageCode(std::string_view text, int code, long long& references)
{
    if (!TakesSjis(code))
        return std::string(text);
    std::string sjis = PageSjisFromUtf8(text, references);
    if (code == JCodeEuc)
        return sjis2euc(sjis);
    if (code == JCodeJis83 || code == JCodeJis78)
        return sjis2jis83(sjis);
    return sjis;
}

} // namespace

int PageCodeOf(std::string_view page)
{
    if (page.starts_with(kUtf8Bom) || LooksLikeUtf8(page))
        return JCodeUtf8;
    return InCodeCheck(page);
}

std::string PartInPageCode(std::string_view part, int outputCode, long long& references)
{
    if (outputCode == JCodeUtf8)
        return Utf8Document() ? std::string(part) : SjisToUtf8(part);
    if (!Utf8Document())
        return ConvertJCode(part, outputCode);
    return Utf8TextInPageCode(part, outputCode, references);
}

bool PartWrittenInUtf8(int outputCode)
{
    return outputCode == JCodeUtf8 || (Utf8Document() && !TakesSjis(outputCode));
}

std::string MarkerInPageCode(std::string_view marker, int pageCode)
{
    if (pageCode == JCodeUtf8)
        return Utf8Document() ? std::string(marker) : SjisToUtf8(marker);
    if (!Utf8Document())
        return std::string(marker);
    long long references = 0;
    return Utf8TextInPageCode(marker, pageCode, references);
}

} // namespace lexicana
