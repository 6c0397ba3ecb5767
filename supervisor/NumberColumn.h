#pragma once

#include "forms/Label.h"

namespace supervisor {

// A label whose caption is word-wrapped into lines 240 twips apart, the height of a list
// row, so that a column of numbers beside a list stands line for line beside its rows.
class NumberColumn : public forms::Label {
public:
    explicit NumberColumn(QWidget* parent = nullptr);

    // The caption as it is broken into lines at the present width.
    QStringList lines() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace supervisor
