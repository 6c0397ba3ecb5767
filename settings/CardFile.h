#pragma once

#include <QString>

namespace settings {

// The card set's file, always opened by this bare name in the current directory.
inline const QString kFileName = QStringLiteral("kortvy.ini");

} // namespace settings
