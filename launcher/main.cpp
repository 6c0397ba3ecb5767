// kortvy-start: runs Kortvy or Kortvyadm on a card set, as the desktop entries do. Without
// a card set it shows the card sets in the user's card folder, which is made from the
// first card set on the first start.

#include "cardsets/CardSets.h"
#include "launcher/BesideList.h"
#include "launcher/CardFileStart.h"
#include "launcher/ChooserWindow.h"
#include "launcher/Launch.h"

#include "app/Program.h"
#include "exercise/CardLayout.h"
#include "parcel/CardFile.h"
#include "pictures/Picture.h"
#include "printing/CardSheet.h"
#include "runtime/Error.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

bool hasScreen()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The one application of this process, made when something is first to be shown or measured,
// and only where there is a screen. It stays until the process ends or a program takes its
// place; its connection to the screen is closed on exec.
class Application {
public:
    Application(int& argc, char** argv) : m_argc(argc), m_argv(argv) {}

    QApplication* get(const QString& title)
    {
        if (!m_application && hasScreen()) {
            m_application.emplace(m_argc, m_argv);
            app::prepare(title);
        }
        return m_application ? &*m_application : nullptr;
    }

private:
    int& m_argc;
    char** m_argv;
    std::optional<QApplication> m_application;
};

// A failure takes the programs' own road: standard error, a message box where there is a
// screen to show one on, and status 1.
int report(const QString& message, const QString& title, Application& application)
{
    application.get(title);
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
    return exercise::scaleText(exercise::scaleFor(available));
}

QString measuredScaleFor(const QString& program, Application& application)
{
    if (program != launcher::kGame || !application.get(program))
        return QString();
    return screenScale();
}

QApplication& listShownBy(Application& application, const QString& program)
{
    QApplication* shown = application.get(program);
    if (!shown)
        throw runtime::Error(QStringLiteral("Det finns ingen skärm att visa kortlekarna på."));
    return *shown;
}

// Ends the list's event loop when its window is closed, and not when it is only hidden
// while a program started from it runs. The end is queued, so that a close which comes
// before the loop runs is kept for it rather than lost, and it is an exit, which no other
// window can refuse as it can a quit.
class QuitOnClose : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                                      Qt::QueuedConnection);
        return false;
    }
};

// The list of card sets, with every program it starts running beside it. A set from
// elsewhere is shown after the user's own; a card file is offered to be added to them.
void choose(const QString& program, const QString& binDir, const QString& root, const QString& otherSet,
            QApplication& application, const QString& cardFile = QString())
{
    application.setQuitOnLastWindowClosed(false);
    const bool learner = program == launcher::kGame;
    const launcher::Action defaultAction = learner ? launcher::Action::Play : launcher::Action::Edit;
    launcher::ChooserWindow window(root, defaultAction, nullptr,
                                   learner ? launcher::Audience::Learner : launcher::Audience::Teacher);
    if (!otherSet.isEmpty())
        window.showOtherSet(otherSet);
    QuitOnClose quitOnClose;
    window.installEventFilter(&quitOnClose);
    launcher::BesideList programs(window, binDir, screenScale);
    forms::showCentred(&window);
    if (!cardFile.isEmpty())
        window.fetchCardFile(cardFile);
    application.exec();
    // The list keeps nothing of its own, so a closed list ends at once: the strips still being
    // made are not waited for, and their thumbnails are written whole or not at all. Pictures
    // being copied into a set are another matter; the window finishes the one under way.
    if (!window.working()) {
        std::fflush(nullptr);
        std::_Exit(0);
    }
}

// kortvy-start --pdf UT.pdf KORTLEK, for a school's script: the set's cards as a PDF with the
// defaults, and no window. The fonts need an application even where there is no screen.
int writePdf(const QStringList& arguments, char** argv, Application& application)
{
    if (arguments.size() != 3)
        throw runtime::Error(launcher::usage());
    const QString folder = launcher::cardSetFolderOf(arguments[2]);
    static int offscreenArgc = 3;
    static char platform[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* offscreenArgv[] = {argv[0], platform, offscreen, nullptr};
    std::optional<QGuiApplication> unseen;
    if (!application.get(launcher::kGame))
        unseen.emplace(offscreenArgc, offscreenArgv);
    printing::writeSetPdf(folder, arguments[1]);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString title = QStringLiteral("Kortvy");
    Application application(argc, argv);
    try {
        if (arguments.value(0) == QLatin1String("--pdf"))
            return writePdf(arguments, argv, application);
        const launcher::Request request = launcher::parseArguments(arguments);
        title = request.program;
        const QString binDir = launcher::ownBinDir(argv[0]);
        const QString program = launcher::programPath(request.program, binDir);
        // A card file is played without being kept, or offered to the teacher's own sets.
        if (parcel::isCardFile(request.cardSet)) {
            if (request.program == launcher::kGame)
                return launcher::playCardFile(program, request.cardSet,
                                              measuredScaleFor(request.program, application));
            const QString cards = launcher::prepareUserCardFolder(launcher::homeFolder(), binDir);
            choose(request.program, binDir, cards, QString(), listShownBy(application, request.program),
                   QFileInfo(request.cardSet).absoluteFilePath());
            return 0;
        }
        const QString root = request.cardSet.isEmpty() ? launcher::prepareUserCardFolder(launcher::homeFolder(), binDir)
                                                       : QString();
        const launcher::Road road = launcher::roadFor(request, root, hasScreen());
        if (!road.list)
            return report(launcher::execIn(program, road.folder, measuredScaleFor(request.program, application)), title,
                          application);
        const QString cards = root.isEmpty() ? launcher::prepareUserCardFolder(launcher::homeFolder(), binDir) : root;
        choose(request.program, binDir, cards, road.otherSet, listShownBy(application, request.program));
        return 0;
    } catch (const runtime::Error& e) {
        return report(e.message(), title, application);
    }
}
