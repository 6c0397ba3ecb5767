#include "settings/TextEncoding.h"

#include "settings/Windows1252.h"

namespace settings {

namespace {

enum class Utf8Scan { Invalid, Ascii, MultiByte };

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
Utf8Scan scanUtf8(QByteArrayView bytes, bool more)
{
    bool multiByte = false;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            return Utf8Scan::Invalid;
        }
        for (int k = 1; k < length; ++k) {
            if (i + k == n) {
                if (!more)
                    return Utf8Scan::Invalid;
                return multiByte ? Utf8Scan::MultiByte : Utf8Scan::Ascii;
            }
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
                return Utf8Scan::Invalid;
        }
        multiByte = true;
        i += length;
    }
    return multiByte ? Utf8Scan::MultiByte : Utf8Scan::Ascii;
}

} // namespace

DecidedEncoding decideEncoding(QByteArrayView start, bool more)
{
    if (start.startsWith(kUtf8Mark))
        return {TextEncoding::Utf8, kUtf8Mark.size()};
    if (scanUtf8(start, more) == Utf8Scan::MultiByte)
        return {TextEncoding::Utf8, 0};
    return {TextEncoding::Windows1252, 0};
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? QString::fromUtf8(bytes) : decodeWindows1252(bytes);
}

QByteArray encodeFileText(const QString& text)
{
    bool fits = false;
    const QByteArray old = encodeWindows1252(text, &fits);
    if (fits && decideEncoding(old).encoding == TextEncoding::Windows1252)
        return old;
    return kUtf8Mark.toByteArray() + text.toUtf8();
}

} // namespace settings
