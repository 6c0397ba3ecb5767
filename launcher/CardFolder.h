#pragma once

#include <QString>

namespace launcher {

// What a start did to the user's card folder.
enum class FolderState {
    Existing, // it was there with something in it, and was left as it was
    Created,  // it was made from the first card set
    Filled,   // it was there but empty, and the first card set was copied into it
};

// Why a file operation failed, in Swedish, for the errno it left.
QString reasonFor(int error);

// The user's card folder: Kortvy in the home folder.
QString cardFolderIn(const QString& home);

// Makes sure the user's card folder is there. A missing folder is made from the first card
// set, all at once: the cards are copied into a hidden folder beside it, which then takes
// the folder's name, so a failed copy never leaves half a card set behind. A folder with
// anything in it is never touched; nothing is ever overwritten. The copies belong to the
// user and can be changed, whatever the rights of the installed first card set.
// Throws runtime::Error with a complete Swedish message when the folder cannot be made.
FolderState prepareCardFolder(const QString& folder, const QString& firstSet);

} // namespace launcher
