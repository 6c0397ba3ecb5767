#pragma once

#include "forms/Outline.h"

namespace game {

// The mark that keys move over the lower cards: a double blue line with white between,
// around the card's square, unlike the red frame in colour and shape and seen on any
// picture. Like the frame it lies around the card and takes no clicks.
class CardMark : public forms::Outline {
public:
    static constexpr int kWidth = 10;
    static const QColor kBlue;
    static const QColor kWhite;

    explicit CardMark(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace game
