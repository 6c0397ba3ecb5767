#pragma once

#include "forms/Geometry.h"

#include <QLineEdit>
#include <functional>

namespace forms {

// A one-line text box. An optional character rule keeps out, typed or pasted, every
// character it refuses; everything else is taken as typed.
class TextBox : public QLineEdit, public Geometry {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

    void setCharacterRule(std::function<bool(QChar)> accepts);
};

} // namespace forms
