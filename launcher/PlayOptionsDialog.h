#pragma once

#include "settings/PlayOptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace launcher {

// "Inställningar": how a card set is played, chosen by the teacher for the learner who plays
// it: with the keyboard or not, and scanning for one or two switches at a pace. Shows what
// the set's options file holds; "Spara" writes it, and only it, and closes the dialog when
// it has been written.
class PlayOptionsDialog : public QDialog {
    Q_OBJECT

public:
    PlayOptionsDialog(const QString& folder, const QString& setName, QWidget* parent = nullptr);

    settings::PlayOptions options() const;
    void setOptions(const settings::PlayOptions& options);
    QString path() const { return m_path; }

    void accept() override;

private:
    void updateControls();

    QString m_path;
    QCheckBox* m_keyboard;
    QRadioButton* m_noScanning;
    QRadioButton* m_oneSwitch;
    QRadioButton* m_twoSwitches;
    QComboBox* m_pace;
};

} // namespace launcher
