#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace parcel {

// A card set as one file, to mail or put on a stick: a ZIP archive whose first entry is
// `mimetype`, stored, holding kMimeType with no newline (so that a file manager knows it by
// its first bytes, as it knows ODF and EPUB files), and then the set's own files at the top
// level under their names in the set: kortvy.ini byte for byte, kortvy-val.ini where there is
// one, the pictures kortvy.ini names and the recordings of those cards. Nothing else.
//
// The archive is read and written with libzip: it is maintained in Debian's main archive,
// opens an archive held in memory, and hands out an entry's bytes as they are inflated, so
// that the limits below count what is really inflated, not what the archive claims.

inline const QString kMimeType = QStringLiteral("application/x-kortvy+zip");
inline const QString kSuffix = QStringLiteral("kortvy");
inline const QString kMimeEntry = QStringLiteral("mimetype");

// Whether the path names a card file by its suffix, in any case.
bool isCardFile(const QString& path);

// What a file from a stranger may take at most.
struct Limits {
    int entries = 100;
    qint64 entryBytes = qint64(64) << 20;
    qint64 totalBytes = qint64(512) << 20;
};

// The files of the set in the folder that go into its card file, in the order they go, and
// the files kortvy.ini names that are not there (or that a card file cannot hold). Throws
// runtime::Error when kortvy.ini cannot be read.
struct Contents {
    QStringList files;
    QStringList missing;
};
Contents contentsOf(const QString& folder);

// The card file's bytes for the files of the folder. Throws runtime::Error naming the file
// that could not be read.
QByteArray packCardFile(const QString& folder, const QStringList& files);

// Writes the folder's files as a card file, whole or not at all. Throws runtime::Error.
void writeCardFile(const QString& folder, const QStringList& files, const QString& target);

// The card file's bytes, read whole; one larger than a card file may be is refused before it
// is read. `file` is only named in messages. Throws runtime::Error.
QByteArray readCardFileBytes(const QString& file);

// One entry as it was inflated.
struct Entry {
    QString name;
    QByteArray bytes;
};

// Checks every rule of the archive that needs no files: flat names in UTF-8, regular files
// only, the limits, the mimetype first, a kortvy.ini among the entries, each name at most
// once. Returns the set's entries, without the mimetype, inflated where `keep` says so
// (otherwise with empty bytes). Writes nothing. Every refusal is one runtime::Error naming
// `file` and the reason.
QList<Entry> checkArchive(const QByteArray& archive, const QString& file, const Limits& limits = {},
                          bool keep = false);

// Checks the archive, writes its entries into the folder, which must be there and empty, then
// checks kortvy.ini with the card set's reader and every picture it names with the picture
// checks, and refuses an entry that is not one of the set's files. On a refusal the folder
// may hold some of the files; the caller removes it.
void unpackInto(const QByteArray& archive, const QString& file, const QString& folder, const Limits& limits = {});

// The set in the card file added to the card folder as a set of its own, named after the
// file's base name, with " (2)" and so on when that is taken. It is unpacked into a hidden
// folder beside the others and takes its name only when it is whole and checked; a refused
// file leaves nothing behind. Returns the new set's folder. Throws runtime::Error.
QString addToCardFolder(const QString& root, const QString& file, const Limits& limits = {});

// The set in the card file unpacked into a new private folder (mode 0700) in the temporary
// folder, to be played without being kept; the caller removes it. A refused file leaves
// nothing behind. Throws runtime::Error.
QString unpackPrivately(const QString& file, const Limits& limits = {});

} // namespace parcel
