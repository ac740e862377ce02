// TGlobal: the one application-wide object holding the user's settings, the
// file names of the current conversion set, the state of the conversion
// table last read and the document flags. Strings are Shift_JIS byte strings.
#pragma once

#include "common/linkoptions.h"
#include "common/stringlist.h"
#include "common/textcode.h"

#include <string>
#include <vector>

namespace lexicana {

class TGlobal {
public:
    // Every member gets its initial value; then Load() reads the store
    // unless loadSettings is false (tests that want pure defaults).
    explicit TGlobal(bool loadSettings = true);

    // Reads the persisted options over the current values. A store problem
    // is reported and the defaults stay; never throws.
    void Load();
    // Writes the options (and program name, path, version). A store problem
    // is reported; never throws.
    void Save();

    // Whole-file helpers (byte-exact); 100 or 105.
    int ReadFileToString(const std::string& path, std::string& text) const;
    int WriteStringToFile(const std::string& path, const std::string& text) const;
    // The message box operation; returns the button id.
    int ShowMessageBox(const std::string& text, const std::string& caption, int flags) const;

    // --- members, in declaration order -----------------------------------
    std::string PartStartMarker;
    std::string PartEndMarker;
    std::string FileRecordCode = "\\@";
    std::string VersionText;
    std::string SectionColumn = "[Column]";
    std::string SectionTitle = "[Title]";
    std::string SectionWidth = "[Width]";
    std::string SectionTag = "[Tag]";
    std::string SectionLink = "[Link]";
    std::string SectionHeadTable = "[HeadTable]";
    std::string SectionMainConversionTable = "[MainConversionTable]";
    std::string SectionMainConvertionTable = "[MainConvertionTable]";
    std::string SectionFootTable = "[FootTable]";
    std::string BlockStart = "#start";
    std::string BlockEnd = "#end";
    std::string PlaceholderID = "{ID}";
    std::string PlaceholderFile = "{\\FILE}";
    std::string PlaceholderName = "{\\NAME}";
    std::string PlaceholderWord = "{\\WORD}";
    int RecordCodeCol = 2;
    int FileNameCol = 3;
    int LinkedNameCol = 0;
    int SortCol = 1;
    int LinkedWordCol = 2;
    int PartIDCol = 4;
    int KanjiCode = -1;
    int NewLineCode = -1;
    int NormalRecordCount = 0;
    int FileRecordCount = 0;
    std::string PageText;
    std::string LinkTemplate;
    std::string AnchorTemplate;
    std::string PlaceholderA = "{\\a}";
    std::string ProgramPath;
    std::string TableFileName;
    std::string SetFileName; // "無題" (untitled)
    std::string ItemFileName; // "無題" (untitled)
    std::string RepFileName;
    std::string HTMLDir;
    std::string Editor;
    std::string HTMLEditor;
    std::string EditorParam;
    std::string HTMLEditorParam;
    std::string FileRecordDialogFilter;
    std::string HTMLBaseDir;
    std::string LastFile;
    std::string InfoOutputList;
    int ItemFileKind = 1;
    int EditTarget = 0;
    int OpCol = 1;
    int OpRow = 1;
    int MinColCount = 4;
    bool ItemFileUntitled = true;
    bool ItemDataModified = false;
    bool NewItemFileMode = false;
    bool FullPath = false;
    bool WaitEditor = false;
    bool WaitHTMLEditor = false;
    bool StartupRead = false;
    bool SaveCSVatConv = false;
    bool RepDirectVert = true;
    bool SetFileUntitled = true;
    bool PopupOperatePosition = false;
    // One flag per grid column ([Link] of the conversion table); empty when
    // no table has been read.
    std::vector<unsigned char> LinkColumns;
    // The columns the last conversion table declared (its Count + 1, at
    // least MinColCount); 0 when no table has been read. Item data load at
    // least this wide and save every line this wide.
    int TableColCount = 0;
    bool FindMatched = false;
    bool FindSingleCell = false;
    bool Converting = false;
    bool UseLocalHelp = true;
    // The most memory (MB) the undo history of the records may hold; the
    // oldest steps are forgotten beyond it.
    int UndoLimitMB = 64;
    // The interface language chosen in the options, applied at the next
    // start: "en", "ja", or "" for the system's language.
    std::string InterfaceLanguage;
    // The code of the item data file as read or last saved (the document's
    // code, see DocumentTextCode) and whether it has a byte-order mark.
    TFileCode ItemFileCode;
    // The code the set file was read in; it is written back in it.
    TFileCode SetFileCode;
    // New documents are UTF-8 (else Shift_JIS).
    bool NewDocumentUtf8 = false;
    bool LinkToSelf = false;
    // The link options of the "[Link]" section (all off by default).
    LinkOptions Links;
    std::string OuterRecordStart;
    std::string OuterRecordEnd;
    std::string OuterFileRecordStart;
    std::string OuterFileRecordEnd;
    std::string OuterDateStart;
    std::string OuterDateEnd;
    std::string OuterTimeStart;
    std::string OuterTimeEnd;
    std::string OuterVersionStart;
    std::string OuterVersionEnd;
    std::string OuterLXVersionStart;
    std::string OuterLXVersionEnd;
    std::string OuterLinkStart;
    std::string OuterLinkEnd;

    // Sets the markers and templates to the defaults a conversion table
    // read starts from.
    void SetTableDefaults();
    // True when LinkColumns flags the column.
    bool IsLinkColumn(int col) const
    {
        return col >= 0 && static_cast<std::size_t>(col) < LinkColumns.size() && LinkColumns[col] != 0;
    }
};

// The untitled document name "無題" in Shift_JIS.
extern const char* const kUntitledName;

} // namespace lexicana
