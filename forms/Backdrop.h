#pragma once

#include <QWidget>

namespace forms {

// The black backdrop: a borderless window without controls that covers the whole
// screen behind the main window, also where no window manager runs.
class Backdrop : public QWidget {
    Q_OBJECT

public:
    Backdrop();

    // Shows the backdrop over the whole screen, not modal.
    void showOverScreen();
    // Unloads the backdrop: it closes and is deleted.
    void unload();
};

} // namespace forms
