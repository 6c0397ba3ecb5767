#pragma once

#include "forms/Geometry.h"

#include <QLabel>

namespace forms {

class Label : public QLabel, public Geometry {
    Q_OBJECT

public:
    explicit Label(QWidget* parent = nullptr)
        : QLabel(parent)
        , Geometry(this)
    {
    }
};

} // namespace forms
