// How a program ends: quitting, and the one road a failure takes.

#include "app/Program.h"
#include "runtime/Error.h"

#include <QTimer>
#include <QtTest>

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        app::resetEnded();
        app::setMessageShower([this](const QString& message) { m_shown << message; });
        m_shown.clear();
    }
    void cleanup()
    {
        app::resetEnded();
        app::setMessageShower({});
    }

    // Quitting and failing both hide every window, end the event loop with their status and
    // take no handler after it; a failure is shown to the user first.
    void endingFromAHandler_data()
    {
        QTest::addColumn<bool>("failing");
        QTest::newRow("quit") << false;
        QTest::newRow("failure") << true;
    }
    void endingFromAHandler()
    {
        QFETCH(bool, failing);
        QWidget a, b;
        a.show();
        b.show();
        QTimer::singleShot(0, qApp, [failing] {
            app::handle([failing] {
                if (failing)
                    throw runtime::Error(QStringLiteral("Bilden \"x.jpg\" finns inte."));
                app::quit();
            });
        });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), failing ? 1 : 0);
        QCOMPARE(m_shown, failing ? QStringList{QStringLiteral("Bilden \"x.jpg\" finns inte.")} : QStringList{});
        QVERIFY(!a.isVisible() && !b.isVisible());
        QVERIFY(app::hasEnded());
        bool ran = false;
        QVERIFY(!app::handle([&ran] { ran = true; }));
        QVERIFY(!ran);
    }

private:
    QStringList m_shown;
};

QTEST_MAIN(ProgramTest)
#include "tst_program.moc"
