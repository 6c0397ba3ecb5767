#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

namespace launcher {

// A card set as the list of card sets shows it.
struct CardSetSummary {
    QString folder;       // where it lies, absolute
    QString name;         // the folder's name
    int count = 0;        // its cards, as kortvy.ini says
    QStringList pictures; // the first pictures of its cards, as paths, at most kStripPictures
    QString problem;      // why it cannot be played, in Swedish; empty when it can
    bool readable = true; // whether kortvy.ini could be read at all

    bool playable() const { return problem.isEmpty(); }
};

inline constexpr int kStripPictures = 4;

// The card set in the folder, read from its kortvy.ini; never throws.
CardSetSummary summarize(const QString& folder);

// The card sets under the user's card folder: the folder itself and each direct subfolder
// that holds a kortvy.ini, the folder itself first, then the others by name as a Swedish
// reader sorts them. Hidden folders are left out.
QList<CardSetSummary> listCardSets(const QString& root);

// Why a new card set cannot be called this under the card folder, as a complete Swedish
// sentence; empty when it can. The name is taken without blanks at either end.
QString newSetNameProblem(const QString& root, const QString& name);

// Makes a new card set in a new folder under the card folder: three cards with nothing on
// them yet, pictures in the upper row, texts in the lower. Returns the folder. Throws
// runtime::Error with a complete Swedish message; an existing folder is never used.
QString createCardSet(const QString& root, const QString& name);

// The pictures side by side, each decoded small and fitted into a cell of the given size,
// on a transparent strip that always has room for kStripPictures; a picture that cannot be
// read leaves its cell empty.
QImage pictureStrip(const QStringList& files, QSize cell);

} // namespace launcher
