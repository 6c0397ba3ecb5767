// kortvy-thumbnailer: the desktop's thumbnail of a card file, as its .thumbnailer entry runs
// it (kortvy-thumbnailer -s SIZE INPUT OUTPUT): the set's first pictures side by side, as
// Kortlekar draws a set's strip, read from the archive in memory. Nothing is unpacked on
// disk; the card set's reader and the picture checks read the entries through in-memory
// files.

#include "cardsets/CardSets.h"
#include "parcel/CardFile.h"
#include "pictures/Picture.h"
#include "runtime/Error.h"
#include "settings/CardSetFile.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>

#include <cstdio>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// An entry as a file in memory; it goes with this process.
QString inMemory(const QByteArray& bytes)
{
    const int fd = ::memfd_create("kortvy-entry", MFD_CLOEXEC);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        throw runtime::Error(QStringLiteral("Miniatyren kunde inte göras: det finns inte minne nog."));
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

QImage thumbnail(const QString& input, int size)
{
    QHash<QString, QString> files;
    for (const parcel::Entry& entry : parcel::checkArchive(parcel::readCardFileBytes(input), input, {}, true))
        files.insert(entry.name, inMemory(entry.bytes));
    const settings::CardSet set = settings::readCardSet(files.value(settings::kFileName));
    // Each card's upper picture, else its lower one; each picture once.
    QStringList shown;
    for (const settings::Card& card : set.cards) {
        const QString picture = files.contains(card.upperPicture) ? card.upperPicture : card.lowerPicture;
        if (files.contains(picture) && !shown.contains(picture))
            shown << picture;
    }
    int side = size;
    while (side > 1 && cardsets::stripSize(QSize(side, side)).width() > size)
        --side;
    return cardsets::pictureStrip(int(shown.size()), QSize(side, side), [&](int index, QSize cell) {
        const QString path = files.value(shown.at(index));
        try {
            const QSize fitted = pictures::uprightSize(path).scaled(cell, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
            return pictures::decodePicture(path, fitted);
        } catch (const runtime::Error&) {
            return QImage();
        }
    });
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    bool ok = false;
    const int size = arguments.size() == 5 && arguments.at(1) == QLatin1String("-s") ? arguments.at(2).toInt(&ok) : 0;
    if (!ok || size < 8) {
        std::fputs("Användning: kortvy-thumbnailer -s STORLEK KORTLEKSFIL PNG-FIL\n", stderr);
        return 2;
    }
    try {
        if (!thumbnail(arguments.at(3), size).save(arguments.at(4), "PNG")) {
            std::fprintf(stderr, "kortvy-thumbnailer: %s kunde inte sparas\n", argv[4]);
            return 1;
        }
    } catch (const runtime::Error& e) {
        std::fprintf(stderr, "kortvy-thumbnailer: %s\n", e.what());
        return 1;
    }
    return 0;
}
