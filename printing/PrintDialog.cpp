#include "printing/PrintDialog.h"

#include "printing/ChoicesFile.h"
#include "runtime/Error.h"
#include "work/SlowWork.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace printing {

namespace {

// The faces of the set in the folder, with their pictures read for the page; empty when the
// work was stopped.
QList<SheetCard> readFaces(const QString& folder, const PrintChoices& choices, const QPageLayout& page, int dpi,
                           work::Progress& progress)
{
    QList<SheetCard> cards = sheetCards(folder, readSetToPrint(folder), choices);
    if (!decodeFor(cards, page, dpi, choices, progress))
        return {};
    return cards;
}

} // namespace

PrintDialog::PrintDialog(const QString& folder, const QString& setName, QWidget* parent)
    : QDialog(parent)
    , m_folder(folder)
    , m_name(setName)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , m_previewPrinter(std::make_unique<QPrinter>(QPrinter::ScreenResolution))
{
    setWindowTitle(QStringLiteral("Skriv ut \"%1\"").arg(setName));
    m_printer->setPageLayout(defaultPage());
    m_printer->setDocName(setName);
    m_previewPrinter->setPageLayout(defaultPage());

    m_preview = new QPrintPreviewWidget(m_previewPrinter.get(), this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setViewMode(QPrintPreviewWidget::FacingPagesView);

    auto* rows = new QGroupBox(QStringLiteral("Vilka kort"), this);
    m_upper = new QRadioButton(QStringLiteral("Ö&vre raden"), rows);
    m_lower = new QRadioButton(QStringLiteral("&Undre raden"), rows);
    m_both = new QRadioButton(QStringLiteral("&Båda raderna, som par"), rows);
    auto* rowsLayout = new QVBoxLayout(rows);
    for (QRadioButton* b : {m_upper, m_lower, m_both})
        rowsLayout->addWidget(b);

    auto* size = new QGroupBox(QStringLiteral("Kortens storlek"), this);
    m_six = new QRadioButton(QStringLiteral("&6 kort per sida (stora)"), size);
    m_twelve = new QRadioButton(QStringLiteral("&12 kort per sida"), size);
    auto* sizeLayout = new QVBoxLayout(size);
    sizeLayout->addWidget(m_six);
    sizeLayout->addWidget(m_twelve);

    m_words = new QCheckBox(QStringLiteral("Med &ord"), this);
    m_cutLines = new QCheckBox(QStringLiteral("Med &klipplinjer"), this);
    m_problems = new QLabel(this);
    m_problems->setObjectName(QStringLiteral("problems"));
    m_problems->setWordWrap(true);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    m_print = buttons->addButton(QStringLiteral("Skriv &ut…"), QDialogButtonBox::ActionRole);
    m_pdf = buttons->addButton(QStringLiteral("Spara som &PDF…"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("S&täng"), QDialogButtonBox::RejectRole);

    auto* side = new QVBoxLayout;
    side->addWidget(rows);
    side->addWidget(size);
    side->addWidget(m_words);
    side->addWidget(m_cutLines);
    side->addWidget(m_problems);
    side->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(m_preview, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    setChoices(readChoices(folder));
    for (QRadioButton* b : {m_upper, m_lower, m_both, m_six, m_twelve})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                choicesChanged();
        });
    for (QCheckBox* b : {m_words, m_cutLines})
        connect(b, &QCheckBox::toggled, this, &PrintDialog::choicesChanged);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        PrintChoices shown = choices();
        shown.rows = m_cardsChoices.rows;
        shown.perPage = m_cardsChoices.perPage;
        paintPages(painter, *printer, m_cards, shown);
    });
    connect(m_print, &QPushButton::clicked, this, &PrintDialog::askPrinter);
    connect(m_pdf, &QPushButton::clicked, this, &PrintDialog::askPdfFile);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(900, 640);
    readPictures();
}

PrintDialog::~PrintDialog() = default;

PrintChoices PrintDialog::choices() const
{
    PrintChoices c;
    c.rows = m_upper->isChecked() ? Rows::Upper : m_lower->isChecked() ? Rows::Lower : Rows::Both;
    c.perPage = m_twelve->isChecked() ? 12 : 6;
    c.words = m_words->isChecked();
    c.cutLines = m_cutLines->isChecked();
    return c;
}

void PrintDialog::setChoices(const PrintChoices& c)
{
    (c.rows == Rows::Upper ? m_upper : c.rows == Rows::Lower ? m_lower : m_both)->setChecked(true);
    (c.perPage == 12 ? m_twelve : m_six)->setChecked(true);
    m_words->setChecked(c.words);
    m_cutLines->setChecked(c.cutLines);
}

// Only other rows or another card size need the pictures read again; the rest is painting.
void PrintDialog::choicesChanged()
{
    const PrintChoices now = choices();
    if (now.rows != m_cardsChoices.rows || now.perPage != m_cardsChoices.perPage)
        readPictures();
    else
        m_preview->updatePreview();
}

void PrintDialog::readPictures()
{
    if (m_work) {
        m_readAgain = true;
        return;
    }
    m_readAgain = false;
    const PrintChoices wanted = choices();
    auto faces = std::make_shared<QList<SheetCard>>();
    m_work = work::SlowWork::start(this, {windowTitle(), QStringLiteral("Läser bilderna…")},
                                   [folder = m_folder, wanted, page = m_previewPrinter->pageLayout(),
                                    dpi = m_previewPrinter->resolution(), faces](work::Progress& progress) {
                                       *faces = readFaces(folder, wanted, page, dpi, progress);
                                   });
    updateControls();
    connect(m_work, &work::SlowWork::finished, this, [this, wanted, faces](const QString& failure) {
        m_work = nullptr;
        m_cards = *faces;
        m_cardsChoices = wanted;
        m_readable = failure.isEmpty();
        m_problems->setText(m_readable ? problemsText(m_cards) : failure);
        if (m_readable && m_cards.isEmpty())
            m_status->setText(QStringLiteral("Du avbröt innan bilderna hann läsas, så de syns inte här. De läses "
                                             "när korten skrivs ut."));
        updateControls();
        if (m_readAgain)
            readPictures();
        else
            m_preview->updatePreview();
    });
}

void PrintDialog::updateControls()
{
    for (QPushButton* b : {m_print, m_pdf})
        b->setEnabled(!m_work && m_readable);
}

void PrintDialog::askPrinter()
{
    auto* dialog = new QPrintDialog(m_printer.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, qOverload<>(&QDialog::accepted), this, &PrintDialog::print);
    dialog->open();
}

// The pages are read and painted for the printer on a worker, which Qt allows for a printer.
void PrintDialog::print()
{
    if (m_work)
        return;
    remember();
    m_previewPrinter->setPageLayout(m_printer->pageLayout());
    m_preview->updatePreview();
    auto stopped = std::make_shared<bool>(false);
    m_work = work::SlowWork::start(this, {windowTitle(), QStringLiteral("Skriver ut…")},
                                   [folder = m_folder, wanted = choices(), printer = m_printer.get(),
                                    stopped](work::Progress& progress) {
                                       const QList<SheetCard> cards =
                                           readFaces(folder, wanted, printer->pageLayout(), printer->resolution(), progress);
                                       if (progress.stopped()) {
                                           *stopped = true;
                                           return;
                                       }
                                       QPainter painter;
                                       if (!painter.begin(printer))
                                           throw runtime::Error(QStringLiteral("Skrivaren %1 tog inte emot utskriften.")
                                                                    .arg(printer->printerName()));
                                       if (!paintPages(painter, *printer, cards, wanted, &progress)) {
                                           printer->abort();
                                           *stopped = true;
                                       }
                                   });
    updateControls();
    connect(m_work, &work::SlowWork::finished, this, [this, stopped](const QString& failure) {
        m_work = nullptr;
        updateControls();
        if (!failure.isEmpty())
            warn(failure);
        else
            m_status->setText(*stopped ? QStringLiteral("Utskriften avbröts.")
                                       : QStringLiteral("Korten skickades till skrivaren."));
        emit printed();
    });
}

void PrintDialog::askPdfFile()
{
    auto* dialog = new QFileDialog(this, QStringLiteral("Spara som PDF"),
                                   QDir(QDir::homePath()).filePath(m_name + QStringLiteral(".pdf")),
                                   QStringLiteral("PDF-filer (*.pdf)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    connect(dialog, &QFileDialog::fileSelected, this, &PrintDialog::savePdf);
    dialog->open();
}

void PrintDialog::savePdf(const QString& path)
{
    if (m_work)
        return;
    remember();
    auto stopped = std::make_shared<bool>(false);
    m_work = work::SlowWork::start(
        this, {windowTitle(), QStringLiteral("Sparar PDF-filen…")},
        [folder = m_folder, name = m_name, wanted = choices(), page = m_printer->pageLayout(), path,
         stopped](work::Progress& progress) {
            writePdf(path, name, sheetCards(folder, readSetToPrint(folder), wanted), wanted, page, progress);
            *stopped = progress.stopped();
        });
    updateControls();
    connect(m_work, &work::SlowWork::finished, this, [this, stopped, path](const QString& failure) {
        m_work = nullptr;
        updateControls();
        if (!failure.isEmpty())
            warn(failure);
        else
            m_status->setText(*stopped ? QStringLiteral("Du avbröt, så ingen PDF-fil sparades.")
                                       : QStringLiteral("Korten sparades i %1.").arg(QDir::toNativeSeparators(path)));
        emit pdfWritten();
    });
}

// The choices printed with are the set's from now on; a set that cannot be written in, such
// as one on a locked stick, is printed all the same.
void PrintDialog::remember()
{
    if (!QFileInfo(m_folder).isWritable())
        return;
    try {
        writeChoices(m_folder, choices());
    } catch (const runtime::Error& e) {
        warn(e.message());
    }
}

void PrintDialog::warn(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace printing
