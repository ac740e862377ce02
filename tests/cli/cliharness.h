// End-to-end harness of lexicana-convert: writes conversion sets into a
// temporary folder and runs the program on them with a settings folder of
// its own and a fixed date (SOURCE_DATE_EPOCH).
#pragma once

#include <QProcess>
#include <QStringList>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lexicana::test {

// 2021-01-01 00:00:00 UTC.
inline constexpr const char* kTestEpoch = "1609459200";

struct CliResult {
    int exitCode = -1;
    bool crashed = false;
    std::string out; // standard output
    std::string err; // standard error (UTF-8 messages)
};

// The environment of every run: SOURCE_DATE_EPOCH, LC_ALL=C.UTF-8 and
// XDG_CONFIG_HOME = settingsHome (the user's settings are never reached).
QProcessEnvironment CliEnvironment(const std::string& settingsHome);

// Runs the program to its end (args are UTF-8).
CliResult RunConvert(const std::vector<std::string>& args, const std::string& settingsHome);
// Starts the program and returns at once (for the interrupt tests).
std::unique_ptr<QProcess> StartConvert(const std::vector<std::string>& args, const std::string& settingsHome);
// Waits for a started program and collects its result.
CliResult FinishConvert(QProcess& process);

// One normal record: its word (column 3, the linked word) and text (column
// 4, word-linked); Shift_JIS.
struct Entry {
    std::string word;
    std::string text;
};
// One file record and the records of its part.
struct Part {
    std::string file; // below html/
    std::string id;
    std::vector<Entry> entries;
};

// A conversion set in a folder: set.lxs, items.csv (comma form), table.ctb
// (columns 1 key, 2 code, 3 word, 4 text; no sorting; anchors named by the
// row number; column 4 linked) and html/ for the pages.
class ConversionSet {
public:
    explicit ConversionSet(std::string folder);

    std::vector<Part> parts;
    // Extra "[Tag]" lines of the conversion table (e.g. markers with {ID}).
    std::string tagLines;
    // Names for the external output list (outputs.txt); none: no list.
    std::vector<std::string> outputs;

    // Writes set.lxs, items.csv, table.ctb and outputs.txt (not the pages).
    void Write() const;
    std::string SetFile() const { return folder_ + "/set.lxs"; }
    std::string Html(const std::string& name) const { return folder_ + "/html/" + name; }
    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
};

// The text between the first start in page and the first end after it;
// "<none>" when either is missing.
std::string Between(const std::string& page, const std::string& start, const std::string& end);

// The default part markers.
extern const std::string kStart;
extern const std::string kEnd;

// A page: head, start marker, old part, end marker, tail, each line ended
// with newline.
std::string Page(const std::string& body, const std::string& newline = "\n");

// Every regular file below root by its "/"-separated relative path, with
// its bytes, inode and modification time (to tell a file left untouched).
struct FileState {
    std::string bytes;
    unsigned long long inode = 0;
    long long mtimeNs = 0;
    bool operator==(const FileState&) const = default;
};
std::map<std::string, FileState> SnapshotTree(const std::string& root);

// Writes and reads whole files (bytes).
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

} // namespace lexicana::test
