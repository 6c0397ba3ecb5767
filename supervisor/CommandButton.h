#pragma once

#include "forms/Geometry.h"

#include <QPushButton>

namespace supervisor {

// A standard push button whose caption is word-wrapped when it is longer than a line.
class CommandButton : public QPushButton, public forms::Geometry {
    Q_OBJECT

public:
    explicit CommandButton(QWidget* parent = nullptr);

    QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace supervisor
