#pragma once

#include "settings/CardSet.h"

#include <QMetaType>
#include <QString>
#include <QTest>

Q_DECLARE_METATYPE(settings::CardSet)

// The contents of data/three_cards.ini, data/five_cards.ini and data/ten_cards.ini.
inline settings::CardSet threeCards()
{
    return {3, settings::RowDisplay::Pictures, settings::RowDisplay::Texts, {
        {"sol.gif", "", "sol", "Solen är gul"},
        {"båt.bmp", "båt.bmp", "båt", "En båt, en segelbåt"},
        {"äpple.jpg", "", "ÄPPLE", "Åsa och Örjan åt öl"},
    }};
}

inline settings::CardSet fiveCards()
{
    return {5, settings::RowDisplay::Both, settings::RowDisplay::Both, {
        {"hus.bmp", "hus.gif", "  mellanslag  ", "1, 2, 3"},
        {"ö.jpeg", "Ö.JPG", "€ 10", "citat “så” …"},
        {"bilder/katt.gif", "", "katt", ""},
        {"", "", "Katt", ""},
        {"", "", "", ""},
    }};
}

inline settings::CardSet tenCards()
{
    const QStringList words = {"ett", "två", "tre", "fyra", "fem", "sex", "sju", "åtta", "nio", "tio"};
    settings::CardSet set{10, settings::RowDisplay::Texts, settings::RowDisplay::Pictures, {}};
    for (int i = 0; i < words.size(); ++i) {
        const QString n = QString::number(i + 1).rightJustified(2, u'0');
        set.cards << settings::Card{"bild" + n + ".bmp", "bild" + n + ".gif", words[i], words[i].toUpper() + "!"};
    }
    return set;
}

// The rows of a test over the three files in data/: file name and card set.
inline void addCardSetFiles()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<settings::CardSet>("set");
    QTest::newRow("3 cards") << QStringLiteral("three_cards.ini") << threeCards();
    QTest::newRow("5 cards") << QStringLiteral("five_cards.ini") << fiveCards();
    QTest::newRow("10 cards") << QStringLiteral("ten_cards.ini") << tenCards();
}
