#include "launcher/Launch.h"

#include "library/Library.h"

#include "cardsets/CardFolder.h"
#include "cardsets/CardSets.h"
#include "runtime/Error.h"
#include "runtime/FileIo.h"
#include "settings/CardSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace launcher {

QString cannotStart(const QString& programPath, const QString& reason)
{
    return QStringLiteral("Programmet %1 kunde inte startas:\n%2\n\n%3")
        .arg(QFileInfo(programPath).fileName(), QDir::toNativeSeparators(programPath), reason);
}

bool isKnownProgram(const QString& name)
{
    return name == kGame || name == kSupervisor;
}

Request parseArguments(const QStringList& arguments)
{
    if (arguments.isEmpty() || arguments.size() > 2)
        throw runtime::Error(usage());
    if (!isKnownProgram(arguments.first()))
        throw runtime::Error(QStringLiteral("Okänt program: %1\n\n").arg(arguments.first()) + usage());
    return {arguments.first(), arguments.value(1)};
}

QString cardSetFolderOf(const QString& path)
{
    const QFileInfo info(path);
    const auto wrong = [&](const QString& what) {
        return runtime::Error(QStringLiteral("%1 kan inte öppnas som kortlek: %2")
                                  .arg(QDir::toNativeSeparators(info.absoluteFilePath()), what));
    };
    if (path.isEmpty())
        throw runtime::Error(QStringLiteral("Ingen kortlek angavs.\n\n") + usage());
    if (!info.exists())
        throw wrong(QStringLiteral("den finns inte."));
    if (info.isDir()) {
        if (!QFileInfo(info.absoluteFilePath() + QLatin1Char('/') + settings::kFileName).isFile())
            throw wrong(QStringLiteral("mappen har ingen %1.").arg(settings::kFileName));
        return QDir::cleanPath(info.absoluteFilePath());
    }
    if (info.fileName() != settings::kFileName)
        throw wrong(QStringLiteral("det är varken en mapp med en kortlek eller en %1.").arg(settings::kFileName));
    return info.absolutePath();
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

QString programFor(Action action)
{
    return action == Action::Play ? kGame : kSupervisor;
}

Road roadFor(const Request& request, const QString& root, bool screen)
{
    if (!request.cardSet.isEmpty()) {
        const QString folder = cardSetFolderOf(request.cardSet);
        // A set the teacher cannot save in, such as one on a read-only stick, is shown in
        // the list, where it can be played, changed or copied into the card folder.
        if (request.program == kSupervisor && screen && !QFileInfo(folder).isWritable())
            return {true, QString(), folder};
        return {false, folder, QString()};
    }
    // With the school's sets beside it, the learner's only set is one of several to choose from.
    if (request.program == kGame && library::readLibraries().isEmpty()) {
        if (const QStringList sets = cardsets::findCardSets(root); sets.size() == 1)
            return {false, sets.first(), QString()};
    }
    return {true, QString(), QString()};
}

QString usage()
{
    return QStringLiteral("Användning: kortvy-start Kortvy [KORTLEK]\n"
                          "       eller: kortvy-start Kortvyadm [KORTLEK]\n"
                          "       eller: kortvy-start --pdf UT.pdf KORTLEK\n"
                          "Utan KORTLEK visas kortlekarna i mappen Kortvy i din hemmapp, som skapas "
                          "från den första kortleken första gången. KORTLEK är en mapp med en "
                          "kortvy.ini, filen kortvy.ini själv, eller en kortleksfil (.kortvy): Kortvy spelar den "
                          "utan att spara den, Kortvyadm lägger till den bland dina kortlekar. Med --pdf "
                          "skrivs kortlekens kort till filen UT.pdf för att skrivas ut.");
}

QString programPath(const QString& program, const QString& binDir)
{
    const QString path = binDir + QLatin1Char('/') + program;
    if (::access(QFile::encodeName(path).constData(), X_OK) != 0) {
        const int error = errno;
        throw runtime::Error(cannotStart(path, runtime::reasonSentence(error)) + QStringLiteral("\n\nInstallera Kortvy på nytt."));
    }
    return path;
}

QString prepareUserCardFolder(const QString& home, const QString& binDir)
{
    if (home.isEmpty())
        throw runtime::Error(QStringLiteral("Din hemmapp är okänd, så mappen för dina kort kan inte skapas."));
    const QString folder = cardsets::cardFolderIn(home);
    cardsets::prepareCardFolder(folder, firstCardSetFrom(binDir));
    return folder;
}

QString execIn(const QString& programPath, const QString& folder, const QString& scale)
{
    if (::chdir(QFile::encodeName(folder).constData()) != 0) {
        const int error = errno;
        return QStringLiteral("Mappen med kortleken kunde inte öppnas:\n%1\n\n%2")
            .arg(QDir::toNativeSeparators(folder), runtime::reasonSentence(error));
    }
    if (!scale.isEmpty())
        ::setenv("QT_SCALE_FACTOR", scale.toLatin1().constData(), 1);
    QByteArray path = QFile::encodeName(programPath);
    char* const args[] = {path.data(), nullptr};
    ::execv(path.constData(), args);
    const int error = errno;
    return cannotStart(programPath, runtime::reasonSentence(error));
}

QProcess* startIn(const QString& programPath, const QString& folder, const QString& scale, QObject* parent)
{
    auto* process = new QProcess(parent);
    process->setProgram(programPath);
    process->setWorkingDirectory(folder);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    if (!scale.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        process->setProcessEnvironment(environment);
    }
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        throw runtime::Error(cannotStart(programPath, QFileInfo(folder).isDir()
                                                          ? QStringLiteral("Det gick inte att köra det.")
                                                          : QStringLiteral("Mappen %1 finns inte.")
                                                                .arg(QDir::toNativeSeparators(folder))));
    }
    return process;
}

QProcess* startCardFile(const QString& startPath, const QString& file, QObject* parent)
{
    auto* process = new QProcess(parent);
    process->setProgram(startPath);
    process->setArguments({kGame, file});
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        throw runtime::Error(cannotStart(startPath, QStringLiteral("Det gick inte att köra det.")));
    }
    return process;
}

} // namespace launcher
