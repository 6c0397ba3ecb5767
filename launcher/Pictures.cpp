#include "launcher/Pictures.h"

#include "launcher/CardFolder.h"

#include "runtime/Error.h"
#include "settings/Windows1252.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace launcher {

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
    return !text.isEmpty() && settings::canStore(text);
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

// A name's base and its extension with the dot.
std::pair<QString, QString> splitName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

QString quotedPath(const QString& path)
{
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

QByteArray readWhole(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const auto failure = [&](int error) {
        return runtime::Error(QStringLiteral("Filen %1 kunde inte läsas: %2").arg(quotedPath(path), reasonFor(error)));
    };
    if (fd < 0)
        throw failure(errno);
    QByteArray bytes;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            throw failure(error);
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
    }
    ::close(fd);
    return bytes;
}

// The formats the programs show as they are; the first extension is the one a picture
// gets when its own does not say what it is.
QStringList extensionsOf(const QByteArray& format)
{
    if (format == "bmp")
        return {QStringLiteral(".bmp")};
    if (format == "gif")
        return {QStringLiteral(".gif")};
    if (format == "jpeg" || format == "jpg")
        return {QStringLiteral(".jpg"), QStringLiteral(".jpeg")};
    return {};
}

bool tooLarge(QSize size, int bytesPerPixel)
{
    const int limitMB = QImageReader::allocationLimit();
    return limitMB > 0 && double(size.width()) * size.height() * bytesPerPixel > double(limitMB) * 1024 * 1024;
}

runtime::Error tooLargeError(const QString& path, QSize size)
{
    return runtime::Error(QStringLiteral("Bilden %1 är för stor (%2 × %3 bildpunkter). "
                                         "Spara den i en mindre storlek, till exempel högst 4000 × 4000 bildpunkter.")
                              .arg(quotedPath(path), QString::number(size.width()),
                                   QString::number(size.height())));
}

runtime::Error brokenError(const QString& path)
{
    return runtime::Error(
        QStringLiteral("Bilden %1 går inte att läsa: filen är skadad eller ofullständig.").arg(quotedPath(path)));
}

// The file is named as the card set's file can hold it, the number left free before the
// extension; no name may be longer than the file system allows.
QString numbered(const QString& name, int number)
{
    auto [base, extension] = splitName(name);
    const QString suffix = number > 1 ? QStringLiteral(" (%1)").arg(number) : QString();
    while (!base.isEmpty() && QFile::encodeName(base + suffix + extension).size() > NAME_MAX)
        base.chop(base.size() >= 2 && base.back().isLowSurrogate() ? 2 : 1);
    return base + suffix + extension;
}

void writeAll(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t w = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0)
            throw errno;
        done += w;
    }
    if (::fsync(fd) != 0)
        throw errno;
}

// Gives the finished file its name only if no file has it: 0, or the errno.
int claimName(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // A file system that cannot refuse to replace in a rename can still refuse a link.
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    ::unlink(from.constData());
    return 0;
}

} // namespace

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

PreparedPicture preparePicture(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw runtime::Error(QStringLiteral("%1 är en mapp, inte en bild.").arg(quotedPath(path)));
    if (!info.exists())
        throw runtime::Error(QStringLiteral("Filen %1 finns inte.").arg(quotedPath(path)));
    // A named pipe or a device would keep the window waiting for bytes that never come.
    if (!info.isFile())
        throw runtime::Error(
            QStringLiteral("Filen %1 är ingen bild som kan läsas, till exempel BMP, GIF, JPEG eller PNG.")
                .arg(quotedPath(path)));
    QByteArray bytes = readWhole(path);

    // The content says what the picture is; its extension only helps for formats that
    // cannot be told by their content.
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    if (!reader.canRead()) {
        reader.setFormat(info.suffix().toLower().toLatin1());
        reader.setDecideFormatFromContent(false);
    }
    const QSize size = reader.canRead() ? reader.size() : QSize();
    if (!size.isValid())
        throw runtime::Error(
            QStringLiteral("Filen %1 är ingen bild som kan läsas, till exempel BMP, GIF, JPEG eller PNG.")
                .arg(quotedPath(path)));

    const QStringList extensions = extensionsOf(reader.format());
    const auto [base, extension] = splitName(info.fileName());
    if (!extensions.isEmpty()) {
        // Shown as it is: it only has to be whole. A JPEG is decoded small, which reads all of
        // it quickly; the others have no smaller decode.
        const bool jpeg = extensions.contains(QStringLiteral(".jpg"));
        if (tooLarge(size, jpeg ? 3 : 4))
            throw tooLargeError(path, size);
        if (jpeg)
            reader.setScaledSize(size.scaled(QSize(64, 64), Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
        if (reader.read().isNull())
            throw brokenError(path);
        const bool known = extensions.contains(extension.toLower());
        return {bytes, storableName(known ? info.fileName() : base + extensions.first())};
    }

    if (tooLarge(size, 4))
        throw tooLargeError(path, size);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw brokenError(path);
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }
    QByteArray jpeg;
    QBuffer out(&jpeg);
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(90);
    if (!writer.write(flat))
        throw runtime::Error(QStringLiteral("Bilden %1 kunde inte göras om till JPEG.").arg(quotedPath(path)));
    return {jpeg, storableName(base + QStringLiteral(".jpg"))};
}

QString storeNew(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const auto failure = [&](int error) {
        return runtime::Error(QStringLiteral("Bilden \"%1\" kunde inte sparas i mappen %2: %3")
                                  .arg(name, quotedPath(folder), reasonFor(error)));
    };
    // Hidden, so that a program listing the folder meanwhile does not offer half a picture.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = QFile::encodeName(folder + QStringLiteral("/.kortvy-ny-")
                                      + QString::number(QRandomGenerator::global()->generate(), 16));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            throw failure(errno);
    }
    if (fd < 0)
        throw failure(EEXIST);
    try {
        writeAll(fd, bytes);
    } catch (int error) {
        ::close(fd);
        ::unlink(temporary.constData());
        throw failure(error);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        throw failure(error);
    }
    for (int number = 1; number < 10000; ++number) {
        const QString candidate = numbered(name, number);
        const int error = claimName(temporary, QFile::encodeName(folder + QLatin1Char('/') + candidate));
        if (error == 0)
            return candidate;
        if (error != EEXIST) {
            ::unlink(temporary.constData());
            throw failure(error);
        }
    }
    ::unlink(temporary.constData());
    throw failure(EEXIST);
}

AddedPictures addPictures(const QStringList& files, const QString& folder)
{
    AddedPictures result;
    for (const QString& file : files) {
        try {
            const PreparedPicture picture = preparePicture(file);
            result.added << storeNew(folder, picture.name, picture.bytes);
        } catch (const runtime::Error& e) {
            result.refused.append({file, e.message()});
        }
    }
    return result;
}

QString refusedMessage(const AddedPictures& result, const QString& setName)
{
    if (result.refused.isEmpty())
        return QString();
    const qsizetype n = result.refused.size();
    QString message = n == 1 ? QStringLiteral("En fil kunde inte läggas till i kortleken \"%1\":\n").arg(setName)
                             : QStringLiteral("%1 filer kunde inte läggas till i kortleken \"%2\":\n")
                                   .arg(QString::number(n), setName);
    for (const auto& refusal : result.refused)
        message += QStringLiteral("\n• ") + refusal.second;
    if (!result.added.isEmpty())
        message += result.added.size() == 1
            ? QStringLiteral("\n\nDen andra bilden lades till.")
            : QStringLiteral("\n\nDe andra %1 bilderna lades till.").arg(result.added.size());
    return message;
}

} // namespace launcher
