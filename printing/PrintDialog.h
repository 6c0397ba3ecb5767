#pragma once

#include "printing/CardSheet.h"
#include "printing/PageLayout.h"
#include "settings/CardSet.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace work {
class SlowWork;
} // namespace work

namespace printing {

// "Skriv ut": a card set's pages as they will print, with the teacher's choices of rows, card
// size, words and cut lines; "Skriv ut…" sends them to a printer, "Spara som PDF…" to a file.
// The pictures are read as slow work, so the preview fills in once they are; the choices
// last printed with are the set's, kept in its kortvy-val.ini.
class PrintDialog : public QDialog {
    Q_OBJECT

public:
    PrintDialog(const QString& folder, const QString& setName, QWidget* parent = nullptr);
    ~PrintDialog() override;

    PrintChoices choices() const;
    void setChoices(const PrintChoices& choices);

    // Writes the PDF as slow work; pdfWritten() tells when it has been dealt with.
    void savePdf(const QString& path);
    // Prints on the printer, as set up in the print dialog, as slow work; printed() tells when
    // it has been dealt with.
    void print();
    QPrinter* printer() const { return m_printer.get(); }
    bool working() const { return m_work != nullptr; }
    // The faces the preview shows, once their pictures have been read.
    const QList<SheetCard>& cards() const { return m_cards; }

signals:
    void pdfWritten();
    void printed();

private:
    void choicesChanged();
    void readPictures();
    void askPrinter();
    void askPdfFile();
    void remember();
    void updateControls();
    void warn(const QString& message);

    QString m_folder;
    QString m_name;
    settings::CardSet m_set;
    bool m_readable = true;
    QList<SheetCard> m_cards;
    PrintChoices m_cardsChoices;  // what m_cards were read for
    bool m_readAgain = false;
    work::SlowWork* m_work = nullptr;

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPrinter> m_previewPrinter;
    QPrintPreviewWidget* m_preview;
    QRadioButton* m_upper;
    QRadioButton* m_lower;
    QRadioButton* m_both;
    QRadioButton* m_six;
    QRadioButton* m_twelve;
    QCheckBox* m_words;
    QCheckBox* m_cutLines;
    QLabel* m_problems;
    QLabel* m_status;
    QPushButton* m_print;
    QPushButton* m_pdf;
};

} // namespace printing
