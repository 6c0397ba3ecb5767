#include "settings/CardSetFile.h"

#include "settings/ValueReader.h"
#include "settings/ValueWriter.h"

namespace settings {

namespace {

RowDisplay rowDisplay(qint16 code)
{
    switch (code) {
    case qint16(RowDisplay::Pictures):
        return RowDisplay::Pictures;
    case qint16(RowDisplay::Texts):
        return RowDisplay::Texts;
    default:
        return RowDisplay::Both;
    }
}

void encodeInto(ValueWriter& writer, const CardSet& set)
{
    writer.writeNumber(set.count);
    writer.writeNumber(qint16(set.upperDisplay));
    writer.writeNumber(qint16(set.lowerDisplay));
    for (int i = 0; i < set.count; ++i) {
        const Card card = set.cards.value(i);
        writer.writeText(card.upperPicture);
        writer.writeText(card.lowerPicture);
        writer.writeText(card.upperText);
        writer.writeText(card.lowerText);
    }
}

} // namespace

CardSet readCardSet(const QString& path, const ReadRules& rules)
{
    ValueReader reader(path);
    CardSet set;
    set.count = reader.readNumber();
    if (rules.checkCount)
        rules.checkCount(set.count, reader.path(), reader.line());
    set.upperDisplay = rowDisplay(reader.readNumber());
    set.lowerDisplay = rowDisplay(reader.readNumber());
    for (int i = 0; i < set.count; ++i) {
        Card card;
        card.upperPicture = reader.readText();
        if (rules.upperPictureRead)
            rules.upperPictureRead(i, card.upperPicture);
        card.lowerPicture = reader.readText();
        card.upperText = reader.readText();
        card.lowerText = reader.readText();
        set.cards << card;
    }
    return set;
}

QByteArray encodeCardSet(const CardSet& set, const QString& path)
{
    ValueWriter writer(path);
    encodeInto(writer, set);
    return writer.bytes();
}

void writeCardSet(const QString& path, const CardSet& set)
{
    ValueWriter writer(path);
    encodeInto(writer, set);
    writer.commit();
}

} // namespace settings
