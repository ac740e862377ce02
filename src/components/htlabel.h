// THTLabel: a text label that behaves like a hyperlink. Clicking it opens its
// text, a web address or an e-mail address, with the desktop's handler.
// The handler is reached through one replaceable opener (tests record it).
#pragma once

#include <QLabel>
#include <QUrl>
#include <functional>

namespace lexicana {

// Opens an address with the desktop's handler; true when it was handed over.
using UrlOpener = std::function<bool(const QUrl&)>;

// Installs the opener used from now on (an empty one restores
// QDesktopServices::openUrl) and returns the one installed before.
UrlOpener SetUrlOpener(UrlOpener opener);
// Hands the address to the installed opener.
bool OpenUrlWithDesktop(const QUrl& url);

class THTLabel : public QLabel {
    Q_OBJECT
public:
    // Hand cursor, navy text (0, 0, 128), underlined.
    explicit THTLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // The label's click: emits clicked(), then opens the label's text.
    void Click();
    // A text starting with exactly "http://" or "https://" (lower case) is a
    // web address; any other text is an e-mail address written without its
    // scheme and goes to the mail handler. Failures are silent (false).
    static bool OpenAddress(const QString& address);
    // The address OpenAddress hands to the desktop; invalid for an empty text.
    static QUrl AddressUrl(const QString& address);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace lexicana
