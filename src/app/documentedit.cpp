#include "app/documentedit.h"

#include "components/recordtablemodel.h"
#include "platform/qdoctext.h"

#include <QByteArray>
#include <QLineEdit>
#include <QVariant>

namespace lexicana {

namespace {

const char* const kBytesProperty = "lexicanaDocumentBytes";
const char* const kShownProperty = "lexicanaDocumentShown";

} // namespace

void SetDocumentText(QLineEdit* edit, const std::string& bytes)
{
    const QString shown = QStringFromDoc(bytes);
    edit->setText(shown);
    edit->setProperty(kBytesProperty, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    edit->setProperty(kShownProperty, shown);
}

bool GetDocumentText(const QLineEdit* edit, std::string& bytes)
{
    const QVariant shown = edit->property(kShownProperty);
    if (shown.isValid() && shown.toString() == edit->text()) {
        const QByteArray kept = edit->property(kBytesProperty).toByteArray();
        bytes.assign(kept.constData(), static_cast<std::size_t>(kept.size()));
        return true;
    }
    return EncodeUserText(edit->text(), bytes);
}

bool EncodeUserText(const QString& text, std::string& bytes)
{
    QString unencodable;
    std::optional<std::string> encoded = DocFromQString(text, &unencodable);
    if (!encoded) {
        TRecordTableModel::ReportUnencodable(unencodable);
        return false;
    }
    bytes = std::move(*encoded);
    return true;
}

} // namespace lexicana
