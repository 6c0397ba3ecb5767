#pragma once

#include <QString>
#include <QStringView>

namespace settings {

// Where the first character stands that a text of kortvy.ini cannot hold; -1 when it can hold
// the whole text. The file holds every letter of every script; it cannot hold '"' (the text
// would end there), CR or LF (the line would end there), NUL, or half of a surrogate pair,
// which has no UTF-8 form.
qsizetype firstUnstorable(QStringView text);
inline bool canHold(QStringView text) { return firstUnstorable(text) < 0; }

// Why a teacher cannot type or paste the character into a text, or give a picture a name
// with it, as a Swedish sentence; empty when it may be used. Beyond what the file cannot
// hold, control characters are kept out: a tab or a control code shows as nothing on a
// card.
QString typingRefusal(char32_t c);
// The first refusal among the text's characters; empty when every one may be used.
QString typingRefusal(QStringView text);

} // namespace settings
