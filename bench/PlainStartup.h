#pragma once

class QWidget;

namespace bench {

// The game's start-up done the plain way, for comparison: the card set read from
// kortvy.ini in the current directory, every named picture decoded at full size and
// stretched when painted. Returns the window, not yet shown.
QWidget* plainStartup();

} // namespace bench
