#include "launcher/CardFolder.h"

#include "runtime/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>
#include <unistd.h>

namespace launcher {

namespace {

QString couldNotCreate(const QString& folder, const QString& reason)
{
    return QStringLiteral("Mappen för dina kort kunde inte skapas:\n%1\n\n%2")
        .arg(QDir::toNativeSeparators(folder), reason);
}

bool isEmptyFolder(const QString& folder)
{
    return QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Closes a file descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Copies one file to a name that must not exist yet. The copy is made new, so it belongs to
// the user and gets the usual rights for new files, not those of the original.
void copyNew(const QFileInfo& from, const QString& toFolder)
{
    auto failure = [&](int error) {
        return runtime::Error(QStringLiteral("Filen %1 kunde inte kopieras till %2:\n%3")
                                .arg(QDir::toNativeSeparators(from.filePath()),
                                     QDir::toNativeSeparators(toFolder), reasonFor(error)));
    };
    const QByteArray fromName = QFile::encodeName(from.filePath());
    Descriptor in(::open(fromName.constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        throw failure(errno);
    const QByteArray to = QFile::encodeName(toFolder + QLatin1Char('/') + from.fileName());
    Descriptor out(::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (out.get() < 0)
        throw failure(errno);
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw failure(errno);
        if (n == 0)
            break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out.get(), buffer + done, size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                throw failure(errno);
            done += w;
        }
    }
    if (::close(out.release()) != 0)
        throw failure(errno);
}

void copyCards(const QString& firstSet, const QString& toFolder)
{
    const QFileInfoList cards = QDir(firstSet).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& card : cards)
        copyNew(card, toFolder);
}

void requireFirstSet(const QString& firstSet)
{
    const QFileInfo info(firstSet);
    if (!info.isDir() || !info.isReadable())
        throw runtime::Error(QStringLiteral("Den första kortleken hittades inte:\n%1\n\n"
                                          "Installera Kortvy på nytt.")
                               .arg(QDir::toNativeSeparators(firstSet)));
}

} // namespace

QString reasonFor(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Du har inte behörighet.");
    case ENOENT:
        return QStringLiteral("En mapp på vägen dit finns inte.");
    case ENOTDIR:
        return QStringLiteral("En del av sökvägen är en fil, inte en mapp.");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Det finns inte plats på disken.");
    case EROFS:
        return QStringLiteral("Disken går bara att läsa från.");
    case EEXIST:
        return QStringLiteral("Det finns redan en fil med det namnet.");
    case EIO:
        return QStringLiteral("Ett fel uppstod när filen lästes eller skrevs.");
    default:
        return QStringLiteral("Systemfel %1 (%2).").arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

QString cardFolderIn(const QString& home)
{
    return QDir::cleanPath(home + QStringLiteral("/Kortvy"));
}

FolderState prepareCardFolder(const QString& folder, const QString& firstSet)
{
    const QByteArray target = QFile::encodeName(folder);
    struct stat st;
    if (::stat(target.constData(), &st) == 0) {
        if (!S_ISDIR(st.st_mode))
            throw runtime::Error(couldNotCreate(folder,
                QStringLiteral("Det finns redan en fil med det namnet. "
                               "Byt namn på filen och starta programmet igen.")));
        if (!isEmptyFolder(folder))
            return FolderState::Existing;
        requireFirstSet(firstSet);
        copyCards(firstSet, folder);
        return FolderState::Filled;
    }

    requireFirstSet(firstSet);
    const QFileInfo info(folder);
    const QString staging = info.absolutePath() + QStringLiteral("/.%1.%2.ny")
                                                      .arg(info.fileName()).arg(::getpid());
    const QByteArray stagingName = QFile::encodeName(staging);
    if (::mkdir(stagingName.constData(), 0777) != 0) {
        const int error = errno;
        throw runtime::Error(couldNotCreate(folder, reasonFor(error)));
    }
    try {
        copyCards(firstSet, staging);
    } catch (...) {
        QDir(staging).removeRecursively();
        throw;
    }
    if (::rename(stagingName.constData(), target.constData()) != 0) {
        const int error = errno;
        QDir(staging).removeRecursively();
        // Another start made the folder in the meantime: that one is kept.
        if (error == EEXIST || error == ENOTEMPTY)
            return FolderState::Existing;
        throw runtime::Error(couldNotCreate(folder, reasonFor(error)));
    }
    return FolderState::Created;
}

} // namespace launcher
