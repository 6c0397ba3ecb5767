#include "SettingsError.h"

namespace settings {

namespace {

QString composeMessage(const QString& file, int line, const QString& problem)
{
    QString text = line > 0
        ? QStringLiteral("Fel i inställningsfilen %1, rad %2: %3").arg(file).arg(line).arg(problem)
        : QStringLiteral("Fel i inställningsfilen %1: %2").arg(file, problem);
    if (!text.endsWith(u'.') && !text.endsWith(u'!') && !text.endsWith(u'?'))
        text += u'.';
    return text;
}

} // namespace

Error::Error(QString file, int line, QString problem)
    : std::runtime_error(composeMessage(file, line, problem).toStdString()),
      m_file(std::move(file)),
      m_line(line),
      m_problem(std::move(problem))
{
}

QString Error::message() const
{
    return composeMessage(m_file, m_line, m_problem);
}

} // namespace settings
