#pragma once

#include "settings/ValueReader.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QTest>

// A card set as its file holds it: count, the two row types, then per card the upper
// picture, lower picture, upper text and lower text.
struct CardSet {
    qint16 count = 0;
    qint16 upperType = 0;
    qint16 lowerType = 0;
    QList<QStringList> records;

    bool operator==(const CardSet&) const = default;
};
Q_DECLARE_METATYPE(CardSet)

// Reads a card set the way both programs do: exactly count records, nothing after them.
inline CardSet readCardSet(settings::ValueReader& reader)
{
    CardSet set;
    set.count = reader.readNumber();
    set.upperType = reader.readNumber();
    set.lowerType = reader.readNumber();
    for (int i = 0, end = set.count; i < end; ++i) {
        QStringList record;
        for (int k = 0; k < 4; ++k)
            record << reader.readText();
        set.records << record;
    }
    return set;
}

// The contents of data/three_cards.ini, data/five_cards.ini and data/ten_cards.ini.
inline CardSet threeCards()
{
    return {3, 0, 1, {
        {"sol.gif", "", "sol", "Solen är gul"},
        {"båt.bmp", "båt.bmp", "båt", "En båt, en segelbåt"},
        {"äpple.jpg", "", "ÄPPLE", "Åsa och Örjan åt öl"},
    }};
}

inline CardSet fiveCards()
{
    return {5, 2, 2, {
        {"hus.bmp", "hus.gif", "  mellanslag  ", "1, 2, 3"},
        {"ö.jpeg", "Ö.JPG", "€ 10", "citat “så” …"},
        {"bilder/katt.gif", "", "katt", ""},
        {"", "", "Katt", ""},
        {"", "", "", ""},
    }};
}

inline CardSet tenCards()
{
    const QStringList words = {"ett", "två", "tre", "fyra", "fem", "sex", "sju", "åtta", "nio", "tio"};
    CardSet set{10, 1, 0, {}};
    for (int i = 0; i < words.size(); ++i) {
        const QString n = QString::number(i + 1).rightJustified(2, u'0');
        set.records << QStringList{"bild" + n + ".bmp", "bild" + n + ".gif", words[i], words[i].toUpper() + "!"};
    }
    return set;
}

// The rows of a test over the three files in data/: file name and card set.
inline void addCardSetFiles()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<CardSet>("set");
    QTest::newRow("3 cards") << QStringLiteral("three_cards.ini") << threeCards();
    QTest::newRow("5 cards") << QStringLiteral("five_cards.ini") << fiveCards();
    QTest::newRow("10 cards") << QStringLiteral("ten_cards.ini") << tenCards();
}
