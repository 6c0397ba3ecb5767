#pragma once

#include <QByteArray>
#include <QString>

namespace runtime {

// Files read and written with the system's own calls, for the places where Qt's file classes
// cannot say what they need: a name that must not exist yet, a write that must reach the disk.
// Each call returns 0 or the errno it failed with, so that the caller's message names the file
// and its own purpose; reasonSentence() and reasonClause() say why in Swedish.

// The whole file; a read cut short by a signal goes on.
int readWholeFile(const QString& path, QByteArray* bytes);

// Every byte to the open file, then to the disk.
int writeWhole(int fd, const QByteArray& bytes);

// Copies the file to a name that must not exist yet, whole or not at all. The copy is made
// new, so it belongs to the user and gets the usual rights for new files, not those of the
// original. Only a regular file is copied: anything else is refused before it is read.
int copyToNewFile(const QString& from, const QString& to);

// Gives a file or folder a new name only if nothing has it, not even another program at the
// same moment. A file system that cannot refuse to replace in a rename still can in a link;
// a folder there gets rename() itself, which replaces no folder with anything in it.
int renameNoReplace(const QString& from, const QString& to);

// Moves the file or folder to the desktop's trash, where the user can take it back. Returns
// whether it went.
bool moveToTrash(const QString& path);

// Why a file operation failed, for the errno it left: a Swedish sentence of its own, or a
// system error with its number when the reason is not one a user can act on.
QString reasonSentence(int error);

// The same reason as part of a sentence ("behörighet saknas"); empty when the reason is not
// one a user can act on.
QString reasonClause(int error);

} // namespace runtime
