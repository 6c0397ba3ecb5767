// kortvy-start: runs Kortvy or Kortvyadm in the user's card folder, as the desktop
// entries do. The folder is made from the first card set on the first start.

#include "launcher/Launch.h"

#include "app/Program.h"

#include <QApplication>
#include <QMessageBox>

#include <clocale>
#include <cstdio>

namespace {

bool hasScreen()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The message goes to standard error first, so it is there even if no window can be shown.
int report(const QString& message, const QString& title, int argc, char** argv)
{
    std::fprintf(stderr, "kortvy-start: %s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    if (hasScreen()) {
        QApplication app(argc, argv);
        app::prepare(title);
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
            QMessageBox::critical(nullptr, title, message);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    if (argc != 2)
        return report(launcher::usage(), QStringLiteral("Kortvy"), argc, argv);
    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString message = launcher::launch(program, launcher::ownBinDir(argv[0]), launcher::homeFolder());
    return report(message, launcher::isKnownProgram(program) ? program : QStringLiteral("Kortvy"), argc, argv);
}
