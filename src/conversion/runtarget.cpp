#include "conversion/runtarget.h"

#include "common/pathutils.h"
#include "platform/nativepath.h"

#include <filesystem>

namespace lexicana {

namespace {

std::filesystem::path NormalNative(const std::string& documentPath)
{
    return std::filesystem::path(NativeFileName(documentPath)).lexically_normal();
}

} // namespace

std::string TRunTarget::FolderPathOf(const std::string& baseDir, const std::string& path) const
{
    // Compared as normal native paths, so that "./", ".." and doubled
    // separators cannot lead a file out of the folder or past the check.
    const std::filesystem::path base = NormalNative(IncludeTrailingSeparator(baseDir));
    const std::filesystem::path file = NormalNative(path);
    const std::filesystem::path rest = file.lexically_relative(base);
    if (rest.empty() || rest.is_absolute() || *rest.begin() == ".." || *rest.begin() == ".")
        return std::string();
    std::string document;
    if (!DocumentPathFromNative(rest.generic_string(), document))
        return std::string();
    return folder + document;
}

} // namespace lexicana
