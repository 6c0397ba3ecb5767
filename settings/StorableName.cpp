#include "settings/StorableName.h"

#include "settings/Windows1252.h"

#include <QHash>

#include <utility>

namespace settings {

namespace {

// Latin forms of the letters that no mark can be taken off: Greek and Cyrillic written the
// way a Swedish reader says them, and the Latin letters that have no plain form in Unicode.
// Lower case only; a capital is looked up by its small letter.
const QHash<char32_t, QString>& latinForms()
{
    static const QHash<char32_t, QString> forms = [] {
        QHash<char32_t, QString> t;
        const auto add = [&t](const char32_t* letters, std::initializer_list<const char*> latin) {
            for (const char* l : latin)
                t.insert(*letters++, QString::fromLatin1(l));
        };
        add(U"αβγδεζηθικλμνξοπρσςτυφχψω",
            {"a", "v", "g", "d", "e", "z", "i", "th", "i", "k", "l", "m", "n", "x", "o", "p", "r", "s", "s", "t",
             "y", "f", "ch", "ps", "o"});
        add(U"абвгдеёжзийклмнопрстуфхцчшщъыьэюя",
            {"a", "b", "v", "g", "d", "e", "jo", "zj", "z", "i", "j", "k", "l", "m", "n", "o", "p", "r", "s", "t",
             "u", "f", "ch", "ts", "tj", "sj", "sjtj", "", "y", "", "e", "ju", "ja"});
        add(U"єіїґўђјљњћџ", {"je", "i", "ji", "g", "u", "dj", "j", "lj", "nj", "c", "dz"});
        add(U"łđħıĸŀŋŧəɛȷ", {"l", "d", "h", "i", "k", "l", "n", "t", "e", "e", "j"});
        // Hyphens that Windows-1252 lacks; it has the en and em dash.
        add(U"\u2010\u2011\u2012\u2015\u2212", {"-", "-", "-", "-", "-"});
        return t;
    }();
    return forms;
}

bool isStorable(const QString& text)
{
    return !text.isEmpty() && canStore(text);
}

QString fromCodePoint(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

QString latinForm(char32_t c)
{
    const QString letter = fromCodePoint(c);
    const QString lower = letter.toLower();
    const auto found = latinForms().constFind(lower.toUcs4().value(0));
    if (found == latinForms().constEnd())
        return QString();
    if (lower == letter || found->isEmpty())
        return *found;
    // A capital stays a capital; "Щ" begins "Sjtj", not "SJTJ".
    return found->left(1).toUpper() + found->mid(1);
}

// What stands in the name for a character the file cannot hold; empty when nothing fits.
QString storableForm(char32_t c)
{
    if (c == U'"')
        return QStringLiteral("'");
    if (c == U'\r' || c == U'\n')
        return QStringLiteral(" ");
    if (const QString latin = latinForm(c); !latin.isEmpty())
        return latin;
    // The marks are taken off one by one from the last, so that a letter keeps those the
    // file has room for: "ǻ" is "å" and its acute, and becomes "å", not "a".
    QString d = fromCodePoint(c).normalized(QString::NormalizationForm_KD);
    for (;;) {
        const QString composed = d.normalized(QString::NormalizationForm_C);
        if (isStorable(composed))
            return composed;
        if (d.isEmpty() || !d.back().isMark())
            break;
        d.chop(1);
    }
    QString result;
    for (char32_t part : d.toUcs4()) {
        const QString p = fromCodePoint(part);
        if (isStorable(p))
            result += p;
        else
            result += latinForm(part);
    }
    return isStorable(result) ? result : QString();
}

QString storableText(const QString& text, bool* dropped)
{
    QString result;
    for (char32_t c : text.toUcs4()) {
        const QString character = fromCodePoint(c);
        if (isStorable(character)) {
            result += character;
            continue;
        }
        const QString form = storableForm(c);
        if (form.isEmpty() || form == QLatin1String(" "))
            *dropped = true;
        result += form;
    }
    return result;
}

} // namespace

std::pair<QString, QString> splitName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

QString storableName(const QString& fileName)
{
    const auto [base, extension] = splitName(fileName);
    bool dropped = false;
    QString storable = storableText(base, &dropped);
    if (dropped)
        storable = storable.simplified();
    while (storable.startsWith(QLatin1Char('.')) || storable.startsWith(QLatin1Char(' ')))
        storable.remove(0, 1);
    if (storable.isEmpty())
        storable = QStringLiteral("bild");
    bool ignored = false;
    return storable + storableText(extension, &ignored).remove(QLatin1Char(' '));
}

QString firstUnstorable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!canStore(text[i]))
            return text.mid(i, text[i].isSurrogate() ? 2 : 1);
    }
    return QString();
}

} // namespace settings
