#include "forms/TextBox.h"

#include <QPointer>
#include <QValidator>

namespace forms {

namespace {

class CharacterValidator : public QValidator {
public:
    CharacterValidator(std::function<QString(char32_t)> refusal, TextBox* box)
        : QValidator(box)
        , m_refusal(std::move(refusal))
        , m_box(box)
    {
    }

    State validate(QString& input, int& position) const override
    {
        QString kept;
        kept.reserve(input.size());
        int newPosition = position;
        QString reason;
        for (int i = 0; i < input.size(); ++i) {
            // A character outside the basic plane comes as a surrogate pair and is judged
            // whole; half a pair alone is judged as what it is.
            const int length = input.at(i).isHighSurrogate() && i + 1 < input.size() && input.at(i + 1).isLowSurrogate() ? 2 : 1;
            const char32_t c = length == 2 ? QChar::surrogateToUcs4(input.at(i), input.at(i + 1)) : input.at(i).unicode();
            const QString refused = m_refusal(c);
            if (refused.isEmpty()) {
                kept.append(QStringView(input).mid(i, length));
            } else {
                if (reason.isEmpty())
                    reason = refused;
                if (i < position)
                    newPosition -= qMin(length, position - i);
            }
            i += length - 1;
        }
        input = kept;
        position = newPosition;
        // Once for what was typed or pasted at once, however many characters it held.
        if (!reason.isEmpty() && m_box)
            emit m_box->refused(reason);
        return Acceptable;
    }

private:
    std::function<QString(char32_t)> m_refusal;
    QPointer<TextBox> m_box;
};

} // namespace

TextBox::TextBox(QWidget* parent)
    : QLineEdit(parent)
    , Geometry(this)
{
}

void TextBox::setCharacterRule(std::function<QString(char32_t)> refusal)
{
    setValidator(new CharacterValidator(std::move(refusal), this));
}

} // namespace forms
