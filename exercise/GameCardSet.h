#pragma once

#include "exercise/CardLayout.h"
#include "settings/CardSet.h"

#include <QString>
#include <functional>

namespace exercise {

// The card set as the game reads it. The count must be 1 to 10: the window has ten slots a
// row, and a set without a card would never end. Each upper picture's name is handed to
// `upperPictureRead` the moment it is read, so that a picture that cannot be shown is
// reported before anything after it. Throws runtime::Error naming the file and the line.
settings::CardSet readGameCardSet(const QString& path,
                                  const std::function<void(int card, const QString& name)>& upperPictureRead = {});

} // namespace exercise
