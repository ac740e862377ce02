#include "cli/runreport.h"

#include "cli/unifieddiff.h"
#include "html/pagecode.h"
#include "jconvert/jconvert.h"
#include "platform/doctext.h"
#include "platform/sjistext.h"

#include <charconv>
#include <cstdio>

namespace lexicana {

namespace {

std::string JsonString(const std::string& utf8)
{
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string JsonNames(const std::vector<std::string>& pages)
{
    std::string out = "[";
    for (std::size_t i = 0; i < pages.size(); ++i)
        out += (i ? "," : "") + JsonString(DocToUtf8(pages[i]));
    return out + "]";
}

} // namespace

std::string PageTextAsUtf8(const std::string& bytes)
{
    if (PageCodeOf(bytes) == JCodeUtf8)
        return bytes;
    return SjisToUtf8(ConvertJCode(bytes, JCodeSjis));
}

std::string OutcomeDiffs(const TRunOutcome& outcome, bool colour)
{
    std::string out;
    for (const TRunOutcome::Change& change : outcome.changes)
        out += UnifiedDiff(
            DocToUtf8(change.page), PageTextAsUtf8(change.before), PageTextAsUtf8(change.after), colour);
    return out;
}

std::string OutcomeJson(const TRunOutcome& outcome, const TRunFacts& facts)
{
    std::string skipped = "[";
    for (std::size_t i = 0; i < outcome.skipped.size(); ++i)
        skipped += std::string(i ? "," : "") + "{\"page\":" + JsonString(DocToUtf8(outcome.skipped[i].page))
            + ",\"part\":" + JsonString(DocToUtf8(outcome.skipped[i].partId)) + "}";
    skipped += "]";
    std::string references = "[";
    for (const TRunOutcome::PageCount& page : outcome.References())
        references += std::string(references.size() > 1 ? "," : "") + "{\"page\":"
            + JsonString(DocToUtf8(page.page)) + ",\"count\":" + std::to_string(page.count) + "}";
    references += "]";
    // Independent of the locale, which may write a decimal comma.
    char seconds[32];
    const auto written
        = std::to_chars(seconds, seconds + sizeof seconds - 1, facts.seconds, std::chars_format::fixed, 3);
    *written.ptr = '\0';
    return "{\"result\":" + std::to_string(outcome.result) + ",\"done\":"
        + (outcome.Done() ? "true" : "false") + ",\"exitStatus\":" + std::to_string(facts.exitStatus)
        + ",\"check\":" + (facts.check ? "true" : "false") + ",\"pagesWritten\":" + JsonNames(outcome.written)
        + ",\"pagesUnchanged\":" + JsonNames(outcome.unchanged) + ",\"partsSkipped\":" + skipped
        + ",\"references\":" + references + ",\"records\":" + std::to_string(facts.records)
        + ",\"links\":" + std::to_string(outcome.linksMade) + ",\"seconds\":" + seconds + "}\n";
}

} // namespace lexicana
