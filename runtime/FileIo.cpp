#include "runtime/FileIo.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace runtime {

namespace {

// The reasons a user can act on, in the two forms the messages need. A form left empty is
// one no message has asked for yet; the caller's own fallback stands in.
struct Reason {
    int error;
    const char* sentence;
    const char* clause;
};

constexpr Reason kReasons[] = {
    {EACCES, "Du har inte behörighet.", "behörighet saknas"},
    {EPERM, "Du har inte behörighet.", "behörighet saknas"},
    {ENOENT, "En mapp på vägen dit finns inte.", "mappen finns inte"},
    {ENOTDIR, "En del av sökvägen är en fil, inte en mapp.", "en del av sökvägen är inte en mapp"},
    {ENOSPC, "Det finns inte plats på disken.", "disken är full"},
    {EDQUOT, "Det finns inte plats på disken.", "diskkvoten är slut"},
    {EROFS, "Disken går bara att läsa från.", "filsystemet är skrivskyddat"},
    {EEXIST, "Det finns redan en fil med det namnet.", ""},
    {EIO, "Ett fel uppstod när filen lästes eller skrevs.", "ett in- eller utmatningsfel inträffade"},
    {EFBIG, "", "filen blev större än systemet tillåter"},
    {EMFILE, "", "för många filer är öppna"},
    {ENFILE, "", "för många filer är öppna"},
};

const Reason* reasonOf(int error)
{
    for (const Reason& reason : kReasons) {
        if (reason.error == error)
            return &reason;
    }
    return nullptr;
}

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
    // Closes now, so that a failure to close is seen: 0 or the errno.
    int close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// A read that a signal cut short is read again: the count, 0 at the end, or -errno.
ssize_t readSome(int fd, char* buffer, size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0)
            return n;
        if (errno != EINTR)
            return -errno;
    }
}

int writeBytes(int fd, const char* data, qsizetype size)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t w = ::write(fd, data + done, size_t(size - done));
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0)
            return errno;
        done += w;
    }
    return 0;
}

} // namespace

int readWholeFile(const QString& path, QByteArray* bytes)
{
    Descriptor in(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return errno;
    bytes->clear();
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = readSome(in.get(), buffer, sizeof buffer);
        if (n < 0)
            return int(-n);
        if (n == 0)
            return 0;
        bytes->append(buffer, n);
    }
}

int writeWhole(int fd, const QByteArray& bytes)
{
    if (const int error = writeBytes(fd, bytes.constData(), bytes.size()))
        return error;
    return ::fsync(fd) == 0 ? 0 : errno;
}

int copyToNewFile(const QString& from, const QString& to)
{
    // Not blocking, so that a named pipe cannot keep the caller waiting for a writer; it is
    // refused below, as a device is.
    Descriptor in(::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0)
        return errno;
    struct stat st;
    if (::fstat(in.get(), &st) != 0)
        return errno;
    if (!S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    // The copy is written beside its place under a name of its own and given its name only
    // when whole, so that a full disk or a failing stick leaves nothing half written.
    QByteArray part;
    int partFd = -1;
    for (int attempt = 0; partFd < 0; ++attempt) {
        part = QFile::encodeName(to) + ".delvis-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        partFd = ::open(part.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (partFd < 0 && (errno != EEXIST || attempt == 100))
            return errno;
    }
    Descriptor out(partFd);
    const auto fail = [&part](int error) {
        ::unlink(part.constData());
        return error;
    };
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = readSome(in.get(), buffer, sizeof buffer);
        if (n < 0)
            return fail(int(-n));
        if (n == 0)
            break;
        if (const int error = writeBytes(out.get(), buffer, n))
            return fail(error);
    }
    if (::fsync(out.get()) != 0)
        return fail(errno);
    if (const int error = out.close())
        return fail(error);
    if (const int error = renameNoReplace(QFile::decodeName(part), to))
        return fail(error);
    return 0;
}

int renameNoReplace(const QString& from, const QString& to)
{
    const QByteArray fromName = QFile::encodeName(from);
    const QByteArray toName = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, fromName.constData(), AT_FDCWD, toName.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    struct stat st;
    if (::lstat(fromName.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return ::rename(fromName.constData(), toName.constData()) == 0 ? 0 : errno;
    if (::link(fromName.constData(), toName.constData()) != 0)
        return errno;
    ::unlink(fromName.constData());
    return 0;
}

QString reasonSentence(int error)
{
    if (const Reason* reason = reasonOf(error); reason && *reason->sentence)
        return QString::fromUtf8(reason->sentence);
    return QStringLiteral("Systemfel %1 (%2).").arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
}

QString reasonClause(int error)
{
    if (const Reason* reason = reasonOf(error))
        return QString::fromUtf8(reason->clause);
    return QString();
}

bool moveToTrash(const QString& path)
{
    // Without the data folder the trash lives in, Qt puts the file in a "files" folder of
    // the current one instead of refusing.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return QFile::moveToTrash(path);
}

} // namespace runtime
