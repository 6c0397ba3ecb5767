#pragma once

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace cardsets {

// A card set as the list of card sets shows it.
struct CardSetSummary {
    QString folder;       // where it lies, absolute
    QString name;         // the folder's name
    int count = 0;        // its cards, as kortvy.ini says
    QStringList pictures; // the first pictures of its cards, as paths, at most kStripPictures
    QString problem;      // why it cannot be played, in Swedish; empty when it can
    bool readable = true; // whether kortvy.ini could be read at all
    bool writable = true; // whether pictures and a changed kortvy.ini can be saved in it
    // Cards that lack a picture, or a word, that their row shows: a name left empty or a
    // picture file that is not there.
    int lackingPicture = 0;
    int lackingWord = 0;
    // Per card, the picture files its rows show that are there, as paths; and how many
    // cards have one that cannot be read, once they have been tried (brokenPictures()).
    QList<QStringList> cardPictures;
    int brokenPicture = 0;
    // When kortvy.ini and the folder last changed: a set whose stamps are the same was not
    // changed since it was read.
    QDateTime changed;

    bool playable() const { return problem.isEmpty(); }
    // What is missing, as the list shows it ("2 kort saknar bild"); empty when nothing is.
    QString lacking() const;
};

inline constexpr int kStripPictures = 4;

// The card set in the folder, read from its kortvy.ini; never throws.
CardSetSummary summarize(const QString& folder);

// When kortvy.ini in the folder, or the folder, last changed.
QDateTime changedAt(const QString& folder);

// The card sets under the user's card folder: the folder itself and each direct subfolder
// that holds a kortvy.ini, the folder itself first, then the others by name as a Swedish
// reader sorts them. Hidden folders are left out.
QStringList findCardSets(const QString& root);
QList<CardSetSummary> listCardSets(const QString& root);

// Why a card set cannot be called this under the card folder, as a complete Swedish
// sentence; empty when it can. The name is taken without blanks at either end. When a set
// is being renamed, renaming is its folder, whose own name may change in case only.
QString newSetNameProblem(const QString& root, const QString& name, const QString& renaming = QString());

// Makes a new card set in a new folder under the card folder: three cards with nothing on
// them yet, pictures in the upper row, texts in the lower. Returns the folder. Throws
// runtime::Error with a complete Swedish message; an existing folder is never used.
QString createCardSet(const QString& root, const QString& name);

// Gives the card set's folder a new name under the card folder; returns the new folder.
// The card folder itself keeps its name. Throws runtime::Error; nothing is replaced.
QString renameCardSet(const QString& root, const QString& folder, const QString& name);

// Moves the card set's folder to the desktop's trash, from where the teacher can take it
// back. The card folder itself, which holds the other sets, is never removed. Throws
// runtime::Error.
void removeCardSet(const QString& root, const QString& folder);

// A copy of the card set's files in a new folder under the card folder, by the name given
// (copyCardSet) or by the set's own name, then with " (2)", " (3)" and so on when that is
// taken (copyIntoCardFolder, for a set from elsewhere). Returns the new folder. The copy is
// made whole or not at all. Throws runtime::Error.
QString copyCardSet(const QString& root, const QString& folder, const QString& name);
QString copyIntoCardFolder(const QString& root, const QString& folder);

// The name a set from elsewhere gets under the card folder: the one it had, made one a folder
// and kortvy.ini can hold, with " (2)", " (3)" and so on when that is taken.
QString freeSetName(const QString& root, const QString& wanted);

// How many of the cards have a picture that the game could not show: one that does not
// decode, as a damaged or cut-off file does not. Decodes every picture without a fresh
// thumbnail, small: slow the first time.
int cardsWithBrokenPictures(const QList<QStringList>& cardPictures);

// The pictures side by side, each decoded small and fitted into a cell of the given size,
// on a transparent strip of stripSize(cell) that always has room for kStripPictures, with a
// small gap between the cells; a picture that cannot be read leaves its cell empty.
QImage pictureStrip(const QStringList& files, QSize cell);
// The same strip with the pictures from elsewhere: `fitted` gives the picture of that index
// fitted into the cell, or a null image for one that cannot be read.
QImage pictureStrip(int count, QSize cell, const std::function<QImage(int index, QSize cell)>& fitted);
QSize stripSize(QSize cell);

// The first of the pictures that can be read, fitted into the size and centred on a
// transparent tile of it; an empty tile when none can.
QImage pictureTile(const QStringList& files, QSize size);

} // namespace cardsets
