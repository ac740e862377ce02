// Shared pieces of the fuzz harnesses: a message sink that never blocks, the
// division of one input into parts, a scratch folder reused by every input,
// and a check that aborts with both sides printed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexicana::fuzz {

// Separates the parts of one input; an input without it is one part.
inline constexpr std::string_view kPartSeparator = "\n--\n";

// Installs (once) a sink that shows nothing and answers every question with
// its last button (OK, No, Cancel), so that no retry loops forever. Also
// fixes the clock of generated dates through SOURCE_DATE_EPOCH.
void InstallSilentSink();

// The input as bytes.
std::string_view Bytes(const std::uint8_t* data, std::size_t size);

// The first maxParts parts of data, cut at kPartSeparator; the last part
// keeps any further separators. Missing parts are empty.
std::vector<std::string> SplitParts(std::string_view data, std::size_t maxParts);

// The lines of text cut at LF only (a CR stays in its line), at most
// maxLines of them.
std::vector<std::string> SplitAtLf(std::string_view text, std::size_t maxLines);

// A folder of this process, emptied for each input and removed at exit.
class ScratchFolder {
public:
    // The folder, created on first use; absolute, "/" separated, no final "/".
    static const std::string& Path();
    // Removes everything inside it.
    static void Clear();
    // Writes bytes to name inside the folder and returns the path.
    static std::string Write(const std::string& name, std::string_view bytes);
    // The bytes of name inside the folder; empty when it cannot be read.
    static std::string Read(const std::string& name);
};

// Aborts with what, the two texts shown byte by byte, when they differ.
void CheckEqual(std::string_view expected, std::string_view actual, const char* what);
// Aborts with what when condition is false.
void Check(bool condition, const char* what);

} // namespace lexicana::fuzz

// The entry point every harness defines.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
