#include "app/recordpreviewpane.h"

#include "document/document.h"
#include "platform/nativepath.h"
#include "platform/qdoctext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QUrl>

namespace lexicana {

namespace {

// Typing pauses this long before the preview follows.
constexpr int kRefreshDelayMs = 250;
// A page or style sheet larger than this is not searched for styles.
constexpr qint64 kMaxStyleBytes = 4 * 1024 * 1024;

QString NativeQString(const std::string& documentPath)
{
    const std::string native = NativeFileName(documentPath);
    return QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
}

QByteArray ReadSmallFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > kMaxStyleBytes || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString AttributeOf(const QString& tag, const QString& name)
{
    const QRegularExpression value(
        QStringLiteral("\\b%1\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))").arg(name),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = value.match(tag);
    if (!match.hasMatch())
        return {};
    for (int i = 1; i <= 3; ++i)
        if (match.capturedStart(i) >= 0)
            return match.captured(i);
    return {};
}

} // namespace

TRecordPreviewPane::TRecordPreviewPane(TDocument& doc, QWidget* parent)
    : QTextBrowser(parent)
    , doc_(doc)
    , preview_(std::make_unique<TRecordPreview>(doc))
{
    setObjectName(QStringLiteral("RecordPreview"));
    setOpenLinks(false);
    setOpenExternalLinks(false);
    pool_.setMaxThreadCount(1);
    refresh_.setSingleShot(true);
    refresh_.setInterval(kRefreshDelayMs);
    connect(&refresh_, &QTimer::timeout, this, &TRecordPreviewPane::Render);
    connect(this, &QTextBrowser::anchorClicked, this, &TRecordPreviewPane::LinkClicked);
}

TRecordPreviewPane::~TRecordPreviewPane()
{
    // The helper thread only touches its own snapshot, but it reports back
    // to this pane: it ends first.
    pool_.waitForDone();
}

void TRecordPreviewPane::ShowRecord(int row)
{
    row_ = row;
    refresh_.stop();
    Render();
}

void TRecordPreviewPane::NoteCellChanged(int col, int row)
{
    preview_->CellChanged(col, row);
    if (row == row_ || preview_->NeedsBuild())
        Schedule();
}

void TRecordPreviewPane::NoteRowsChanged(int first, int last)
{
    preview_->RowsChanged(first, last);
    if ((row_ >= first && row_ <= last) || preview_->NeedsBuild())
        Schedule();
}

void TRecordPreviewPane::NoteRecordsChanged()
{
    preview_->RecordsChanged();
    Schedule();
}

void TRecordPreviewPane::Schedule()
{
    // A hidden pane makes nothing; showing it makes the preview.
    if (isVisible())
        refresh_.start();
}

void TRecordPreviewPane::showEvent(QShowEvent* event)
{
    QTextBrowser::showEvent(event);
    Render();
}

void TRecordPreviewPane::Render()
{
    if (!isVisible())
        return;
    // A conversion reorders the records meanwhile: the preview waits.
    if (doc_.IsRunning()) {
        Schedule();
        return;
    }
    // The links are built on the helper thread; meanwhile the preview uses
    // them as they stand and is made again when they are ready.
    if (preview_->NeedsBuild())
        StartBuild();
    const std::string html = preview_->Html(row_, false);
    ApplyStyleSheet(row_);
    const bool sameRecord = property("lexicanaRow").toInt() == row_;
    const int scrolled = verticalScrollBar()->value();
    setHtml(QStringFromDoc(html));
    setProperty("lexicanaRow", row_);
    if (sameRecord)
        verticalScrollBar()->setValue(scrolled);
}

void TRecordPreviewPane::StartBuild()
{
    if (building_)
        return;
    auto slot = std::make_shared<std::unique_ptr<TPreviewBuild>>(preview_->PrepareBuild());
    building_ = slot;
    pool_.start([this, slot] {
        (*slot)->Run();
        QMetaObject::invokeMethod(this, &TRecordPreviewPane::BuildDone, Qt::QueuedConnection);
    });
}

void TRecordPreviewPane::BuildDone()
{
    if (!building_)
        return;
    pool_.waitForDone(); // already done: the thread has reported
    auto spent = std::make_shared<std::unique_ptr<TPreviewBuild>>(preview_->Install(std::move(*building_)));
    building_.reset();
    // Freeing the links that were replaced takes a while for a large
    // glossary: the helper thread does it.
    pool_.start([spent] { spent->reset(); });
    // Records changed while the links were built: build again after a pause.
    if (preview_->NeedsBuild())
        Schedule();
    else
        Render();
}

void TRecordPreviewPane::Flush()
{
    refresh_.stop();
    for (int round = 0; round < 3; ++round) {
        if (!building_ && preview_->NeedsBuild())
            StartBuild();
        if (!building_)
            break;
        pool_.waitForDone();
        BuildDone();
        refresh_.stop();
    }
    Render();
}

void TRecordPreviewPane::LinkClicked(const QUrl& url)
{
    // A relative link as the template wrote it: path and fragment decoded.
    QString text = url.toString();
    if (url.isRelative() && url.host().isEmpty()) {
        text = url.path(QUrl::FullyDecoded);
        if (url.hasFragment())
            text += QLatin1Char('#') + url.fragment(QUrl::FullyDecoded);
    }
    const std::optional<std::string> href = DocFromQString(text);
    if (!href)
        return;
    const int row = preview_->RowOfLink(*href);
    if (row >= 1)
        emit RecordLinkClicked(row);
}

void TRecordPreviewPane::ApplyStyleSheet(int row)
{
    const std::string page = preview_->PagePath(row);
    const QString path = page.empty() ? QString() : NativeQString(page);
    const QDateTime time = path.isEmpty() ? QDateTime() : QFileInfo(path).lastModified();
    if (path != cssPath_ || time != cssTime_) {
        cssPath_ = path;
        cssTime_ = time;
        css_ = path.isEmpty() ? QString() : PageStyleSheet(path);
        // Pictures of an item are found beside its page.
        setSearchPaths(path.isEmpty() ? QStringList() : QStringList { QFileInfo(path).absolutePath() });
    }
    document()->setDefaultStyleSheet(css_ + LinkMarkStyle());
}

QString TRecordPreviewPane::LinkMarkStyle()
{
    return QStringLiteral(
        "\na[href] { background-color: #fff0a0; color: #0b4f8a; text-decoration: underline; }\n");
}

QString TRecordPreviewPane::PageStyleSheet(const QString& pagePath)
{
    const QByteArray bytes = ReadSmallFile(pagePath);
    if (bytes.isEmpty())
        return {};
    // The markup of every code the pages use is ASCII: Latin-1 keeps each
    // byte where it was.
    const QString page = QString::fromLatin1(bytes);
    const QDir folder = QFileInfo(pagePath).absoluteDir();
    const QRegularExpression element(QStringLiteral("<link\\b[^>]*>|<style\\b[^>]*>(.*?)</style\\s*>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QString css;
    for (auto it = element.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString tag = match.captured(0);
        if (match.capturedStart(1) >= 0) {
            css += match.captured(1) + QLatin1Char('\n');
            continue;
        }
        if (!AttributeOf(tag, QStringLiteral("rel"))
                 .contains(QLatin1String("stylesheet"), Qt::CaseInsensitive))
            continue;
        QString href = AttributeOf(tag, QStringLiteral("href"));
        href = href.left(href.indexOf(QRegularExpression(QStringLiteral("[?#]"))));
        if (href.isEmpty() || href.contains(QLatin1String("://")) || href.startsWith(QLatin1String("//")))
            continue;
        const QByteArray sheet = ReadSmallFile(folder.filePath(href));
        css += QString::fromUtf8(sheet) + QLatin1Char('\n');
    }
    return css;
}

} // namespace lexicana
