#pragma once

#include <QString>
#include <array>

namespace settings {

// The teacher's choices for how a card set is played, kept in a file of their own beside
// kortvy.ini, so that the card set's file stays exactly as the supervisor tool wrote it.
inline const QString kPlayOptionsFileName = QStringLiteral("kortvy-val.ini");

// How a learner with switches reaches the cards.
enum class Scanning {
    Off,          // keyboard play: arrows, Tab, Home and End move the mark, Space or Enter chooses
    OneSwitch,    // the mark steps by itself; Space or Enter chooses
    TwoSwitches,  // Space moves the mark, Enter chooses
};

// The paces the mark can step at by itself, in milliseconds.
inline constexpr std::array<int, 5> kScanPaces = {1000, 1500, 2000, 3000, 5000};

// How long the pointer rests on a card to choose it, in milliseconds; 0 is off.
inline constexpr std::array<int, 8> kDwellTimes = {0, 500, 800, 1000, 1500, 2000, 3000, 5000};

struct PlayOptions {
    bool keyboard = true;
    Scanning scanning = Scanning::Off;
    int paceMs = 2000;
    // Each card's word is read aloud when the frame comes to it: in the teacher's recorded
    // voice where the set has one, otherwise in a synthetic Swedish one. Off, the game is
    // silent.
    bool readAloud = false;
    // For a learner who points with eyes or head and cannot click: resting the pointer on a
    // lower card this long chooses it. 0, the default, is off.
    int dwellMs = 0;

    bool operator==(const PlayOptions&) const = default;
};

// The options in the file; a file that is missing, cannot be read or holds values that
// are not among the choices gives the defaults for what it lacks. Never throws: a learner's
// game must start whatever the file holds.
PlayOptions readPlayOptions(const QString& path);

// Writes the options whole or not at all. Throws runtime::Error with a Swedish message
// naming the file.
void writePlayOptions(const QString& path, const PlayOptions& options);

} // namespace settings
