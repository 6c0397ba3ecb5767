#include "launcher/CardSets.h"

#include "launcher/CardFolder.h"

#include "pictures/Picture.h"
#include "runtime/Error.h"
#include "settings/CardSet.h"
#include "settings/CardSetFile.h"
#include "settings/Windows1252.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <sys/stat.h>

namespace launcher {

namespace {

// The game's window has ten places a row.
constexpr int kMostCards = 10;

QString iniIn(const QString& folder)
{
    return folder + QLatin1Char('/') + settings::kFileName;
}

QString firstStorableProblem(const QString& name)
{
    for (const QChar c : name) {
        if (!settings::canStore(c))
            return QStringLiteral("Namnet kan inte innehålla tecknet \"%1\", eftersom kortvy.ini inte kan spara det.")
                .arg(c.isSurrogate() ? name.mid(name.indexOf(c), 2) : QString(c));
    }
    return QString();
}

} // namespace

CardSetSummary summarize(const QString& folder)
{
    CardSetSummary summary;
    summary.folder = QDir(folder).absolutePath();
    summary.name = QFileInfo(summary.folder).fileName();
    try {
        const settings::CardSet set = settings::readCardSet(iniIn(summary.folder));
        summary.count = set.count;
        for (const settings::Card& card : set.cards) {
            const QString picture = card.upperPicture.isEmpty() ? card.lowerPicture : card.upperPicture;
            const QString path = summary.folder + QLatin1Char('/') + picture;
            if (!picture.isEmpty() && !summary.pictures.contains(path) && summary.pictures.size() < kStripPictures)
                summary.pictures << path;
        }
        if (set.count < 1 || set.count > kMostCards)
            summary.problem = QStringLiteral("Spelet kan bara visa 1 till %1 kort, men kortleken har %2.")
                                  .arg(kMostCards)
                                  .arg(set.count);
    } catch (const runtime::Error& e) {
        summary.readable = false;
        summary.problem = e.message();
    }
    return summary;
}

QList<CardSetSummary> listCardSets(const QString& root)
{
    QList<CardSetSummary> sets;
    if (QFileInfo::exists(iniIn(root)))
        sets << summarize(root);
    QFileInfoList folders = QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator collator(QLocale(QLocale::Swedish, QLocale::Sweden));
    collator.setNumericMode(true);
    std::sort(folders.begin(), folders.end(),
              [&](const QFileInfo& a, const QFileInfo& b) { return collator.compare(a.fileName(), b.fileName()) < 0; });
    for (const QFileInfo& folder : folders) {
        if (QFileInfo::exists(iniIn(folder.filePath())))
            sets << summarize(folder.filePath());
    }
    return sets;
}

QString newSetNameProblem(const QString& root, const QString& name)
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
                                      : reasonFor(error));
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

QImage pictureStrip(const QStringList& files, QSize cell)
{
    constexpr int kGap = 2;
    QImage strip(kStripPictures * cell.width() + (kStripPictures - 1) * kGap, cell.height(),
                 QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    int x = 0;
    for (const QString& path : files.mid(0, kStripPictures)) {
        try {
            const QSize size = pictures::uprightSize(path).scaled(cell, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
            const QImage picture = pictures::decodePicture(path, size);
            const QRect place(QPoint(x, 0), cell);
            QRect target(QPoint(), picture.size());
            target.moveCenter(place.center());
            painter.drawImage(target, picture);
        } catch (const runtime::Error&) {
            // A picture that cannot be shown leaves its cell empty.
        }
        x += cell.width() + kGap;
    }
    return strip;
}

} // namespace launcher
