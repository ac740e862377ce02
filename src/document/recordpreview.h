// TRecordPreview: the HTML of one record as its page will show it, made by
// the conversion's own code (parts table, link table, word links, MakeItem
// and HeadFootStrings) from the records as they stand, without sorting,
// writing or changing the document and without showing any message. The
// word links are built once and kept until a change that matters to them;
// the window may build them on another thread (PrepareBuild / Install).
#pragma once

#include "common/textcode.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lexicana {

class TDocument;
class TPreviewLinks;
class TPreviewCells;

// A build of the word links from a snapshot of the records. Prepare takes
// the snapshot on the thread that owns the document (a copy of the settings
// and of the cells the links are made of, nothing more); Run makes the row
// keys, the parts, the link table and the word links on any thread and
// touches nothing but the snapshot.
class TPreviewBuild {
public:
    ~TPreviewBuild();
    TPreviewBuild(const TPreviewBuild&) = delete;
    TPreviewBuild& operator=(const TPreviewBuild&) = delete;
    void Run();

private:
    friend class TRecordPreview;
    TPreviewBuild();
    std::unique_ptr<TPreviewLinks> links_;
    // Read by Run and, while the build runs, by the document's thread.
    std::shared_ptr<const TPreviewCells> cells_;
    unsigned generation_ = 0;
    TextCode code_ = TextCode::ShiftJis; // the document's code at the snapshot
};

class TRecordPreview {
public:
    explicit TRecordPreview(TDocument& doc);
    ~TRecordPreview();
    TRecordPreview(const TRecordPreview&) = delete;
    TRecordPreview& operator=(const TRecordPreview&) = delete;

    // Rows were inserted, removed, moved or replaced: the word links are
    // built again before they are next used. Only marks them.
    void RecordsChanged();
    // One cell changed: only a column the links or parts are made of
    // (record code, file name, part ID, name, word, alias) marks them.
    void CellChanged(int col, int row);
    // The cells of rows first .. last changed: marks the links only when a
    // column they are made of differs from what they were built from, or
    // while a build is prepared and not yet installed, from its snapshot.
    void RowsChanged(int first, int last);
    // True when the links must be built before the next preview (marked,
    // never built, or the conversion table's link settings changed).
    bool NeedsBuild() const;
    // How often the links have been built (for tests and measurements).
    int Builds() const { return builds_; }

    // Builds the links now when they need it.
    void Build();
    // The snapshot for a build elsewhere, and its result taken over (a
    // build whose records changed meanwhile is used, but leaves the links
    // marked for another build). Install hands back the links it replaced,
    // so that the caller may free them on another thread.
    std::unique_ptr<TPreviewBuild> PrepareBuild();
    std::unique_ptr<TPreviewBuild> Install(std::unique_ptr<TPreviewBuild> build);

    // The Shift_JIS HTML of the record at row: its item made with the word
    // links of the current records, or for a file record its part's head.
    // Rows without a preview give "" (row 0, outside the table) or a short
    // explanation. With build false links that need building are used as
    // they stand (none at first).
    std::string Html(int row, bool build = true);
    // The grid row a link of the preview points to (href as the link
    // template writes it, "./" in front optional), -1 when none.
    int RowOfLink(const std::string& href);
    // The page the record at row goes into (HTML folder + its part's file
    // name), "" for a row in no part.
    std::string PagePath(int row) const;

private:
    // The row of the file record whose part holds row, 0 when none.
    int FileRecordAbove(int row) const;
    std::string LinkSettings() const;
    std::string ItemHtml(int row);
    std::string HeadHtml(int row);

    TDocument& doc_;
    std::unique_ptr<TPreviewLinks> links_;
    // The snapshot of the build prepared last, until it is installed.
    std::shared_ptr<const TPreviewCells> building_;
    bool dirty_ = true;
    unsigned generation_ = 0;
    int builds_ = 0;
};

} // namespace lexicana
