#pragma once

#include <QString>
#include <stdexcept>

namespace forms {

// A failure the program cannot go on from; the message is Swedish and complete.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString())
        , message_(message)
    {
    }
    QString message() const { return message_; }

private:
    QString message_;
};

} // namespace forms
