#pragma once

#include "forms/Backdrop.h"

#include <QPointer>
#include <QWidget>

namespace app {

// A program's main window, with the black backdrop that covers the screen behind it while the
// program runs. Closed from outside the program, the window takes the backdrop with it; the
// program's own endings leave it to go with the process.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The backdrop; empty once it has gone with the window.
    forms::Backdrop* backdrop() const { return m_backdrop; }

protected:
    // Shows the backdrop over the whole screen, the first step of a program's start-up.
    void showBackdrop();
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<forms::Backdrop> m_backdrop;
};

} // namespace app
