#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace cardsets {

// A picture as it goes into a card set: its bytes and its name, before a number makes the
// name free. BMP, GIF and JPEG pictures keep their bytes; any other picture Qt can read
// becomes a JPEG, turned upright, with its transparent parts on white.
struct PreparedPicture {
    QByteArray bytes;
    QString name;
};

// What a file dialog offers to pick pictures from: every format that can come in, Qt's own
// and the phones' HEIC and AVIF, spelt in both cases, since cameras name their files in
// capitals.
QString pictureFileFilter();

// Reads and checks the picture file. Throws runtime::Error with one Swedish sentence that
// says why the file cannot go in.
PreparedPicture preparePicture(const QString& path);

// Writes the bytes into the folder as a new file, whole or not at all, under the name or,
// when that is taken, "name (2).jpg", "name (3).jpg" and so on; nothing is ever replaced,
// not even by another program writing at the same time. Returns the name it got. Throws
// runtime::Error with a complete Swedish message.
QString storeNew(const QString& folder, const QString& name, const QByteArray& bytes);

// What adding pictures to a card set did: the names that went in, in order, and each file
// that did not with the reason.
struct AddedPictures {
    QStringList added;
    QList<QPair<QString, QString>> refused;
};

// Told after each file how many of all are done; answers whether to go on. A stop comes
// between two files: those in stay, and none is left half written.
using ImportProgress = std::function<bool(int done, int total)>;

// Copies the picture files into the card set's folder; a file that cannot go in does not
// stop the others.
AddedPictures addPictures(const QStringList& files, const QString& folder, const ImportProgress& progress = {});

// The one message that names every file that did not go in and why; empty when all did.
QString refusedMessage(const AddedPictures& result, const QString& setName);

} // namespace cardsets
