#pragma once

#include <QString>
#include <stdexcept>

namespace settings {

// A failure to read or write the card set's file. what() is message() in UTF-8.
class Error : public std::runtime_error {
public:
    // line is 1-based; 0 when the problem belongs to no particular line.
    Error(QString file, int line, QString problem);

    QString file() const { return m_file; }
    int line() const { return m_line; }
    QString problem() const { return m_problem; }
    // The whole Swedish message for the user, naming the file and the line.
    QString message() const;

private:
    QString m_file;
    int m_line;
    QString m_problem;
};

} // namespace settings
