#include "settings/ValueReader.h"

#include "settings/FileError.h"
#include "settings/TextEncoding.h"

#include <QFileInfo>

namespace settings {

namespace {

constexpr qsizetype kChunk = 64 * 1024;
constexpr qsizetype kShownBytes = 60;

bool isBlank(int c)
{
    return c == ' ' || c == '\t';
}

} // namespace

// A value as it can be quoted in a message: decoded, and cut when long.
QString ValueReader::shown(const QByteArray& bytes) const
{
    if (bytes.size() <= kShownBytes)
        return decodeText(bytes, m_encoding);
    return decodeText(QByteArrayView(bytes).first(kShownBytes), m_encoding) + QStringLiteral("…");
}

namespace {

} // namespace

ValueReader::ValueReader(const QString& path)
    : m_path(QFileInfo(path).absoluteFilePath()),
      m_file(m_path)
{
    const QFileInfo info(m_path);
    if (!info.exists())
        fail(0, QStringLiteral("filen finns inte"));
    if (info.isDir())
        fail(0, QStringLiteral("det är en mapp och inte en fil"));
    // A pipe or a device would keep the program waiting for data that never comes.
    if (!info.isFile())
        fail(0, QStringLiteral("det är ingen vanlig fil"));
    if (!m_file.open(QIODevice::ReadOnly))
        fail(0, QStringLiteral("filen kan inte öppnas (%1)").arg(m_file.errorString()));
}

qint16 ValueReader::readNumber()
{
    const Value value = readValue();
    if (value.quoted) {
        fail(m_line, QStringLiteral("raden ska innehålla ett heltal men innehåller texten \"%1\" inom citattecken")
                         .arg(shown(value.bytes)));
    }
    QByteArrayView digits(value.bytes);
    while (!digits.isEmpty() && isBlank(digits.back()))
        digits.chop(1);
    if (digits.isEmpty())
        fail(m_line, QStringLiteral("raden ska innehålla ett heltal men är tom"));

    bool negative = false;
    if (digits.front() == '+' || digits.front() == '-') {
        negative = digits.front() == '-';
        digits = digits.sliced(1);
    }
    bool wellFormed = !digits.isEmpty();
    qint64 magnitude = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            wellFormed = false;
            break;
        }
        if (magnitude <= 32768)
            magnitude = magnitude * 10 + (c - '0');
    }
    if (!wellFormed) {
        fail(m_line, QStringLiteral("raden ska innehålla ett heltal men innehåller \"%1\"")
                         .arg(shown(value.bytes)));
    }
    const qint64 number = negative ? -magnitude : magnitude;
    if (number < -32768 || number > 32767) {
        fail(m_line, QStringLiteral("talet %1 ligger utanför det tillåtna området -32768 till 32767")
                         .arg(shown(value.bytes.trimmed())));
    }
    return static_cast<qint16>(number);
}

QString ValueReader::readText()
{
    return decodeText(readValue().bytes, m_encoding);
}

ValueReader::Value ValueReader::readValue()
{
    checkStart();
    while (isBlank(peekByte()))
        takeByte();
    int c = peekByte();
    if (c < 0)
        failAtEnd();
    m_line = m_nextLine;

    Value value;
    auto append = [&](int byte) {
        if (value.bytes.size() >= kMaxValueBytes) {
            fail(m_line, QStringLiteral("värdet är längre än %1 tecken; filen är inte en korrekt inställningsfil")
                             .arg(kMaxValueBytes));
        }
        value.bytes.append(static_cast<char>(byte));
    };
    // Takes the comma or line end that closes the value; false when c is none of them.
    auto closes = [&](int byte) {
        if (byte == ',')
            return true;
        if (byte == '\r' || byte == '\n') {
            if (byte == '\r' && peekByte() == '\n')
                takeByte();
            ++m_nextLine;
            return true;
        }
        return false;
    };

    if (c == '"') {
        value.quoted = true;
        takeByte();
        for (;;) {
            c = takeByte();
            if (c < 0 || c == '\r' || c == '\n') {
                fail(m_line, QStringLiteral("texten börjar med citattecken men raden tar slut innan texten "
                                            "avslutas med ett citattecken"));
            }
            if (c == '"')
                break;
            append(c);
        }
        m_endedUnclosed = true;
        while (peekByte() >= 0) {
            if (closes(takeByte())) {
                m_endedUnclosed = false;
                break;
            }
        }
    } else {
        m_endedUnclosed = true;
        while (peekByte() >= 0) {
            c = takeByte();
            if (closes(c)) {
                m_endedUnclosed = false;
                break;
            }
            append(c);
        }
    }
    return value;
}

void ValueReader::checkStart()
{
    if (m_started)
        return;
    m_started = true;
    // How the texts are written is decided on every byte the values may take, before the
    // first value is read, so that a reader hands each value on the moment it is read.
    constexpr qint64 kDecidedOn = kMaxReadBytes + kUtf8Mark.size();
    const qint64 size = m_file.size();
    m_buffer.reserve(qMin(size, kDecidedOn) + kChunk);
    while (m_size < kDecidedOn && !m_atEnd) {
        // A file that grows while it is read is decided on what it held when it was opened.
        if (m_size >= size || !fill())
            break;
    }
    const QByteArrayView start = QByteArrayView(m_buffer).first(qMin<qsizetype>(m_size, kDecidedOn));
    if (start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF")) {
        fail(1, QStringLiteral("filen är sparad som Unicode (UTF-16). "
                               "Spara den som UTF-8 eller ANSI (Windows-1252) i stället"));
    }
    const bool more = !m_atEnd && (m_size > start.size() || size > start.size());
    const DecidedEncoding decided = decideEncoding(start, more);
    m_encoding = decided.encoding;
    m_pos = decided.markSize;
}

bool ValueReader::fill()
{
    if (m_atEnd)
        return false;
    // Keeps bytes not taken yet; only checkStart asks for more before the buffer is used up.
    if (m_buffer.size() < m_size + kChunk)
        m_buffer.resize(m_size + kChunk);
    const qint64 got = m_file.read(m_buffer.data() + m_size, kChunk);
    if (got < 0)
        fail(m_nextLine, QStringLiteral("filen kan inte läsas (%1)").arg(m_file.errorString()));
    if (got == 0) {
        m_atEnd = true;
        return false;
    }
    m_size += got;
    return true;
}

int ValueReader::peekByte()
{
    if (m_pos == m_size) {
        m_pos = 0;
        m_size = 0;
        if (!fill())
            return -1;
    }
    return static_cast<unsigned char>(m_buffer[m_pos]);
}

int ValueReader::takeByte()
{
    const int c = peekByte();
    if (c == 0) {
        fail(m_nextLine, QStringLiteral("raden innehåller ett NUL-tecken (byte 0); "
                                        "filen är ingen textfil i Windows-1252"));
    }
    if (c >= 0) {
        if (++m_taken > kMaxReadBytes) {
            fail(m_nextLine, QStringLiteral("filen är längre än %1 MB innan alla värden är lästa; "
                                            "den är ingen korrekt inställningsfil")
                                 .arg(kMaxReadBytes >> 20));
        }
        ++m_pos;
        m_lastByte = c;
    }
    return c;
}

void ValueReader::failAtEnd() const
{
    const bool endsMidLine = m_lastByte >= 0 && m_lastByte != '\r' && m_lastByte != '\n';
    const int lines = endsMidLine ? m_nextLine : m_nextLine - 1;
    // After a value that the file's end closed, the next one would have stood on the next line.
    const int wanted = m_endedUnclosed ? m_nextLine + 1 : m_nextLine;
    fail(wanted, QStringLiteral("filen tar slut här, men fler värden behövs (filen har bara %1 %2)")
                     .arg(lines)
                     .arg(lines == 1 ? QStringLiteral("rad") : QStringLiteral("rader")));
}

void ValueReader::fail(int line, const QString& problem) const
{
    throw fileError(m_path, line, problem);
}

} // namespace settings
