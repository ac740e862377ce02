// The result codes of the file operations and conversion runs under their
// names. The values are the codes the functions have always returned (the
// tests and callers compare against them), so each family is a plain enum
// over int; a function's comment says which family it returns.
#pragma once

namespace lexicana {

// Shared by every family: 0 is success where no other success code is
// named; -2 a failure already reported to the user (the error box with its
// location); -1 a failure nothing was shown for.
enum CommonResult : int { ResultOk = 0, ResultUnreported = -1, ResultReported = -2 };

// Whole files: read or written, or unreadable / unwritable.
enum FileResult : int { FileOk = 100, FileCannotOpen = 105 };

// The item data file's save dialogs: saved (FileOk), or the dialog was
// cancelled.
enum ItemSaveResult : int { ItemSaveCancelled = 104 };

// The conversion table: read, or it could not be opened (FileCannotOpen,
// with its own message).
enum TableResult : int { TableRead = 200 };

// The set file: a key without a value, a set file that cannot be written,
// a cancelled save dialog (ResultOk when read or written).
enum SetFileResult : int { SetFileNoCsv = 2, SetFileNoCtb = 3, SetFileCannotWrite = 1, SetFileSaveCancelled = 1 };

// The part table: no file record at all, or two with the same page and part.
enum PartTableResult : int { PartTableNoFileRecord = 1, PartTableDuplicate = 207 };

// The pages of a run and the external output files: each page rewritten or
// skipped (ResultOk), or the code of the message shown.
enum PageResult : int {
    PageOk = 0,
    PageCannotRead = 106,
    PageCannotWriteTemp = 107,
    PageCannotReplace = 108,
    OutputCannotRead = 109,
    OutputCannotWrite = 110,
    PageNoStartMarker = 300,
    PageNoEndMarker = 301,
};

// A conversion run: refused to start (a run is going on, no table, no file
// record before the row), every page done, then the whole run done, or
// cancelled by the user. A run that stops otherwise returns the code of its
// cause (a table, part-table or page code, or -1 / -2).
enum RunResult : int {
    RunRefused = 1,
    RunPagesDone = 203,
    RunDone = 201,
    RunCancelled = 206,
};

} // namespace lexicana
