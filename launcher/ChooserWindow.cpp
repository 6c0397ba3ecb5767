#include "launcher/ChooserWindow.h"

#include "cardsets/PictureImport.h"
#include "parcel/CardFile.h"
#include "playoptions/PlayOptionsDialog.h"
#include "printing/PrintDialog.h"
#include "runtime/Error.h"
#include "setview/CardSetView.h"
#include "work/SlowWork.h"

#include <QDesktopServices>
#include <QDir>
#include <QAction>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace launcher {

ChooserWindow::ChooserWindow(const QString& root, Action defaultAction, QWidget* parent, Audience audience)
    : QWidget(parent)
    , m_root(root)
    , m_defaultAction(defaultAction)
    , m_audience(audience)
    , m_addPictures([](const QStringList& files, const QString& folder, const cardsets::ImportProgress& progress) {
        return cardsets::addPictures(files, folder, progress);
    })
{
    setWindowTitle(QStringLiteral("Kortlekar"));
    const bool learner = audience == Audience::Learner;

    auto* heading = new QLabel(QStringLiteral("&Kortlekar i mappen %1:").arg(QDir::toNativeSeparators(root)), this);
    m_sets = setview::CardSetView::makeModel(root, learner ? setview::Look::Tiles : setview::Look::Strips, this);
    m_list = new setview::CardSetView(learner ? setview::Look::Tiles : setview::Look::Strips, m_sets, this);
    heading->setBuddy(m_list);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);

    makeActions();
    makeCardFileActions();
    makeLibraryActions();
    auto* layout = new QVBoxLayout(this);
    if (learner) {
        heading->setText(QStringLiteral("&Välj en kortlek:"));
        layout->addWidget(heading);
        layout->addWidget(m_list, 1);
        layout->addWidget(m_status);
        auto* play = new QPushButton(m_play->text(), this);
        play->setAccessibleDescription(m_play->statusTip());
        play->setDefault(true);
        QFont large = play->font();
        large.setPointSizeF(large.pointSizeF() * 1.5);
        play->setFont(large);
        play->setMinimumHeight(play->sizeHint().height() * 3 / 2);
        connect(play, &QPushButton::clicked, m_play, &QAction::trigger);
        connect(m_play, &QAction::enabledChanged, play, &QPushButton::setEnabled);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(play);
        buttons->addStretch(1);
        layout->addLayout(buttons);
    } else {
        auto* menus = new QMenuBar(this);
        QMenu* file = menus->addMenu(QStringLiteral("&Arkiv"));
        file->addActions({m_new, m_copyIn, m_fetch});
        file->addSeparator();
        file->addAction(m_close);
        m_setMenu = menus->addMenu(QStringLiteral("K&ortlek"));
        m_setMenu->addActions({m_play, m_edit, m_playOptions, m_add, m_open});
        m_setMenu->addAction(m_printSet);
        m_setMenu->addSeparator();
        m_setMenu->addActions({m_rename, m_copy, m_remove});
        m_setMenu->addSeparator();
        m_setMenu->addAction(m_share);
        m_setMenu->addAction(m_shareToLibrary);
        file->insertAction(file->actions().at(3), m_addLibrary);
        auto* tools = new QToolBar(QStringLiteral("Verktyg"), this);
        tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        tools->addActions({m_play, m_edit, m_new});
        // Framed, so that a desktop without icons still shows them as buttons.
        for (QToolButton* button : tools->findChildren<QToolButton*>())
            button->setAutoRaise(false);
        layout->setMenuBar(menus);
        layout->addWidget(tools);
        layout->addWidget(heading);
        layout->addWidget(m_list, 1);
        layout->addWidget(m_status);
    }
    // The learner's keys do nothing but choose and play.
    if (!learner)
        addActions({m_play, m_edit, m_new, m_add, m_open, m_playOptions, m_rename, m_copy, m_remove, m_copyIn, m_close});
    if (!learner)
        addActions({m_printSet, m_share, m_fetch});
    if (!learner)
        addActions({m_shareToLibrary, m_addLibrary});

    // Enter, a double click and a tap.
    connect(m_list, &QListView::activated, this, [this] { run(m_defaultAction); });
    connect(m_list, &setview::CardSetView::tapped, this, [this] { run(m_defaultAction); });
    connect(m_list, &setview::CardSetView::filesDropped, this, &ChooserWindow::filesDropped);
    connect(m_list, &setview::CardSetView::menuRequested, this, &ChooserWindow::showSetMenu);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ChooserWindow::updateActions);

    reload();
    scanLibraries();
    resize(learner ? QSize(860, 640) : QSize(720, 480));
}

void ChooserWindow::makeActions()
{
    const auto action = [this](const QString& text, const QString& about, const QKeySequence& keys,
                               const QString& icon = {}) {
        auto* made = new QAction(text, this);
        made->setStatusTip(about);
        made->setToolTip(about);
        made->setShortcut(keys);
        if (!icon.isEmpty())
            made->setIcon(QIcon::fromTheme(icon));
        return made;
    };
    m_play = action(QStringLiteral("&Spela"), QStringLiteral("Spelar den valda kortleken i Kortvy"), Qt::Key_F5,
                    QStringLiteral("media-playback-start"));
    m_edit = action(QStringLiteral("Ä&ndra"), QStringLiteral("Ändrar den valda kortleken i Kortvyadm"),
                    Qt::CTRL | Qt::Key_E, QStringLiteral("document-edit"));
    m_new = action(QStringLiteral("N&y kortlek…"), QStringLiteral("Skapar en ny, tom kortlek i en egen mapp"),
                   QKeySequence::New, QStringLiteral("document-new"));
    m_add = action(QStringLiteral("&Lägg till bilder…"), QStringLiteral("Kopierar bilder till den valda kortlekens mapp"),
                   Qt::CTRL | Qt::Key_I);
    m_open = action(QStringLiteral("Öppna &mappen"), QStringLiteral("Visar den valda kortlekens mapp i filhanteraren"),
                    Qt::CTRL | Qt::Key_M);
    m_playOptions = action(QStringLiteral("Inställnin&gar…"),
                           QStringLiteral("Hur eleven spelar den valda kortleken: tangentbord och kontakter"),
                           Qt::CTRL | Qt::Key_G);
    m_rename = action(QStringLiteral("&Byt namn…"), QStringLiteral("Ger den valda kortleken ett nytt namn"), Qt::Key_F2);
    m_copy = action(QStringLiteral("K&opiera…"), QStringLiteral("Gör en kopia av den valda kortleken med ett eget namn"),
                    Qt::CTRL | Qt::Key_D);
    m_remove = action(QStringLiteral("&Ta bort…"), QStringLiteral("Lägger den valda kortleken i papperskorgen"),
                      QKeySequence::Delete);
    m_copyIn = action(QStringLiteral("Kopiera till m&ina kortlekar"),
                      QStringLiteral("Kopierar kortleken till mappen Kortvy i din hemmapp"), {});
    m_close = action(QStringLiteral("S&täng"), QStringLiteral("Stänger Kortlekar"), QKeySequence::Quit);

    connect(m_play, &QAction::triggered, this, [this] { run(Action::Play); });
    connect(m_edit, &QAction::triggered, this, [this] { run(Action::Edit); });
    connect(m_new, &QAction::triggered, this, [this] { askName(Naming::New, QString()); });
    connect(m_add, &QAction::triggered, this, &ChooserWindow::choosePictures);
    connect(m_open, &QAction::triggered, this, &ChooserWindow::openFolder);
    connect(m_rename, &QAction::triggered, this, [this] {
        if (currentSet() >= 0)
            askName(Naming::Rename, m_sets->at(currentSet()).name);
    });
    connect(m_copy, &QAction::triggered, this, [this] {
        if (currentSet() >= 0)
            askName(Naming::Copy, QStringLiteral("%1 kopia").arg(m_sets->at(currentSet()).name));
    });
    connect(m_remove, &QAction::triggered, this, &ChooserWindow::askRemove);
    connect(m_copyIn, &QAction::triggered, this, &ChooserWindow::copyIn);
    connect(m_playOptions, &QAction::triggered, this, &ChooserWindow::editPlayOptions);
    connect(m_close, &QAction::triggered, this, &QWidget::close);

    m_printSet = action(QStringLiteral("Skriv &ut…"), QStringLiteral("Skriver ut den valda kortleken eller sparar den som PDF"),
                        QKeySequence::Print, QStringLiteral("document-print"));
    connect(m_printSet, &QAction::triggered, this, &ChooserWindow::printSet);
}

// The chosen set's menu: its commands, and for a set from elsewhere, copying it in.
void ChooserWindow::showSetMenu(const QPoint& at)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(m_setMenu->actions());
    if (m_copyIn->isVisible()) {
        menu->addSeparator();
        menu->addAction(m_copyIn);
    }
    menu->popup(m_list->viewport()->mapToGlobal(at));
}

// Slow work still running stops where it can when the window goes, and finishes the file it
// is writing first.
ChooserWindow::~ChooserWindow() = default;

void ChooserWindow::showOtherSet(const QString& folder)
{
    m_sets->setOtherSet(folder);
    choose(folder);
}

void ChooserWindow::reload()
{
    const int was = currentSet();
    const QString chosen = was >= 0 ? m_sets->at(was).folder : QString();
    m_sets->reload();
    m_status->setText(m_sets->rowCount() == 0
                          ? QStringLiteral("Det finns inga kortlekar här ännu. Tryck på \"Ny kortlek…\".")
                          : QString());
    // A set taken away, by "Ta bort…" or in the file manager, leaves the teacher at its
    // neighbour rather than at the top of a long list.
    const int row = m_sets->rowOf(chosen);
    setCurrentSet(row >= 0 ? row : (m_sets->rowCount() > 0 ? std::clamp(was, 0, m_sets->rowCount() - 1) : -1));
    m_list->preferVisibleStrips();
}

int ChooserWindow::currentSet() const
{
    return m_list->currentRow();
}

void ChooserWindow::setCurrentSet(int index)
{
    m_list->setCurrentIndex(m_sets->index(index));
    updateActions();
}

void ChooserWindow::choose(const QString& folder)
{
    if (const int row = m_sets->rowOf(folder); row >= 0)
        setCurrentSet(row);
}

void ChooserWindow::updateActions()
{
    const int index = currentSet();
    const bool chosen = index >= 0;
    const bool own = chosen && m_sets->isOwn(index);
    const bool whole = own && QDir(m_sets->at(index).folder) != QDir(m_root);
    m_play->setEnabled(chosen && m_sets->at(index).playable());
    const bool shared = m_sets->isShared(index);
    m_edit->setEnabled(chosen && m_sets->at(index).readable && !shared);
    m_add->setEnabled(chosen && m_sets->at(index).writable && !working());
    m_open->setEnabled(chosen && !shared);
    m_rename->setEnabled(whole);
    m_remove->setEnabled(whole);
    m_copy->setEnabled(own);
    m_copyIn->setVisible(m_audience == Audience::Teacher && chosen && !own);
    m_copyIn->setEnabled(!shared || m_sets->at(index).playable());
    // A set from elsewhere (a stick) is copied in before its options can be kept beside it.
    m_playOptions->setEnabled(own);
    m_printSet->setEnabled(chosen && m_sets->at(index).readable);
    m_share->setEnabled(chosen && m_sets->at(index).readable);
    m_shareToLibrary->setEnabled(own && m_sets->at(index).readable && !working());
}

void ChooserWindow::run(Action action)
{
    const int index = currentSet();
    if (index < 0)
        return;
    // The school's sets are only played here; a double click on one plays it.
    if (m_sets->isShared(index))
        action = Action::Play;
    const cardsets::CardSetSummary& set = m_sets->at(index);
    if (action == Action::Play ? !set.playable() : !set.readable) {
        tell(QStringLiteral("Kortleken \"%1\" kan inte %2:\n\n%3")
                 .arg(set.name, action == Action::Play ? QStringLiteral("spelas") : QStringLiteral("ändras"),
                      set.problem));
        return;
    }
    if (action == Action::Play && !set.lacking().isEmpty()) {
        auto* box = new QMessageBox(QMessageBox::Question, windowTitle(),
                                    QStringLiteral("I kortleken \"%1\" saknas något som korten ska visa: %2.\n\n"
                                                   "Vill du spela den ändå?")
                                        .arg(set.name, set.lacking()),
                                    QMessageBox::NoButton, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        QPushButton* play = box->addButton(QStringLiteral("Spela ändå"), QMessageBox::AcceptRole);
        box->setDefaultButton(box->addButton(QStringLiteral("Avbryt"), QMessageBox::RejectRole));
        const QString folder = set.folder;
        connect(play, &QPushButton::clicked, this, [this, folder] { emit runRequested(Action::Play, folder); });
        box->open();
        return;
    }
    emit runRequested(action, set.folder);
}

void ChooserWindow::askName(Naming naming, const QString& suggestion)
{
    const int index = currentSet();
    if (naming != Naming::New && index < 0)
        return;
    const QString folder = naming == Naming::New ? QString() : m_sets->at(index).folder;
    const QString setName = naming == Naming::New ? QString() : m_sets->at(index).name;
    auto* dialog = new QInputDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    switch (naming) {
    case Naming::New:
        dialog->setWindowTitle(QStringLiteral("Ny kortlek"));
        dialog->setLabelText(QStringLiteral("Namn på den nya kortleken:"));
        dialog->setOkButtonText(QStringLiteral("Skapa"));
        break;
    case Naming::Rename:
        dialog->setWindowTitle(QStringLiteral("Byt namn"));
        dialog->setLabelText(QStringLiteral("Nytt namn på kortleken \"%1\":").arg(setName));
        dialog->setOkButtonText(QStringLiteral("Byt namn"));
        break;
    case Naming::Copy:
        dialog->setWindowTitle(QStringLiteral("Kopiera kortlek"));
        dialog->setLabelText(QStringLiteral("Namn på kopian av \"%1\":").arg(setName));
        dialog->setOkButtonText(QStringLiteral("Kopiera"));
        break;
    }
    dialog->setTextValue(suggestion);
    dialog->setCancelButtonText(QStringLiteral("Avbryt"));
    connect(dialog, &QInputDialog::textValueSelected, this, [this, naming, folder, setName](const QString& name) {
        if (naming == Naming::Rename && name.trimmed() == setName)
            return;
        if (const QString problem = cardsets::newSetNameProblem(m_root, name, naming == Naming::Rename ? folder : QString());
            !problem.isEmpty()) {
            // The name comes back to be mended rather than typed again.
            tell(problem, [this, naming, name, folder] {
                choose(folder);
                askName(naming, name);
            });
            return;
        }
        named(naming, folder, name);
    });
    dialog->open();
}

void ChooserWindow::named(Naming naming, const QString& folder, const QString& name)
{
    if (naming == Naming::New) {
        makeSet(name);
        return;
    }
    if (naming == Naming::Copy) {
        copySlowly(QStringLiteral("Kopierar kortleken \"%1\"…").arg(QFileInfo(folder).fileName()),
                     [root = m_root, folder, name] { return cardsets::copyCardSet(root, folder, name); },
                     [this, name](const QString&) {
                         m_status->setText(QStringLiteral("Kopian \"%1\" skapades.").arg(name.trimmed()));
                     });
        return;
    }
    try {
        const QString made = cardsets::renameCardSet(m_root, folder, name);
        reload();
        choose(made);
        m_status->setText(QStringLiteral("Kortleken heter nu \"%1\".").arg(name.trimmed()));
    } catch (const runtime::Error& e) {
        tell(e.message());
    }
}

void ChooserWindow::askRemove()
{
    const int index = currentSet();
    if (index < 0)
        return;
    const cardsets::CardSetSummary set = m_sets->at(index);
    auto* box = new QMessageBox(QMessageBox::Question, windowTitle(),
                                QStringLiteral("Vill du ta bort kortleken \"%1\"?\n\nDen läggs i papperskorgen, "
                                               "där du kan hämta tillbaka den.")
                                    .arg(set.name),
                                QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* remove = box->addButton(QStringLiteral("Ta bort"), QMessageBox::DestructiveRole);
    box->setDefaultButton(box->addButton(QStringLiteral("Avbryt"), QMessageBox::RejectRole));
    connect(remove, &QPushButton::clicked, this, [this, set] {
        try {
            cardsets::removeCardSet(m_root, set.folder);
        } catch (const runtime::Error& e) {
            tell(e.message());
            return;
        }
        reload();
        m_status->setText(QStringLiteral("Kortleken \"%1\" ligger nu i papperskorgen.").arg(set.name));
    });
    box->open();
}

void ChooserWindow::copyIn()
{
    const int index = currentSet();
    if (index < 0)
        return;
    const cardsets::CardSetSummary set = m_sets->at(index);
    copySlowly(QStringLiteral("Kopierar kortleken \"%1\"…").arg(set.name),
                 [root = m_root, folder = set.folder] {
                     // A card file from the school is taken in by the rules of any card file.
                     return parcel::isCardFile(folder) ? parcel::addToCardFolder(root, folder)
                                                       : cardsets::copyIntoCardFolder(root, folder);
                 },
                 [this](const QString& made) {
                     m_status->setText(QStringLiteral("Kortleken kopierades till mappen %1 och heter där \"%2\".")
                                           .arg(QDir::toNativeSeparators(m_root), QFileInfo(made).fileName()));
                 });
}

// A set is read from a stick or a slow disk as slow work, so that the window goes on
// answering. The copy is put in place whole or not at all, so there is nothing to stop
// halfway.
void ChooserWindow::copySlowly(const QString& label, std::function<QString()> copy,
                               std::function<void(const QString& made)> done)
{
    if (working())
        return;
    auto made = std::make_shared<QString>();
    m_work = work::SlowWork::start(this, {windowTitle(), label, false},
                                   [copy = std::move(copy), made](work::Progress&) { *made = copy(); });
    connect(m_work, &work::SlowWork::finished, this, [this, made, done](const QString& failure) {
        m_work = nullptr;
        reload();
        if (!failure.isEmpty()) {
            tell(failure);
            return;
        }
        choose(*made);
        done(*made);
    });
}

bool ChooserWindow::makeSet(const QString& name)
{
    QString folder;
    try {
        folder = cardsets::createCardSet(m_root, name);
    } catch (const runtime::Error& e) {
        tell(e.message());
        return false;
    }
    reload();
    choose(folder);
    m_status->setText(QStringLiteral("Kortleken \"%1\" skapades. Tryck på \"Lägg till bilder…\" och sedan "
                                     "\"Ändra\" för att lägga in kort.")
                          .arg(name.trimmed()));
    return true;
}

void ChooserWindow::choosePictures()
{
    const int index = currentSet();
    if (index < 0)
        return;
    auto* dialog = new QFileDialog(this, QStringLiteral("Lägg till bilder i \"%1\"").arg(m_sets->at(index).name),
                                   QDir::homePath(), cardsets::pictureFileFilter());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    const QString folder = m_sets->at(index).folder;
    connect(dialog, &QFileDialog::filesSelected, this, [this, folder](const QStringList& files) {
        if (const int row = m_sets->rowOf(folder); row >= 0)
            addPictures(row, files);
    });
    dialog->open();
}

// The pictures are copied as slow work, so that the window goes on answering; "Avbryt" stops
// it between two pictures.
void ChooserWindow::addPictures(int index, const QStringList& files)
{
    if (index < 0 || index >= m_sets->rowCount() || files.isEmpty() || working())
        return;
    const cardsets::CardSetSummary set = m_sets->at(index);
    // Said once, before anything is copied, rather than once for every picture refused.
    if (!set.writable) {
        tell(QStringLiteral("Kortleken \"%1\" ligger i mappen %2, där inga bilder kan sparas. Kopiera den först "
                            "med \"%3\" och lägg till bilderna i kopian.")
                 .arg(set.name, QDir::toNativeSeparators(set.folder),
                      m_sets->isOwn(index) ? QStringLiteral("Kopiera…") : QStringLiteral("Kopiera till mina kortlekar")));
        return;
    }
    const int total = int(files.size());
    const auto working = [total](int number) {
        return QStringLiteral("Lägger till %1 av %2 bilder…").arg(number).arg(total);
    };
    auto result = std::make_shared<cardsets::AddedPictures>();
    auto stopped = std::make_shared<bool>(false);
    m_work = work::SlowWork::start(
        this, {QStringLiteral("Lägg till bilder i \"%1\"").arg(set.name), working(1), true, total},
        [adder = m_addPictures, files, folder = set.folder, working, result, stopped](work::Progress& progress) {
            *result = adder(files, folder, [&progress, working](int done, int all) {
                progress.advance(done, all, done < all ? working(done + 1) : QString());
                return !progress.stopped();
            });
            *stopped = progress.stopped();
        });
    updateActions();
    connect(m_work, &work::SlowWork::finished, this, [this, set, total, result, stopped] {
        m_work = nullptr;
        reload();
        const int n = int(result->added.size());
        QString said = n == 1 ? QStringLiteral("1 bild lades till i kortleken \"%1\".").arg(set.name)
                              : QStringLiteral("%1 bilder lades till i kortleken \"%2\".")
                                    .arg(QString::number(n), set.name);
        const int handled = n + int(result->refused.size());
        if (*stopped && handled < total)
            said += QStringLiteral(" Du avbröt innan de andra %1 hann kopieras.").arg(total - handled);
        m_status->setText(said);
        updateActions();
        if (const QString message = cardsets::refusedMessage(*result, set.name); !message.isEmpty())
            tell(message);
    });
}

void ChooserWindow::openFolder()
{
    const int index = currentSet();
    if (index < 0)
        return;
    const QString folder = m_sets->at(index).folder;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        tell(QStringLiteral("Mappen %1 kunde inte visas: det finns ingen filhanterare att visa den i.")
                 .arg(QDir::toNativeSeparators(folder)));
}

void ChooserWindow::editPlayOptions()
{
    const int index = currentSet();
    if (index < 0)
        return;
    auto* dialog = new playoptions::PlayOptionsDialog(m_sets->at(index).folder, m_sets->at(index).name, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void ChooserWindow::printSet()
{
    const int index = currentSet();
    if (index < 0)
        return;
    auto* dialog = new printing::PrintDialog(m_sets->at(index).folder, m_sets->at(index).name, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void ChooserWindow::tell(const QString& message, const std::function<void()>& then)
{
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (then)
        connect(box, &QMessageBox::finished, this, then);
    box->open();
}

} // namespace launcher
