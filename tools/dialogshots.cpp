// Takes a picture of every dialog of the window program, filled as a user
// would see it over a copy of the example glossary, and saves them as PNG
// files. scripts/screenshot-dialogs.sh runs it under a virtual X display.
//
//   lexicana-dialogshots OUTPUT_FOLDER [NAME...]
//
// Without names every picture is taken; "--list" prints the names. A new
// dialog gets one entry in Shots() below.
#include "app/aboutbox.h"
#include "app/applisetting.h"
#include "app/convsetsetting.h"
#include "app/dlgconverting.h"
#include "app/editinfooutput.h"
#include "app/finddialogs.h"
#include "app/insertfilerecord.h"
#include "app/mainform.h"
#include "app/numofitems.h"
#include "data/global.h"
#include "data/recordtable.h"
#include "platform/programinfo.h"
#include "platform/qsjis.h"
#include "platform/uilanguage.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace lexicana;

namespace {

// Shows the widget, lets it settle and saves what it shows.
class TCamera {
public:
    explicit TCamera(QString folder)
        : folder_(std::move(folder))
    {
    }
    bool Take(QWidget& widget, const QString& name)
    {
        widget.show();
        widget.raise();
        widget.activateWindow();
        Settle();
        const QString file = folder_ + QLatin1Char('/') + name + QStringLiteral(".png");
        const bool saved = widget.grab().save(file);
        std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(QDir::toNativeSeparators(file)));
        ok_ = ok_ && saved;
        return saved;
    }
    static void Settle()
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 250)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    bool ok() const { return ok_; }

private:
    QString folder_;
    bool ok_ = true;
};

// The example glossary copied to a temporary folder, and the settings and
// record table a user would have after opening it.
struct TScene {
    QTemporaryDir dir;
    TGlobal global { false };
    TRecordTable grid { 6, 48 };

    static std::string Doc(const QString& path) { return SjisFromQString(path).value_or(std::string()); }

    bool Prepare()
    {
        const QString source = QStringLiteral(LEXICANA_SOURCE_DIR "/examples/glossary");
        const QString target = dir.path() + QStringLiteral("/glossary");
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString copy = target + file.mid(source.size());
            QDir().mkpath(QFileInfo(copy).absolutePath());
            if (!QFile::copy(file, copy))
                return false;
        }
        global.ProgramPath = RunningProgramPath();
        global.SetFileName = Doc(target + QStringLiteral("/glossary.lxs"));
        global.ItemFileName = Doc(target + QStringLiteral("/glossary.csv"));
        global.TableFileName = Doc(target + QStringLiteral("/glossary.ctb"));
        global.HTMLDir = Doc(target + QStringLiteral("/html/"));
        global.InfoOutputList = Doc(target + QStringLiteral("/outputs.txt"));
        global.Editor = "/usr/bin/mousepad";
        global.EditorParam = "\"%1\"";
        global.HTMLEditorParam = "\"%1\"";
        global.FileRecordDialogFilter = "*.html";
        global.SaveCSVatConv = true;
        global.SetFileUntitled = false;
        global.ItemFileUntitled = false;
        grid.NumberRows();
        return true;
    }
};

struct TShot {
    const char* name;
    std::function<void(TScene&, TCamera&)> take;
};

std::vector<TShot> Shots()
{
    std::vector<TShot> shots;
    shots.push_back({ "applisetting", [](TScene& scene, TCamera& camera) {
                         TDlg_AppliSetting dialog(scene.global, {});
                         const char* pages[]
                             = { "applisetting-basic", "applisetting-editors", "applisetting-association" };
                         for (int page = 0; page < 3; ++page) {
                             dialog.PageControl->setCurrentIndex(page);
                             camera.Take(dialog, QString::fromLatin1(pages[page]));
                         }
                     } });
    shots.push_back({ "aboutbox", [](TScene&, TCamera& camera) {
                         TAboutBox box;
                         camera.Take(box, QStringLiteral("aboutbox"));
                     } });
    shots.push_back({ "converting", [](TScene& scene, TCamera& camera) {
                         TDlg_Converting dialog(scene.global);
                         dialog.Open(1, 47);
                         dialog.SelectStep(2);
                         dialog.SetFileName("kana-a.html");
                         dialog.SetPartId("a");
                         dialog.SetRecord(12, 47);
                         camera.Take(dialog, QStringLiteral("converting"));
                         dialog.Close();
                     } });
    shots.push_back({ "numofitems", [](TScene& scene, TCamera& camera) {
                         scene.global.NewItemFileMode = false;
                         TDlg_NumOfItems dialog(nullptr, {}, {}, scene.grid, scene.global);
                         camera.Take(dialog, QStringLiteral("numofitems"));
                     } });
    shots.push_back({ "convsetsetting", [](TScene& scene, TCamera& camera) {
                         TDlg_ConvSetSetting dialog(nullptr, scene.global, {}, {});
                         camera.Take(dialog, QStringLiteral("convsetsetting"));
                     } });
    shots.push_back({ "editinfooutput", [](TScene& scene, TCamera& camera) {
                         TDlg_EditInfoOutput dialog(
                             nullptr, scene.global.InfoOutputList, scene.global.HTMLDir);
                         camera.Take(dialog, QStringLiteral("editinfooutput"));
                     } });
    shots.push_back({ "insertfilerecord", [](TScene& scene, TCamera& camera) {
                         TDlg_InsertFileRecord dialog(
                             nullptr, scene.grid, scene.global, 15, 1, scene.grid.RowCount(), {});
                         camera.Take(dialog, QStringLiteral("insertfilerecord"));
                     } });
    shots.push_back({ "find", [](TScene&, TCamera& camera) {
                         TFindDialog dialog;
                         dialog.SetAllCellMode(true);
                         dialog.SetFindText(QStringLiteral("関数"));
                         camera.Take(dialog, QStringLiteral("find"));
                     } });
    shots.push_back({ "replace", [](TScene&, TCamera& camera) {
                         TReplaceDialog dialog;
                         dialog.SetFindText(QStringLiteral("ハッシュ表"));
                         dialog.SetReplaceText(QStringLiteral("ハッシュテーブル"));
                         camera.Take(dialog, QStringLiteral("replace"));
                     } });
    return shots;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setFont(InterfaceFont());
    // The dialogs in the system's language (LANG), as the window program shows them.
    InstallUiTranslation(SystemUiLanguage());
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const std::vector<TShot> shots = Shots();
    if (arguments.value(0) == QLatin1String("--list")) {
        for (const TShot& shot : shots)
            std::printf("%s\n", shot.name);
        return 0;
    }
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: lexicana-dialogshots OUTPUT_FOLDER [NAME...] | --list\n");
        return 2;
    }
    const QString folder = QFileInfo(arguments.takeFirst()).absoluteFilePath();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 2;
    }
    TScene scene;
    if (!scene.dir.isValid() || !scene.Prepare()) {
        std::fprintf(stderr, "cannot copy the example glossary\n");
        return 2;
    }
    TCamera camera(folder);
    for (const TShot& shot : shots)
        if (arguments.isEmpty() || arguments.contains(QLatin1String(shot.name)))
            shot.take(scene, camera);
    return camera.ok() ? 0 : 1;
}
