#pragma once

#include "settings/TextEncoding.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace settings {

// Reads the card set's file one value at a time, from the start, the way both programs read
// it. A value is a number or a text:
//   - blanks before a value are skipped;
//   - a value beginning with '"' is the text up to the next '"' on the same line, commas
//     included; anything between the closing quote and the next comma or line end is skipped;
//   - any other value ends at a comma or at the line end;
//   - the next value starts after the comma or line end that closed this one.
// Texts are decoded as decideEncoding() says for the file's start.
// Lines end with CR LF, LF or CR. Only as much of the file is parsed as the values asked for;
// whatever follows them is never looked at. Every failure throws runtime::Error naming the file and
// the line.
class ValueReader {
public:
    // Opens the file now; throws runtime::Error when it is missing or cannot be opened.
    explicit ValueReader(const QString& path);

    ValueReader(const ValueReader&) = delete;
    ValueReader& operator=(const ValueReader&) = delete;

    // A 16-bit signed integer: optional sign, digits, optionally blanks after them.
    qint16 readNumber();
    QString readText();

    // 1-based line of the value read last; 0 before the first.
    int line() const { return m_line; }
    // The file's absolute path.
    QString path() const { return m_path; }

    // No single value may be longer than this many bytes.
    static constexpr qsizetype kMaxValueBytes = qsizetype(1) << 20;
    // Nor may the values asked for take more than this many bytes of the file together, so
    // that what a reader keeps stays small whatever the file holds.
    static constexpr qint64 kMaxReadBytes = qint64(16) << 20;

private:
    struct Value {
        QByteArray bytes;
        bool quoted = false;
    };

    Value readValue();
    void checkStart();
    int peekByte();
    int takeByte();
    bool fill();
    QString shown(const QByteArray& bytes) const;
    [[noreturn]] void failAtEnd() const;
    [[noreturn]] void fail(int line, const QString& problem) const;

    QString m_path;
    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_size = 0;
    bool m_atEnd = false;
    bool m_started = false;
    TextEncoding m_encoding = TextEncoding::Windows1252;
    int m_nextLine = 1;   // line of the next byte to take
    int m_line = 0;
    int m_lastByte = -1;  // the byte taken last, -1 before the first
    qint64 m_taken = 0;   // bytes taken so far
    bool m_endedUnclosed = false;  // the last value ended at the file's end, not at a comma or line end
};

} // namespace settings
