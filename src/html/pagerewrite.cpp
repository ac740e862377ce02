// Page rewriting: every target page gets its freshly generated part between
// its two part markers, converted to the page's character code and line
// ends, while every byte outside the markers stays as it was. The new page is
// written to a temporary file beside the page, read back and checked, and
// only then renamed over the page. Where the page's folder takes no new file
// but the page is writable, the new page is checked in memory and written in
// place.
#include "common/fileio.h"
#include "common/messages.h"
#include "common/utils.h"
#include "conversion/document.h"
#include "conversion/filerecords.h"
#include "conversion/wordlink.h"
#include "html/externaloutput.h"
#include "html/fileerror.h"
#include "html/itemgeneration.h"
#include "html/markersearch.h"
#include "jconvert/jconvert.h"
#include "platform/tempfile.h"

#include <algorithm>
#include <exception>
#include <string>

namespace lexicana {

namespace {

constexpr std::size_t npos = std::string::npos;

constexpr const char* kRetryCaption = "再実行の確認";
constexpr const char* kRetryQuestion = "HTMLファイルの作成中にLexicanaタグのずれが検出されました。\n"
                                       "このパートの書き出しを再実行しますか？\n"
                                       "（「いいえ」を選択した場合このパートをスキップします。）";

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

} // namespace

int TDocument::HTMLFileOperation(
    const FileListGrid& parts, const TStringList& outputList, const WordLink& links, int onlyRow)
{
    try {
        ColumnFlags columnUsed;
        MarkUsedColumns(grid_, MainTableLines, columnUsed);
        for (int i = 0; i < parts.LastRow(); ++i) {
            if (onlyRow == 0 || parts.RowNumber(0, i) == onlyRow) {
                const int result = MakeOnePage(parts, links, columnUsed, i);
                ShowFileError(result, global_.HTMLBaseDir + parts.Cell(1, i));
                if (result != 0)
                    return result;
            }
            Progress().ProcessEvents();
            if (!global_.Converting)
                return 206;
        }
        UpdateExternalOutputFiles(global_, outputList, [this] { Progress().ProcessEvents(); });
        return 203;
    } catch (const std::exception& e) {
        ReportError(e, "HTMLFileOperation");
        return -2;
    } catch (...) {
        return -2;
    }
}

int TDocument::MakeOnePage(
    const FileListGrid& parts, const WordLink& links, const std::vector<unsigned char>& columnUsed, int index)
{
    PageTempFile temp;
    try {
        const std::string& fileName = parts.Cell(1, index);
        const std::string& partId = parts.Cell(2, index);
        const int fileRow = parts.RowNumber(0, index);
        const std::string path = global_.HTMLBaseDir + fileName;
        const std::string startMarker = MarkerOfPart(global_.PartStartMarker, global_.PlaceholderID, partId);
        const std::string endMarker = MarkerOfPart(global_.PartEndMarker, global_.PlaceholderID, partId);
        std::string& page = global_.PageText;

        while (true) {
            Progress().SelectStep(IConversionProgress::StepReadPage);
            Progress().SetFileName(fileName);
            Progress().SetPartId(partId);
            Progress().SetRecord(fileRow, grid_.RowCount() - 1);

            if (ReadFileToString(path, page) != FileOk)
                return PageCannotRead;

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
            const int outputCode = global_.KanjiCode == -1 ? pageCode : global_.KanjiCode;
            const int outputLineEnd = global_.NewLineCode == -1 ? ReturnCodeCheck(page) : global_.NewLineCode;

            if (end > after)
                page.erase(after, end - after);

            Progress().SelectStep(IConversionProgress::StepMakePart);
            std::string part;
            if (MakeOnePart(*this, part, parts, links, columnUsed, index) != 0)
                return -1;
            part = ConvertJCode(part, outputCode);
            std::erase(part, '\r');
            part = ConvertReturnCode(part, outputLineEnd);

            Progress().SelectStep(IConversionProgress::StepWriteTemp);
            page.insert(after, part);
            const bool inPlace = !temp.Write(path, page);
            if (inPlace && !WritableOnlyInPlace(path))
                return PageCannotWriteTemp;
            if (!inPlace && ReadFileToString(temp.Path(), page) != FileOk)
                return PageCannotRead;

            // Consistent when the start marker still ends where it did and the
            // end marker still has exactly the old tail behind it.
            const std::size_t start2 = FindMarker(page, startMarker, pageCode);
            const std::size_t end2 = FindMarker(page, endMarker, pageCode);
            if (start2 != npos && end2 != npos && start2 + startMarker.size() == after
                && page.size() - end2 == tail) {
                Progress().SelectStep(IConversionProgress::StepReplacePage);
                if (inPlace)
                    return SaveFileAtomically(path, page) ? PageOk : PageCannotWriteTemp;
                if (!ReplaceFileWithTemp(temp.Path(), path))
                    return PageCannotReplace;
                temp.Release();
                return PageOk;
            }

            // The page on disk has not been touched; the user may skip it.
            temp.Remove();
            if (ShowMessageBox(kRetryQuestion, kRetryCaption, MbYesNo) != IdYes)
                return PageOk;
        }
    } catch (const std::exception& e) {
        ReportError(e, "MakeOnePage");
        return -2;
    }
}

} // namespace lexicana
