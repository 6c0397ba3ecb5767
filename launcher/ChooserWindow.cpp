#include "launcher/ChooserWindow.h"

#include "launcher/Pictures.h"
#include "launcher/PlayOptionsDialog.h"

#include "runtime/Error.h"

#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace launcher {

namespace {

constexpr QSize kCell{48, 48};

QString countText(int count)
{
    return count == 1 ? QStringLiteral("1 kort") : QStringLiteral("%1 kort").arg(count);
}

QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                files << url.toLocalFile();
        }
    }
    return files;
}

// The formats the file dialog offers: every one Qt can read here.
QString pictureFilter()
{
    QStringList patterns;
    for (const QByteArray& suffix : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(suffix);
    return QStringLiteral("Bilder (%1);;Alla filer (*)").arg(patterns.join(QLatin1Char(' ')));
}

} // namespace

ChooserWindow::ChooserWindow(const QString& root, Action defaultAction, QWidget* parent)
    : QWidget(parent)
    , m_root(root)
    , m_defaultAction(defaultAction)
{
    setWindowTitle(QStringLiteral("Kortlekar"));

    auto* heading = new QLabel(QStringLiteral("&Kortlekar i mappen %1:").arg(QDir::toNativeSeparators(root)), this);
    m_list = new QListWidget(this);
    heading->setBuddy(m_list);
    m_list->setAccessibleName(QStringLiteral("Kortlekar"));
    m_list->setIconSize(QSize(kStripPictures * (kCell.width() + 2), kCell.height()));
    m_list->setWordWrap(true);
    m_list->setSpacing(4);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAcceptDrops(true);
    m_list->viewport()->setAcceptDrops(true);
    m_list->viewport()->installEventFilter(this);

    m_status = new QLabel(this);
    m_status->setWordWrap(true);

    m_play = new QPushButton(QStringLiteral("&Spela"), this);
    m_edit = new QPushButton(QStringLiteral("Ä&ndra"), this);
    m_new = new QPushButton(QStringLiteral("N&y kortlek…"), this);
    m_add = new QPushButton(QStringLiteral("&Lägg till bilder…"), this);
    m_open = new QPushButton(QStringLiteral("Öppna &mappen"), this);
    m_playOptions = new QPushButton(QStringLiteral("&Inställningar…"), this);
    m_playOptions->setAccessibleDescription(QStringLiteral("Hur eleven spelar den valda kortleken: tangentbord och kontakter"));
    m_play->setAccessibleDescription(QStringLiteral("Spelar den valda kortleken i Kortvy"));
    m_edit->setAccessibleDescription(QStringLiteral("Ändrar den valda kortleken i Kortvyadm"));
    m_new->setAccessibleDescription(QStringLiteral("Skapar en ny, tom kortlek i en egen mapp"));
    m_add->setAccessibleDescription(QStringLiteral("Kopierar bilder till den valda kortlekens mapp"));
    m_open->setAccessibleDescription(QStringLiteral("Visar den valda kortlekens mapp i filhanteraren"));
    (m_defaultAction == Action::Play ? m_play : m_edit)->setDefault(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_play, m_edit, m_new, m_add, m_open, m_playOptions})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(m_play, &QPushButton::clicked, this, [this] { run(Action::Play); });
    connect(m_edit, &QPushButton::clicked, this, [this] { run(Action::Edit); });
    connect(m_new, &QPushButton::clicked, this, [this] { askName(QString()); });
    connect(m_add, &QPushButton::clicked, this, &ChooserWindow::choosePictures);
    connect(m_open, &QPushButton::clicked, this, &ChooserWindow::openFolder);
    connect(m_playOptions, &QPushButton::clicked, this, &ChooserWindow::editPlayOptions);
    // Enter and a double click; a tap comes through the event filter.
    connect(m_list, &QListWidget::itemActivated, this, [this] { run(m_defaultAction); });
    connect(m_list, &QListWidget::currentRowChanged, this, &ChooserWindow::updateButtons);

    reload();
    resize(720, 480);
}

void ChooserWindow::reload()
{
    const QString chosen = currentSet() >= 0 ? m_sets.at(currentSet()).folder : QString();
    m_sets = listCardSets(m_root);
    ++m_generation;
    m_list->clear();
    int current = m_sets.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_sets.size(); ++i) {
        m_list->addItem(itemFor(m_sets.at(i)));
        if (m_sets.at(i).folder == chosen)
            current = i;
        loadStrip(i);
    }
    m_status->setText(m_sets.isEmpty()
                          ? QStringLiteral("Det finns inga kortlekar här ännu. Tryck på \"Ny kortlek…\".")
                          : QString());
    m_list->setCurrentRow(current);
    updateButtons();
}

QListWidgetItem* ChooserWindow::itemFor(const CardSetSummary& set) const
{
    QString about = set.readable ? countText(set.count) : QStringLiteral("Kan inte läsas");
    if (!set.playable())
        about += QStringLiteral(" – ") + set.problem;
    auto* item = new QListWidgetItem(set.name + QLatin1Char('\n') + about);
    item->setData(Qt::AccessibleTextRole, set.name + QStringLiteral(", ") + about);
    item->setToolTip(QDir::toNativeSeparators(set.folder));
    QPixmap empty(m_list->iconSize());
    empty.fill(Qt::transparent);
    item->setIcon(QIcon(empty));
    return item;
}

// Pictures are decoded away from the window, so that a set of large photos does not hold
// up the list.
void ChooserWindow::loadStrip(int index)
{
    const QStringList pictures = m_sets.at(index).pictures;
    if (pictures.isEmpty())
        return;
    auto* watcher = new QFutureWatcher<QImage>(this);
    const int generation = m_generation;
    connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher, index, generation] {
        watcher->deleteLater();
        if (generation == m_generation && index < m_list->count())
            m_list->item(index)->setIcon(QIcon(QPixmap::fromImage(watcher->result())));
    });
    watcher->setFuture(QtConcurrent::run([pictures] { return pictureStrip(pictures, kCell); }));
}

int ChooserWindow::currentSet() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < m_sets.size() ? row : -1;
}

void ChooserWindow::setCurrentSet(int index)
{
    m_list->setCurrentRow(index);
}

void ChooserWindow::updateButtons()
{
    const int index = currentSet();
    const bool chosen = index >= 0;
    m_play->setEnabled(chosen && m_sets.at(index).playable());
    m_edit->setEnabled(chosen && m_sets.at(index).readable);
    m_add->setEnabled(chosen);
    m_open->setEnabled(chosen);
    m_playOptions->setEnabled(chosen);
}

void ChooserWindow::run(Action action)
{
    const int index = currentSet();
    if (index < 0)
        return;
    const CardSetSummary& set = m_sets.at(index);
    if (action == Action::Play ? !set.playable() : !set.readable) {
        tell(QStringLiteral("Kortleken \"%1\" kan inte %2:\n\n%3")
                 .arg(set.name, action == Action::Play ? QStringLiteral("spelas") : QStringLiteral("ändras"),
                      set.problem));
        return;
    }
    emit runRequested(action, set.folder);
}

void ChooserWindow::askName(const QString& suggestion)
{
    auto* dialog = new QInputDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Ny kortlek"));
    dialog->setLabelText(QStringLiteral("Namn på den nya kortleken:"));
    dialog->setTextValue(suggestion);
    dialog->setOkButtonText(QStringLiteral("Skapa"));
    dialog->setCancelButtonText(QStringLiteral("Avbryt"));
    connect(dialog, &QInputDialog::textValueSelected, this, [this](const QString& name) {
        if (const QString problem = newSetNameProblem(m_root, name); !problem.isEmpty()) {
            // The name comes back to be mended rather than typed again.
            tell(problem, [this, name] { askName(name); });
            return;
        }
        makeSet(name);
    });
    dialog->open();
}

bool ChooserWindow::makeSet(const QString& name)
{
    QString folder;
    try {
        folder = createCardSet(m_root, name);
    } catch (const runtime::Error& e) {
        tell(e.message());
        return false;
    }
    reload();
    for (int i = 0; i < m_sets.size(); ++i) {
        if (m_sets.at(i).folder == folder)
            setCurrentSet(i);
    }
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
    auto* dialog = new QFileDialog(this, QStringLiteral("Lägg till bilder i \"%1\"").arg(m_sets.at(index).name),
                                   QDir::homePath(), pictureFilter());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    const QString folder = m_sets.at(index).folder;
    connect(dialog, &QFileDialog::filesSelected, this, [this, folder](const QStringList& files) {
        for (int i = 0; i < m_sets.size(); ++i) {
            if (m_sets.at(i).folder == folder)
                addPictures(i, files);
        }
    });
    dialog->open();
}

void ChooserWindow::addPictures(int index, const QStringList& files)
{
    if (index < 0 || index >= m_sets.size() || files.isEmpty())
        return;
    const CardSetSummary set = m_sets.at(index);
    // Large photos take a moment each to check and convert.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const AddedPictures result = launcher::addPictures(files, set.folder);
    QGuiApplication::restoreOverrideCursor();
    reload();
    const int n = int(result.added.size());
    m_status->setText(n == 1 ? QStringLiteral("1 bild lades till i kortleken \"%1\".").arg(set.name)
                             : QStringLiteral("%1 bilder lades till i kortleken \"%2\".")
                                   .arg(QString::number(n), set.name));
    if (const QString message = refusedMessage(result, set.name); !message.isEmpty())
        tell(message);
}

void ChooserWindow::openFolder()
{
    const int index = currentSet();
    if (index < 0)
        return;
    const QString folder = m_sets.at(index).folder;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        tell(QStringLiteral("Mappen %1 kunde inte visas: det finns ingen filhanterare att visa den i.")
                 .arg(QDir::toNativeSeparators(folder)));
}

void ChooserWindow::editPlayOptions()
{
    const int index = currentSet();
    if (index < 0)
        return;
    auto* dialog = new PlayOptionsDialog(m_sets.at(index).folder, m_sets.at(index).name, this);
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

bool ChooserWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_list->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        QListWidgetItem* item = m_list->itemAt(drag->position().toPoint());
        if (item && !localFiles(drag->mimeData()).isEmpty()) {
            m_list->setCurrentItem(item);
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const int row = m_list->row(m_list->itemAt(drop->position().toPoint()));
        const QStringList files = localFiles(drop->mimeData());
        if (row < 0 || files.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        addPictures(row, files);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        // A finger has no double click to spare: a tap on a set runs it.
        auto* release = static_cast<QMouseEvent*>(event);
        if (release->device() && release->device()->type() == QInputDevice::DeviceType::TouchScreen) {
            if (QListWidgetItem* item = m_list->itemAt(release->position().toPoint())) {
                m_list->setCurrentItem(item);
                run(m_defaultAction);
                return true;
            }
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace launcher
