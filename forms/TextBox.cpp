#include "forms/TextBox.h"

#include <QValidator>

namespace forms {

namespace {

class CharacterValidator : public QValidator {
public:
    CharacterValidator(std::function<bool(QChar)> accepts, QObject* parent)
        : QValidator(parent)
        , m_accepts(std::move(accepts))
    {
    }

    State validate(QString& input, int& position) const override
    {
        QString kept;
        kept.reserve(input.size());
        int newPosition = position;
        for (int i = 0; i < input.size(); ++i) {
            const QChar c = input.at(i);
            // A character outside the basic plane comes as a surrogate pair; neither half
            // can be stored on its own.
            if (m_accepts(c) && !c.isSurrogate())
                kept.append(c);
            else if (i < position)
                --newPosition;
        }
        input = kept;
        position = newPosition;
        return Acceptable;
    }

private:
    std::function<bool(QChar)> m_accepts;
};

} // namespace

TextBox::TextBox(QWidget* parent)
    : QLineEdit(parent)
    , Geometry(this)
{
}

void TextBox::setCharacterRule(std::function<bool(QChar)> accepts)
{
    setValidator(new CharacterValidator(std::move(accepts), this));
}

} // namespace forms
