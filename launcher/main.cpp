// kortvy-start: runs Kortvy or Kortvyadm on a card set, as the desktop entries do. Without
// a card set it shows the card sets in the user's card folder, which is made from the
// first card set on the first start.

#include "launcher/CardSets.h"
#include "launcher/ChooserWindow.h"
#include "launcher/Launch.h"
#include "launcher/Scale.h"

#include "app/Program.h"
#include "pictures/Picture.h"
#include "runtime/Error.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>

#include <clocale>
#include <cstdio>
#include <optional>

namespace {

bool hasScreen()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// A failure takes the programs' own road: standard error, a message box where there is a
// screen to show one on, and status 1.
int report(const QString& message, const QString& title, int argc, char** argv)
{
    std::optional<QApplication> application;
    if (hasScreen() && !QApplication::instance())
        application.emplace(argc, argv);
    if (QApplication::instance())
        app::prepare(title);
    app::fail(message, QStringLiteral("kortvy-start: "));
    return 1;
}

// The game fills the screen it starts on; Kortvyadm keeps the desktop's own scale. The
// screen is measured at the scale the game would have without QT_SCALE_FACTOR, since the
// one given to the game replaces any in the environment.
QString screenScale()
{
    if (!QGuiApplication::primaryScreen())
        return QString();
    bool ok = false;
    const double inherited = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    const QSize available =
        QGuiApplication::primaryScreen()->availableGeometry().size() * (ok && inherited > 0 ? inherited : 1.0);
    return launcher::scaleText(launcher::scaleFor(available));
}

// Measuring the screen needs a connection to it, which is closed again before the program
// takes this process's place.
QString measuredScaleFor(const QString& program, int& argc, char** argv)
{
    if (program != launcher::kGame || !hasScreen())
        return QString();
    QApplication app(argc, argv);
    return screenScale();
}

// Ends the list's event loop when its window is closed, and not when it is only hidden
// while a program started from it runs.
class QuitOnClose : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            QCoreApplication::quit();
        return false;
    }
};

struct Choice {
    QString program;
    QString folder;
    QString scale;
};

// The learner's game takes the place of the list, so the screen holds the game alone and
// ending it ends everything, as without the list. Everything else runs beside the list,
// which comes back, read again, when the program ends: a teacher goes on from there.
std::optional<Choice> choose(const QString& program, const QString& binDir, const QString& root, int& argc,
                             char** argv)
{
    QApplication application(argc, argv);
    app::prepare(program);
    application.setQuitOnLastWindowClosed(false);
    const launcher::Action defaultAction = program == launcher::kGame ? launcher::Action::Play
                                                                      : launcher::Action::Edit;
    launcher::ChooserWindow window(root, defaultAction);
    QuitOnClose quitOnClose;
    window.installEventFilter(&quitOnClose);
    std::optional<Choice> chosen;
    QObject::connect(&window, &launcher::ChooserWindow::runRequested, &window,
                     [&](launcher::Action action, const QString& folder) {
        const QString name = action == launcher::Action::Play ? launcher::kGame : launcher::kSupervisor;
        try {
            const QString path = launcher::programPath(name, binDir);
            if (program == launcher::kGame && action == launcher::Action::Play) {
                chosen = Choice{path, folder, screenScale()};
                window.close();
                return;
            }
            const QString scale = name == launcher::kGame ? screenScale() : QString();
            QProcess* running = launcher::startIn(path, folder, scale, &window);
            window.hide();
            QObject::connect(running, &QProcess::finished, &window, [&window, running] {
                running->deleteLater();
                window.reload();
                window.show();
                window.raise();
                window.activateWindow();
            });
        } catch (const runtime::Error& e) {
            window.tell(e.message());
        }
    });
    forms::showCentred(&window);
    application.exec();
    return chosen;
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString title = QStringLiteral("Kortvy");
    try {
        const launcher::Request request = launcher::parseArguments(arguments);
        title = request.program;
        const QString binDir = launcher::ownBinDir(argv[0]);
        const QString program = launcher::programPath(request.program, binDir);
        if (!request.cardSet.isEmpty()) {
            const QString folder = launcher::cardSetFolderOf(request.cardSet);
            return report(launcher::execIn(program, folder, measuredScaleFor(request.program, argc, argv)), title,
                          argc, argv);
        }
        const QString root = launcher::prepareUserCardFolder(launcher::homeFolder(), binDir);
        if (request.program == launcher::kGame) {
            const QList<launcher::CardSetSummary> sets = launcher::listCardSets(root);
            if (sets.size() == 1) {
                const QString scale = measuredScaleFor(request.program, argc, argv);
                return report(launcher::execIn(program, sets.first().folder, scale), title, argc, argv);
            }
        }
        if (!hasScreen())
            throw runtime::Error(QStringLiteral("Det finns ingen skärm att visa kortlekarna på."));
        if (const std::optional<Choice> chosen = choose(request.program, binDir, root, argc, argv))
            return report(launcher::execIn(chosen->program, chosen->folder, chosen->scale), title, argc, argv);
        return 0;
    } catch (const runtime::Error& e) {
        return report(e.message(), title, argc, argv);
    }
}
