#pragma once

#include "printing/PageLayout.h"

#include <QString>

namespace printing {

// The last choices a set was printed with, kept in a section of its own of the set's
// kortvy-val.ini (settings::kPlayOptionsFileName), beside the way it is played.

// The choices in the set's folder; what the file lacks or holds amiss is the default.
PrintChoices readChoices(const QString& folder);

// Writes the choices, leaving the rest of the file as it stands. Throws runtime::Error.
void writeChoices(const QString& folder, const PrintChoices& choices);

} // namespace printing
