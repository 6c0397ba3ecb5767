// Kortlekar's share of the school's library: its sets listed below the teacher's own, a folder
// the teacher adds to it, and a set shared into it as a card file.

#include "launcher/ChooserWindow.h"

#include "library/Library.h"
#include "parcel/CardFile.h"
#include "runtime/Error.h"
#include "work/SlowWork.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>

namespace launcher {

void ChooserWindow::makeLibraryActions()
{
    m_addLibrary = new QAction(QStringLiteral("S&kolans kortlekar…"), this);
    m_addLibrary->setStatusTip(QStringLiteral("Lägger till en mapp med kortlekar som skolan delar"));
    m_addLibrary->setToolTip(m_addLibrary->statusTip());
    m_shareToLibrary = new QAction(QStringLiteral("Dela till s&kolans kortlekar"), this);
    m_shareToLibrary->setStatusTip(QStringLiteral("Lägger den valda kortleken som fil bland skolans kortlekar"));
    m_shareToLibrary->setToolTip(m_shareToLibrary->statusTip());
    m_shareToLibrary->setVisible(false);
    connect(m_addLibrary, &QAction::triggered, this, &ChooserWindow::chooseLibraryFolder);
    connect(m_shareToLibrary, &QAction::triggered, this, &ChooserWindow::shareToLibrary);
    m_libraryScan = new library::LibraryScan(this);
    connect(m_libraryScan, &library::LibraryScan::shelfFound, this, [this](int index, const cardsets::Shelf& shelf) {
        while (m_shelves.size() <= index)
            m_shelves << cardsets::Shelf{};
        m_shelves[index] = shelf;
        const int was = currentSet();
        const QString chosen = was >= 0 ? m_sets->at(was).folder : QString();
        m_sets->setShelf(index, shelf);
        if (const int row = m_sets->rowOf(chosen); row >= 0)
            setCurrentSet(row);
        bool writable = false;
        for (const cardsets::Shelf& one : m_shelves)
            writable = writable || (one.reachable && one.writable);
        m_shareToLibrary->setVisible(writable);
        updateActions();
    });
}

void ChooserWindow::scanLibraries()
{
    m_libraryScan->scan(library::readLibraries());
}

void ChooserWindow::chooseLibraryFolder()
{
    auto* dialog = new QFileDialog(this, QStringLiteral("Skolans kortlekar"), QDir::homePath());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setLabelText(QFileDialog::Accept, QStringLiteral("Lägg till"));
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        try {
            library::addOwnLibrary(folder);
        } catch (const runtime::Error& e) {
            tell(e.message());
            return;
        }
        m_status->setText(QStringLiteral("Kortlekarna i mappen %1 visas nu under skolans kortlekar.")
                              .arg(QDir::toNativeSeparators(folder)));
        scanLibraries();
    });
    dialog->open();
}

// The set goes in as a card file, as "Dela som fil…" writes one, into a library the teacher
// may write in; with more than one, the teacher chooses which.
void ChooserWindow::shareToLibrary()
{
    const int index = currentSet();
    if (index < 0 || working() || !m_sets->isOwn(index))
        return;
    QList<cardsets::Shelf> writable;
    QStringList names;
    for (const cardsets::Shelf& shelf : m_shelves) {
        if (shelf.reachable && shelf.writable) {
            writable << shelf;
            names << shelf.name;
        }
    }
    if (writable.isEmpty())
        return;
    const cardsets::CardSetSummary set = m_sets->at(index);
    const auto share = [this, set](const cardsets::Shelf& shelf) {
        if (working())
            return;
        const QString folder = set.folder;
        const QString target = shelf.folder;
        const QString name = set.name;
        m_work = work::SlowWork::start(
            this, {windowTitle(), QStringLiteral("Delar kortleken \"%1\" till %2…").arg(name, shelf.name), false},
            [folder, target, name](work::Progress&) {
                const parcel::Contents contents = parcel::contentsOf(folder);
                QString file = target + QLatin1Char('/') + name + QLatin1Char('.') + parcel::kSuffix;
                for (int n = 2; QFileInfo::exists(file); ++n)
                    file = target + QStringLiteral("/%1 (%2).").arg(name).arg(n) + parcel::kSuffix;
                parcel::writeCardFile(folder, contents.files, file);
            });
        connect(m_work, &work::SlowWork::finished, this, [this, name, shelf](const QString& failure) {
            m_work = nullptr;
            updateActions();
            if (!failure.isEmpty()) {
                tell(failure);
                return;
            }
            m_status->setText(QStringLiteral("Kortleken \"%1\" delades till %2.").arg(name, shelf.name));
            scanLibraries();
        });
        updateActions();
    };
    if (writable.size() == 1) {
        share(writable.first());
        return;
    }
    auto* dialog = new QInputDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Dela till skolans kortlekar"));
    dialog->setLabelText(QStringLiteral("Var ska kortleken \"%1\" delas?").arg(set.name));
    dialog->setComboBoxItems(names);
    dialog->setOkButtonText(QStringLiteral("Dela"));
    dialog->setCancelButtonText(QStringLiteral("Avbryt"));
    connect(dialog, &QInputDialog::textValueSelected, this, [share, writable, names](const QString& chosen) {
        if (const qsizetype at = names.indexOf(chosen); at >= 0)
            share(writable.at(at));
    });
    dialog->open();
}

} // namespace launcher
