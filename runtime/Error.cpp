#include "runtime/Error.h"

namespace runtime {

Error::Error(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}

Error::Error(const QString& message, const QString& file, int line)
    : std::runtime_error(message.toStdString())
    , m_message(message)
    , m_file(file)
    , m_line(line)
{
}

} // namespace runtime
