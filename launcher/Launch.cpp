#include "launcher/Launch.h"

#include "launcher/CardFolder.h"

#include "runtime/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace launcher {

bool isKnownProgram(const QString& name)
{
    return name == QLatin1String("Kortvy") || name == QLatin1String("Kortvyadm");
}

QString firstCardSetFrom(const QString& binDir)
{
    return QDir::cleanPath(binDir + QLatin1Char('/') + QStringLiteral(KORTVY_FIRST_SET_FROM_BIN));
}

QString ownBinDir(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return QFile::decodeName(self.parent_path().c_str());
    return QFileInfo(QFile::decodeName(argv0)).absolutePath();
}

QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty())
        return home;
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
        return QFile::decodeName(user->pw_dir);
    return QString();
}

QString usage()
{
    return QStringLiteral("Användning: kortvy-start Kortvy\n"
                          "       eller: kortvy-start Kortvyadm\n"
                          "Startar programmet i mappen Kortvy i din hemmapp och skapar mappen "
                          "från den första kortleken första gången.");
}

QString launch(const QString& program, const QString& binDir, const QString& home)
{
    if (!isKnownProgram(program))
        return QStringLiteral("Okänt program: %1\n\n").arg(program) + usage();
    const QString path = binDir + QLatin1Char('/') + program;
    QByteArray pathName = QFile::encodeName(path);
    if (::access(pathName.constData(), X_OK) != 0) {
        const int error = errno;
        return QStringLiteral("Programmet %1 kunde inte startas:\n%2\n\n%3\n\nInstallera Kortvy på nytt.")
            .arg(program, QDir::toNativeSeparators(path), reasonFor(error));
    }
    if (home.isEmpty())
        return QStringLiteral("Din hemmapp är okänd, så mappen för dina kort kan inte skapas.");

    const QString folder = cardFolderIn(home);
    try {
        prepareCardFolder(folder, firstCardSetFrom(binDir));
    } catch (const runtime::Error& e) {
        return e.message();
    }
    if (::chdir(QFile::encodeName(folder).constData()) != 0) {
        const int error = errno;
        return QStringLiteral("Mappen för dina kort kunde inte öppnas:\n%1\n\n%2")
            .arg(QDir::toNativeSeparators(folder), reasonFor(error));
    }
    char* const args[] = {pathName.data(), nullptr};
    ::execv(pathName.constData(), args);
    const int error = errno;
    return QStringLiteral("Programmet %1 kunde inte startas:\n%2\n\n%3")
        .arg(program, QDir::toNativeSeparators(path), reasonFor(error));
}

} // namespace launcher
