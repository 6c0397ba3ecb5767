#pragma once

#include "exercise/Exercise.h"
#include "app/MainWindow.h"
#include "settings/CardSet.h"

#include <array>

namespace forms {
class PictureButton;
class PictureBox;
class Panel;
class Outline;
} // namespace forms

namespace game {

// The game window "Välj rätt kort.": the upper row of cards in the card set's order, the lower
// row shuffled, and a red frame around the upper card asked for. The learner clicks the lower
// card that belongs to the framed one; a right click takes the pair away and moves the frame
// on, and after the last pair the game ends.
//
// Each control can be found by its object name:
//   the window                           Form1
//   the black backdrop behind it          Form2
//   the upper area, the lower area        Panel3D1, Panel3D2
//   upper slot k: picture, text           Image1(k), Panel3D3(k)   k = 0 … 9
//   lower slot k: picture, text           Image2(k), Panel3D4(k)
//   the frame                             Shape1
//   "Sluta"                               Command3D2
class GameWindow : public app::MainWindow {
    Q_OBJECT

public:
    GameWindow();

    // Start-up, before the window is shown: the backdrop, the card set from kortvy.ini, the
    // shuffle, and every card in its slot as its row shows it. Throws runtime::Error.
    void load();

    const exercise::Exercise& exercise() const { return m_exercise; }

private:
    void fillSlots(const settings::CardSet& set);
    void showRows(const settings::CardSet& set);
    void decodePictures();
    void answer(qint16 slot);
    void placeFrame();

    std::array<forms::PictureBox*, 10> m_upperPictures{};
    std::array<forms::Panel*, 10> m_upperTexts{};
    std::array<forms::PictureBox*, 10> m_lowerPictures{};
    std::array<forms::Panel*, 10> m_lowerTexts{};
    forms::Panel* m_upperArea = nullptr;
    forms::Panel* m_lowerArea = nullptr;
    forms::Outline* m_frame = nullptr;
    forms::PictureButton* m_stopButton = nullptr;

    exercise::Exercise m_exercise;
};

} // namespace game
