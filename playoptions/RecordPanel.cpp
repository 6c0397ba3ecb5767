#include "playoptions/RecordPanel.h"

#include "recording/Capture.h"
#include "recording/TakeFile.h"
#include "runtime/Error.h"
#include "sound/Voice.h"
#include "work/SlowWork.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cmath>

namespace playoptions {

namespace {

// The meter shows the last 50 dB up to full scale, as a voice is heard.
int meterValue(float peak)
{
    const double db = 20 * std::log10(std::max(peak, 1e-6f));
    return std::clamp(int(std::lround((db + 50) * 2)), 0, 100);
}

} // namespace

RecordPanel::RecordPanel(QWidget* parent)
    : QWidget(parent)
    , m_record(new QPushButton(QStringLiteral("Spela &in"), this))
    , m_level(new QProgressBar(this))
    , m_stop(new QPushButton(QStringLiteral("&Stoppa"), this))
    , m_keep(new QPushButton(QStringLiteral("&Behåll"), this))
    , m_again(new QPushButton(QStringLiteral("&Gör om"), this))
    , m_note(new QLabel(this))
{
    m_record->setObjectName(QStringLiteral("SpelaIn"));
    m_stop->setObjectName(QStringLiteral("Stoppa"));
    m_keep->setObjectName(QStringLiteral("Behall"));
    m_again->setObjectName(QStringLiteral("GorOm"));
    m_level->setObjectName(QStringLiteral("Ljudniva"));
    m_level->setAccessibleName(QStringLiteral("Ljudnivå från mikrofonen"));
    m_level->setRange(0, 100);
    m_level->setTextVisible(false);
    m_note->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : {static_cast<QWidget*>(m_record), static_cast<QWidget*>(m_level), static_cast<QWidget*>(m_stop),
                       static_cast<QWidget*>(m_keep), static_cast<QWidget*>(m_again)})
        buttons->addWidget(w);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_note);
    connect(m_record, &QPushButton::clicked, this, &RecordPanel::record);
    connect(m_again, &QPushButton::clicked, this, &RecordPanel::record);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        if (m_state == State::Starting)
            letGo();
        else if (m_state == State::Recording)
            m_capture->stop();
    });
    connect(m_keep, &QPushButton::clicked, this, [this] {
        if (m_state != State::Deciding)
            return;
        show(State::Keeping);
        if (m_voice)
            m_voice->stop();
        emit keep(m_card.card, m_take);
    });
    show(State::Idle);
}

RecordPanel::~RecordPanel() = default;

void RecordPanel::setCard(const cardsets::CardSound& card, bool canRecord)
{
    if (m_state == State::Keeping)
        return;
    if (m_state != State::Idle && card.card != m_card.card)
        letGo();
    m_card = card;
    m_canRecord = canRecord && !card.soundBase.isEmpty();
    show(m_state);
}

bool RecordPanel::kept(bool added)
{
    if (m_state != State::Keeping)
        return false;
    if (added) {
        m_takes.reset();
        show(State::Idle);
    } else {
        show(State::Deciding);
    }
    return true;
}

void RecordPanel::record()
{
    // Made before the take, so that what plays it back is there to be seen.
    if (!m_voice)
        m_voice = new sound::Voice(false, this);
    m_voice->stop();
    if (!m_capture) {
        m_capture = std::make_unique<recording::Capture>();
        connect(m_capture.get(), &recording::Capture::started, this, [this] {
            if (m_state == State::Starting)
                show(State::Recording);
        });
        connect(m_capture.get(), &recording::Capture::level, this, [this](float peak) { m_level->setValue(meterValue(peak)); });
        connect(m_capture.get(), &recording::Capture::taken, this, &RecordPanel::prepare);
        connect(m_capture.get(), &recording::Capture::failed, this, &RecordPanel::cannotRecord);
    }
    m_takes.reset();
    m_level->setValue(0);
    show(State::Starting);
    m_capture->start();
}

// Cut, evened out and written where it can be played back and then kept, on a worker: the
// take is seconds of sound, and the temporary folder may be slow.
void RecordPanel::prepare(const recording::Take& take)
{
    if (m_state != State::Starting && m_state != State::Recording)
        return;
    show(State::Working);
    // Named as the card's recording will be, which is the name the replace question shows.
    m_takes = std::make_shared<QTemporaryDir>();
    m_take = m_takes->filePath(m_card.soundBase + QLatin1Char('.') + QLatin1String(recording::kTakeSuffix));
    auto* work = work::SlowWork::start(window(), {window()->windowTitle(), QStringLiteral("Gör i ordning inspelningen…"), false},
                                       [take, path = m_take, folder = m_takes](work::Progress&) {
                                           if (!recording::heardAnything(take))
                                               throw runtime::Error(QStringLiteral("Inget ord hördes i inspelningen. Tala nära mikrofonen och försök igen."));
                                           recording::writeTake(path, recording::evenedOut(recording::trimmed(take)));
                                       });
    connect(work, &work::SlowWork::finished, this, [this, path = m_take](const QString& failure) {
        // A take let go of while it was being prepared, perhaps for another since.
        if (m_state != State::Working || path != m_take)
            return;
        if (!failure.isEmpty()) {
            cannotRecord(failure);
            return;
        }
        m_voice->play(m_take);
        show(State::Deciding);
        m_keep->setFocus(Qt::OtherFocusReason);
    });
}

void RecordPanel::cannotRecord(const QString& message)
{
    letGo();
    auto* box = new QMessageBox(QMessageBox::Warning, window()->windowTitle(), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void RecordPanel::letGo()
{
    if (m_capture)
        m_capture.reset();
    if (m_voice)
        m_voice->stop();
    m_takes.reset();
    show(State::Idle);
}

void RecordPanel::show(State state)
{
    // The window's own focus, which is where the keyboard goes when the window is active again.
    const QWidget* focused = window()->focusWidget();
    const bool hadFocus = focused && isAncestorOf(focused);
    m_state = state;
    const bool taking = state == State::Starting || state == State::Recording;
    const bool deciding = state == State::Deciding || state == State::Keeping;
    m_record->setVisible(state == State::Idle);
    m_record->setEnabled(state == State::Idle && m_canRecord);
    m_level->setVisible(taking);
    // The button that has the keyboard stays where it is until the next one shows, so that
    // the focus never leaves for another of the window's buttons.
    m_stop->setVisible(taking || state == State::Working);
    m_keep->setVisible(deciding);
    m_again->setVisible(deciding);
    m_again->setEnabled(state == State::Deciding);
    switch (state) {
    case State::Idle: m_note->clear(); break;
    case State::Starting: m_note->setText(QStringLiteral("Mikrofonen startar…")); break;
    case State::Recording:
        m_note->setText(QStringLiteral("Säg \"%1\". Inspelningen slutar av sig själv när du har tystnat.").arg(m_card.name));
        break;
    case State::Working: m_note->setText(QStringLiteral("Gör i ordning inspelningen…")); break;
    case State::Deciding: m_note->setText(QStringLiteral("Så här låter det. Behåll inspelningen eller gör om den.")); break;
    case State::Keeping: m_note->setText(QStringLiteral("Sparar…")); break;
    }
    m_note->setVisible(!m_note->text().isEmpty());
    if (hadFocus)
        (taking || state == State::Working ? m_stop : deciding ? m_keep : m_record)->setFocus(Qt::OtherFocusReason);
}

} // namespace playoptions
