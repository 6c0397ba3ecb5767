#pragma once

#include "runtime/Error.h"

#include <QString>

namespace settings {

// The error for a problem with the card set's file: the Swedish message names the file and,
// when the problem belongs to one line, that line.
runtime::Error fileError(const QString& file, int line, const QString& problem);

} // namespace settings
