// Kortlekar's card files: a set shared as one .kortvy file, and one taken in from a file.

#include "launcher/ChooserWindow.h"

#include "parcel/CardFile.h"
#include "runtime/Error.h"
#include "work/SlowWork.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace launcher {

namespace {

QString cardFileFilter()
{
    return QStringLiteral("Kortlekar (*.%1)").arg(parcel::kSuffix);
}

} // namespace

void ChooserWindow::makeCardFileActions()
{
    m_share = new QAction(QStringLiteral("Dela som &fil…"), this);
    m_share->setStatusTip(QStringLiteral("Sparar den valda kortleken som en enda fil att skicka eller flytta"));
    m_share->setToolTip(m_share->statusTip());
    m_share->setIcon(QIcon::fromTheme(QStringLiteral("document-send")));
    m_fetch = new QAction(QStringLiteral("&Hämta kortlek från fil…"), this);
    m_fetch->setStatusTip(QStringLiteral("Lägger till en kortlek från en kortleksfil bland dina kortlekar"));
    m_fetch->setToolTip(m_fetch->statusTip());
    m_fetch->setIcon(QIcon::fromTheme(QStringLiteral("document-open")));
    connect(m_share, &QAction::triggered, this, &ChooserWindow::shareAsFile);
    connect(m_fetch, &QAction::triggered, this, &ChooserWindow::chooseCardFile);
}

// A set that lacks a file it names is shared without it, once the teacher knows which.
void ChooserWindow::shareAsFile()
{
    const int index = currentSet();
    if (index < 0 || working())
        return;
    const cardsets::CardSetSummary set = m_sets->at(index);
    parcel::Contents contents;
    try {
        contents = parcel::contentsOf(set.folder);
    } catch (const runtime::Error& e) {
        tell(e.message());
        return;
    }
    if (contents.missing.isEmpty()) {
        saveCardFile(set.folder, set.name, contents.files);
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Question, windowTitle(),
                                QStringLiteral("I kortleken \"%1\" saknas %2 som den nämner: %3.\n\n"
                                               "Vill du dela den utan %4?")
                                    .arg(set.name,
                                         contents.missing.size() == 1 ? QStringLiteral("en fil") : QStringLiteral("filer"),
                                         contents.missing.join(QStringLiteral(", ")),
                                         contents.missing.size() == 1 ? QStringLiteral("den") : QStringLiteral("dem")),
                                QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* share = box->addButton(QStringLiteral("Dela ändå"), QMessageBox::AcceptRole);
    box->setDefaultButton(box->addButton(QStringLiteral("Avbryt"), QMessageBox::RejectRole));
    connect(share, &QPushButton::clicked, this,
            [this, set, files = contents.files] { saveCardFile(set.folder, set.name, files); });
    box->open();
}

void ChooserWindow::saveCardFile(const QString& folder, const QString& name, const QStringList& files)
{
    auto* dialog = new QFileDialog(this, QStringLiteral("Dela \"%1\" som fil").arg(name),
                                   QDir::homePath() + QLatin1Char('/') + name + QLatin1Char('.') + parcel::kSuffix,
                                   cardFileFilter());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(parcel::kSuffix);
    connect(dialog, &QFileDialog::fileSelected, this, [this, folder, name, files](const QString& target) {
        if (working())
            return;
        m_work = work::SlowWork::start(this,
                                       {windowTitle(), QStringLiteral("Sparar kortleken \"%1\" som fil…").arg(name), false},
                                       [folder, files, target](work::Progress&) {
                                           parcel::writeCardFile(folder, files, target);
                                       });
        connect(m_work, &work::SlowWork::finished, this, [this, name, target](const QString& failure) {
            m_work = nullptr;
            updateActions();
            if (!failure.isEmpty()) {
                tell(failure);
                return;
            }
            m_status->setText(QStringLiteral("Kortleken \"%1\" sparades i filen %2.")
                                  .arg(name, QDir::toNativeSeparators(target)));
        });
        updateActions();
    });
    dialog->open();
}

void ChooserWindow::chooseCardFile()
{
    auto* dialog = new QFileDialog(this, QStringLiteral("Hämta kortlek från fil"), QDir::homePath(), cardFileFilter());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    connect(dialog, &QFileDialog::fileSelected, this, &ChooserWindow::fetchCardFile);
    dialog->open();
}

void ChooserWindow::fetchCardFile(const QString& file)
{
    auto* box = new QMessageBox(QMessageBox::Question, windowTitle(),
                                QStringLiteral("Lägg till kortleken \"%1\" bland dina kortlekar?")
                                    .arg(QFileInfo(file).completeBaseName()),
                                QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* yes = box->addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    box->addButton(QStringLiteral("Nej"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    connect(yes, &QPushButton::clicked, this, [this, file] {
        copySlowly(QStringLiteral("Hämtar kortleken från filen %1…").arg(QFileInfo(file).fileName()),
                   [root = m_root, file] { return parcel::addToCardFolder(root, file); },
                   [this](const QString& made) {
                       m_status->setText(QStringLiteral("Kortleken \"%1\" lades till bland dina kortlekar.")
                                             .arg(QFileInfo(made).fileName()));
                   });
    });
    box->open();
}

// A card file dropped on the list is taken in; pictures go into the set they were dropped on.
void ChooserWindow::filesDropped(int index, const QStringList& files)
{
    QStringList pictures;
    QString cardFile;
    for (const QString& file : files) {
        if (parcel::isCardFile(file))
            cardFile = cardFile.isEmpty() ? file : cardFile;
        else
            pictures << file;
    }
    if (!cardFile.isEmpty())
        fetchCardFile(cardFile);
    else
        addPictures(index, pictures);
}

} // namespace launcher
