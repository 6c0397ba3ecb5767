#include "parcel/CardFile.h"

#include "cardsets/CardSets.h"
#include "pictures/Picture.h"
#include "runtime/Error.h"
#include "runtime/FileIo.h"
#include "settings/CardFacts.h"
#include "settings/CardSetFile.h"
#include "settings/PlayOptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace parcel {

namespace {

runtime::Error refused(const QString& file, const QString& reason)
{
    return runtime::Error(
        QStringLiteral("Filen %1 kan inte öppnas som kortlek: %2").arg(QDir::toNativeSeparators(file), reason));
}

QString megabytes(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(bytes >> 20);
}

// Why the raw name cannot be a file's name directly in the set's folder; empty when it can.
QString nameProblem(const QByteArray& raw)
{
    if (raw.isEmpty())
        return QStringLiteral("den innehåller en fil utan namn.");
    if (raw.contains('\0'))
        return QStringLiteral("den innehåller ett filnamn med ett nolltecken.");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString name = utf8.decode(raw);
    if (utf8.hasError())
        return QStringLiteral("den innehåller ett filnamn som inte är skrivet i UTF-8.");
    const bool drive = name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter();
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == QLatin1String(".")
        || name == QLatin1String("..") || drive)
        return QStringLiteral("namnet \"%1\" i den pekar ut ur kortlekens mapp.").arg(name);
    return QString();
}

// The names of the central directory as they are stored. The ZIP library reads a NUL in a
// name as a blank, which would hide it from nameProblem(); an archive whose directory cannot
// be found here is left to the library, which refuses it.
bool storedNameHasNul(const QByteArray& archive)
{
    const auto u16 = [&](qsizetype at) {
        return quint32(quint8(archive[at])) | quint32(quint8(archive[at + 1])) << 8;
    };
    const auto u32 = [&](qsizetype at) { return u16(at) | u16(at + 2) << 16; };
    const qsizetype end = archive.lastIndexOf(QByteArrayLiteral("PK\x05\x06"));
    if (end < 0 || end + 22 > archive.size())
        return false;
    qsizetype at = u32(end + 16);
    for (quint32 entry = 0; entry < u16(end + 10); ++entry) {
        if (at < 0 || at + 46 > archive.size() || archive.mid(at, 4) != QByteArrayLiteral("PK\x01\x02"))
            return false;
        const qsizetype length = u16(at + 28);
        if (at + 46 + length > archive.size())
            return false;
        if (std::memchr(archive.constData() + at + 46, 0, size_t(length)))
            return true;
        at += 46 + length + u16(at + 30) + u16(at + 32);
    }
    return false;
}

class OpenArchive {
public:
    OpenArchive(const QByteArray& archive, const QString& file)
    {
        const auto notCardFile = [&] {
            return refused(file, QStringLiteral("den är ingen kortleksfil, eller den är skadad."));
        };
        // A file manager knows a card file by these bytes, so nothing else is taken for one.
        if (!archive.startsWith(QByteArrayLiteral("PK\x03\x04")))
            throw notCardFile();
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(archive.constData(), zip_uint64_t(archive.size()), 0, &error);
        if (source)
            m_zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (source && !m_zip)
            zip_source_free(source);
        zip_error_fini(&error);
        if (!m_zip)
            throw notCardFile();
    }
    ~OpenArchive() { zip_discard(m_zip); }
    OpenArchive(const OpenArchive&) = delete;
    OpenArchive& operator=(const OpenArchive&) = delete;
    zip_t* get() const { return m_zip; }

private:
    zip_t* m_zip = nullptr;
};

// Walks the archive by its rules, handing each of the set's entries to `take` as it is
// inflated. Nothing is trusted that the archive only claims: sizes are counted as the bytes
// come.
void walk(const QByteArray& archive, const QString& file, const Limits& limits,
          const std::function<void(const QString& name, const QByteArray& bytes)>& take)
{
    const OpenArchive open(archive, file);
    zip_t* zip = open.get();
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    if (count > limits.entries)
        throw refused(file, QStringLiteral("den innehåller fler än %1 filer.").arg(limits.entries));
    if (storedNameHasNul(archive))
        throw refused(file, nameProblem(QByteArray(1, '\0')));
    const QString noType = QStringLiteral("den börjar inte med typen %1, så den är ingen kortleksfil.").arg(kMimeType);
    if (count < 1 || archive.mid(30, 8) != "mimetype")
        throw refused(file, noType);

    qint64 total = 0;
    QSet<QString> seen;
    bool cardSetFile = false;
    for (zip_uint64_t index = 0; index < zip_uint64_t(count); ++index) {
        const char* rawName = zip_get_name(zip, index, ZIP_FL_ENC_RAW);
        if (!rawName)
            throw refused(file, QStringLiteral("den är skadad."));
        if (const QString problem = nameProblem(QByteArray(rawName)); !problem.isEmpty())
            throw refused(file, problem);
        const QString name = QString::fromUtf8(rawName);
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(zip, index, 0, &system, &attributes) != 0)
            throw refused(file, QStringLiteral("den är skadad."));
        const mode_t type = (attributes >> 16) & S_IFMT;
        // 0x10 is the folder flag of the attributes every system writes.
        if ((system == ZIP_OPSYS_UNIX && type != 0 && type != S_IFREG) || (attributes & 0x10))
            throw refused(file, QStringLiteral("\"%1\" i den är en länk eller en mapp, inte en vanlig fil.").arg(name));
        if (seen.contains(name.toCaseFolded()))
            throw refused(file, QStringLiteral("den innehåller \"%1\" två gånger.").arg(name));
        seen.insert(name.toCaseFolded());
        cardSetFile = cardSetFile || name == settings::kFileName;

        zip_file_t* entry = zip_fopen_index(zip, index, 0);
        if (!entry)
            throw refused(file, QStringLiteral("\"%1\" i den går inte att packa upp.").arg(name));
        QByteArray bytes;
        char buffer[64 * 1024];
        for (;;) {
            const zip_int64_t got = zip_fread(entry, buffer, sizeof buffer);
            if (got < 0) {
                zip_fclose(entry);
                throw refused(file, QStringLiteral("\"%1\" i den är skadad.").arg(name));
            }
            if (got == 0)
                break;
            total += got;
            if (bytes.size() + got > limits.entryBytes) {
                zip_fclose(entry);
                throw refused(file, QStringLiteral("\"%1\" i den blir större än %2 när den packas upp.")
                                        .arg(name, megabytes(limits.entryBytes)));
            }
            if (total > limits.totalBytes) {
                zip_fclose(entry);
                throw refused(file,
                              QStringLiteral("den blir större än %1 när den packas upp.").arg(megabytes(limits.totalBytes)));
            }
            bytes.append(buffer, qsizetype(got));
        }
        zip_fclose(entry);
        if (index == 0) {
            zip_stat_t stat;
            zip_stat_init(&stat);
            if (name != kMimeEntry || bytes != kMimeType.toLatin1() || zip_stat_index(zip, 0, 0, &stat) != 0
                || !(stat.valid & ZIP_STAT_COMP_METHOD) || stat.comp_method != ZIP_CM_STORE)
                throw refused(file, noType);
            continue;
        }
        take(name, bytes);
    }
    if (!cardSetFile)
        throw refused(file, QStringLiteral("den innehåller ingen %1.").arg(settings::kFileName));
}

// The names the set's files may have: its two files, the pictures its cards name, and their
// recordings.
QSet<QString> namesOfSet(const settings::CardSet& set)
{
    QSet<QString> names{settings::kFileName, settings::kPlayOptionsFileName};
    for (const settings::Card& card : set.cards) {
        names << card.upperPicture << card.lowerPicture;
        if (const QString base = settings::soundBaseOf(card); !base.isEmpty()) {
            for (const char* suffix : settings::kSoundSuffixes)
                names << base + QLatin1Char('.') + QLatin1String(suffix);
        }
    }
    names.remove(QString());
    return names;
}

void writeNew(const QString& path, const QByteArray& bytes, const QString& file)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    int error = fd < 0 ? errno : runtime::writeWhole(fd, bytes);
    if (fd >= 0 && ::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        throw runtime::Error(QStringLiteral("Kortleken i filen %1 kunde inte packas upp i mappen %2:\n%3")
                                 .arg(QDir::toNativeSeparators(file),
                                      QDir::toNativeSeparators(QFileInfo(path).absolutePath()),
                                      runtime::reasonSentence(error)));
}

} // namespace

bool isCardFile(const QString& path)
{
    return QFileInfo(path).suffix().compare(kSuffix, Qt::CaseInsensitive) == 0;
}

Contents contentsOf(const QString& folder)
{
    const QDir dir(folder);
    const settings::CardSet set = settings::readCardSet(dir.filePath(settings::kFileName));
    Contents contents;
    contents.files << settings::kFileName;
    if (QFileInfo(dir.filePath(settings::kPlayOptionsFileName)).isFile())
        contents.files << settings::kPlayOptionsFileName;
    QStringList recordings;
    for (const settings::Card& card : set.cards) {
        for (const QString& picture : {card.upperPicture, card.lowerPicture}) {
            if (picture.isEmpty() || contents.files.contains(picture) || contents.missing.contains(picture))
                continue;
            if (nameProblem(picture.toUtf8()).isEmpty() && QFileInfo(dir.filePath(picture)).isFile())
                contents.files << picture;
            else
                contents.missing << picture;
        }
        for (const QString& sound : settings::ownSoundsOf(dir, card)) {
            if (!recordings.contains(sound))
                recordings << sound;
        }
    }
    for (const QString& sound : recordings) {
        if (!contents.files.contains(sound))
            contents.files << sound;
    }
    return contents;
}

QByteArray packCardFile(const QString& folder, const QStringList& files)
{
    const Limits limits;
    const QString setName = QFileInfo(folder).fileName();
    const auto cannot = [&](const QString& reason) {
        return runtime::Error(QStringLiteral("Kortleken \"%1\" kan inte delas som fil: %2").arg(setName, reason));
    };
    // What a card file may not hold is not written either, so that every file made here can be
    // taken in again.
    if (files.size() + 1 > limits.entries)
        throw cannot(QStringLiteral("den har fler än %1 filer.").arg(limits.entries - 1));
    QList<QByteArray> contents;
    qint64 total = kMimeType.size();
    for (const QString& name : files) {
        const QString path = QDir(folder).filePath(name);
        QByteArray bytes;
        if (const int error = runtime::readWholeFile(path, &bytes); error != 0)
            throw cannot(QStringLiteral("filen %1 kunde inte läsas: %2")
                             .arg(QDir::toNativeSeparators(path), runtime::reasonSentence(error)));
        if (bytes.size() > limits.entryBytes)
            throw cannot(QStringLiteral("filen %1 är större än %2.")
                             .arg(QDir::toNativeSeparators(path), megabytes(limits.entryBytes)));
        total += bytes.size();
        if (total > limits.totalBytes)
            throw cannot(QStringLiteral("filerna är större än %1 tillsammans.").arg(megabytes(limits.totalBytes)));
        contents << bytes;
    }

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* zip = out ? zip_open_from_source(out, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!zip) {
        zip_source_free(out);
        throw cannot(QStringLiteral("det finns inte minne nog."));
    }
    zip_source_keep(out);
    const QByteArray type = kMimeType.toLatin1();
    bool ok = true;
    const auto add = [&](const QString& name, const QByteArray& bytes, bool store) {
        zip_source_t* source = zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t index =
            source ? zip_file_add(zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (source && index < 0)
            zip_source_free(source);
        ok = ok && index >= 0
            && zip_set_file_compression(zip, zip_uint64_t(index), store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) == 0;
    };
    add(kMimeEntry, type, true);
    for (qsizetype i = 0; i < files.size(); ++i)
        add(files.at(i), contents.at(i), false);
    if (!ok || zip_close(zip) != 0) {
        zip_discard(zip);
        zip_source_free(out);
        throw cannot(QStringLiteral("filen kunde inte packas."));
    }
    QByteArray packed;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(out, &stat) == 0 && zip_source_open(out) == 0) {
        packed.resize(qsizetype(stat.size));
        if (zip_source_read(out, packed.data(), stat.size) != zip_int64_t(stat.size))
            packed.clear();
        zip_source_close(out);
    }
    zip_source_free(out);
    if (packed.isEmpty())
        throw cannot(QStringLiteral("filen kunde inte packas."));
    return packed;
}

void writeCardFile(const QString& folder, const QStringList& files, const QString& target)
{
    const QByteArray bytes = packCardFile(folder, files);
    const auto failure = [&](int error) {
        return runtime::Error(QStringLiteral("Filen %1 kunde inte sparas:\n%2")
                                  .arg(QDir::toNativeSeparators(target),
                                       error != 0 ? runtime::reasonSentence(error)
                                                  : QStringLiteral("Det gick inte att skriva den.")));
    };
    QSaveFile file(target);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failure(errno);
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        file.cancelWriting();
        throw failure(error);
    }
    errno = 0;
    if (!file.commit())
        throw failure(errno);
}

QByteArray readCardFileBytes(const QString& file)
{
    struct stat st;
    if (::stat(QFile::encodeName(file).constData(), &st) != 0) {
        const int error = errno;
        throw refused(file, error == ENOENT ? QStringLiteral("den finns inte.") : runtime::reasonSentence(error));
    }
    // A named pipe or a device would keep the program waiting for a file that never ends.
    if (!S_ISREG(st.st_mode))
        throw refused(file, QStringLiteral("den är ingen vanlig fil."));
    const Limits limits;
    if (st.st_size > limits.totalBytes)
        throw refused(file, QStringLiteral("den är större än %1.").arg(megabytes(limits.totalBytes)));
    QByteArray bytes;
    if (const int error = runtime::readWholeFile(file, &bytes); error != 0)
        throw refused(file, runtime::reasonSentence(error));
    return bytes;
}

QList<Entry> checkArchive(const QByteArray& archive, const QString& file, const Limits& limits, bool keep)
{
    QList<Entry> entries;
    walk(archive, file, limits, [&](const QString& name, const QByteArray& bytes) {
        entries.append({name, keep ? bytes : QByteArray()});
    });
    return entries;
}

void unpackInto(const QByteArray& archive, const QString& file, const QString& folder, const Limits& limits)
{
    // Every rule of the archive is kept before the first file is written.
    checkArchive(archive, file, limits);
    const QDir dir(folder);
    QStringList names;
    walk(archive, file, limits, [&](const QString& name, const QByteArray& bytes) {
        writeNew(dir.filePath(name), bytes, file);
        names << name;
    });
    settings::CardSet set;
    try {
        set = settings::readCardSet(dir.filePath(settings::kFileName));
    } catch (const runtime::Error& e) {
        throw refused(file, QStringLiteral("dess %1 går inte att läsa som en kortlek.\n\n%2")
                                .arg(settings::kFileName, e.message()));
    }
    const QSet<QString> own = namesOfSet(set);
    for (const QString& name : names) {
        if (!own.contains(name))
            throw refused(file, QStringLiteral("\"%1\" i den hör inte till kortleken.").arg(name));
    }
    for (const settings::Card& card : set.cards) {
        for (const QString& picture : {card.upperPicture, card.lowerPicture}) {
            if (!names.contains(picture))
                continue;
            try {
                pictures::checkPicture(dir.filePath(picture));
            } catch (const runtime::Error& e) {
                throw refused(file, QStringLiteral("en bild i den går inte att använda.\n\n%1").arg(e.message()));
            }
        }
    }
}

QString addToCardFolder(const QString& root, const QString& file, const Limits& limits)
{
    const QByteArray archive = readCardFileBytes(file);
    checkArchive(archive, file, limits);
    const QString wanted = QFileInfo(file).completeBaseName();
    const auto failure = [&](const QString& reason) {
        return runtime::Error(QStringLiteral("Kortleken i filen %1 kunde inte läggas till i mappen %2:\n%3")
                                  .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(root), reason));
    };
    const QString staging = QDir(root).absoluteFilePath(QStringLiteral(".%1.%2.ny").arg(kSuffix).arg(::getpid()));
    if (::mkdir(QFile::encodeName(staging).constData(), 0777) != 0)
        throw failure(runtime::reasonSentence(errno));
    try {
        unpackInto(archive, file, staging, limits);
        // Another program may take the free name first; the next one is tried then.
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString to = QDir(root).absoluteFilePath(cardsets::freeSetName(root, wanted));
            const int error = runtime::renameNoReplace(staging, to);
            if (error == 0)
                return to;
            if (error != EEXIST && error != ENOTEMPTY)
                throw failure(runtime::reasonSentence(error));
        }
        throw failure(QStringLiteral("Det finns redan en kortlek med det namnet."));
    } catch (...) {
        QDir(staging).removeRecursively();
        throw;
    }
}

QString unpackPrivately(const QString& file, const Limits& limits)
{
    const QByteArray archive = readCardFileBytes(file);
    checkArchive(archive, file, limits);
    QByteArray pattern = QFile::encodeName(QDir::tempPath()) + "/kortvy-XXXXXX";
    // mkdtemp makes the folder for this user alone.
    if (!::mkdtemp(pattern.data()))
        throw runtime::Error(QStringLiteral("Kortleken i filen %1 kunde inte packas upp:\n%2")
                                 .arg(QDir::toNativeSeparators(file), runtime::reasonSentence(errno)));
    const QString folder = QFile::decodeName(pattern);
    try {
        unpackInto(archive, file, folder, limits);
    } catch (...) {
        QDir(folder).removeRecursively();
        throw;
    }
    return folder;
}

} // namespace parcel
