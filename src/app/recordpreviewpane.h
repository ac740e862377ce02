// TRecordPreviewPane: shows the current record as its page will show it
// (TRecordPreview's HTML in Qt's rich text, with the page's style sheet
// where one is found and the links marked), follows edits after a short
// pause, builds the word links on a helper thread so that typing never
// waits for them, and tells which record a clicked link points to.
#pragma once

#include "document/recordpreview.h"

#include <QDateTime>
#include <QTextBrowser>
#include <QThreadPool>
#include <QTimer>
#include <memory>

namespace lexicana {

class TDocument;

class TRecordPreviewPane : public QTextBrowser {
    Q_OBJECT

public:
    explicit TRecordPreviewPane(TDocument& doc, QWidget* parent = nullptr);
    ~TRecordPreviewPane() override;

    TRecordPreview& Preview() { return *preview_; }
    int Row() const { return row_; }

    // Shows the record at row now (with the links as they stand while they
    // are being built again); nothing is made while the pane is hidden.
    void ShowRecord(int row);
    // Edits: the preview is made again after a pause (debounced).
    void NoteCellChanged(int col, int row);
    void NoteRowsChanged(int first, int last);
    void NoteRecordsChanged();
    // Waits for a pending build and refresh (tests, pictures).
    void Flush();

    // The CSS that marks the links, given after the page's own.
    static QString LinkMarkStyle();
    // The style sheet of an HTML page: its <style> blocks and the files of
    // its <link rel="stylesheet">, in order; "" when none can be read.
    static QString PageStyleSheet(const QString& pagePath);

signals:
    // A link of the preview that points to a record was clicked.
    void RecordLinkClicked(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Render();
    void StartBuild();
    void BuildDone();
    void ApplyStyleSheet(int row);
    void LinkClicked(const QUrl& url);
    void Schedule();

    TDocument& doc_;
    std::unique_ptr<TRecordPreview> preview_;
    QTimer refresh_;
    QThreadPool pool_;
    std::shared_ptr<std::unique_ptr<TPreviewBuild>> building_;
    int row_ = 0;
    QString cssPath_;
    QDateTime cssTime_;
    QString css_;
};

} // namespace lexicana
