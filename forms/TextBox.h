#pragma once

#include "forms/Geometry.h"

#include <QLineEdit>
#include <functional>

namespace forms {

// A one-line text box. An optional character rule keeps out, typed or pasted, every
// character it refuses, and the box says why; everything else is taken as typed.
class TextBox : public QLineEdit, public Geometry {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

    // The rule gives the reason a character (a whole code point) is refused, or an empty text
    // when it is taken.
    void setCharacterRule(std::function<QString(char32_t)> refusal);

signals:
    // Characters were kept out of the box, typed or pasted at once; `reason` is the rule's
    // for the first of them.
    void refused(const QString& reason);
};

} // namespace forms
