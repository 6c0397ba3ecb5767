#pragma once

#include "cardsets/CardSetModel.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace library {

// A folder of card sets the school shares, and the name Kortlekar shows it under.
struct Library {
    QString name;
    QString folder;
};

inline const QString kConfigFile = QStringLiteral("kortvy/bibliotek.conf");

// bibliotek.conf: one library a line, either "Namn = /mapp" or only "/mapp", which is then
// shown under the folder's own name. Blank lines and lines starting with '#' are skipped.
QList<Library> parseLibraries(const QString& text);

// The libraries of every bibliotek.conf in the XDG configuration folders: the administrator's
// (XDG_CONFIG_DIRS, /etc/xdg) first, then the teacher's own (XDG_CONFIG_HOME); a folder named
// twice is listed once.
QList<Library> readLibraries();

// The teacher's own bibliotek.conf.
QString ownConfigPath();

// Adds the folder to the teacher's own bibliotek.conf, written whole or not at all. Throws
// runtime::Error with a complete Swedish message.
void addOwnLibrary(const QString& folder);

// The card sets in a library folder: each subfolder holding a kortvy.ini and each card file,
// by name as a Swedish reader sorts them, none of them writable from Kortlekar. A card file
// is summarized by its name only: it is read when it is played or copied. Throws
// runtime::Error when the folder cannot be read.
QList<cardsets::CardSetSummary> listLibrary(const QString& folder);

// Looks through the libraries, each on a thread of its own, and tells each one's shelf as soon
// as it is known, on the thread the scan lives on. A library not looked through within the
// time limit is told as one that cannot be reached; its thread is left to end on its own
// (a folder stuck in the kernel never returns), and whatever it finds later is dropped.
class LibraryScan : public QObject {
    Q_OBJECT

public:
    using Lister = std::function<QList<cardsets::CardSetSummary>(const QString& folder)>;
    // Whether the teacher may put a card file in the folder; asked on the library's thread.
    using WriteCheck = std::function<bool(const QString& folder)>;

    explicit LibraryScan(QObject* parent = nullptr, int limitMs = 4000);
    // What lists a folder and whether it can be written; a test puts a slow one in place.
    void setLister(Lister lister, WriteCheck writable);

    // Starts looking through the libraries again; shelves of an earlier scan still on their
    // way are dropped.
    void scan(const QList<Library>& libraries);

signals:
    void shelfFound(int index, const cardsets::Shelf& shelf);

private:
    int m_limitMs;
    int m_round = 0;
    Lister m_lister;
    WriteCheck m_writable;
};

} // namespace library
