#pragma once

#include <QString>
#include <stdexcept>

namespace runtime {

// A failure the program cannot go on from. The message is Swedish and complete: it is what
// the user is shown. An error about a line of a file also keeps the file and the line, for
// whoever needs them apart from the words. what() is the message in UTF-8.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message);
    // line is 1-based; 0 when the error belongs to the file as a whole.
    Error(const QString& message, const QString& file, int line);

    QString message() const { return m_message; }
    QString file() const { return m_file; }
    int line() const { return m_line; }

private:
    QString m_message;
    QString m_file;
    int m_line = 0;
};

} // namespace runtime
