#pragma once

#include <QString>

namespace settings {

// A settings file that more than one part of the programs keeps a section of, such as the
// card set's kortvy-val.ini: each part writes its own section and leaves the others' lines as
// they stand.

// The file's text with `section`'s lines ("[section]" and what follows up to the next
// section) replaced by `lines`, where it was, or added at the end when the file has none.
QString replaceSection(const QString& text, const QString& section, const QString& lines);

// Writes the section into the file whole or not at all. Throws runtime::Error with a
// Swedish message naming the file.
void writeSection(const QString& path, const QString& section, const QString& lines);

} // namespace settings
