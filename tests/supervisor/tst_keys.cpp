// The supervisor's road by keyboard alone: pages turned, pictures chosen and texts added with
// keys, and "Spara" pressed, each control reached with Tab and showing where the keyboard is.
#include "tests/supervisor/SupervisorTestSupport.h"

#include <QAccessible>

using namespace supervisortest;
using editor::List;

static void key(QWidget* form, Qt::Key k, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : form, k, modifiers);
}

// Tabs on until the control has the focus; false when it is not in the Tab chain.
static bool tabTo(QWidget* form, QWidget* target)
{
    for (int i = 0; i < 60 && QApplication::focusWidget() != target; ++i)
        key(form, Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

static int shownPage(const QWidget& form)
{
    const QList<QWidget*> pages = {widget(form, "Panel3D1(1)"), widget(form, "Panel3D1(2)"), widget(form, "Panel3D1(3)")};
    return int(std::find_if(pages.begin(), pages.end(), [](QWidget* p) { return p->isVisible(); }) - pages.begin()) + 1;
}

class SupervisorKeysTest : public QObject {
    Q_OBJECT

private slots:
    void editingRoadByKeys()
    {
        CardFolder folder;
        folder.writeIni(cardFile(3, 2, 2, emptyStrings(3)));
        for (const char* name : {"a.bmp", "b.gif", "c.jpg", "d.jpg"})
            folder.picture(QLatin1String(name));
        auto form = startForm();
        QWidget* w = form.get();

        const QList<QPair<QKeyCombination, int>> turns = {{Qt::CTRL | Qt::Key_Tab, 2}, {Qt::CTRL | Qt::Key_PageUp, 1},
                                                          {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 3}, {Qt::CTRL | Qt::Key_PageDown, 1}};
        for (const auto& [keys, page] : turns) {
            key(w, keys.key(), keys.keyboardModifiers());
            QCOMPARE(shownPage(*form), page);
        }
        forms::Panel* lowerHeader = panel(*form, "Panel3D8");
        const QImage unfocused = lowerHeader->grab().toImage();
        QVERIFY(tabTo(w, lowerHeader));
        QVERIFY(lowerHeader->grab().toImage() != unfocused);
        key(w, Qt::Key_Space);
        QCOMPARE(shownPage(*form), 2);
        key(w, Qt::Key_PageUp, Qt::ControlModifier);

        // Enter on the row the keyboard stands on chooses it, the first row included.
        QWidget* fileRows = files(*form, 0)->viewport();
        auto edge = [fileRows] { return fileRows->grab().toImage().pixelColor(1, fileRows->height() - 2); };
        QVERIFY(edge() != fileRows->palette().color(QPalette::Highlight));
        QVERIFY(tabTo(w, files(*form, 0)));
        QCOMPARE(edge(), fileRows->palette().color(QPalette::Highlight));
        for (Qt::Key k : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Return, Qt::Key_Down, Qt::Key_Return})
            key(w, k);
        QCOMPARE(preview(*form, 0)->fileName(), QStringLiteral("c.jpg"));

        QVERIFY(tabTo(w, textBox(*form, 0)));
        for (const QString& text : {QStringLiteral("ett"), QStringLiteral("två"), QStringLiteral("tre")}) {
            typeText(textBox(*form, 0), text);
            key(w, Qt::Key_Enter);
        }

        QVERIFY(tabTo(w, widget(*form, "Command3D5")));
        key(w, Qt::Key_Space);
        QVERIFY(app::hasEnded());
        QCOMPARE(folder.ini(), cardFile(3, 2, 2, {"a.bmp", "", "ett", "", "b.gif", "", "två", "", "c.jpg", "", "tre", ""}));
    }

    // A chosen text or picture goes with Delete on the row the keyboard stands on, also in a
    // list reached again with Tab after the mouse emptied it, and with the row's Remove
    // action, which a screen reader offers.
    void deleteAndTheRowActionRemove()
    {
        CardFolder folder;
        folder.writeIni(cardFile(3, 2, 2, emptyStrings(3)));
        for (const char* name : {"a.bmp", "b.gif"})
            folder.picture(QLatin1String(name));
        auto form = startForm();
        QWidget* w = form.get();
        forms::ListBox* texts = list(*form, 1);
        addText(*form, 0, QStringLiteral("noll"));
        doubleClickRow(texts, 0);
        QCOMPARE(texts->rows(), QStringList());
        for (const char* text : {"ett", "två", "tre"})
            addText(*form, 0, QString::fromUtf8(text));
        QVERIFY(tabTo(w, texts));
        // A screen reader says which row the keyboard stands on, and drops a row that has gone.
        QAccessibleInterface* textRows = QAccessible::queryAccessibleInterface(texts);
        QVERIFY(textRows->child(0)->state().focused && !textRows->child(1)->state().focused);
        QAccessibleInterface* third = textRows->child(2);
        key(w, Qt::Key_Delete);
        QVERIFY(third->state().invalid);
        QCOMPARE(form->editor().rows(List::UpperTexts), QStringList({"två", "tre"}));
        QCOMPARE(texts->rows(), QStringList({"två", "tre"}));

        chooseFile(*form, 0, QStringLiteral("a.bmp"));
        chooseFile(*form, 0, QStringLiteral("b.gif"));
        QAccessibleInterface* second = QAccessible::queryAccessibleInterface(list(*form, 0))->child(1);
        QVERIFY(second && second->actionInterface());
        QCOMPARE(second->text(QAccessible::Name), QStringLiteral("b.gif"));
        QCOMPARE(second->role(), QAccessible::ListItem);
        second->actionInterface()->doAction(second->actionInterface()->actionNames().value(0));
        QTRY_COMPARE(form->editor().rows(List::UpperPictures), QStringList({"a.bmp"}));
        QCOMPARE(form->editor().counter(List::UpperPictures), qint16(1));
    }
};

QTEST_MAIN(SupervisorKeysTest)
#include "tst_keys.moc"
