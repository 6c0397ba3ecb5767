#pragma once

#include <QString>

#include <utility>

namespace settings {

// A name for a picture that kortvy.ini can hold, as close to the given one as it can be:
// only characters the file cannot hold change. A letter loses the marks the file has no
// room for ("ź" becomes "z", "ǻ" becomes "å"), Greek and Cyrillic letters are written in
// Latin ones, a '"' becomes an apostrophe, and what has no such form is left out. A name
// that keeps nothing readable becomes "bild". Leading dots go, so the picture is not hidden.
QString storableName(const QString& fileName);

// A file name's base and its extension with the dot: "katt.jpg" is "katt" and ".jpg".
std::pair<QString, QString> splitName(const QString& name);

// The first character of the text that kortvy.ini cannot hold, both halves of a surrogate
// pair together; empty when it can hold them all.
QString firstUnstorable(const QString& text);

} // namespace settings
