// Path helpers on any two paths: a path is its folder and its name, a final
// separator is added once, and an absolute path under the folder of a base
// comes back when made relative to the base and resolved against that folder.
#include "common/pathutils.h"
#include "fuzzsupport.h"

#include <string>

using namespace lexicana;
using namespace lexicana::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InstallSilentSink();
    const auto parts = SplitParts(Bytes(data, size), 2);
    const std::string& path = parts[0];
    const std::string& base = parts[1];

    (void)HasDrivePrefix(path);
    (void)SeparatorStyleOf(path);
    for (std::size_t pos = 0; pos < path.size() && pos < 64; ++pos)
        (void)IsFolderSeparatorAt(path, pos);
    std::string absolute = path;
    MakeAbsolutePath(base, absolute);
    (void)ResolveRelativePath(base, path);
    (void)MakeRelativePath(path, base, true);

    CheckEqual(path, ExtractFileDir(path) + ExtractFileName(path), "ExtractFileDir + ExtractFileName");
    const std::string withSeparator = IncludeTrailingSeparator(path);
    CheckEqual(withSeparator, IncludeTrailingSeparator(withSeparator), "IncludeTrailingSeparator twice");
    Check(path.empty() || EndsWithFolderSeparator(withSeparator), "IncludeTrailingSeparator ends with one");
    Check(WithSlashSeparators(path).size() == path.size(), "WithSlashSeparators keeps the length");

    // Set files hold absolute paths made relative to the set file's folder.
    const std::string folder = ExtractFileDir(base);
    const bool isAbsolute = HasDrivePrefix(path) || (!path.empty() && path[0] == '/');
    if (isAbsolute && path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0
        && path.find("..") == std::string::npos) {
        const std::string relative = MakeRelativePath(path, base, false);
        CheckEqual(path, ResolveRelativePath(folder, relative), "resolving a path made relative");
    }
    return 0;
}
