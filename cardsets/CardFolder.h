#pragma once

#include <QString>

#include <functional>

namespace cardsets {

// What a start did to the user's card folder.
enum class FolderState {
    Existing, // it was there with something in it, and was left as it was
    Created,  // it was made from the first card set
    Filled,   // it was there but empty, and the first card set was copied into it
};

// The user's card folder: Kortvy in the home folder.
QString cardFolderIn(const QString& home);

// Makes sure the user's card folder is there. A missing folder is made from the first card
// set, all at once (see copyFolderNew()). A folder with anything in it is never touched;
// nothing is ever overwritten. Throws runtime::Error with a complete Swedish message when
// the folder cannot be made.
FolderState prepareCardFolder(const QString& folder, const QString& firstSet);

// How copyFolderNew() ended.
enum class CopyResult {
    Copied,
    Taken, // another folder took the name meanwhile; it is left as it is
};

// Copies the files directly in `from` into a new folder `to`, all at once: they are copied
// into a hidden folder beside it, which then takes the name, so a failed copy never leaves
// half a card set behind. The copies belong to the user and can be changed, whatever the
// rights of the originals. `couldNotCreate` turns a reason into the complete message for a
// folder that could not be made. Throws runtime::Error.
CopyResult copyFolderNew(const QString& from, const QString& to,
                         const std::function<QString(const QString& reason)>& couldNotCreate);

} // namespace cardsets
