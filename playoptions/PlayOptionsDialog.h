#pragma once

#include "cardsets/CardSounds.h"
#include "settings/PlayOptions.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace playoptions {
class RecordPanel;
} // namespace playoptions

namespace sound {
class Voice;
} // namespace sound

namespace work {
class SlowWork;
} // namespace work

namespace playoptions {

// "Inställningar": how a card set is played, chosen by the teacher for the learner who plays
// it: with the keyboard or not, scanning for one or two switches at a pace, and the words
// read aloud or not. Shows what the set's options file holds; "Spara" writes it, and only
// it, and closes the dialog when it has been written.
//
// The set's cards are listed with what is heard for each, a recording of the teacher's own
// or the synthetic voice; "Provlyssna" plays the chosen card's, and "Lägg till ljud…" copies
// a recording into the set's folder as the chosen card's.
class PlayOptionsDialog : public QDialog {
    Q_OBJECT

public:
    PlayOptionsDialog(const QString& folder, const QString& setName, QWidget* parent = nullptr);
    ~PlayOptionsDialog() override;

    settings::PlayOptions options() const;
    void setOptions(const settings::PlayOptions& options);
    QString path() const { return m_path; }

    void accept() override;
    void done(int result) override;

    // The recording as the chosen card's own, asking first before one it has already goes
    // to the trash. recordingAdded() tells when it has been dealt with, in or refused.
    void addRecording(const QString& file);
    // As addRecording(), for the card at `row`, once the work going on has ended.
    void addRecordingTo(int row, const QString& file);
    void tryChosenCard();
    // Whether the recordings are being checked or one is coming in.
    bool working() const { return m_work != nullptr; }

signals:
    void recordingAdded(bool added);

private:
    void updateControls();
    void listCards();
    void chooseRecording();
    void copyRecording(const cardsets::CardSound& card, const QString& file, bool replacing);
    void warn(const QString& message);
    void recorded(bool added);

    QString m_path;
    QCheckBox* m_keyboard;
    QRadioButton* m_noScanning;
    QRadioButton* m_oneSwitch;
    QRadioButton* m_twoSwitches;
    QComboBox* m_pace;
    QString m_folder;
    QCheckBox* m_readAloud;
    QListWidget* m_cards;
    QPushButton* m_try;
    QPushButton* m_addRecording;
    QLabel* m_soundNote;
    std::unique_ptr<sound::Voice> m_voice;
    work::SlowWork* m_work = nullptr;
    QComboBox* m_dwell = nullptr;
    RecordPanel* m_recorder;
};

} // namespace playoptions
