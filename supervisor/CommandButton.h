#pragma once

#include "forms/Geometry.h"

#include <QPushButton>
#include <functional>

namespace supervisor {

// A standard push button whose caption is word-wrapped when it is longer than a line.
class CommandButton : public QPushButton, public forms::Geometry {
public:
    explicit CommandButton(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }

    std::function<void()> onClick;

    QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace supervisor
