#include "cliharness.h"

#include <QDir>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

namespace lexicana::test {

const std::string kStart = "<!-- Start of \"Lexicana\" Part -->";
const std::string kEnd = "<!-- End of \"Lexicana\" Part -->";

namespace {

QStringList Arguments(const std::vector<std::string>& args)
{
    QStringList list;
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    return list;
}

// A comma-form field as the item data writer writes it.
std::string Field(const std::string& cell)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const auto c = static_cast<unsigned char>(cell[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            out += cell.substr(i, 2);
            ++i;
        } else if (c == '"') {
            out += "\"\"";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Line(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i)
        line += (i ? "," : "") + Field(cells[i]);
    return line + "\r\n";
}

} // namespace

QProcessEnvironment CliEnvironment(const std::string& settingsHome)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SOURCE_DATE_EPOCH", kTestEpoch);
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(settingsHome));
    return env;
}

std::unique_ptr<QProcess> StartConvert(const std::vector<std::string>& args, const std::string& settingsHome)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(CliEnvironment(settingsHome));
    process->start(LEXICANA_CONVERT, Arguments(args));
    if (!process->waitForStarted(10000))
        throw std::runtime_error("lexicana-convert did not start");
    return process;
}

CliResult FinishConvert(QProcess& process)
{
    CliResult result;
    process.closeWriteChannel();
    process.waitForFinished(120000);
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = result.crashed ? -1 : process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

CliResult RunConvert(const std::vector<std::string>& args, const std::string& settingsHome)
{
    auto process = StartConvert(args, settingsHome);
    return FinishConvert(*process);
}

ConversionSet::ConversionSet(std::string folder)
    : folder_(std::move(folder))
{
    QDir().mkpath(QString::fromStdString(folder_ + "/html"));
}

void ConversionSet::Write() const
{
    std::vector<std::string> rows;
    rows.push_back(Line({ "", "key", "code", "word", "text" }));
    int row = 0;
    for (const Part& part : parts) {
        rows.push_back(Line({ std::to_string(++row), "", "\\@", part.file, part.id }));
        for (const Entry& e : part.entries)
            rows.push_back(Line({ std::to_string(++row), "", "", e.word, e.text }));
    }
    std::string csv;
    for (const std::string& r : rows)
        csv += r;
    WriteFile(folder_ + "/items.csv", csv);

    WriteFile(folder_ + "/table.ctb",
        "[Column]\r\nCount=4\r\nSort=0\r\nLinkedName=0\r\nLinkedWord=3\r\n"
        "[Title]\r\n1=key\r\n2=code\r\n3=word\r\n4=text\r\n"
        "[Tag]\r\n"
            + tagLines
            + "[Link]\r\n4=true\r\n"
              "[HeadTable]\r\n#start\r\n<dl>\r\n\r\n#end\r\n"
              "[MainConversionTable]\r\n#start\r\n<dt>{\\a}{word}</a></dt>\r\n<dd>{text}</dd>\r\n\r\n#end\r\n"
              "[FootTable]\r\n#start\r\n</dl>\r\n\r\n#end\r\n");

    std::string set
        = "[Lexicana]\r\ncsv=items.csv\r\nctb=table.ctb\r\nrep=\r\nHTMLdir=html\r\nInfoOutputList=";
    if (!outputs.empty()) {
        set += "outputs.txt";
        std::string list;
        for (const std::string& name : outputs)
            list += name + "\r\n";
        WriteFile(folder_ + "/outputs.txt", list);
    }
    WriteFile(SetFile(), set + "\r\n");
}

std::string Between(const std::string& page, const std::string& start, const std::string& end)
{
    const auto s = page.find(start);
    const auto e = s == std::string::npos ? s : page.find(end, s + start.size());
    if (e == std::string::npos)
        return "<none>";
    return page.substr(s + start.size(), e - s - start.size());
}

std::string Page(const std::string& body, const std::string& newline)
{
    return "<html><body>" + newline + "<h1>glossary</h1>" + newline + kStart + newline + body + newline + kEnd
        + newline + "</body></html>" + newline;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::map<std::string, FileState> SnapshotTree(const std::string& root)
{
    std::map<std::string, FileState> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        struct stat st { };
        ::stat(entry.path().c_str(), &st);
        files[entry.path().lexically_relative(root).generic_string()]
            = { ReadFile(entry.path().string()), static_cast<unsigned long long>(st.st_ino),
                  st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec };
    }
    return files;
}

} // namespace lexicana::test
