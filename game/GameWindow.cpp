#include "game/GameWindow.h"

#include "game/CardMark.h"
#include "game/DwellBar.h"
#include "game/StopSign.h"

#include "app/Program.h"
#include "exercise/CardLayout.h"
#include "exercise/GameCardSet.h"
#include "forms/Backdrop.h"
#include "forms/PictureButton.h"
#include "forms/Fonts.h"
#include "forms/PictureBox.h"
#include "forms/Panel.h"
#include "forms/Outline.h"
#include "forms/Pressable.h"
#include "forms/Twips.h"
#include "runtime/Error.h"
#include "runtime/Random.h"
#include "settings/PlayOptions.h"
#include "sound/Voice.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QTouchEvent>
#include <algorithm>
#include <optional>

namespace game {

namespace {

using exercise::Row;

const QColor kUpperArea(128, 255, 255);
const QColor kLowerArea(255, 255, 128);
const QColor kFrameColour(255, 0, 0);

QString slotName(const char* array, int k)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(k);
}

forms::Panel* makeArea(QWidget* parent, const char* name, float top, float height, const QColor& colour)
{
    auto* area = new forms::Panel(parent);
    area->setObjectName(QLatin1String(name));
    area->setBevel(forms::Panel::Bevel::Raised);
    area->setOutline(false);
    area->setBackground(colour);
    area->setTwips({0, top, 9615, height});
    return area;
}

// The design places are those of ten cards.
forms::PictureBox* makePicture(QWidget* area, const char* array, Row row, int k)
{
    auto* picture = new forms::PictureBox(area);
    picture->setObjectName(slotName(array, k));
    picture->setBorder(true);
    picture->setTwips(exercise::slotLook(10, row, k, settings::RowDisplay::Both).picture);
    return picture;
}

forms::Panel* makeTextPanel(QWidget* area, const char* array, Row row, int k)
{
    auto* panel = new forms::Panel(area);
    panel->setObjectName(slotName(array, k));
    panel->setBevel(forms::Panel::Bevel::None);
    panel->setOutline(true);
    panel->setBackground(QColor(255, 255, 255));
    panel->setCaptionPlace(forms::Panel::CaptionPlace::Centre);
    panel->setCaptionFont(forms::arial(24.27, true));
    panel->setTwips(exercise::slotLook(10, row, k, settings::RowDisplay::Both).text);
    return panel;
}

runtime::Error cardPictureError(const QString& message, int card, Row row)
{
    return runtime::Error(QStringLiteral("Bilden till kort %1, %2 raden, går inte att visa. %3")
                              .arg(card + 1)
                              .arg(row == Row::Upper ? QStringLiteral("övre") : QStringLiteral("undre"), message));
}

// Loads a card's picture; a failure names the card as well as the picture.
void loadCardPicture(forms::PictureBox* image, const QString& name, int card, Row row)
{
    try {
        image->load(name);
    } catch (const runtime::Error& e) {
        throw cardPictureError(e.message(), card, row);
    }
}

std::optional<exercise::Key> keyOf(const QKeyEvent* event)
{
    using exercise::Key;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return Key::Left;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return Key::Right;
    case Qt::Key_Tab:
        return event->modifiers() & Qt::ShiftModifier ? Key::Previous : Key::Next;
    case Qt::Key_Backtab:
        return Key::Previous;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    default:
        return std::nullopt;
    }
}

} // namespace

GameWindow::GameWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Välj rätt kort."));
    setFont(forms::msSansSerif(8.25, true));
    resize(exercise::windowSize());

    // Children made later lie above those made earlier. In the upper area the frame lies
    // above the pictures and below the text panels: its band runs around the marked card,
    // and no card's word is ever covered by it.
    m_upperArea = makeArea(this, "Panel3D1", 0, 3495, kUpperArea);
    m_lowerArea = makeArea(this, "Panel3D2", 3490, 3400, kLowerArea);

    for (int k = 0; k < exercise::kSlots; ++k)
        m_slots[k].upperPicture = makePicture(m_upperArea, "Image1", Row::Upper, k);

    m_frame = new forms::Outline(m_upperArea);
    m_frame->setObjectName(QStringLiteral("Shape1"));
    m_frame->setBorderColour(kFrameColour);
    m_frame->setBorderWidth(10);
    m_frame->setTwips({360, 240, 1335, 1335});

    for (int k = 0; k < exercise::kSlots; ++k)
        m_slots[k].upperText = makeTextPanel(m_upperArea, "Panel3D3", Row::Upper, k);

    m_stopButton = new forms::PictureButton(m_upperArea);
    // Pressed as the cards are, so that a screen reader gets its place in screen pixels too;
    // before its caption, which is the first thing a screen reader asks about.
    forms::setPressable(m_stopButton, true);
    m_stopButton->setObjectName(QStringLiteral("Command3D2"));
    m_stopButton->setText(QStringLiteral("Sluta"));
    m_stopButton->setAccessibleName(m_stopButton->text());
    m_stopButton->setFont(forms::msSansSerif(9.75, true));
    m_stopButton->setPicture(QPixmap::fromImage(stopSign()));
    m_stopButton->setTwips({8640, 120, 840, 1020});
    // Out of the keyboard's reach: Space or Enter from a learner or a switch must never end
    // the game. The teacher uses the mouse, and a screen reader can still press it.
    m_stopButton->setFocusPolicy(Qt::NoFocus);
    for (int k = 0; k < exercise::kSlots; ++k) {
        const auto again = [this, k] {
            if (k == m_exercise.framedCard())
                m_readAloud.again();
        };
        app::onSignal(m_slots[k].upperPicture, &forms::PictureBox::clicked, this, again);
        app::onSignal(m_slots[k].upperText, &forms::Panel::clicked, this, again);
    }
    // "Sluta" ends the game at once; the close handler does not run.
    app::onSignal(m_stopButton, &QAbstractButton::clicked, this, [] { app::quit(); });

    for (int k = 0; k < exercise::kSlots; ++k) {
        m_slots[k].lowerPicture = makePicture(m_lowerArea, "Image2", Row::Lower, k);
        app::onSignal(m_slots[k].lowerPicture, &forms::PictureBox::clicked, this, [this, k] { answer(qint16(k)); });
        forms::setPressable(m_slots[k].lowerPicture, false);
    }
    // Like the frame in the upper row, the mark lies above the pictures and below the words.
    m_mark = new CardMark(m_lowerArea);
    m_mark->setObjectName(QStringLiteral("Markering"));
    m_mark->hide();
    for (int k = 0; k < exercise::kSlots; ++k) {
        m_slots[k].lowerText = makeTextPanel(m_lowerArea, "Panel3D4", Row::Lower, k);
        app::onSignal(m_slots[k].lowerText, &forms::Panel::clicked, this, [this, k] { answer(qint16(k)); });
        forms::setPressable(m_slots[k].lowerText, false);
    }

    // A card taken away leaves what a screen reader reads.
    forms::setShownChildrenOnly(m_upperArea);
    forms::setShownChildrenOnly(m_lowerArea);
    m_lowerArea->setAttribute(Qt::WA_AcceptTouchEvents);
    m_lowerArea->installEventFilter(this);

    m_elapsed.start();
    m_clock = [this] { return m_elapsed.elapsed(); };
    m_stepTimer.setSingleShot(true);
    app::onSignal(&m_stepTimer, &QTimer::timeout, this, [this] { stepMark(); });
}

GameWindow::~GameWindow()
{
    m_readAloud.stop();
}

void GameWindow::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void GameWindow::setVoice(exercise::SoundPlayer* player, exercise::Speaker* speaker)
{
    m_player = player;
    m_speaker = speaker;
}

void GameWindow::load()
{
    showBackdrop();

    const settings::CardSet set =
        exercise::readGameCardSet(settings::kFileName, [this](int card, const QString& name) {
            if (!name.isEmpty())
                loadCardPicture(m_slots[card].upperPicture, name, card, Row::Upper);
        });
    exercise::Order order;
    exercise::shuffle(order, set.count, runtime::randomSource());
    m_exercise = exercise::Exercise(set.count, order);

    const settings::PlayOptions options = settings::readPlayOptions(settings::kPlayOptionsFileName);
    m_keys = exercise::KeyboardPlay(set.count, options);
    m_lowerDisplay = set.lowerDisplay;
    startDwell(options.dwellMs);

    fillSlots(set);
    showRows(set);
    placeFrame();
    decodePictures();
    tellQuestion();
    prepareReadAloud(set, options.readAloud);
    m_readAloud.frameMovedTo(m_exercise.framedCard());
}

void GameWindow::prepareReadAloud(const settings::CardSet& set, bool on)
{
    if (!on)
        return;
    QList<settings::Utterance> cards;
    for (int i = 0; i < set.count; ++i)
        cards << settings::utteranceFor(QDir::current(), set.cards[i]);
    if (!m_player || !m_speaker) {
        // The speech service is started at once where a word will be spoken, so that the
        // first is not late, and not at all where every card has a recording.
        const bool speaks = std::any_of(cards.begin(), cards.end(),
                                        [](const settings::Utterance& u) { return u.kind == settings::Utterance::Kind::Word; });
        m_voice = std::make_unique<sound::Voice>(speaks);
        m_player = m_voice.get();
        m_speaker = m_voice.get();
        app::setLeftRunning(sound::leftRunning);
        app::onSignal(m_voice.get(), &sound::Voice::unplayable, this,
                      [this](const QString& file) { m_readAloud.recordingFailed(file); });
    }
    m_readAloud = exercise::ReadAloud(true, cards, m_player, m_speaker);
}

// Upper card i stands in upper slot i; its partner, picture and text together, in the lower
// slot the shuffle gave it.
void GameWindow::fillSlots(const settings::CardSet& set)
{
    for (int i = 0; i < set.count; ++i) {
        const settings::Card& card = set.cards[i];
        const qint16 slot = m_exercise.slotOf(i);
        if (!card.lowerPicture.isEmpty())
            loadCardPicture(m_slots[slot].lowerPicture, card.lowerPicture, i, Row::Lower);
        m_slots[slot].lowerText->setCaption(card.lowerText);
        m_slots[i].upperText->setCaption(card.upperText);
        // A screen reader names a card by its text, or by its picture's name where it has
        // no text.
        if (!card.lowerText.isEmpty())
            m_slots[slot].lowerPicture->setAccessibleName(card.lowerText);
        if (!card.upperText.isEmpty())
            m_slots[i].upperPicture->setAccessibleName(card.upperText);
        if (card.lowerText.isEmpty() && !card.lowerPicture.isEmpty())
            m_slots[slot].lowerText->setAccessibleName(QFileInfo(card.lowerPicture).completeBaseName());
        m_slots[i].upperName = settings::nameOf(card, i);
        // The picture stands for the card where the row shows pictures, the word where it
        // shows words alone.
        QWidget* lowerCard = set.lowerDisplay == settings::RowDisplay::Texts ? static_cast<QWidget*>(m_slots[slot].lowerText)
                                                                              : m_slots[slot].lowerPicture;
        forms::setPressable(lowerCard, true);
        m_slots[slot].lowerCard = lowerCard;
    }
}

void GameWindow::showRows(const settings::CardSet& set)
{
    const struct {
        Row row;
        settings::RowDisplay display;
        forms::PictureBox* CardSlot::*picture;
        forms::Panel* CardSlot::*text;
    } rows[] = {{Row::Upper, set.upperDisplay, &CardSlot::upperPicture, &CardSlot::upperText},
                {Row::Lower, set.lowerDisplay, &CardSlot::lowerPicture, &CardSlot::lowerText}};
    for (const auto& row : rows) {
        for (int k = 0; k < exercise::kSlots; ++k) {
            const exercise::SlotLook look = exercise::slotLook(set.count, row.row, k, row.display);
            forms::PictureBox* picture = m_slots[k].*row.picture;
            forms::Panel* text = m_slots[k].*row.text;
            picture->setTwips(look.picture);
            picture->setVisible(look.showsPicture);
            text->setTwips(look.text);
            text->setVisible(look.showsText);
            if (look.plainTextPoints > 0) {
                text->setCaptionPointSize(look.plainTextPoints);
                text->setCaptionBold(false);
            }
        }
    }
}

// The shown pictures are decoded at their card size before the window opens, on every core,
// so that the first paint has them all, from the desktop's thumbnails where they are large
// enough; a picture that cannot be decoded stops the start-up,
// the first in the card set's order being reported.
void GameWindow::decodePictures()
{
    QList<forms::PictureBox*> inCardOrder;
    for (int i = 0; i < m_exercise.count(); ++i)
        inCardOrder << m_slots[i].upperPicture << m_slots[m_exercise.slotOf(i)].lowerPicture;
    if (const auto failure = forms::decodeShownPictures(inCardOrder, true))
        throw cardPictureError(failure->message, failure->position / 2, failure->position % 2 == 0 ? Row::Upper : Row::Lower);
}

void GameWindow::placeFrame()
{
    m_frame->setTwips(exercise::framePlace(m_exercise.count(), m_exercise.framedCard()));
}

void GameWindow::answer(qint16 slot)
{
    const qint16 card = m_exercise.framedCard();
    const exercise::Answer answer = m_exercise.answer(slot);
    if (answer == exercise::Answer::Wrong)
        return;
    // Both cards of the pair go, picture and text, whatever their rows show.
    m_frame->hide();
    m_slots[card].upperPicture->hide();
    m_slots[slot].lowerPicture->hide();
    m_slots[card].upperText->hide();
    m_slots[slot].lowerText->hide();
    m_keys.removed(slot);
    m_dwell.removed(slot);
    if (answer == exercise::Answer::Finished) {
        app::quit();
        return;
    }
    placeFrame();
    m_frame->show();
    showMark();
    tellQuestion();
    m_readAloud.frameMovedTo(m_exercise.framedCard());
}

bool GameWindow::event(QEvent* event)
{
    // Every key stops here: none reaches "Sluta" or the focus chain, Escape included.
    if (event->type() == QEvent::KeyPress) {
        auto* press = static_cast<QKeyEvent*>(event);
        if (press->key() == Qt::Key_R && !press->isAutoRepeat())
            app::handle([this] { m_readAloud.again(); });
        else if (const auto key = keyOf(press))
            app::handle([&] { pressed(*key, press->isAutoRepeat(), press->timestamp()); });
        return true;
    }
    if (event->type() == QEvent::KeyRelease) {
        auto* release = static_cast<QKeyEvent*>(event);
        if (const auto key = keyOf(release))
            m_keys.release(*key, release->isAutoRepeat(), m_clock(), release->timestamp());
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    // A key let go while another window has the keyboard is never told here.
    if (event->type() == QEvent::WindowDeactivate)
        m_keys.forgetHeldKeys();
    return app::MainWindow::event(event);
}

void GameWindow::pressed(exercise::Key key, bool repeated, quint64 stamp)
{
    const std::optional<qint16> chosen = m_keys.press(key, repeated, m_clock(), stamp);
    showMark();
    if (chosen)
        answer(*chosen);
    scheduleStep();
}

void GameWindow::showMark()
{
    const int slot = m_keys.markedSlot();
    for (int k = 0; k < exercise::kSlots; ++k) {
        if (m_slots[k].lowerCard)
            forms::setMarked(m_slots[k].lowerCard, k == slot);
    }
    if (slot < 0) {
        m_mark->hide();
        return;
    }
    m_mark->setTwips(exercise::slotLook(m_exercise.count(), Row::Lower, slot, m_lowerDisplay).picture);
    m_mark->show();
}

void GameWindow::scheduleStep()
{
    const qint64 next = m_keys.nextStepAt();
    if (next == exercise::KeyboardPlay::kNever || app::hasEnded()) {
        m_stepTimer.stop();
        return;
    }
    m_stepTimer.start(int(qBound(qint64(0), next - m_clock(), qint64(60000))));
}

void GameWindow::stepMark()
{
    if (m_keys.step(m_clock()))
        showMark();
    scheduleStep();
}

QString GameWindow::question() const
{
    const qint16 card = m_exercise.framedCard();
    if (m_exercise.isOver())
        return {};
    return QStringLiteral("Vilket kort hör ihop med %1?").arg(m_slots[card].upperName);
}

// A screen reader reads the question with the lower row and with each of its cards, and the
// framed card tells that it is the one asked about.
void GameWindow::tellQuestion()
{
    const QString q = question();
    m_lowerArea->setAccessibleDescription(q);
    for (const CardSlot& slot : m_slots) {
        if (slot.lowerCard)
            slot.lowerCard->setAccessibleDescription(q);
    }
    const qint16 framed = m_exercise.framedCard();
    for (int k = 0; k < exercise::kSlots; ++k) {
        const QString about = k == framed ? q : QString();
        m_slots[k].upperPicture->setAccessibleDescription(about);
        m_slots[k].upperText->setAccessibleDescription(about);
    }
    QAccessibleEvent changed(m_lowerArea, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    const int marked = m_keys.markedSlot();
    if (marked >= 0 && m_slots[marked].lowerCard)
        forms::setMarked(m_slots[marked].lowerCard, true);
}

bool GameWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (m_dwell.isOn() && (event->type() == QEvent::MouseMove || (watched == this && event->type() == QEvent::Leave)))
        app::handle([&] { pointerMoved(watched, event); });
    if (watched == m_lowerArea) {
        switch (event->type()) {
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
            return touched(event);
        default:
            break;
        }
    }
    return app::MainWindow::eventFilter(watched, event);
}

// The lower row takes touches itself rather than as the mouse presses made of them: a second
// finger, or a finger that slides away, then chooses nothing.
bool GameWindow::touched(QEvent* event)
{
    auto* touch = static_cast<QTouchEvent*>(event);
    touch->accept();
    if (event->type() == QEvent::TouchCancel) {
        m_fingers.clear();
        return true;
    }
    const int slack = QApplication::startDragDistance();
    for (const QEventPoint& point : touch->points()) {
        // Positions are the lower row's own, the receiver's of every touch on it.
        const bool moved = (point.position() - m_touchStart).manhattanLength() > slack;
        switch (point.state()) {
        case QEventPoint::Pressed:
            if (m_fingers.isEmpty()) {
                m_touchSpoilt = false;
                m_touchStart = point.position();
            } else {
                m_touchSpoilt = true;
            }
            m_fingers << point.id();
            break;
        case QEventPoint::Updated:
            m_touchSpoilt = m_touchSpoilt || moved;
            break;
        case QEventPoint::Released: {
            m_fingers.removeAll(point.id());
            m_touchSpoilt = m_touchSpoilt || moved;
            if (!m_fingers.isEmpty() || m_touchSpoilt)
                break;
            QWidget* card = m_lowerArea->childAt(point.position().toPoint());
            for (int k = 0; k < exercise::kSlots; ++k) {
                if (card && (card == m_slots[k].lowerPicture || card == m_slots[k].lowerText))
                    app::handle([this, k] { answer(qint16(k)); });
            }
            break;
        }
        default:
            break;
        }
    }
    return true;
}

} // namespace game

namespace game {

// The pointer's moves are watched for the whole program rather than by the window's own
// mouse tracking, which the cards, not tracking, would swallow. Off, none is watched.
void GameWindow::startDwell(int dwellMs)
{
    m_dwell = exercise::Dwell(m_exercise.count(), dwellMs);
    if (!m_dwell.isOn())
        return;
    // Above the words, which in a row of words alone cover the whole card; the bar keeps
    // clear of them by its place.
    m_dwellBar = new DwellBar(m_lowerArea);
    m_dwellBar->setObjectName(QStringLiteral("Vila"));
    m_dwellBar->hide();
    m_dwellTimer.setInterval(40);
    app::onSignal(&m_dwellTimer, &QTimer::timeout, this, [this] { restTick(); });
    qApp->installEventFilter(this);
}

void GameWindow::pointerMoved(QObject* watched, QEvent* event)
{
    // Each move comes first to the window system's window, then to the widget under the
    // pointer: the widget tells where it is.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return;
    if (event->type() == QEvent::Leave || widget->window() != this) {
        m_dwell.pointerGone(m_clock());
    } else {
        const QPoint at = m_lowerArea->mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition()).toPoint();
        // A card is its picture's square and its word, where its row shows them.
        int slot = -1;
        for (int k = 0; k < m_exercise.count(); ++k) {
            const exercise::SlotLook look = exercise::slotLook(m_exercise.count(), Row::Lower, k, m_lowerDisplay);
            const QRect place = (look.showsPicture ? m_slots[k].lowerPicture->geometry() : QRect()) |
                                (look.showsText ? m_slots[k].lowerText->geometry() : QRect());
            if (place.contains(at))
                slot = k;
        }
        m_dwell.pointerAt(at, slot, m_clock());
    }
    showRest();
    // Started only once: an eye tracker's stream of moves must not keep putting it off.
    if (m_dwell.resting() && !m_dwellTimer.isActive())
        m_dwellTimer.start();
}

void GameWindow::restTick()
{
    if (const std::optional<qint16> slot = m_dwell.choice(m_clock()))
        answer(*slot);
    if (app::hasEnded())
        return;
    showRest();
    if (!m_dwell.resting())
        m_dwellTimer.stop();
}

void GameWindow::showRest()
{
    if (!m_dwellBar)
        return;
    if (const auto progress = m_dwell.progress(m_clock()))
        m_dwellBar->showOn(m_slots[progress->slot].lowerPicture->geometry(), progress->done);
    else
        m_dwellBar->hide();
}

} // namespace game
