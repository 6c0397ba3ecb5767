#include "launcher/CardFileStart.h"

#include "launcher/Launch.h"
#include "parcel/CardFile.h"
#include "runtime/Error.h"
#include "runtime/FileIo.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace launcher {

int playCardFile(const QString& programPath, const QString& file, const QString& scale)
{
    const QString folder = parcel::unpackPrivately(file);
    if (!scale.isEmpty())
        ::setenv("QT_SCALE_FACTOR", scale.toLatin1().constData(), 1);
    QByteArray path = QFile::encodeName(programPath);
    const QByteArray where = QFile::encodeName(folder);
    char* const args[] = {path.data(), nullptr};
    // The game stops at the keys a terminal sends, and this process lives on to clear up
    // after it, as system() does.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, where.constData());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGQUIT);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    ::signal(SIGINT, SIG_IGN);
    ::signal(SIGQUIT, SIG_IGN);
    pid_t child = 0;
    const int error = ::posix_spawn(&child, path.constData(), &actions, &attributes, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    int status = 0;
    while (error == 0 && ::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    QDir(folder).removeRecursively();
    if (error != 0)
        throw runtime::Error(cannotStart(programPath, runtime::reasonSentence(error)));
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

} // namespace launcher
