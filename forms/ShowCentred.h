#pragma once

class QWidget;

namespace forms {

// Places a top-level window in the centre of its screen and shows it; this needs no window
// manager.
void showCentred(QWidget* window);

} // namespace forms
