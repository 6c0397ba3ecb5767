#pragma once

#include "cardsets/CardSounds.h"
#include "recording/Take.h"

#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTemporaryDir;

namespace recording {
class Capture;
} // namespace recording

namespace sound {
class Voice;
} // namespace sound

namespace playoptions {

// "Spela in" for the chosen card: a take from the microphone, shown by a level meter while
// it is made and ended by "Stoppa" or by itself, its silences cut and its loudness evened out,
// then played back at once for "Behåll" or "Gör om". What is kept is handed over by keep(),
// as a file, to be added by the same rules as any recording.
class RecordPanel : public QWidget {
    Q_OBJECT

public:
    explicit RecordPanel(QWidget* parent = nullptr);
    ~RecordPanel() override;

    // The card the takes are for. A take of another card's that is being made or listened to
    // is let go; one being kept is not.
    void setCard(const cardsets::CardSound& card, bool canRecord);
    // The file given by keep() has been dealt with: `added` as the card's recording, or not,
    // and then the take can be kept again. False when no take was waiting.
    bool kept(bool added);
    // Whether a take is being made, heard or kept.
    bool busy() const { return m_state != State::Idle; }
    // Whether the microphone is being heard.
    bool recording() const { return m_state == State::Recording; }

signals:
    void keep(int card, const QString& file);

private:
    enum class State { Idle, Starting, Recording, Working, Deciding, Keeping };

    void record();
    void prepare(const recording::Take& take);
    void cannotRecord(const QString& message);
    void letGo();
    void show(State state);

    State m_state = State::Idle;
    cardsets::CardSound m_card;
    bool m_canRecord = false;
    QPushButton* m_record;
    QProgressBar* m_level;
    QPushButton* m_stop;
    QPushButton* m_keep;
    QPushButton* m_again;
    QLabel* m_note;
    std::unique_ptr<recording::Capture> m_capture;
    sound::Voice* m_voice = nullptr;
    std::shared_ptr<QTemporaryDir> m_takes;
    QString m_take;
};

} // namespace playoptions
