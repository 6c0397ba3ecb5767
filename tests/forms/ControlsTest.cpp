// The controls on real widgets: twips geometry, the list rules, option buttons, file
// lists, text boxes, the backdrop and ending the program.
#include "forms/Backdrop.h"
#include "forms/PictureButton.h"
#include "forms/FileList.h"
#include "forms/Fonts.h"
#include "forms/PictureBox.h"
#include "forms/ListBox.h"
#include "forms/OptionButton.h"
#include "forms/Panel.h"
#include "forms/ShowCentred.h"
#include "runtime/Error.h"
#include "forms/TextBox.h"

#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QtTest>

class ControlsTest : public QObject {
    Q_OBJECT
private slots:
    void geometryIsKeptInTwipsAndShownInPixels()
    {
        QWidget area;
        forms::Panel panel(&area);
        panel.setTwips({480, 1440, 1095, 255});
        QCOMPARE(panel.geometry(), QRect(32, 96, 73, 17));

        // A fraction of a pixel is kept in twips.
        panel.setTwips({480, 1447.5f, 1095, 255});
        QCOMPARE(panel.twips().top, 1447.5f);

        // Neighbours that meet in twips meet in pixels, whatever the rounding.
        forms::Panel left(&area), right(&area);
        left.setTwips({0, 0, 1442, 100});
        right.setTwips({1442, 0, 1442, 100});
        QCOMPARE(left.geometry().right() + 1, right.geometry().left());

    }

    void listReportsClicksWithTheRow()
    {
        forms::ListBox list;
        QStringListModel rows({"a", "b", "c"});
        list.setModel(&rows);
        list.setTwips({0, 0, 1755, 2430});
        QCOMPARE(list.selectedRow(), -1);
        QCOMPARE(list.rowText(3), QString());
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy clicks(&list, &forms::ListBox::rowClicked);
        QSignalSpy doubles(&list, &forms::ListBox::rowDoubleClicked);
        const QPoint second = list.visualRect(rows.index(1)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(clicks, QList<QList<QVariant>>({{1}}));
        QCOMPARE(doubles, QList<QList<QVariant>>({{1}}));
        QCOMPARE(list.visualRect(rows.index(1)).height(), 16); // 240 twips a row
        QCOMPARE(list.selectedRow(), 1);
        // A row removed from the model goes from the list; nothing is edited in place.
        rows.removeRows(0, 1);
        QCOMPARE(list.rows(), QStringList({"b", "c"}));
        QCOMPARE(list.editTriggers(), QAbstractItemView::NoEditTriggers);

        // A click below the last row is no click on a row.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(5, 150));
        QCOMPARE(clicks.size(), 1);
    }

    void optionValueFromCodeIsNoClick()
    {
        QWidget group;
        forms::OptionButton a(&group), b(&group);
        QSignalSpy clicksA(&a, &QAbstractButton::clicked);
        QSignalSpy clicksB(&b, &QAbstractButton::clicked);
        a.setChosen(true);
        b.setChosen(true);
        QVERIFY(b.isChecked());
        QVERIFY(!a.isChecked());
        QCOMPARE(clicksA.size() + clicksB.size(), 0);
        a.click();
        QCOMPARE(clicksA.size(), 1);
        QVERIFY(a.isChecked() && !b.isChecked());
        a.click(); // a chosen option clicked again is still a click
        QCOMPARE(clicksA.size(), 2);
        a.setChosen(false);
        QVERIFY(!a.isChecked() && !b.isChecked());
    }

    void optionCaptionIsFittedToItsButton()
    {
        QWidget group;
        forms::OptionButton option(&group);
        option.setCaptionFont(forms::msSansSerif(24.27, true));
        option.setCaption("  3 kort");
        option.setTwips({120, 600, 855, 255});
        QVERIFY(option.font().pointSizeF() < 24.27);
        QVERIFY(option.font().bold());
        QCOMPARE(option.captionFont().pointSizeF(), 24.27);
    }

    void fileListMatchesPatternsWithoutRegardToCase()
    {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        for (const char* name : {"IMG_0001.JPG", "b.bmp", "a.gif", "c.jpeg", "äpple.jpg", "Öga.BMP",
                                 "zebra.bmp", "notes.txt", "image.png", "kortvy.ini"}) {
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir().mkdir("mapp.jpg"));

        forms::FileList files;
        files.setPattern("*.bmp;*.gif;*.jpg;*.jpeg");
        // Swedish order: å, ä, ö after z.
        QCOMPARE(files.rows(),
                 QStringList({"a.gif", "b.bmp", "c.jpeg", "IMG_0001.JPG", "zebra.bmp", "äpple.jpg", "Öga.BMP"}));
        QCOMPARE(files.selectedName(), QString());
        files.setSelectedRow(3);
        QCOMPARE(files.selectedName(), QString("IMG_0001.JPG"));

        files.setNameRule([](const QString& name) { return !name.startsWith(QLatin1Char('z')); });
        QVERIFY(!files.rows().contains("zebra.bmp"));
        QDir::setCurrent(before);
    }

    // Reached with Tab, a list stands on a row, even one whose row was once set and has gone;
    // the row is not chosen by that.
    void listReachedByTabStandsOnARow()
    {
        QWidget window;
        auto* before = new QLineEdit(&window);
        auto* list = new forms::ListBox(&window);
        list->move(0, 40);
        QStringListModel rows({"ett", "två"});
        list->setModel(&rows);
        list->setSelectedRow(1);
        list->setSelectedRow(-1);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QVERIFY(list->hasFocus());
        QCOMPARE(list->currentIndex().row(), 0);
        QCOMPARE(list->selectedRow(), -1);
    }

    void textBoxKeepsOutRefusedCharactersTypedOrPasted()
    {
        forms::TextBox box;
        box.setCharacterRule([](char32_t c) { return c == U'"' || c == U'🐄' ? QString(QChar(char(c & 0x7F))) : QString(); });
        QStringList told;
        connect(&box, &forms::TextBox::refused, &box, [&told](const QString& reason) { told << reason; });
        QTest::keyClicks(&box, "sa\"g");
        QCOMPARE(box.text(), QString("sag"));
        box.clear();
        box.insert(QString::fromUtf8("ett \"citat\" 🐄 här 😀 Ş")); // as a paste does: told once
        QCOMPARE(box.text(), QString::fromUtf8("ett citat  här 😀 Ş"));
        QCOMPARE(told, (QStringList{"\"", "\""}));
        QCOMPARE(box.cursorPosition(), box.text().size());
    }

    void panelCaptionShrinksToFitButKeepsItsFont()
    {
        forms::Panel panel;
        panel.setTwips({0, 0, 1095, 255});
        panel.setCaptionFont(forms::arial(24.27, true));
        panel.setCaption("Jordgubbe");
        QVERIFY(panel.shownFont().pointSizeF() < 24.27);
        QCOMPARE(panel.captionFont().pointSizeF(), 24.27);
        panel.setCaptionPointSize(16);
        panel.setCaptionBold(false);
        QCOMPARE(panel.captionFont().pointSizeF(), 16.0);
        QVERIFY(!panel.captionFont().bold());
        QCOMPARE(panel.captionFont().family(), forms::arialFamily());
    }

    // A click is the left button's; the right one, on a card or anywhere, is no answer.
    void onlyTheLeftButtonClicks()
    {
        forms::Panel panel;
        forms::PictureButton button;
        forms::PictureBox image;
        for (QWidget* w : std::initializer_list<QWidget*>{&panel, &button, &image})
            w->resize(50, 50);
        QSignalSpy panelClicks(&panel, &forms::Panel::clicked);
        QSignalSpy buttonClicks(&button, &QAbstractButton::clicked);
        QSignalSpy imageClicks(&image, &forms::PictureBox::clicked);
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(&panel, b);
            QTest::mouseClick(&button, b);
            QTest::mouseClick(&image, b);
        }
        QCOMPARE(panelClicks.size(), 1);
        QCOMPARE(buttonClicks.size(), 1);
        QCOMPARE(imageClicks.size(), 1);
    }

    void backdropCoversTheScreenAndUnloads()
    {
        QPointer<forms::Backdrop> backdrop = new forms::Backdrop;
        backdrop->showOverScreen();
        QVERIFY(QTest::qWaitForWindowExposed(backdrop));
        QCOMPARE(backdrop->geometry(), QGuiApplication::primaryScreen()->geometry());
        QCOMPARE(backdrop->palette().color(QPalette::Window), QColor(Qt::black));
        QVERIFY(backdrop->windowFlags() & Qt::FramelessWindowHint);
        backdrop->unload();
        QTRY_VERIFY(backdrop.isNull());
    }

    void mainWindowIsCentred()
    {
        QWidget window;
        window.resize(642, 455);
        forms::showCentred(&window);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QPoint centre = window.frameGeometry().center();
        QVERIFY(std::abs(centre.x() - screen.center().x()) <= 1);
        QVERIFY(std::abs(centre.y() - screen.center().y()) <= 1);
    }
};

QTEST_MAIN(ControlsTest)
#include "ControlsTest.moc"
