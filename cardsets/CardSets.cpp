#include "cardsets/CardSets.h"

#include "cardsets/CardFolder.h"

#include "settings/CardFacts.h"
#include "pictures/Picture.h"
#include "pictures/Thumbnail.h"
#include "runtime/Error.h"
#include "runtime/FileIo.h"
#include "settings/CardSet.h"
#include "settings/CardSetFile.h"
#include "settings/Storable.h"
#include "settings/StorableName.h"

#include <QCollator>
#include <QDir>
#include <QHash>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <sys/stat.h>

namespace cardsets {

namespace {

QString iniIn(const QString& folder)
{
    return folder + QLatin1Char('/') + settings::kFileName;
}

QString firstStorableProblem(const QString& name)
{
    if (const qsizetype at = settings::firstUnstorable(name); at >= 0)
        return QStringLiteral("Namnet kan inte innehålla tecknet \"%1\", eftersom kortvy.ini inte kan spara det.")
            .arg(name.mid(at, 1));
    return QString();
}

bool showsPictures(settings::RowDisplay display)
{
    return display != settings::RowDisplay::Texts;
}

bool showsWords(settings::RowDisplay display)
{
    return display != settings::RowDisplay::Pictures;
}

bool sameFolder(const QString& a, const QString& b)
{
    return QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
}

} // namespace

CardSetSummary summarize(const QString& folder)
{
    CardSetSummary summary;
    summary.folder = QDir(folder).absolutePath();
    summary.name = QFileInfo(summary.folder).fileName();
    summary.changed = changedAt(summary.folder);
    summary.writable = QFileInfo(summary.folder).isWritable()
        && (!QFileInfo::exists(iniIn(summary.folder)) || QFileInfo(iniIn(summary.folder)).isWritable());
    try {
        const settings::CardSet set = settings::readCardSet(iniIn(summary.folder));
        summary.count = set.count;
        const auto lacks = [&](const QString& picture) {
            return picture.isEmpty() || !QFileInfo(summary.folder + QLatin1Char('/') + picture).isFile();
        };
        for (const settings::Card& card : set.cards) {
            const bool upperPictureLacking = showsPictures(set.upperDisplay) && lacks(card.upperPicture);
            const bool lowerPictureLacking = showsPictures(set.lowerDisplay) && lacks(card.lowerPicture);
            const bool upperWordLacking = showsWords(set.upperDisplay) && card.upperText.trimmed().isEmpty();
            const bool lowerWordLacking = showsWords(set.lowerDisplay) && card.lowerText.trimmed().isEmpty();
            summary.lackingPicture += upperPictureLacking || lowerPictureLacking ? 1 : 0;
            summary.lackingWord += upperWordLacking || lowerWordLacking ? 1 : 0;
            QStringList shown;
            for (const auto& [picture, display] : {std::pair{card.upperPicture, set.upperDisplay}, {card.lowerPicture, set.lowerDisplay}}) {
                if (showsPictures(display) && !lacks(picture))
                    shown << summary.folder + QLatin1Char('/') + picture;
            }
            summary.cardPictures << shown;
            const QString picture = card.upperPicture.isEmpty() ? card.lowerPicture : card.upperPicture;
            const QString path = summary.folder + QLatin1Char('/') + picture;
            if (!picture.isEmpty() && !summary.pictures.contains(path) && summary.pictures.size() < kStripPictures)
                summary.pictures << path;
        }
        if (!settings::isPlayableCount(set.count))
            summary.problem = QStringLiteral("Spelet kan bara visa 1 till %1 kort, men kortleken har %2.")
                                  .arg(settings::kMostCards)
                                  .arg(set.count);
    } catch (const runtime::Error& e) {
        summary.readable = false;
        summary.problem = e.message();
    }
    return summary;
}

QString CardSetSummary::lacking() const
{
    QStringList parts;
    if (lackingPicture > 0)
        parts << QStringLiteral("%1 kort saknar bild").arg(lackingPicture);
    if (lackingWord > 0)
        parts << QStringLiteral("%1 kort saknar ord").arg(lackingWord);
    if (brokenPicture > 0)
        parts << QStringLiteral("%1 kort har en trasig bild").arg(brokenPicture);
    return parts.join(QStringLiteral(", "));
}

QDateTime changedAt(const QString& folder)
{
    const QFileInfo ini(iniIn(folder));
    const QFileInfo dir(folder);
    // Pictures added or taken away change the folder; a saved kortvy.ini changes the file.
    return std::max(ini.lastModified(), dir.lastModified());
}

QStringList findCardSets(const QString& root)
{
    QStringList sets;
    if (QFileInfo::exists(iniIn(root)))
        sets << QDir(root).absolutePath();
    QFileInfoList folders = QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator collator(QLocale(QLocale::Swedish, QLocale::Sweden));
    collator.setNumericMode(true);
    std::sort(folders.begin(), folders.end(),
              [&](const QFileInfo& a, const QFileInfo& b) { return collator.compare(a.fileName(), b.fileName()) < 0; });
    for (const QFileInfo& folder : folders) {
        if (QFileInfo::exists(iniIn(folder.filePath())))
            sets << folder.absoluteFilePath();
    }
    return sets;
}

QList<CardSetSummary> listCardSets(const QString& root)
{
    QList<CardSetSummary> sets;
    for (const QString& folder : findCardSets(root))
        sets << summarize(folder);
    return sets;
}

QString newSetNameProblem(const QString& root, const QString& name, const QString& renaming)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Skriv ett namn på den nya kortleken.");
    if (trimmed == QLatin1String(".") || trimmed == QLatin1String(".."))
        return QStringLiteral("Namnet kan inte vara \".\" eller \"..\".");
    if (trimmed.startsWith(QLatin1Char('.')))
        return QStringLiteral("Namnet kan inte börja med en punkt, för då blir mappen dold.");
    if (trimmed.contains(QLatin1Char('/')))
        return QStringLiteral("Namnet kan inte innehålla tecknet \"/\".");
    if (trimmed.contains(QChar(0)))
        return QStringLiteral("Namnet kan inte innehålla ett nolltecken.");
    if (const QString problem = firstStorableProblem(trimmed); !problem.isEmpty())
        return problem;
    if (QFile::encodeName(trimmed).size() > NAME_MAX)
        return QStringLiteral("Namnet är för långt för en mapp; korta det.");
    struct stat st;
    if (::lstat(QFile::encodeName(root + QLatin1Char('/') + trimmed).constData(), &st) == 0)
        return QStringLiteral("Det finns redan %1 som heter \"%2\" i mappen %3. Välj ett annat namn.")
            .arg(S_ISDIR(st.st_mode) ? QStringLiteral("en mapp") : QStringLiteral("en fil"), trimmed,
                 QDir::toNativeSeparators(root));
    // Two sets whose names differ only in case look alike in the list, and are one and the
    // same folder on a stick or a computer that does not tell case apart.
    const QString own = renaming.isEmpty() ? QString() : QFileInfo(renaming).fileName();
    const QString folded = trimmed.toCaseFolded();
    const QDir card(root);
    for (const QString& entry : card.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (entry != own && entry.toCaseFolded() == folded)
            return QStringLiteral("Det finns redan %1 som heter \"%2\" i mappen %3, och namnen skiljer sig bara i "
                                  "stora och små bokstäver. Välj ett annat namn.")
                .arg(QFileInfo(card.filePath(entry)).isDir() ? QStringLiteral("en mapp") : QStringLiteral("en fil"),
                     entry, QDir::toNativeSeparators(root));
    }
    return QString();
}

QString createCardSet(const QString& root, const QString& name)
{
    const QString trimmed = name.trimmed();
    const auto failure = [&](const QString& reason) {
        return runtime::Error(QStringLiteral("Kortleken \"%1\" kunde inte skapas: %2").arg(trimmed, reason));
    };
    if (const QString problem = newSetNameProblem(root, name); !problem.isEmpty())
        throw failure(problem);
    const QString folder = QDir(root).absolutePath() + QLatin1Char('/') + trimmed;
    // mkdir refuses a name that has come into use since it was checked.
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0) {
        const int error = errno;
        throw failure(error == EEXIST ? QStringLiteral("Det finns redan en fil eller mapp med det namnet.")
                                      : runtime::reasonSentence(error));
    }
    settings::CardSet set;
    set.count = 3;
    set.upperDisplay = settings::RowDisplay::Pictures;
    set.lowerDisplay = settings::RowDisplay::Texts;
    set.cards = QList<settings::Card>(3);
    try {
        settings::writeCardSet(iniIn(folder), set);
    } catch (const runtime::Error& e) {
        QDir().rmdir(folder);
        throw failure(e.message());
    }
    return folder;
}

QString renameCardSet(const QString& root, const QString& folder, const QString& name)
{
    const QString trimmed = name.trimmed();
    const QString from = QFileInfo(folder).fileName();
    const auto failure = [&](const QString& reason) {
        return runtime::Error(
            QStringLiteral("Kortleken \"%1\" kunde inte byta namn till \"%2\": %3").arg(from, trimmed, reason));
    };
    if (sameFolder(folder, root))
        throw failure(QStringLiteral("Mappen %1 håller alla dina kortlekar och behåller sitt namn.")
                          .arg(QDir::toNativeSeparators(root)));
    if (const QString problem = newSetNameProblem(root, name, folder); !problem.isEmpty())
        throw failure(problem);
    const QString to = QDir(root).absolutePath() + QLatin1Char('/') + trimmed;
    if (const int error = runtime::renameNoReplace(folder, to))
        throw failure(runtime::reasonSentence(error));
    return to;
}

void removeCardSet(const QString& root, const QString& folder)
{
    const QString name = QFileInfo(folder).fileName();
    if (sameFolder(folder, root))
        throw runtime::Error(QStringLiteral("Mappen %1 håller alla dina kortlekar och kan inte tas bort härifrån.")
                                 .arg(QDir::toNativeSeparators(root)));
    if (!runtime::moveToTrash(folder))
        throw runtime::Error(
            QStringLiteral("Kortleken \"%1\" kunde inte läggas i papperskorgen. Den finns kvar i mappen %2.")
                .arg(name, QDir::toNativeSeparators(QFileInfo(folder).absolutePath())));
}

QString copyCardSet(const QString& root, const QString& folder, const QString& name)
{
    const QString trimmed = name.trimmed();
    const auto failure = [&](const QString& reason) {
        return QStringLiteral("Kortleken \"%1\" kunde inte kopieras till \"%2\": %3")
            .arg(QFileInfo(folder).fileName(), trimmed, reason);
    };
    if (const QString problem = newSetNameProblem(root, name); !problem.isEmpty())
        throw runtime::Error(failure(problem));
    const QString to = QDir(root).absolutePath() + QLatin1Char('/') + trimmed;
    if (copyFolderNew(folder, to, failure) == CopyResult::Taken)
        throw runtime::Error(failure(QStringLiteral("Det finns redan en fil eller mapp med det namnet.")));
    return to;
}

QString freeSetName(const QString& root, const QString& wanted)
{
    // A set from a stick or a file may be called anything; its name is made one a folder and
    // kortvy.ini can hold, and then one that is free.
    const QString base = settings::storableName(wanted);
    for (int number = 1; number < 1000; ++number) {
        const QString name = number == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(number);
        if (newSetNameProblem(root, name).isEmpty())
            return name;
    }
    return base;
}

QString copyIntoCardFolder(const QString& root, const QString& folder)
{
    return copyCardSet(root, folder, freeSetName(root, QFileInfo(folder).fileName()));
}

namespace {

// The picture fitted into the place, centred; false when it cannot be read.
bool drawFitted(QPainter& painter, const QString& path, const QRect& place)
{
    try {
        const QImage picture = pictures::cachedPicture(path, place.size());
        QRect target(QPoint(), picture.size());
        target.moveCenter(place.center());
        painter.drawImage(target, picture);
        return true;
    } catch (const runtime::Error&) {
        return false;
    }
}

} // namespace

QImage pictureTile(const QStringList& files, QSize size)
{
    QImage tile(size, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    for (const QString& path : files) {
        if (drawFitted(painter, path, tile.rect()))
            break;
    }
    return tile;
}

namespace {

constexpr int kStripGap = 2;
// Tried through the thumbnail cache, as the strips are: a picture whose thumbnail is there
// and fresh decoded whole when it was made, and one that is not gets the thumbnail it will
// be shown from anyway.
constexpr QSize kCheckSize{16, 16};

} // namespace

int cardsWithBrokenPictures(const QList<QStringList>& cardPictures)
{
    QHash<QString, bool> broken;
    int cards = 0;
    for (const QStringList& pictures : cardPictures) {
        bool any = false;
        for (const QString& path : pictures) {
            auto known = broken.find(path);
            if (known == broken.end()) {
                bool fails = false;
                try {
                    pictures::cachedPicture(path, kCheckSize);
                } catch (const runtime::Error&) {
                    fails = true;
                }
                known = broken.insert(path, fails);
            }
            any = any || *known;
        }
        cards += any ? 1 : 0;
    }
    return cards;
}

QSize stripSize(QSize cell)
{
    return {kStripPictures * cell.width() + (kStripPictures - 1) * kStripGap, cell.height()};
}

QImage pictureStrip(const QStringList& files, QSize cell)
{
    return pictureStrip(int(files.size()), cell, [&files](int index, QSize size) {
        try {
            return pictures::cachedPicture(files.at(index), size);
        } catch (const runtime::Error&) {
            return QImage();
        }
    });
}

QImage pictureStrip(int count, QSize cell, const std::function<QImage(int index, QSize cell)>& fitted)
{
    QImage strip(stripSize(cell), QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    int x = 0;
    for (int index = 0; index < std::min(count, kStripPictures); ++index) {
        // A picture that cannot be shown leaves its cell empty.
        const QImage picture = fitted(index, cell);
        if (!picture.isNull()) {
            QRect target(QPoint(), picture.size());
            target.moveCenter(QRect(QPoint(x, 0), cell).center());
            painter.drawImage(target, picture);
        }
        x += cell.width() + kStripGap;
    }
    return strip;
}

} // namespace cardsets
