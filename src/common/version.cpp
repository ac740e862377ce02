#include "common/version.h"

#include "version_config.h"

namespace lexicana {

namespace {
// "不明" (unknown) in Shift_JIS.
constexpr const char* kUnknownSjis = "\x95\x73\x96\xbe";
} // namespace

std::string GetProductVersion()
{
    std::string version = LEXICANA_VERSION;
    return version.empty() ? kUnknownSjis : version;
}

std::string GetLegalNotice()
{
    return "Copyright (C) 2026 Orvane. Lexicana is distributed in the hope that it "
           "will be useful, but without any warranty.";
}

} // namespace lexicana
