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
#include "common/taskpool.h"
#include "common/translate.h"
#include "common/utils.h"
#include "html/externaloutput.h"
#include "html/fileerror.h"
#include "html/markersearch.h"
#include "html/pagecode.h"
#include "html/partprefetch.h"
#include "jconvert/jconvert.h"
#include "platform/doctext.h"
#include "platform/filesystem.h"
#include "platform/tempfile.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
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
            { DocToUtf8(pagePath) }));
        return false;
    }
    if (MakeFolders(ExtractFileDir(out)) && SaveFileAtomically(out, bytes))
        return true;
    ShowFileError(PageCannotWriteTemp, out);
    return false;
}

// A page with its new part put in, waiting to be checked and written.
struct PreparedPage {
    int index = 0;
    std::string fileName;
    std::string partId;
    std::string path;
    std::string identity; // FileIdentity of path, for pages written ahead
    std::string startMarker;
    std::string endMarker;
    int pageCode = 0;
    int checkCode = 0; // the code whose boundaries the new page is checked with
    std::size_t after = 0; // where the part begins
    std::size_t tail = 0; // bytes from the end marker to the end of the page
    std::string before; // the page as read, kept where the run keeps contents
    std::string page; // the page with its new part
    long long partLinks = 0;
    long long references = 0; // characters of the part written as references
    bool unchanged = false;
    std::size_t heldBytes = 0; // what the page counts for while it waits
    PageTempFile temp;
    // The write of temp on a worker, where one was handed over.
    std::future<bool> tempWritten;

    PreparedPage() = default;
    PreparedPage(const PreparedPage&) = delete;
    PreparedPage& operator=(const PreparedPage&) = delete;
    // A write still going on has finished before the page and the file it
    // made go away.
    ~PreparedPage()
    {
        if (tempWritten.valid())
            tempWritten.wait();
    }
};

// CommitPage's answer when the user wants the part written again.
constexpr int kPrepareAgain = -100;

// How many pages may wait for their rename while the next ones are made:
// their temporary files are written and flushed at the same time, which
// costs the disk little more than one flush. Large pages gain little from
// that and would hold much memory: the waiting pages hold at most
// kBytesInFlight beyond the one just made.
constexpr std::size_t kPagesInFlight = 4;
constexpr std::size_t kBytesInFlight = 4 * 1024 * 1024;

using MakePart = std::function<int(int index, std::string& out, long long& linksMade)>;

// Reads the page of parts entry index and puts its new part between its
// markers, in the page's code and line ends. A PageResult, or -1 when the
// part could not be made (cancelled or failed).
int PreparePage(
    const PageInputs& in, const FileListGrid& parts, const MakePart& makePart, int index, PreparedPage& p)
{
    p.index = index;
    p.fileName = parts.Cell(1, index);
    p.partId = parts.Cell(2, index);
    p.path = in.global.HTMLBaseDir + p.fileName;

    in.progress.SelectStep(IConversionProgress::StepReadPage);
    in.progress.SetFileName(p.fileName);
    in.progress.SetPartId(p.partId);
    in.progress.SetRecord(parts.RowNumber(0, index), in.grid.RowCount() - 1);

    // A page this run has changed without writing it in place is taken as
    // the run left it.
    if (const auto staged = in.outcome.staged.find(p.path); staged != in.outcome.staged.end())
        p.before = staged->second;
    else if (ReadFileToString(p.path, p.before) != FileOk)
        return PageCannotRead;

    // The markers are looked for in the page's own code and with its
    // character boundaries; code and line end are judged over the whole page.
    p.pageCode = PageCodeOf(p.before);
    p.startMarker = MarkerInPageCode(
        MarkerOfPart(in.global.PartStartMarker, in.global.PlaceholderID, p.partId), p.pageCode);
    p.endMarker = MarkerInPageCode(
        MarkerOfPart(in.global.PartEndMarker, in.global.PlaceholderID, p.partId), p.pageCode);
    const std::size_t start = FindMarker(p.before, p.startMarker, p.pageCode);
    if (start == npos)
        return PageNoStartMarker;
    p.after = start + p.startMarker.size();
    const std::size_t end = FindMarker(p.before, p.endMarker, p.pageCode);
    if (end == npos)
        return PageNoEndMarker;
    p.tail = p.before.size() - end;
    const int outputCode = in.global.KanjiCode == -1 ? p.pageCode : in.global.KanjiCode;
    const int outputLineEnd = in.global.NewLineCode == -1 ? ReturnCodeCheck(p.before) : in.global.NewLineCode;

    in.progress.SelectStep(IConversionProgress::StepMakePart);
    std::string part;
    if (makePart(index, part, p.partLinks) != 0)
        return -1;
    part = PartInPageCode(part, outputCode, p.references);
    // UTF-8 boundaries never join a byte to an ASCII byte, so they find the
    // end marker right after a UTF-8 part in a page of another code too.
    p.checkCode = PartWrittenInUtf8(outputCode) ? JCodeUtf8 : p.pageCode;
    std::erase(part, '\r');
    part = ConvertReturnCode(part, outputLineEnd);

    p.page.reserve(p.before.size() - (end > p.after ? end - p.after : 0) + part.size());
    p.page.append(p.before, 0, p.after);
    p.page += part;
    p.page.append(p.before, std::max(end, p.after), npos);
    // A page that already holds exactly its new content is left untouched:
    // its time, permissions and inode stay as they are.
    p.unchanged = p.page == p.before;
    if (!in.target.keepContents)
        p.before = std::string();
    return PageOk;
}

// Checks the prepared page and puts it in place (or notes it unchanged). A
// PageResult (PageOk also when the user skipped the part), -1, or
// kPrepareAgain when the user wants the part made and written again.
int CommitPage(const PageInputs& in, PreparedPage& p)
{
    if (p.unchanged) {
        // The links count once the part is on its page (or already was).
        in.outcome.linksMade += p.partLinks;
        in.outcome.NoteReferences(p.fileName, p.references);
        in.outcome.NoteUnchanged(p.fileName);
        return PageOk;
    }
    // Consistent when the start marker still ends where it did and the end
    // marker still has exactly the old tail behind it.
    const auto consistent = [&](const std::string& text) {
        const std::size_t start2 = FindMarker(text, p.startMarker, p.checkCode);
        const std::size_t end2 = FindMarker(text, p.endMarker, p.checkCode);
        return start2 != npos && end2 != npos && start2 + p.startMarker.size() == p.after
            && text.size() - end2 == p.tail;
    };
    const auto noteChanged = [&] {
        in.outcome.linksMade += p.partLinks;
        in.outcome.NoteReferences(p.fileName, p.references);
        in.outcome.NoteWritten(p.fileName);
        if (in.target.keepContents)
            in.outcome.NoteContents(p.fileName, p.before, p.page);
    };

    in.progress.SelectStep(IConversionProgress::StepWriteTemp);
    if (!in.target.WritesInPlace()) {
        // Checked in memory; only a folder run writes, into its folder.
        if (consistent(p.page)) {
            in.progress.SelectStep(IConversionProgress::StepReplacePage);
            if (in.target.mode == TRunTarget::Mode::Folder && !WriteFolderCopy(in, p.path, p.page))
                return -1;
            in.outcome.staged[p.path] = p.page;
            noteChanged();
            return PageOk;
        }
    } else {
        const bool written = p.tempWritten.valid() ? p.tempWritten.get() : p.temp.Write(p.path, p.page);
        const bool inPlace = !written;
        if (inPlace && !WritableOnlyInPlace(p.path))
            return PageCannotWriteTemp;
        // The page as it reached the disk is what is checked.
        if (!inPlace && ReadFileToString(p.temp.Path(), p.page) != FileOk)
            return PageCannotRead;
        if (consistent(p.page)) {
            in.progress.SelectStep(IConversionProgress::StepReplacePage);
            if (inPlace) {
                if (!SaveFileAtomically(p.path, p.page))
                    return PageCannotWriteTemp;
            } else {
                if (!ReplaceFileWithTemp(p.temp.Path(), p.path))
                    return PageCannotReplace;
                p.temp.Release();
            }
            noteChanged();
            return PageOk;
        }
        // The page on disk has not been touched.
        p.temp.Remove();
    }
    // The user may skip the part.
    if (ShowMessageBox(lexicana::Tr(kRetryQuestion), lexicana::Tr(kPartRetryCaption), MbYesNo) != IdYes) {
        in.outcome.skipped.push_back({ p.fileName, p.partId });
        return PageOk;
    }
    return kPrepareAgain;
}

// A page step with the failure report of a page: -2 after reporting a
// standard exception; any other exception goes on to the run.
template <typename Step> int Guarded(const Step& step)
{
    try {
        return step();
    } catch (const std::exception& e) {
        ReportError(e, "MakeOnePage");
        return -2;
    }
}

// Prepares and commits one page until it is done, skipped or failed.
int RewriteOnePage(const PageInputs& in, const FileListGrid& parts, const MakePart& makePart, int index)
{
    while (true) {
        PreparedPage p;
        const int prepared = PreparePage(in, parts, makePart, index, p);
        if (prepared != PageOk)
            return prepared;
        const int committed = CommitPage(in, p);
        if (committed != kPrepareAgain)
            return committed;
    }
}

// The pages of a run in part order. Where pages are written in place, a
// page's temporary file is written on a helper thread while the next pages
// are made; the pages are still checked and renamed one by one in order, and
// a page waiting for its rename is finished before it is read again.
class PageQueue {
public:
    PageQueue(const PageInputs& in, const FileListGrid& parts, const MakePart& makePart)
        : in_(in)
        , parts_(parts)
        , makePart_(makePart)
        , depth_(in.target.WritesInPlace() ? kPagesInFlight : 1)
    {
    }

    // Prepares the page of parts entry index and commits the pages as the
    // queue fills. 0, or the result of the page that failed (shown).
    int Add(int index)
    {
        const std::string path = in_.global.HTMLBaseDir + parts_.Cell(1, index);
        if (!waiting_.empty()) {
            const std::string identity = FileIdentity(path);
            while (std::any_of(
                waiting_.begin(), waiting_.end(), [&](const auto& p) { return p->identity == identity; })) {
                if (const int result = CommitFirst(); result != 0)
                    return result;
            }
        }
        auto p = std::make_unique<PreparedPage>();
        const int prepared = Guarded([&] { return PreparePage(in_, parts_, makePart_, index, *p); });
        if (prepared != PageOk) {
            // The pages before it are finished first: their messages come first.
            if (const int result = Finish(); result != 0)
                return result;
            ShowFileError(prepared, path);
            return prepared;
        }
        if (depth_ > 1 && !p->unchanged) {
            p->identity = FileIdentity(p->path);
            PreparedPage* page = p.get();
            p->tempWritten = writers_.Run([page] { return page->temp.Write(page->path, page->page); });
        }
        p->heldBytes = p->page.size();
        waitingBytes_ += p->heldBytes;
        waiting_.push_back(std::move(p));
        while (waiting_.size() >= depth_ || (waiting_.size() > 1 && waitingBytes_ > kBytesInFlight)) {
            if (const int result = CommitFirst(); result != 0)
                return result;
        }
        return 0;
    }

    // Commits every page still waiting; stops at a failure or a cancel.
    int Finish()
    {
        while (!waiting_.empty()) {
            if (const int result = CommitFirst(); result != 0)
                return result;
            if (!in_.global.Converting)
                return RunCancelled;
        }
        return 0;
    }

private:
    int CommitFirst()
    {
        PreparedPage& first = *waiting_.front();
        int result = Guarded([&] { return CommitPage(in_, first); });
        if (result == kPrepareAgain) {
            result = Guarded([&] { return RewriteOnePage(in_, parts_, makePart_, first.index); });
        }
        const std::string path = waiting_.front()->path;
        waitingBytes_ -= waiting_.front()->heldBytes;
        waiting_.pop_front();
        if (result != 0) {
            // The pages behind it stay as they are.
            waiting_.clear();
            waitingBytes_ = 0;
            ShowFileError(result, path);
        }
        return result;
    }

    const PageInputs& in_;
    const FileListGrid& parts_;
    const MakePart& makePart_;
    const std::size_t depth_;
    std::deque<std::unique_ptr<PreparedPage>> waiting_;
    std::size_t waitingBytes_ = 0; // the new pages waiting hold this many bytes
    // Writes the temporary files of the waiting pages. Declared after
    // waiting_, so that it ends (finishing every write) before the pages
    // those writes read go away.
    TaskPool writers_ { static_cast<int>(kPagesInFlight) };
};

} // namespace

int RewritePages(const PageInputs& in, const FileListGrid& parts, const TStringList& outputList,
    const WordLink& links, int onlyRow)
{
    try {
        ColumnFlags columnUsed;
        MarkUsedColumns(in.grid, in.mainLines, columnUsed);
        if (in.target.WritesInPlace())
            RemoveStaleTempFilesOfPages(in, parts);
        std::vector<int> order;
        for (int i = 0; i < parts.LastRow(); ++i) {
            if (onlyRow == 0 || parts.RowNumber(0, i) == onlyRow)
                order.push_back(i);
        }
        // The parts of the later pages are made on the other cores meanwhile.
        PartPrefetch prefetch(in, parts, links, columnUsed, order,
            PartPrefetch::WorkersFor(std::thread::hardware_concurrency()));
        const MakePart makePart = [&prefetch](int index, std::string& out, long long& linksMade) {
            return prefetch.Take(index, out, linksMade);
        };
        {
            PageQueue pages(in, parts, makePart);
            for (int i = 0; i < parts.LastRow(); ++i) {
                if (onlyRow == 0 || parts.RowNumber(0, i) == onlyRow) {
                    if (const int result = pages.Add(i); result != 0)
                        return result;
                }
                in.progress.ProcessEvents();
                if (!in.global.Converting)
                    return RunCancelled;
            }
            if (const int result = pages.Finish(); result != 0)
                return result;
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
    try {
        const MakePart makePart = [&](int part, std::string& out, long long& linksMade) {
            const long long before = WordLink::LinksMadeOnThisThread();
            const int result = MakeOnePart(in, out, parts, links, columnUsed, part);
            linksMade = WordLink::LinksMadeOnThisThread() - before;
            return result;
        };
        return RewriteOnePage(in, parts, makePart, index);
    } catch (const std::exception& e) {
        ReportError(e, "MakeOnePage");
        return -2;
    }
}

} // namespace lexicana
