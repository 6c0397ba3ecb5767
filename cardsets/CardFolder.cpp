#include "cardsets/CardFolder.h"

#include "runtime/Error.h"
#include "runtime/FileIo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace cardsets {

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

// Copies one file to a name that must not exist yet.
void copyNew(const QFileInfo& from, const QString& toFolder)
{
    const int error = runtime::copyToNewFile(from.filePath(), toFolder + QLatin1Char('/') + from.fileName());
    if (error != 0)
        throw runtime::Error(QStringLiteral("Filen %1 kunde inte kopieras till %2:\n%3")
                                 .arg(QDir::toNativeSeparators(from.filePath()), QDir::toNativeSeparators(toFolder),
                                      runtime::reasonSentence(error)));
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
    const auto failure = [&](const QString& reason) { return couldNotCreate(folder, reason); };
    return copyFolderNew(firstSet, folder, failure) == CopyResult::Copied ? FolderState::Created
                                                                        : FolderState::Existing;
}

CopyResult copyFolderNew(const QString& from, const QString& to,
                         const std::function<QString(const QString& reason)>& couldNotCreate)
{
    const QFileInfo info(to);
    const QString staging = info.absolutePath() + QStringLiteral("/.%1.%2.ny")
                                                      .arg(info.fileName()).arg(::getpid());
    const QByteArray stagingName = QFile::encodeName(staging);
    if (::mkdir(stagingName.constData(), 0777) != 0) {
        const int error = errno;
        throw runtime::Error(couldNotCreate(runtime::reasonSentence(error)));
    }
    try {
        copyCards(from, staging);
    } catch (...) {
        QDir(staging).removeRecursively();
        throw;
    }
    if (const int error = runtime::renameNoReplace(staging, to); error != 0) {
        QDir(staging).removeRecursively();
        // Another start made the folder in the meantime: that one is kept.
        if (error == EEXIST || error == ENOTEMPTY)
            return CopyResult::Taken;
        throw runtime::Error(couldNotCreate(runtime::reasonSentence(error)));
    }
    return CopyResult::Copied;
}

} // namespace cardsets
