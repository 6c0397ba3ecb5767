#include "library/Library.h"

#include "parcel/CardFile.h"
#include "runtime/Error.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

namespace library {

QList<Library> parseLibraries(const QString& text)
{
    QList<Library> libraries;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        // A folder may hold '=' in its name; a name is only what comes before " = " or
        // before an '=' that a path cannot start after.
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        Library library;
        if (equals > 0 && !line.left(equals).contains(QLatin1Char('/'))) {
            library.name = line.left(equals).trimmed();
            library.folder = line.mid(equals + 1).trimmed();
        } else {
            library.folder = line;
        }
        if (library.folder.isEmpty())
            continue;
        library.folder = QDir::cleanPath(library.folder);
        if (library.name.isEmpty())
            library.name = QFileInfo(library.folder).fileName();
        libraries << library;
    }
    return libraries;
}

QList<Library> readLibraries()
{
    // locateAll gives the teacher's own first; the administrator's come first in the list.
    QStringList files = QStandardPaths::locateAll(QStandardPaths::GenericConfigLocation, kConfigFile);
    std::reverse(files.begin(), files.end());
    QList<Library> libraries;
    QStringList folders;
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const Library& library : parseLibraries(QString::fromUtf8(file.readAll()))) {
            if (folders.contains(library.folder))
                continue;
            folders << library.folder;
            libraries << library;
        }
    }
    return libraries;
}

QString ownConfigPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + kConfigFile;
}

void addOwnLibrary(const QString& folder)
{
    const QString path = ownConfigPath();
    QByteArray text;
    if (QFile old(path); old.open(QIODevice::ReadOnly))
        text = old.readAll();
    if (!text.isEmpty() && !text.endsWith('\n'))
        text += '\n';
    text += QDir::cleanPath(folder).toUtf8() + '\n';
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw runtime::Error(QStringLiteral("Skolans kortlekar kunde inte sparas i filen %1: %2")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()));
}

QList<cardsets::CardSetSummary> listLibrary(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        throw runtime::Error(QStringLiteral("Mappen %1 kan inte läsas.").arg(QDir::toNativeSeparators(folder)));
    QList<cardsets::CardSetSummary> sets;
    const QFileInfoList entries = dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        cardsets::CardSetSummary set;
        if (entry.isDir() && QFileInfo::exists(entry.absoluteFilePath() + QStringLiteral("/kortvy.ini"))) {
            set = cardsets::summarize(entry.absoluteFilePath());
        } else if (entry.isFile() && parcel::isCardFile(entry.fileName())) {
            set.folder = entry.absoluteFilePath();
            set.name = entry.completeBaseName();
            set.readable = false;
            set.changed = entry.lastModified();
        } else {
            continue;
        }
        set.writable = false;
        sets << set;
    }
    QCollator collator(QLocale(QLocale::Swedish, QLocale::Sweden));
    std::stable_sort(sets.begin(), sets.end(), [&collator](const auto& a, const auto& b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return sets;
}

LibraryScan::LibraryScan(QObject* parent, int limitMs)
    : QObject(parent)
    , m_limitMs(limitMs)
    , m_lister(&listLibrary)
    , m_writable([](const QString& folder) { return QFileInfo(folder).isWritable(); })
{
}

void LibraryScan::setLister(Lister lister, WriteCheck writable)
{
    m_lister = std::move(lister);
    m_writable = std::move(writable);
}

namespace {

// What a library's thread and the window's thread share: the shelf is told by whichever of
// the two comes first, the list or the time limit.
struct Pending {
    std::atomic<bool> told{false};
};

} // namespace

void LibraryScan::scan(const QList<Library>& libraries)
{
    const int round = ++m_round;
    for (int index = 0; index < libraries.size(); ++index) {
        const Library library = libraries.at(index);
        auto pending = std::make_shared<Pending>();
        const QPointer<LibraryScan> self(this);
        const auto tell = [self, round, index](const cardsets::Shelf& shelf) {
            if (self && self->m_round == round)
                emit self->shelfFound(index, shelf);
        };
        QTimer::singleShot(m_limitMs, this, [pending, library, tell] {
            if (!pending->told.exchange(true))
                tell(cardsets::Shelf{library.name, library.folder, false, false, {}});
        });
        // Detached: a thread stuck in a network folder must not hold up the window or its end.
        std::thread([lister = m_lister, writable = m_writable, pending, library, tell] {
            cardsets::Shelf shelf{library.name, library.folder, false, false, {}};
            try {
                shelf.sets = lister(library.folder);
                shelf.writable = writable(library.folder);
                shelf.reachable = true;
            } catch (...) {
            }
            if (pending->told.exchange(true))
                return;
            QMetaObject::invokeMethod(QCoreApplication::instance(), [tell, shelf] { tell(shelf); },
                                      Qt::QueuedConnection);
        }).detach();
    }
}

} // namespace library
