// What the supervisor's window does: start-up, the pages, and every click turned into an
// operation of the card set being edited.

#include "supervisor/SupervisorWindow.h"

#include "supervisor/CommandButton.h"

#include "app/Program.h"
#include "forms/PictureButton.h"
#include "forms/FileList.h"
#include "forms/PictureBox.h"
#include "forms/ListBox.h"
#include "forms/OptionButton.h"
#include "forms/Panel.h"
#include "forms/TextBox.h"
#include "runtime/Error.h"
#include "settings/CardSetFile.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>

namespace supervisor {

namespace {

using editor::Kind;
using editor::Row;

// The options of a "Typ av kort" group, in their order: "Text", "Bild", "Text + Bild".
const settings::RowDisplay kDisplayOptions[] = {settings::RowDisplay::Texts, settings::RowDisplay::Pictures,
                                                settings::RowDisplay::Both};

} // namespace

void SupervisorWindow::connectControls()
{
    for (int i = 0; i < 3; ++i) {
        forms::Panel* header = m_headers[i];
        app::onSignal(header, &forms::Panel::clicked, this, [this, header, i] { showPage(header, i); });
        const auto choice = editor::CountChoice(i);
        app::onSignal(m_countOptions[i], &QAbstractButton::clicked, this, [this, choice] {
            m_editor.chooseCount(choice);
            showCount();
        });
    }
    for (Row row : {Row::Upper, Row::Lower}) {
        RowPage& page = m_rowPages[int(row)];
        app::onSignal(page.files, &forms::ListBox::rowClicked, this,
                      [this, row, &page] { preview(row, page.files->selectedName()); });
        app::onSignal(page.files, &forms::ListBox::rowDoubleClicked, this,
                      [this, row, &page] { m_editor.choosePicture(row, page.files->selectedName()); });
        app::onSignal(page.pictures, &forms::ListBox::rowClicked, this,
                      [this, row, &page] { preview(row, page.pictures->rowText(page.pictures->selectedRow())); });
        for (Kind kind : {Kind::Pictures, Kind::Texts}) {
            forms::ListBox* list = kind == Kind::Pictures ? page.pictures : page.texts;
            // A double-click removes the chosen row, as Delete and the row's Remove action do.
            for (auto removeAsked : {&forms::ListBox::rowDoubleClicked, &forms::ListBox::rowRemoveAsked})
                app::onSignal(list, removeAsked, this,
                              [this, row, kind](int r) { m_editor.removeRow(editor::listOf(row, kind), r); });
        }
        app::onSignal(page.addText, &QAbstractButton::clicked, this, [this, row] { addText(row); });
        app::onSignal(page.newText, &forms::TextBox::refused, this,
                      [this, row](const QString& reason) { tellRefused(row, reason); });
        app::onSignal(page.newText, &QLineEdit::returnPressed, this, [this, row] { addText(row); });
        for (int i = 0; i < 3; ++i) {
            const settings::RowDisplay display = kDisplayOptions[i];
            app::onSignal(page.displays[i], &QAbstractButton::clicked, this,
                          [this, row, display] { m_editor.setDisplay(row, display); });
        }
    }
    app::onSignal(m_copyButtons[0], &QAbstractButton::clicked, this, [this] { m_editor.copyFromUpper(Kind::Pictures); });
    app::onSignal(m_copyButtons[1], &QAbstractButton::clicked, this, [this] { m_editor.copyFromUpper(Kind::Texts); });
    app::onSignal(m_saveButton, &QAbstractButton::clicked, this, [this] { save(); });
    // "Avbryt" ends the program at once and writes nothing; the close handler does not run.
    app::onSignal(m_cancelButton, &QAbstractButton::clicked, this, [] { app::quit(); });
    // The pages turn by keyboard as the tabs of any dialog do.
    const struct {
        QKeySequence keys;
        int step;
    } turns[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                 {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1}, {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                 {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& turn : turns) {
        auto* shortcut = new QShortcut(turn.keys, this);
        const int step = turn.step;
        app::onSignal(shortcut, &QShortcut::activated, this, [this, step] { turnPage(step); });
    }
    showDisplays();
}

void SupervisorWindow::load()
{
    showBackdrop();
    // Stamped before it is read: a save in between is then taken as a change, never missed.
    m_readStamp = editor::FileStamp::of(settings::kFileName);
    m_editor.load(editor::readCardSetToEdit(settings::kFileName));
    showDisplays();
    showCount();
}

void SupervisorWindow::showCount()
{
    m_countOptions[int(m_editor.countChoice())]->setChosen(true);
    const float height = editor::listHeightFor(m_editor.countChoice());
    for (RowPage& page : m_rowPages) {
        for (forms::ListBox* list : {page.pictures, page.texts}) {
            runtime::TwipsRect place = list->twips();
            place.height = height;
            list->setTwips(place);
        }
    }
}

void SupervisorWindow::showDisplays()
{
    for (Row row : {Row::Upper, Row::Lower}) {
        for (int i = 0; i < 3; ++i) {
            if (kDisplayOptions[i] == m_editor.display(row))
                m_rowPages[int(row)].displays[i]->setChosen(true);
        }
    }
}

void SupervisorWindow::showPage(forms::Panel* header, int page)
{
    for (forms::Panel* each : m_headers)
        each->setCaptionBold(false);
    for (forms::Panel* each : m_pages)
        each->setVisible(false);
    header->setCaptionBold(true);
    m_pages[page]->setVisible(true);
}

void SupervisorWindow::turnPage(int step)
{
    int shown = 0;
    for (int i = 0; i < 3; ++i) {
        if (!m_pages[i]->isHidden())
            shown = i;
    }
    const int next = (shown + step + 3) % 3;
    showPage(m_headers[next], next);
}

// A picture that cannot be read (its file has gone, or holds no picture) leaves the preview
// empty, and the reason is shown when the pointer rests on it; the teacher goes on working.
void SupervisorWindow::preview(Row row, const QString& name)
{
    forms::PictureBox* preview = m_rowPages[int(row)].preview;
    preview->setToolTip(QString());
    if (name.isEmpty()) {
        preview->clearPicture();
        return;
    }
    try {
        preview->load(name);
        preview->decode();
    } catch (const runtime::Error& e) {
        preview->clearPicture();
        preview->setToolTip(e.message());
    }
}

void SupervisorWindow::addText(Row row)
{
    forms::TextBox* box = m_rowPages[int(row)].newText;
    if (m_editor.addText(row, box->text()))
        box->clear();
}

// The box says it where the teacher is looking, and goes by itself.
void SupervisorWindow::tellRefused(Row row, const QString& reason)
{
    forms::TextBox* box = m_rowPages[int(row)].newText;
    QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), reason, box, QRect(), 6000);
}

void SupervisorWindow::save()
{
    if (editor::FileStamp::of(settings::kFileName).changedSince(m_readStamp)) {
        askToOverwrite();
        return;
    }
    write();
}

void SupervisorWindow::write()
{
    // The file is replaced only when it is complete.
    try {
        settings::writeCardSet(settings::kFileName, m_editor.cardSetToSave());
    } catch (const runtime::Error& e) {
        tellSaveFailed(e.message());
        return;
    }
    app::quit();
}

namespace {

// A question over the window, which waits for its answer without holding up the program.
QMessageBox* question(QWidget* window, const char* name, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Question, window->windowTitle(), text, QMessageBox::NoButton, window);
    box->setObjectName(QString::fromUtf8(name));
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

} // namespace

void SupervisorWindow::askToOverwrite()
{
    if (m_question)
        return;
    QMessageBox* box = question(this, "Skrivöver", QStringLiteral("Kortleken har ändrats sedan du öppnade den. Spara ändå?"));
    QAbstractButton* yes = box->addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    // Writing over a colleague's work is never what a stray Enter does.
    box->setDefaultButton(box->addButton(QStringLiteral("Nej"), QMessageBox::NoRole));
    box->setEscapeButton(box->defaultButton());
    app::onSignal(box, &QMessageBox::buttonClicked, this, [this, yes](QAbstractButton* answer) {
        m_question = nullptr;
        if (answer == yes)
            write();
    });
    m_question = box;
    box->open();
}

void SupervisorWindow::askToSave()
{
    if (m_question) {
        m_question->activateWindow();
        return;
    }
    QMessageBox* box = question(this, "Sparfråga", QStringLiteral("Vill du spara ändringarna i kortleken?"));
    QAbstractButton* saveAnswer = box->addButton(QStringLiteral("Spara"), QMessageBox::AcceptRole);
    QAbstractButton* discardAnswer = box->addButton(QStringLiteral("Spara inte"), QMessageBox::DestructiveRole);
    box->setEscapeButton(box->addButton(QStringLiteral("Avbryt"), QMessageBox::RejectRole));
    box->setDefaultButton(qobject_cast<QPushButton*>(saveAnswer));
    app::onSignal(box, &QMessageBox::buttonClicked, this, [this, saveAnswer, discardAnswer](QAbstractButton* answer) {
        m_question = nullptr;
        if (answer == saveAnswer) {
            // Queued, so that a further question opens only once this one has gone.
            QMetaObject::invokeMethod(this, [this] { app::handle([this] { save(); }); }, Qt::QueuedConnection);
        } else if (answer == discardAnswer) {
            m_closingWithoutSaving = true;
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        }
    });
    m_question = box;
    box->open();
}

void SupervisorWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closingWithoutSaving && m_editor.hasChanges()) {
        event->ignore();
        askToSave();
        return;
    }
    app::MainWindow::closeEvent(event);
}

void SupervisorWindow::tellSaveFailed(const QString& problem)
{
    const QString message = QStringLiteral("Kortleken kunde inte sparas, och kortvy.ini är som förut.\n\n%1\n\n"
                                           "Dina ändringar finns kvar i fönstret. Försök spara igen, eller avsluta "
                                           "med \"Avbryt\".")
                                .arg(problem);
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("Sparfel"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    emit saveFailed(message);
}

} // namespace supervisor
