#include "settings/FileError.h"

namespace settings {

runtime::Error fileError(const QString& file, int line, const QString& problem)
{
    QString text = line > 0
        ? QStringLiteral("Fel i inställningsfilen %1, rad %2: %3").arg(file).arg(line).arg(problem)
        : QStringLiteral("Fel i inställningsfilen %1: %2").arg(file, problem);
    if (!text.endsWith(u'.') && !text.endsWith(u'!') && !text.endsWith(u'?'))
        text += u'.';
    return runtime::Error(text, file, line);
}

} // namespace settings
