#include "components/htlabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <utility>

namespace lexicana {

namespace {

UrlOpener& InstalledOpener()
{
    static UrlOpener opener;
    return opener;
}

} // namespace

UrlOpener SetUrlOpener(UrlOpener opener)
{
    return std::exchange(InstalledOpener(), std::move(opener));
}

bool OpenUrlWithDesktop(const QUrl& url)
{
    if (!url.isValid())
        return false;
    if (const UrlOpener& opener = InstalledOpener())
        return opener(url);
    return QDesktopServices::openUrl(url);
}

THTLabel::THTLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(colours);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
}

void THTLabel::Click()
{
    emit clicked();
    OpenAddress(text());
}

QUrl THTLabel::AddressUrl(const QString& address)
{
    if (address.isEmpty())
        return {};
    // The scheme test is exact: "HTTP://..." is not taken for a web address.
    if (address.startsWith(QLatin1String("http://")) || address.startsWith(QLatin1String("https://")))
        return QUrl(address);
    if (address.startsWith(QLatin1String("mailto:")))
        return QUrl(address);
    return QUrl(QStringLiteral("mailto:") + address);
}

bool THTLabel::OpenAddress(const QString& address)
{
    return OpenUrlWithDesktop(AddressUrl(address));
}

void THTLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Click();
}

} // namespace lexicana
