#include "playoptions/PlayOptionsDialog.h"

#include "cardsets/CardSounds.h"
#include "playoptions/RecordPanel.h"
#include "recording/TakeFile.h"
#include "runtime/Error.h"
#include "sound/SoundCheck.h"
#include "sound/Voice.h"
#include "work/SlowWork.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace playoptions {

namespace {

QString paceText(int ms)
{
    QString seconds = QLocale(QLocale::Swedish).toString(ms / 1000.0, 'g', 3);
    return ms == 1000 ? QStringLiteral("1 sekund") : QStringLiteral("%1 sekunder").arg(seconds);
}

QString dwellText(int ms)
{
    return ms == 0 ? QStringLiteral("Av") : QLocale(QLocale::Swedish).toString(ms / 1000.0, 'g', 3) + QStringLiteral(" s");
}

// What the list shows for a card: its name and what is heard for it.
QString heardText(const cardsets::CardSound& card, bool broken)
{
    switch (card.heard.kind) {
    case settings::Utterance::Kind::Sound:
        return QStringLiteral("%1 – %2 (%3)")
            .arg(card.name, broken ? QStringLiteral("trasigt ljud") : QStringLiteral("eget ljud"),
                 QFileInfo(card.heard.what).fileName());
    case settings::Utterance::Kind::Word:
        return QStringLiteral("%1 – datorns röst").arg(card.name);
    case settings::Utterance::Kind::Nothing:
        break;
    }
    return QStringLiteral("%1 – inget att läsa upp").arg(card.name);
}

// The formats "Lägg till ljud…" offers, spelt in both cases as recorders name their files.
QString recordingFilter()
{
    QStringList patterns;
    for (const char* kind : settings::kSoundSuffixes)
        patterns << QStringLiteral("*.") + QLatin1String(kind);
    for (const char* kind : settings::kSoundSuffixes)
        patterns << QStringLiteral("*.") + QString::fromLatin1(kind).toUpper();
    return QStringLiteral("Ljudfiler (%1)").arg(patterns.join(QLatin1Char(' ')));
}

} // namespace

PlayOptionsDialog::PlayOptionsDialog(const QString& folder, const QString& setName, QWidget* parent)
    : QDialog(parent)
    , m_path(QDir(folder).filePath(settings::kPlayOptionsFileName))
    , m_folder(folder)
{
    setWindowTitle(QStringLiteral("Inställningar för \"%1\"").arg(setName));

    m_keyboard = new QCheckBox(QStringLiteral("Eleven kan välja kort med &tangentbordet"), this);

    auto* switches = new QGroupBox(QStringLiteral("Kontakter (skanning)"), this);
    m_noScanning = new QRadioButton(QStringLiteral("&Av"), switches);
    m_oneSwitch = new QRadioButton(QStringLiteral("&En kontakt: markeringen flyttar sig själv, mellanslag eller Enter väljer"), switches);
    m_twoSwitches = new QRadioButton(QStringLiteral("T&vå kontakter: mellanslag flyttar markeringen, Enter väljer"), switches);
    m_pace = new QComboBox(switches);
    for (int ms : settings::kScanPaces)
        m_pace->addItem(paceText(ms), ms);
    auto* paceLabel = new QLabel(QStringLiteral("Ta&kt:"), switches);
    paceLabel->setBuddy(m_pace);
    auto* paceRow = new QFormLayout;
    paceRow->addRow(paceLabel, m_pace);
    auto* switchesLayout = new QVBoxLayout(switches);
    for (QRadioButton* b : {m_noScanning, m_oneSwitch, m_twoSwitches})
        switchesLayout->addWidget(b);
    switchesLayout->addLayout(paceRow);

    auto* reading = new QGroupBox(QStringLiteral("Uppläsning"), this);
    m_readAloud = new QCheckBox(QStringLiteral("&Läs upp orden"), reading);
    m_readAloud->setToolTip(QStringLiteral("Kortet i den röda ramen läses upp när ramen kommer till det. "
                                           "Eleven hör det igen genom att klicka på kortet eller trycka på R."));
    m_cards = new QListWidget(reading);
    m_cards->setObjectName(QStringLiteral("Kortljud"));
    m_cards->setAccessibleName(QStringLiteral("Korten och vad som hörs för dem"));
    m_try = new QPushButton(QStringLiteral("&Provlyssna"), reading);
    m_addRecording = new QPushButton(QStringLiteral("Lägg till l&jud…"), reading);
    m_soundNote = new QLabel(reading);
    m_soundNote->setWordWrap(true);
    m_soundNote->hide();
    auto* soundButtons = new QHBoxLayout;
    soundButtons->addWidget(m_try);
    soundButtons->addWidget(m_addRecording);
    soundButtons->addStretch();
    auto* readingLayout = new QVBoxLayout(reading);
    readingLayout->addWidget(m_readAloud);
    readingLayout->addWidget(m_cards);
    readingLayout->addLayout(soundButtons);
    readingLayout->addWidget(m_soundNote);
    m_recorder = new RecordPanel(reading);
    readingLayout->addWidget(m_recorder);
    connect(m_recorder, &RecordPanel::keep, this, &PlayOptionsDialog::addRecordingTo);
    connect(this, &PlayOptionsDialog::recordingAdded, this, &PlayOptionsDialog::recorded);
    connect(m_try, &QPushButton::clicked, this, &PlayOptionsDialog::tryChosenCard);
    connect(m_addRecording, &QPushButton::clicked, this, &PlayOptionsDialog::chooseRecording);
    connect(m_cards, &QListWidget::currentRowChanged, this, &PlayOptionsDialog::updateControls);
    connect(m_cards, &QListWidget::itemActivated, this, &PlayOptionsDialog::tryChosenCard);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setText(QStringLiteral("Spara"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Avbryt"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PlayOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PlayOptionsDialog::reject);

    // For a learner who points with eyes or head: resting the pointer on a card chooses it.
    // The layout makes the row the dialog's own: a row left out of the layout has no place.
    auto* dwellRow = new QWidget;
    m_dwell = new QComboBox(dwellRow);
    m_dwell->setObjectName(QStringLiteral("Vila"));
    for (int ms : settings::kDwellTimes)
        m_dwell->addItem(dwellText(ms), ms);
    auto* dwellLabel = new QLabel(QStringLiteral("Välj &genom att vila pekaren"), dwellRow);
    dwellLabel->setBuddy(m_dwell);
    auto* dwellLayout = new QFormLayout(dwellRow);
    dwellLayout->setContentsMargins(0, 0, 0, 0);
    dwellLayout->addRow(dwellLabel, m_dwell);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_keyboard);
    layout->addWidget(switches);
    layout->addWidget(dwellRow);
    layout->addWidget(reading);
    layout->addWidget(buttons);

    for (QAbstractButton* b : {static_cast<QAbstractButton*>(m_keyboard), static_cast<QAbstractButton*>(m_noScanning),
                               static_cast<QAbstractButton*>(m_oneSwitch), static_cast<QAbstractButton*>(m_twoSwitches)})
        connect(b, &QAbstractButton::toggled, this, &PlayOptionsDialog::updateControls);

    listCards();
    setOptions(settings::readPlayOptions(m_path));
}

PlayOptionsDialog::~PlayOptionsDialog() = default;

settings::PlayOptions PlayOptionsDialog::options() const
{
    settings::PlayOptions o;
    o.keyboard = m_keyboard->isChecked();
    o.scanning = m_oneSwitch->isChecked()     ? settings::Scanning::OneSwitch
                 : m_twoSwitches->isChecked() ? settings::Scanning::TwoSwitches
                                              : settings::Scanning::Off;
    o.paceMs = m_pace->currentData().toInt();
    o.readAloud = m_readAloud->isChecked();
    o.dwellMs = m_dwell->currentData().toInt();
    return o;
}

void PlayOptionsDialog::setOptions(const settings::PlayOptions& o)
{
    m_keyboard->setChecked(o.keyboard);
    m_noScanning->setChecked(o.scanning == settings::Scanning::Off);
    m_oneSwitch->setChecked(o.scanning == settings::Scanning::OneSwitch);
    m_twoSwitches->setChecked(o.scanning == settings::Scanning::TwoSwitches);
    m_pace->setCurrentIndex(qMax(0, m_pace->findData(o.paceMs)));
    m_readAloud->setChecked(o.readAloud);
    m_dwell->setCurrentIndex(qMax(0, m_dwell->findData(o.dwellMs)));
    updateControls();
}

// The pace belongs to one switch only: with two, the learner moves the mark.
void PlayOptionsDialog::updateControls()
{
    m_pace->setEnabled(m_oneSwitch->isChecked());
    const QListWidgetItem* chosen = m_cards->currentItem();
    const auto card = chosen ? chosen->data(Qt::UserRole).value<cardsets::CardSound>() : cardsets::CardSound();
    m_try->setEnabled(chosen && card.heard.kind != settings::Utterance::Kind::Nothing);
    m_addRecording->setEnabled(chosen && !card.soundBase.isEmpty() && QFileInfo(m_folder).isWritable());
    m_recorder->setCard(card, chosen && QFileInfo(m_folder).isWritable());
}

// The list is read again after each recording that comes in; the chosen card stays chosen.
// Whether each recording can be played is found on a worker, since a damaged one can keep
// the decoder silent for seconds; the list says so once it is known.
void PlayOptionsDialog::listCards()
{
    const int row = m_cards->currentRow();
    m_cards->clear();
    QStringList recordings;
    try {
        for (const cardsets::CardSound& card : cardsets::cardSounds(m_folder)) {
            auto* item = new QListWidgetItem(heardText(card, false), m_cards);
            item->setData(Qt::UserRole, QVariant::fromValue(card));
            if (card.heard.kind == settings::Utterance::Kind::Sound)
                recordings << card.heard.what;
        }
    } catch (const runtime::Error& e) {
        m_soundNote->setText(e.message());
        m_soundNote->show();
    }
    m_cards->setCurrentRow(qBound(0, row, m_cards->count() - 1));
    updateControls();
    if (recordings.isEmpty() || m_work)
        return;
    auto broken = std::make_shared<QStringList>();
    m_work = work::SlowWork::start(this, {windowTitle(), QStringLiteral("Provar ljuden…")},
                                   [recordings, broken](work::Progress& progress) {
                                       for (int i = 0; i < recordings.size() && !progress.stopped(); ++i) {
                                           if (!sound::whyUnplayable(recordings[i]).isEmpty())
                                               *broken << recordings[i];
                                           progress.advance(i + 1, int(recordings.size()));
                                       }
                                   });
    connect(m_work, &work::SlowWork::finished, this, [this, broken] {
        m_work = nullptr;
        for (int i = 0; i < m_cards->count(); ++i) {
            QListWidgetItem* item = m_cards->item(i);
            const auto card = item->data(Qt::UserRole).value<cardsets::CardSound>();
            if (card.heard.kind == settings::Utterance::Kind::Sound && broken->contains(card.heard.what))
                item->setText(heardText(card, true));
        }
    });
}

void PlayOptionsDialog::tryChosenCard()
{
    const QListWidgetItem* chosen = m_cards->currentItem();
    if (!chosen)
        return;
    if (!m_voice) {
        m_voice = std::make_unique<sound::Voice>();
        connect(m_voice.get(), &sound::Voice::trouble, this, [this](const QString& message) {
            m_soundNote->setText(message);
            m_soundNote->show();
        });
    }
    const settings::Utterance heard = chosen->data(Qt::UserRole).value<cardsets::CardSound>().heard;
    exercise::ReadAloud once(true, {heard}, m_voice.get(), m_voice.get());
    once.frameMovedTo(0);
}

void PlayOptionsDialog::chooseRecording()
{
    auto* dialog = new QFileDialog(this, QStringLiteral("Lägg till ljud"), QDir::homePath(), recordingFilter());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    connect(dialog, &QFileDialog::fileSelected, this, &PlayOptionsDialog::addRecording);
    dialog->open();
}

void PlayOptionsDialog::addRecording(const QString& file)
{
    addRecordingTo(m_cards->currentRow(), file);
}

void PlayOptionsDialog::addRecordingTo(int row, const QString& file)
{
    const QListWidgetItem* chosen = m_cards->item(row);
    if (!chosen)
        return;
    // The recordings being checked, or another coming in: this one comes after.
    if (m_work) {
        connect(m_work, &work::SlowWork::finished, this, [this, row, file] { addRecordingTo(row, file); });
        return;
    }
    const auto card = chosen->data(Qt::UserRole).value<cardsets::CardSound>();
    // A file that cannot be a recording is refused before the teacher is asked anything.
    try {
        cardsets::checkRecordingFile(file);
    } catch (const runtime::Error& e) {
        warn(e.message());
        emit recordingAdded(false);
        return;
    }
    if (card.ownSounds.isEmpty()) {
        copyRecording(card, file, false);
        return;
    }
    auto* question = new QMessageBox(QMessageBox::Question, windowTitle(),
                                     QStringLiteral("Kortet \"%1\" har redan ett eget ljud, %2. Vill du byta ut det mot %3? "
                                                    "Det gamla ljudet läggs i papperskorgen.")
                                         .arg(card.name, card.ownSounds.first(), QFileInfo(file).fileName()),
                                     QMessageBox::Yes | QMessageBox::No, this);
    question->setAttribute(Qt::WA_DeleteOnClose);
    question->button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
    question->button(QMessageBox::No)->setText(QStringLiteral("Nej"));
    question->setDefaultButton(QMessageBox::No);
    connect(question, &QMessageBox::finished, this, [this, card, file](int answer) {
        if (answer == QMessageBox::Yes)
            copyRecording(card, file, true);
        else
            emit recordingAdded(false);
    });
    question->open();
}

// The file is looked at before anything opens it, then decoded to see that it plays, then
// copied, all on a worker: a damaged recording can keep the decoder silent for seconds.
void PlayOptionsDialog::copyRecording(const cardsets::CardSound& card, const QString& file, bool replacing)
{
    m_work = work::SlowWork::start(this, {windowTitle(), QStringLiteral("Lägger till ljudet…"), false},
                                   [folder = m_folder, card, file, replacing](work::Progress&) {
                                       cardsets::checkRecordingFile(file);
                                       if (const QString why = sound::whyUnplayable(file); !why.isEmpty())
                                           throw runtime::Error(sound::unplayableMessage(file, why));
                                       cardsets::addRecording(folder, card, file, replacing);
                                   });
    connect(m_work, &work::SlowWork::finished, this, [this](const QString& failure) {
        m_work = nullptr;
        if (!failure.isEmpty())
            warn(failure);
        listCards();
        emit recordingAdded(failure.isEmpty());
    });
}

// A take kept from "Spela in" leads on to the next card without a recording, ready for its
// own "Spela in", so that a whole set is recorded from the keyboard in one go.
void PlayOptionsDialog::recorded(bool added)
{
    if (!m_recorder->kept(added) || !added)
        return;
    QList<cardsets::CardSound> cards;
    for (int i = 0; i < m_cards->count(); ++i)
        cards << m_cards->item(i)->data(Qt::UserRole).value<cardsets::CardSound>();
    if (const int next = recording::nextToRecord(cards, m_cards->currentRow()); next >= 0)
        m_cards->setCurrentRow(next);
}

void PlayOptionsDialog::warn(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// Closing the dialog ends whatever it was playing.
void PlayOptionsDialog::done(int result)
{
    m_voice.reset();
    QDialog::done(result);
}

void PlayOptionsDialog::accept()
{
    try {
        settings::writePlayOptions(m_path, options());
    } catch (const runtime::Error& e) {
        warn(e.message());
        return;
    }
    QDialog::accept();
}

} // namespace playoptions
