// Page rewriting: every target page gets its freshly generated part between
// its two part markers, converted to the page's character code and line
// ends, while every byte outside the markers stays as it was. The new page is
// written to a temporary file beside the page, read back and checked, and
// only then renamed over the page. Where the page's folder takes no new file
// but the page is writable, the new page is checked in memory and written in
// place.
#include "html/pagerewrite.h"

#include "common/fileio.h"
#include "common/messages.h"
#include "common/pathutils.h"
#include "common/translate.h"
#include "common/utils.h"
#include "html/externaloutput.h"
#include "html/fileerror.h"
#include "html/markersearch.h"
#include "jconvert/jconvert.h"
#include "platform/filesystem.h"
#include "platform/sjistext.h"
#include "platform/tempfile.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

namespace lexicana {

namespace {

constexpr std::size_t npos = std::string::npos;

constexpr const char* kRetryQuestion
    = lexicana::TrMark("HTMLファイルの作成中にLexicanaタグのずれが検出されました。\n"
                       "このパートの書き出しを再実行しますか？\n"
                       "（「いいえ」を選択した場合このパートをスキップします。）");

// The marker of one part: every placeholder replaced by the part ID.
std::string MarkerOfPart(std::string marker, const std::string& placeholder, const std::string& partId)
{
    ReplaceAll(marker, placeholder, partId);
    return marker;
}

// The temporary file of one page; removed on every way out unless it has
// become the page.
class PageTempFile {
public:
    PageTempFile() = default;
    PageTempFile(const PageTempFile&) = delete;
    PageTempFile& operator=(const PageTempFile&) = delete;
    ~PageTempFile() { Remove(); }

    bool Write(const std::string& pagePath, const std::string& bytes)
    {
        Remove();
        return WriteTempFileBeside(pagePath, bytes, path_);
    }
    const std::string& Path() const { return path_; }
    void Remove()
    {
        if (!path_.empty())
            RemoveFile(path_);
        path_.clear();
    }
    // The file has been renamed over the page.
    void Release() { path_.clear(); }

private:
    std::string path_;
};

// Temporary files older than this were left by a run that did not finish:
// no run of a glossary takes that long between writing a page's temporary
// file and renaming it.
constexpr int kStaleTempSeconds = 600;

// Removes what an unfinished run left beside the pages of this run.
void RemoveStaleTempFilesOfPages(const PageInputs& in, const FileListGrid& parts)
{
    std::vector<std::string> pages;
    for (int i = 0; i < parts.LastRow(); ++i)
        pages.push_back(in.global.HTMLBaseDir + parts.Cell(1, i));
    RemoveStaleTempFiles(pages, kStaleTempSeconds);
}

// Writes the new page into the run's own folder, creating the folders it
// needs; a failure is shown naming the file that could not be written.
bool WriteFolderCopy(const PageInputs& in, const std::string& pagePath, const std::string& bytes)
{
    const std::string out = in.target.FolderPathOf(in.global.HTMLBaseDir, pagePath);
    if (out.empty()) {
        ShowError(FillArgs(
            lexicana::Tr(
                "HTMLファイル(\"%1\")はHTMLフォルダの外にあるため、出力フォルダには書き出せません。"),
            { SjisToUtf8(pagePath) }));
        return false;
    }
    if (MakeFolders(ExtractFileDir(out)) && SaveFileAtomically(out, bytes))
        return true;
    ShowFileError(PageCannotWriteTemp, out);
    return false;
}

} // namespace

int RewritePages(const PageInputs& in, const FileListGrid& parts, const TStringList& outputList,
    const WordLink& links, int onlyRow)
{
    try {
        ColumnFlags columnUsed;
        MarkUsedColumns(in.grid, in.mainLines, columnUsed);
        if (in.target.WritesInPlace())
            RemoveStaleTempFilesOfPages(in, parts);
        for (int i = 0; i < parts.LastRow(); ++i) {
            if (onlyRow == 0 || parts.RowNumber(0, i) == onlyRow) {
                const int result = RewritePage(in, parts, links, columnUsed, i);
                ShowFileError(result, in.global.HTMLBaseDir + parts.Cell(1, i));
                if (result != 0)
                    return result;
            }
            in.progress.ProcessEvents();
            if (!in.global.Converting)
                return RunCancelled;
        }
        // A cancel that arrives while the output files are updated still
        // cancels the run.
        UpdateExternalOutputFiles(in.global, outputList, in.target, &in.outcome.staged, [&in] {
            in.progress.ProcessEvents();
            return in.global.Converting;
        });
        in.progress.ProcessEvents();
        if (!in.global.Converting)
            return RunCancelled;
        return RunPagesDone;
    } catch (const std::exception& e) {
        ReportError(e, "HTMLFileOperation");
        return ResultReported;
    } catch (...) {
        return ResultReported;
    }
}

int RewritePage(const PageInputs& in, const FileListGrid& parts, const WordLink& links,
    const ColumnFlags& columnUsed, int index)
{
    PageTempFile temp;
    try {
        const std::string& fileName = parts.Cell(1, index);
        const std::string& partId = parts.Cell(2, index);
        const int fileRow = parts.RowNumber(0, index);
        const std::string path = in.global.HTMLBaseDir + fileName;
        const std::string startMarker
            = MarkerOfPart(in.global.PartStartMarker, in.global.PlaceholderID, partId);
        const std::string endMarker = MarkerOfPart(in.global.PartEndMarker, in.global.PlaceholderID, partId);
        std::string& page = in.global.PageText;

        while (true) {
            in.progress.SelectStep(IConversionProgress::StepReadPage);
            in.progress.SetFileName(fileName);
            in.progress.SetPartId(partId);
            in.progress.SetRecord(fileRow, in.grid.RowCount() - 1);

            // A page this run has changed without writing it in place is
            // taken as the run left it.
            if (const auto staged = in.outcome.staged.find(path); staged != in.outcome.staged.end())
                page = staged->second;
            else if (ReadFileToString(path, page) != FileOk)
                return PageCannotRead;
            const std::string before = page;

            // The markers are looked for with the boundaries of the page's
            // own code; code and line end are judged over the whole page.
            const int pageCode = InCodeCheck(page);
            const std::size_t start = FindMarker(page, startMarker, pageCode);
            if (start == npos)
                return PageNoStartMarker;
            const std::size_t after = start + startMarker.size();
            const std::size_t end = FindMarker(page, endMarker, pageCode);
            if (end == npos)
                return PageNoEndMarker;
            const std::size_t tail = page.size() - end;
            const int outputCode = in.global.KanjiCode == -1 ? pageCode : in.global.KanjiCode;
            const int outputLineEnd
                = in.global.NewLineCode == -1 ? ReturnCodeCheck(page) : in.global.NewLineCode;

            if (end > after)
                page.erase(after, end - after);

            in.progress.SelectStep(IConversionProgress::StepMakePart);
            std::string part;
            const long long linksBefore = links.LinksMade();
            if (MakeOnePart(in, part, parts, links, columnUsed, index) != 0)
                return -1;
            part = ConvertJCode(part, outputCode);
            std::erase(part, '\r');
            part = ConvertReturnCode(part, outputLineEnd);

            page.insert(after, part);
            // The links count once the part is on its page (or already was).
            const long long partLinks = links.LinksMade() - linksBefore;
            // A page that already holds exactly its new content is left
            // untouched: its time, permissions and inode stay as they are.
            if (page == before) {
                in.outcome.linksMade += partLinks;
                in.outcome.NoteUnchanged(fileName);
                return PageOk;
            }
            // Consistent when the start marker still ends where it did and the
            // end marker still has exactly the old tail behind it.
            const auto consistent = [&](const std::string& text) {
                const std::size_t start2 = FindMarker(text, startMarker, pageCode);
                const std::size_t end2 = FindMarker(text, endMarker, pageCode);
                return start2 != npos && end2 != npos && start2 + startMarker.size() == after
                    && text.size() - end2 == tail;
            };
            const auto noteChanged = [&] {
                in.outcome.linksMade += partLinks;
                in.outcome.NoteWritten(fileName);
                if (in.target.keepContents)
                    in.outcome.NoteContents(fileName, before, page);
            };

            in.progress.SelectStep(IConversionProgress::StepWriteTemp);
            if (!in.target.WritesInPlace()) {
                // Checked in memory; only a folder run writes, into its folder.
                if (consistent(page)) {
                    in.progress.SelectStep(IConversionProgress::StepReplacePage);
                    if (in.target.mode == TRunTarget::Mode::Folder && !WriteFolderCopy(in, path, page))
                        return -1;
                    in.outcome.staged[path] = page;
                    noteChanged();
                    return PageOk;
                }
            } else {
                const bool inPlace = !temp.Write(path, page);
                if (inPlace && !WritableOnlyInPlace(path))
                    return PageCannotWriteTemp;
                if (!inPlace && ReadFileToString(temp.Path(), page) != FileOk)
                    return PageCannotRead;
                if (consistent(page)) {
                    in.progress.SelectStep(IConversionProgress::StepReplacePage);
                    if (inPlace) {
                        if (!SaveFileAtomically(path, page))
                            return PageCannotWriteTemp;
                    } else {
                        if (!ReplaceFileWithTemp(temp.Path(), path))
                            return PageCannotReplace;
                        temp.Release();
                    }
                    noteChanged();
                    return PageOk;
                }
                // The page on disk has not been touched.
                temp.Remove();
            }
            // The user may skip the part.
            if (ShowMessageBox(lexicana::Tr(kRetryQuestion), lexicana::Tr(kPartRetryCaption), MbYesNo)
                != IdYes) {
                in.outcome.skipped.push_back({ fileName, partId });
                return PageOk;
            }
        }
    } catch (const std::exception& e) {
        ReportError(e, "MakeOnePage");
        return -2;
    }
}

} // namespace lexicana
