#pragma once

#include <QString>

#include <utility>

namespace settings {

// A name for a picture that kortvy.ini can hold, as close to the given one as it can be:
// letters of every script stay, a '"' becomes an apostrophe, and control characters go. A
// name that keeps nothing becomes "bild". Leading dots go, so the picture is not hidden.
QString storableName(const QString& fileName);

// A file name's base and its extension with the dot: "katt.jpg" is "katt" and ".jpg".
std::pair<QString, QString> splitName(const QString& name);

} // namespace settings
