#pragma once

#include "editor/CardSetEditor.h"
#include "app/MainWindow.h"

#include <QPointer>
#include <array>

class QMessageBox;

namespace forms {
class PictureButton;
class FileList;
class PictureBox;
class ListBox;
class OptionButton;
class Panel;
class TextBox;
} // namespace forms

namespace supervisor {

class CommandButton;

// The supervisor tool's window "Kortvy handledarsektion": the card count, a page for each
// row of cards and a help page under three tab headers, and "Spara" and "Avbryt". The card
// set being edited is the editor's; the window shows it and turns clicks into its operations.
//
// Each control can be found by its object name:
//   the window; the black backdrop              Form1; Form2
//   tab headers: upper, lower row, help          Panel3D7, Panel3D8, Panel3D9
//   pages: upper, lower row, help                Panel3D1(1), Panel3D1(2), Panel3D1(3)
//   the count group; its options 3, 5, 10        Panel3D2; Option3D1(0), (1), (2)
//   "Spara", "Avbryt"                            Command3D5, Command3D6
//   page p (0 upper, 1 lower):
//     picture files, their frame                 File1(p), Panel3D6(3p)
//     chosen pictures, their frame, numbers      List1(2p), Panel3D6(3p+1), Label1(p)
//     chosen texts, their frame, numbers         List1(2p+1), Panel3D6(3p+2), Label8(p)
//     their titles "Valda Bilder", "Valda Texter" Label10(2p), Label10(2p+1)
//     new text, "Lägg till text"                 Text1(p), SSCommand2(p)
//     "Typ av kort": group, title                SSPanel2(p), Label9(1-p)
//       options "Text", "Bild", "Text + Bild"    SSOption1(3p), (3p+1), (3p+2)
//     preview, its frame                         Image3(p), SSPanel1(p)
//     the strip under the tab                    Image2 (upper), Image1(1) (lower)
//   lower page: copy pictures, copy texts        Command1(0), Command1(1)
//   help page: frames                            Panel3D3, Panel3D5, Panel3D4
//     titles; texts                              Label7(0), (1), (3); Label2, Label5, Label6
//     the strip under the tab                    Image1(0)
//   questions: save before closing; write over   Sparfråga; Skrivöver
//   the message that a save failed               Sparfel
class SupervisorWindow : public app::MainWindow {
    Q_OBJECT

public:
    explicit SupervisorWindow(QWidget* parent = nullptr);

    // Start-up, before the window is shown: the backdrop, and the card set stored in
    // kortvy.ini. Throws runtime::Error when it cannot be read.
    void load();

    // "Spara": writes the card set and ends the program. A failure leaves kortvy.ini as it
    // was and the window open with every edit, and says why. When kortvy.ini has changed
    // since it was read, the teacher is asked first whether to write over it.
    void save();

    const editor::CardSetEditor& editor() const { return m_editor; }

signals:
    void saveFailed(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Closed from outside the program (its close box, Alt+F4) with edits not saved, the
    // window asks whether to save them first.
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls of a row's page.
    struct RowPage {
        forms::FileList* files = nullptr;
        forms::ListBox* pictures = nullptr;
        forms::ListBox* texts = nullptr;
        forms::TextBox* newText = nullptr;
        forms::PictureButton* addText = nullptr;
        std::array<forms::OptionButton*, 3> displays{};  // "Text", "Bild", "Text + Bild"
        forms::PictureBox* preview = nullptr;
    };

    void buildWindow();
    void buildRowPage(editor::Row row);
    void buildHelpPage();
    void connectControls();

    void showPage(forms::Panel* header, int page);
    void turnPage(int step);
    void showCount();
    void showDisplays();
    void preview(editor::Row row, const QString& name);
    void addText(editor::Row row);
    void tellRefused(editor::Row row, const QString& reason);
    void write();
    void askToOverwrite();
    void askToSave();
    void tellSaveFailed(const QString& message);

    editor::CardSetEditor m_editor;
    editor::FileStamp m_readStamp;
    bool m_closingWithoutSaving = false;

    std::array<forms::Panel*, 3> m_headers{};
    std::array<forms::Panel*, 3> m_pages{};
    std::array<forms::OptionButton*, 3> m_countOptions{};
    forms::PictureButton* m_saveButton = nullptr;
    forms::PictureButton* m_cancelButton = nullptr;
    std::array<RowPage, 2> m_rowPages;
    std::array<CommandButton*, 2> m_copyButtons{};
    QPointer<QMessageBox> m_question;
};

} // namespace supervisor
