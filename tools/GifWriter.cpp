#include "tools/GifWriter.h"

#include <QHash>
#include <QPainter>
#include <QSaveFile>

#include <array>
#include <vector>

namespace {

constexpr int kMaxSide = 65535;

struct Indexed {
    std::array<QRgb, 256> palette{};
    std::vector<quint8> pixels;
};

QImage flattened(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

int cubeLevel(int value, int levels)
{
    return (value * (levels - 1) + 127) / 255;
}

int cubeValue(int level, int levels)
{
    return (level * 255 + (levels - 1) / 2) / (levels - 1);
}

Indexed indexed(const QImage& source)
{
    const QImage image = flattened(source);
    const int width = image.width();
    const int height = image.height();
    Indexed result;
    result.pixels.resize(size_t(width) * size_t(height));

    QHash<QRgb, int> own;
    bool fits = true;
    for (int y = 0; y < height && fits; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb colour = row[x] | 0xFF000000u;
            auto it = own.constFind(colour);
            if (it == own.constEnd()) {
                if (own.size() == 256) {
                    fits = false;
                    break;
                }
                it = own.insert(colour, int(own.size()));
                result.palette[size_t(it.value())] = colour;
            }
            result.pixels[size_t(y) * size_t(width) + size_t(x)] = quint8(it.value());
        }
    }
    if (fits)
        return result;

    // Red and blue in six steps, green (to which the eye is most sensitive) in seven.
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                result.palette[size_t(r * 42 + g * 6 + b)] = qRgb(cubeValue(r, 6), cubeValue(g, 7), cubeValue(b, 6));
    for (int i = 252; i < 256; ++i)
        result.palette[size_t(i)] = qRgb(0, 0, 0);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = row[x];
            const int index = cubeLevel(qRed(c), 6) * 42 + cubeLevel(qGreen(c), 7) * 6 + cubeLevel(qBlue(c), 6);
            result.pixels[size_t(y) * size_t(width) + size_t(x)] = quint8(index);
        }
    }
    return result;
}

// Packs codes least significant bit first into data sub-blocks of at most 255 bytes.
class CodeStream {
public:
    explicit CodeStream(QByteArray& out) : m_out(out) {}

    void put(int code, int width)
    {
        m_bits |= quint32(code) << m_count;
        m_count += width;
        while (m_count >= 8) {
            putByte(quint8(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }

    void finish()
    {
        if (m_count > 0)
            putByte(quint8(m_bits & 0xFF));
        m_bits = 0;
        m_count = 0;
        flushBlock();
        m_out.append('\0');
    }

private:
    void putByte(quint8 byte)
    {
        m_block.append(char(byte));
        if (m_block.size() == 255)
            flushBlock();
    }

    void flushBlock()
    {
        if (m_block.isEmpty())
            return;
        m_out.append(char(m_block.size()));
        m_out.append(m_block);
        m_block.clear();
    }

    QByteArray& m_out;
    QByteArray m_block;
    quint32 m_bits = 0;
    int m_count = 0;
};

// Maps (prefix code, next index) to the code of that string, open addressing.
class StringTable {
public:
    StringTable() { clear(); }

    void clear() { m_keys.fill(0); }

    int find(quint32 key) const
    {
        for (quint32 slot = hash(key);; slot = (slot + 1) & kMask) {
            if (m_keys[slot] == 0)
                return -1;
            if (m_keys[slot] == key + 1)
                return m_codes[slot];
        }
    }

    void add(quint32 key, int code)
    {
        quint32 slot = hash(key);
        while (m_keys[slot] != 0)
            slot = (slot + 1) & kMask;
        m_keys[slot] = key + 1;
        m_codes[slot] = qint16(code);
    }

private:
    static constexpr quint32 kSlots = 8192;
    static constexpr quint32 kMask = kSlots - 1;

    static quint32 hash(quint32 key) { return (key * 2654435761u) >> 19; }

    std::array<quint32, kSlots> m_keys;
    std::array<qint16, kSlots> m_codes{};
};

void compress(const std::vector<quint8>& pixels, QByteArray& out)
{
    constexpr int kMinCodeSize = 8;
    constexpr int kClear = 1 << kMinCodeSize;
    constexpr int kEnd = kClear + 1;
    constexpr int kLastCode = 4095;

    out.append(char(kMinCodeSize));
    CodeStream stream(out);
    StringTable table;
    int width = kMinCodeSize + 1;
    int next = kEnd + 1;
    stream.put(kClear, width);

    int prefix = pixels.front();
    for (size_t i = 1; i < pixels.size(); ++i) {
        const int index = pixels[i];
        const quint32 key = (quint32(prefix) << 8) | quint32(index);
        const int found = table.find(key);
        if (found >= 0) {
            prefix = found;
            continue;
        }
        stream.put(prefix, width);
        if (next == kLastCode) {
            // Start over before the table fills, as every decoder expects.
            stream.put(kClear, width);
            table.clear();
            width = kMinCodeSize + 1;
            next = kEnd + 1;
        } else {
            table.add(key, next++);
            // The decoder adds each string one code later, so it widens one code later too.
            if (next > (1 << width) && width < 12)
                ++width;
        }
        prefix = index;
    }
    stream.put(prefix, width);
    stream.put(kEnd, width);
    stream.finish();
}

void appendWord(QByteArray& out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

} // namespace

QImage quantiseForGif(const QImage& image)
{
    if (image.isNull())
        return {};
    const Indexed data = indexed(image);
    QImage result(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            row[x] = data.palette[data.pixels[size_t(y) * size_t(result.width()) + size_t(x)]];
    }
    return result;
}

QByteArray encodeGif(const QImage& image)
{
    if (image.isNull() || image.width() > kMaxSide || image.height() > kMaxSide)
        return {};
    const Indexed data = indexed(image);

    QByteArray out("GIF89a");
    appendWord(out, image.width());
    appendWord(out, image.height());
    out.append(char(0xF7));  // global colour table of 256 entries, 8 bits per primary
    out.append('\0');        // background colour index
    out.append('\0');        // no aspect ratio given
    for (QRgb colour : data.palette) {
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }

    out.append(char(0x2C));
    appendWord(out, 0);
    appendWord(out, 0);
    appendWord(out, image.width());
    appendWord(out, image.height());
    out.append('\0');  // no local colour table, not interlaced

    compress(data.pixels, out);
    out.append(char(0x3B));
    return out;
}

bool writeGif(const QImage& image, const QString& path)
{
    const QByteArray bytes = encodeGif(image);
    if (bytes.isEmpty())
        return false;
    QSaveFile file(path);
    // Unbuffered, so that a short write is seen before commit() puts the file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}
