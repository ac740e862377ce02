#include "platform/association.h"

#include "platform/nativepath.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace lexicana {

namespace {

constexpr const char* kDefaultSection = "[Default Applications]";

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The text split into lines, each with its own line end ("\n"), if any.
std::vector<std::string> SplitKeepingEnds(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

bool IsSectionHeader(const std::string& trimmed)
{
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

// The key of a "key=value" line (trimmed), or "" for any other line.
std::string KeyOf(const std::string& trimmed, std::string* value = nullptr)
{
    if (trimmed.empty() || trimmed.front() == '#')
        return {};
    const auto equals = trimmed.find('=');
    if (equals == std::string::npos)
        return {};
    if (value)
        *value = Trimmed(trimmed.substr(equals + 1));
    return Trimmed(trimmed.substr(0, equals));
}

std::vector<std::string> SplitIds(const std::string& value)
{
    std::vector<std::string> ids;
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t end = value.find(';', start);
        if (end == std::string::npos)
            end = value.size();
        std::string id = Trimmed(value.substr(start, end - start));
        if (!id.empty())
            ids.push_back(id);
        start = end + 1;
    }
    return ids;
}

QString DataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString ConfigHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

// The mimeapps.list files in their order of precedence.
QStringList MimeAppsLists()
{
    QStringList lists;
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        lists << folder + QStringLiteral("/mimeapps.list");
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        lists << folder + QStringLiteral("/applications/mimeapps.list");
    return lists;
}

bool DesktopEntryInstalled(const std::string& id)
{
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        if (QFileInfo(folder + QStringLiteral("/applications/") + FromUtf8(id)).isFile())
            return true;
    return false;
}

std::string ReadText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

std::string InstalledDefault(const QStringList& lists, const std::string& mimeType)
{
    for (const QString& list : lists)
        for (const std::string& id : DefaultApplications(ReadText(list), mimeType))
            if (DesktopEntryInstalled(id))
                return id;
    return {};
}

void SetError(std::string* error, const QString& path, const QString& reason)
{
    if (error)
        *error = ToUtf8(QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason);
}

// Replaces the file through a temporary file and a rename; a symbolic link
// keeps being one (its target gets the new content).
bool SaveWhole(const QString& path, const QByteArray& bytes, std::string* error)
{
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink() && !info.symLinkTarget().isEmpty())
        target = info.symLinkTarget();
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        SetError(error, path, file.errorString());
        return false;
    }
    return true;
}

// The same type as the system-wide package installed with the program
// (data/lexicana-lxs.xml), so that either one serves the association.
QByteArray MimePackageText()
{
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                             "  <mime-type type=\"")
        + kSetFileMimeType
        + QByteArrayLiteral("\">\n"
                            "    <comment>Lexicana セットファイル</comment>\n"
                            "    <sub-class-of type=\"text/plain\"/>\n"
                            "    <generic-icon name=\"text-x-generic\"/>\n"
                            // Above the usual weight of 50, so that the
                            // extension is ours even where another type
                            // also claims it.
                            "    <glob pattern=\"*.lxs\" weight=\"80\"/>\n"
                            "  </mime-type>\n"
                            "</mime-info>\n");
}

QByteArray DesktopEntryText(const std::string& programPath, bool withIcon)
{
    const std::string native = NativeFileName(programPath);
    const QString program
        = QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Lexicana\n"
                       "GenericName=HTML glossary editor\n"
                       "GenericName[ja]=HTML用語集エディタ\n"
                       "Exec="
        + DesktopExecArgument(ToUtf8(program))
        + " %f\n"
          "Icon="
        + (withIcon ? "lexicana" : "accessories-dictionary")
        + "\n"
          "Terminal=false\n"
          "Categories=Office;\n"
          "MimeType="
        + kSetFileMimeType + ";\n";
    return QByteArray::fromStdString(text);
}

// Refreshes the user's MIME database; a missing or failing tool is no error
// (desktops that read the package files directly still see the type).
void RefreshMimeDatabase(const QString& mimeFolder)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (tool.isEmpty())
        return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(tool, { mimeFolder });
    if (process.waitForStarted(10000))
        process.waitForFinished(30000);
}

} // namespace

TAssociationFiles AssociationFiles()
{
    const QString data = DataHome();
    TAssociationFiles files;
    files.mimePackage = ToUtf8(data + QStringLiteral("/mime/packages/lexicana-lxs.xml"));
    files.desktopEntry
        = ToUtf8(data + QStringLiteral("/applications/") + QString::fromLatin1(kDesktopFileId));
    files.iconFile = ToUtf8(data + QStringLiteral("/icons/hicolor/32x32/apps/lexicana.png"));
    files.mimeApps = ToUtf8(ConfigHome() + QStringLiteral("/mimeapps.list"));
    return files;
}

std::string SetFileHandler()
{
    const QStringList lists = MimeAppsLists();
    std::string handler = InstalledDefault(lists, kSetFileMimeType);
    if (!handler.empty())
        return handler;
    const QMimeDatabase database;
    const QMimeType other
        = database.mimeTypeForFile(QStringLiteral("set.lxs"), QMimeDatabase::MatchExtension);
    if (other.isValid() && !other.isDefault() && other.name() != QLatin1String(kSetFileMimeType))
        return InstalledDefault(lists, ToUtf8(other.name()));
    return {};
}

bool PrepareSetFileAssociation(std::string* error)
{
    const TAssociationFiles files = AssociationFiles();
    for (const std::string& file :
        { files.mimePackage, files.desktopEntry, files.iconFile, files.mimeApps }) {
        const QString folder = QFileInfo(FromUtf8(file)).absolutePath();
        if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
            SetError(error, folder, QStringLiteral("cannot create the folder"));
            return false;
        }
    }
    return true;
}

bool WriteSetFileAssociation(const std::string& programPath, const std::string& iconPng, std::string* error)
{
    const TAssociationFiles files = AssociationFiles();
    if (!SaveWhole(FromUtf8(files.mimePackage), MimePackageText(), error))
        return false;
    const bool withIcon = !iconPng.empty();
    if (withIcon && !SaveWhole(FromUtf8(files.iconFile), QByteArray::fromStdString(iconPng), error))
        return false;
    if (!SaveWhole(FromUtf8(files.desktopEntry), DesktopEntryText(programPath, withIcon), error))
        return false;
    RefreshMimeDatabase(DataHome() + QStringLiteral("/mime"));

    const QString listPath = FromUtf8(files.mimeApps);
    std::string current;
    if (QFileInfo::exists(listPath)) {
        QFile list(listPath);
        if (!list.open(QIODevice::ReadOnly)) {
            SetError(error, listPath, list.errorString());
            return false;
        }
        current = list.readAll().toStdString();
    }
    const std::string updated = WithDefaultApplication(current, kSetFileMimeType, kDesktopFileId);
    return SaveWhole(listPath, QByteArray::fromStdString(updated), error);
}

std::string DesktopExecArgument(const std::string& utf8Path)
{
    // Quoted argument: ", `, $ and \ take a backslash; a literal % is %%.
    std::string quoted = "\"";
    for (char c : utf8Path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
        if (c == '%')
            quoted += '%';
    }
    quoted += '"';
    // The key's value is a string: its own escapes come on top.
    std::string value;
    for (char c : quoted) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        default:
            value += c;
        }
    }
    return value;
}

std::vector<std::string> DefaultApplications(const std::string& mimeAppsText, const std::string& mimeType)
{
    bool inDefaults = false;
    for (const std::string& line : SplitKeepingEnds(mimeAppsText)) {
        const std::string trimmed = Trimmed(line);
        if (IsSectionHeader(trimmed)) {
            inDefaults = trimmed == kDefaultSection;
            continue;
        }
        std::string value;
        if (inDefaults && KeyOf(trimmed, &value) == mimeType)
            return SplitIds(value);
    }
    return {};
}

std::string WithDefaultApplication(
    const std::string& mimeAppsText, const std::string& mimeType, const std::string& desktopId)
{
    std::vector<std::string> lines = SplitKeepingEnds(mimeAppsText);
    if (!lines.empty() && lines.back().back() != '\n')
        lines.back() += '\n';

    // Our entry first, the former defaults after it as fallbacks.
    std::string entry = mimeType + "=" + desktopId + ";";
    for (const std::string& id : DefaultApplications(mimeAppsText, mimeType))
        if (id != desktopId)
            entry += id + ";";
    entry += "\n";

    bool inDefaults = false;
    bool placed = false;
    std::ptrdiff_t sectionEnd = -1; // index after the section's last non-blank line
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string trimmed = Trimmed(lines[i]);
        if (IsSectionHeader(trimmed)) {
            inDefaults = trimmed == kDefaultSection && !placed;
            if (inDefaults)
                sectionEnd = static_cast<std::ptrdiff_t>(i) + 1;
            continue;
        }
        if (!inDefaults)
            continue;
        if (KeyOf(trimmed) == mimeType) {
            lines[i] = entry;
            placed = true;
            inDefaults = false;
        } else if (!trimmed.empty()) {
            sectionEnd = static_cast<std::ptrdiff_t>(i) + 1;
        }
    }
    if (!placed && sectionEnd >= 0) {
        lines.insert(lines.begin() + sectionEnd, entry);
    } else if (!placed) {
        if (!lines.empty() && !Trimmed(lines.back()).empty())
            lines.push_back("\n");
        lines.push_back(std::string(kDefaultSection) + "\n");
        lines.push_back(entry);
    }
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

} // namespace lexicana
