#pragma once

#include "exercise/CardLayout.h"
#include "exercise/Dwell.h"
#include "exercise/Exercise.h"
#include "exercise/KeyboardPlay.h"
#include "exercise/ReadAloud.h"
#include "app/MainWindow.h"
#include "settings/CardSet.h"

#include <QElapsedTimer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

namespace forms {
class PictureButton;
class PictureBox;
class Panel;
class Outline;
} // namespace forms

namespace sound {
class Voice;
} // namespace sound

namespace game {

class DwellBar;

// The game window "Välj rätt kort.": the upper row of cards in the card set's order, the lower
// row shuffled, and a red frame around the upper card asked for. The learner clicks the lower
// card that belongs to the framed one; a right click takes the pair away and moves the frame
// on, and after the last pair the game ends.
//
// Without a mouse, keys or switches move a mark over the lower cards and choose the marked
// one as a click would (exercise::KeyboardPlay, with the teacher's choices from the options
// file beside kortvy.ini); a tap is a click; to assistive technology each card is a push
// button, and the lower row tells which card is asked for. No key ends the game.
//
// Where the teacher has asked for it, the framed card is read aloud each time the frame comes
// to it, and again on a click or tap on it or the key R (exercise::ReadAloud).
//
// Where the teacher has asked for it, the pointer resting on a lower card chooses it as a
// click would, with its progress shown on the card (exercise::Dwell).
//
// Each control can be found by its object name:
//   the window                           Form1
//   the black backdrop behind it          Form2
//   the upper area, the lower area        Panel3D1, Panel3D2
//   upper slot k: picture, text           Image1(k), Panel3D3(k)   k = 0 … 9
//   lower slot k: picture, text           Image2(k), Panel3D4(k)
//   the frame                             Shape1
//   "Sluta"                               Command3D2
//   the keys' mark                        Markering
//   the progress of a rest                Vila
class GameWindow : public app::MainWindow {
    Q_OBJECT

public:
    GameWindow();
    ~GameWindow() override;

    // Start-up, before the window is shown: the backdrop, the card set from kortvy.ini, the
    // shuffle, and every card in its slot as its row shows it. Throws runtime::Error.
    void load();

    const exercise::Exercise& exercise() const { return m_exercise; }
    const exercise::KeyboardPlay& keyboardPlay() const { return m_keys; }
    const exercise::Dwell& dwell() const { return m_dwell; }

    // The clock key presses and scanning are timed by, in milliseconds; a test sets its own.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock);
    // Where recordings and words go, in place of the desktop's sound; before load().
    void setVoice(exercise::SoundPlayer* player, exercise::Speaker* speaker);

    // The question as assistive technology is told it: which card belongs to the framed one.
    QString question() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillSlots(const settings::CardSet& set);
    void showRows(const settings::CardSet& set);
    void decodePictures();
    void prepareReadAloud(const settings::CardSet& set, bool on);
    void answer(qint16 slot);
    void placeFrame();
    void pressed(exercise::Key key, bool repeated, quint64 stamp);
    void showMark();
    void scheduleStep();
    void stepMark();
    void tellQuestion();
    bool touched(QEvent* event);
    void startDwell(int dwellMs);
    void pointerMoved(QObject* watched, QEvent* event);
    void showRest();
    void restTick();

    // What stands in one slot of the two rows: upper card k in upper slot k, and in lower
    // slot k whichever lower card the shuffle put there.
    struct CardSlot {
        forms::PictureBox* upperPicture = nullptr;
        forms::Panel* upperText = nullptr;
        forms::PictureBox* lowerPicture = nullptr;
        forms::Panel* lowerText = nullptr;
        // The control that stands for the lower card to assistive technology.
        QWidget* lowerCard = nullptr;
        // What the question calls the upper card.
        QString upperName;
    };

    std::array<CardSlot, exercise::kSlots> m_slots{};
    forms::Panel* m_upperArea = nullptr;
    forms::Panel* m_lowerArea = nullptr;
    forms::Outline* m_frame = nullptr;
    forms::PictureButton* m_stopButton = nullptr;
    forms::Outline* m_mark = nullptr;
    settings::RowDisplay m_lowerDisplay = settings::RowDisplay::Both;

    exercise::Exercise m_exercise;
    exercise::KeyboardPlay m_keys;
    QElapsedTimer m_elapsed;
    Clock m_clock;
    QTimer m_stepTimer;
    exercise::Dwell m_dwell;
    DwellBar* m_dwellBar = nullptr;
    QTimer m_dwellTimer;

    std::unique_ptr<sound::Voice> m_voice;
    exercise::SoundPlayer* m_player = nullptr;
    exercise::Speaker* m_speaker = nullptr;
    exercise::ReadAloud m_readAloud;

    // A touch on the lower row counts as a tap while one finger stays down and near where it
    // came down.
    QList<int> m_fingers;
    QPointF m_touchStart;
    bool m_touchSpoilt = false;
};

} // namespace game
