// Start of the window program: the application object with the interface
// font, the interface language chosen in the options or else the system's
// (English, or Japanese where the system's language is Japanese or unknown)
// for its own and Qt's texts, the Qt message sink, and the main window; an
// exception that reaches the event loop is shown instead of ending the
// program.
//
//   lexicana [SETFILE]
//
// The hidden option "--screenshot FILE" saves a 900x600 picture of the
// window to FILE once it is shown (with SETFILE loaded) and quits without
// writing the settings; scripts/screenshot.sh uses it for the README.
#include "app/mainform.h"
#include "app/qtmessagesink.h"
#include "app/qttranslations.h"
#include "common/messages.h"
#include "common/translate.h"
#include "platform/uilanguage.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <QTranslator>
#include <exception>

namespace {

class TApplication final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            lexicana::ShowMessageBox(e.what(), "Lexicana", lexicana::MbOk | lexicana::MbIconStop);
        } catch (...) {
            lexicana::ShowMessageBox(lexicana::Tr("予期しないエラーが発生しました。"), "Lexicana",
                lexicana::MbOk | lexicana::MbIconStop);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lexicana"));
    QApplication::setOrganizationName(QStringLiteral("Orvane"));
    // Lets the desktop match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("lexicana"));
    QApplication::setFont(lexicana::InterfaceFont());
    if (!lexicana::InstallUiTranslation(lexicana::ChosenUiLanguage()))
        qWarning("The English translation (translations/lexicana_en.qm) is missing: the interface stays "
                 "Japanese.");
    // Qt's own texts follow: its sources are English, Japanese needs qtbase_ja.
    QTranslator qtTexts;
    if (lexicana::CurrentUiLanguage() == lexicana::UiLanguage::Japanese) {
        if (lexicana::LoadQtTranslations(qtTexts))
            QApplication::installTranslator(&qtTexts);
        else
            qWarning(
                "Qt's Japanese translations (qtbase_ja) are not installed: Qt's dialogs stay in English.");
    }

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    QString screenshot;
    const qsizetype option = arguments.indexOf(QStringLiteral("--screenshot"));
    if (option >= 0 && option + 1 < arguments.size()) {
        screenshot = arguments.at(option + 1);
        arguments.remove(option, 2);
    }

    lexicana::TQtMessageSink sink;
    lexicana::SetMessageSink(&sink);
    int result = 0;
    {
        lexicana::TMainForm window(arguments);
        sink.SetOwner(&window);
        if (!screenshot.isEmpty())
            window.resize(900, 600);
        window.show();
        if (!screenshot.isEmpty()) {
            QTimer::singleShot(500, &window, [&window, screenshot] {
                const bool saved = window.grab().save(screenshot);
                QCoreApplication::exit(saved ? 0 : 1);
            });
        }
        result = TApplication::exec();
    }
    lexicana::SetMessageSink(nullptr);
    return result;
}
