// The main window's record preview: the pane beside the grid and the text
// pane, the view menu's item that shows it, and what keeps it up to date.
// The table tells its single observer (the grid's model) of every change,
// undo included; the pane listens to that model's signals.
#include "app/mainform.h"
#include "app/recordpreviewpane.h"
#include "components/recordtablemodel.h"
#include "components/strsortgrid.h"
#include "platform/settingsstore.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QSplitter>
#include <exception>
#include <string>

namespace lexicana {

namespace {

const std::string kPreviewKey = std::string(kSettingsRootKey) + "\\Window";
constexpr const char* kPreviewValue = "Preview";

// Whether the last session left the preview shown; off when nothing (or
// nothing readable) is stored.
bool LoadPreviewShown()
{
    try {
        auto key = TSettingsKey::Open(kPreviewKey, true);
        return key->ValueExists(kPreviewValue) && key->ReadBool(kPreviewValue);
    } catch (const std::exception&) {
        return false;
    }
}

// A store that cannot be written is reported by the settings' own save when
// the window closes, so this one stays silent.
void SavePreviewShown(bool shown)
{
    try {
        auto key = TSettingsKey::Open(kPreviewKey, true);
        key->WriteBool(kPreviewValue, shown);
        key->Close();
    } catch (const std::exception&) {
    }
}

} // namespace

void TMainForm::BuildPreview()
{
    QWidget* area = takeCentralWidget();
    previewSplitter_ = new QSplitter(Qt::Horizontal, this);
    previewSplitter_->setObjectName(QStringLiteral("PreviewSplitter"));
    previewSplitter_->setHandleWidth(3);
    previewSplitter_->setChildrenCollapsible(false);
    previewSplitter_->addWidget(area);
    previewPane_ = new TRecordPreviewPane(doc_, previewSplitter_);
    previewPane_->setFont(PaneFont());
    previewSplitter_->addWidget(previewPane_);
    previewSplitter_->setStretchFactor(0, 2);
    previewSplitter_->setStretchFactor(1, 1);
    previewPane_->hide();
    setCentralWidget(previewSplitter_);
}

void TMainForm::ConnectPreview()
{
    TRecordPreviewPane* pane = previewPane_;
    connect(StringGrid_Main, &TStrSortGrid::CurrentCellChanged, pane, [pane](int, int row) {
        if (row != pane->Row())
            pane->ShowRecord(row);
    });
    connect(StringGrid_Main, &TStrSortGrid::CellTextEdited, pane,
        [pane](int col, int row, const QString&) { pane->NoteCellChanged(col, row); });
    // After Memo_MainChange, which has put the text into the cell.
    connect(Memo_Main, &QPlainTextEdit::textChanged, pane, [this, pane] {
        if (global_.EditTarget == 1)
            pane->NoteCellChanged(StringGrid_Main->CurrentCol(), StringGrid_Main->CurrentRow());
    });
    // Every change of the table, whoever made it (find and replace, record
    // operations, undo, loading).
    TRecordTableModel* model = &StringGrid_Main->Model();
    connect(model, &QAbstractItemModel::dataChanged, pane,
        [pane](const QModelIndex& from, const QModelIndex& to) {
            pane->NoteRowsChanged(TRecordTableModel::TableRow(from), TRecordTableModel::TableRow(to));
        });
    for (auto signal : { &QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved })
        connect(model, signal, pane, [pane] { pane->NoteRecordsChanged(); });
    connect(model, &QAbstractItemModel::rowsMoved, pane, [pane] { pane->NoteRecordsChanged(); });
    connect(model, &QAbstractItemModel::modelReset, pane, [pane] { pane->NoteRecordsChanged(); });
    connect(model, &QAbstractItemModel::layoutChanged, pane, [pane] { pane->NoteRecordsChanged(); });
    connect(model, &QAbstractItemModel::headerDataChanged, pane, [pane](Qt::Orientation orientation) {
        if (orientation == Qt::Horizontal)
            pane->NoteRecordsChanged();
    });
    connect(pane, &TRecordPreviewPane::RecordLinkClicked, this,
        [this](int row) { SelectCell(StringGrid_Main->CurrentCol(), row); });

    pane->ShowRecord(StringGrid_Main->CurrentRow());
    ShowPreview(LoadPreviewShown());
}

void TMainForm::PreviewClick()
{
    ShowPreview(Preview1->isChecked());
    SavePreviewShown(Preview1->isChecked());
}

void TMainForm::ShowPreview(bool shown)
{
    Preview1->setChecked(shown);
    if (shown == previewPane_->isVisibleTo(this))
        return;
    previewPane_->ShowRecord(StringGrid_Main->CurrentRow());
    previewPane_->setVisible(shown);
    if (shown) {
        // A third of the width the first time.
        const QList<int> sizes = previewSplitter_->sizes();
        if (sizes.size() == 2 && sizes.at(1) < 50) {
            const int width = sizes.at(0) + sizes.at(1);
            previewSplitter_->setSizes({ width * 2 / 3, width - width * 2 / 3 });
        }
    }
}

} // namespace lexicana
