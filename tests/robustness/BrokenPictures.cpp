#include "tests/robustness/BrokenPictures.h"

#include <QtEndian>

namespace {

void put16be(QByteArray& out, int v)
{
    out += char((v >> 8) & 0xFF);
    out += char(v & 0xFF);
}

void put16le(QByteArray& out, int v)
{
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void put32le(QByteArray& out, quint32 v)
{
    put16le(out, int(v & 0xFFFF));
    put16le(out, int(v >> 16));
}

// A Huffman table that holds one symbol with the one-bit code 0.
void oneSymbolTable(QByteArray& out, int tableClass, char symbol)
{
    out += "\xFF\xC4";
    put16be(out, 2 + 1 + 16 + 1);
    out += char(tableClass << 4);
    out += char(1);
    out += QByteArray(15, '\0');
    out += symbol;
}

} // namespace

QByteArray greyJpeg(QSize size, bool progressive)
{
    QByteArray out("\xFF\xD8", 2);
    // Quantisation: all ones.
    out += "\xFF\xDB";
    put16be(out, 67);
    out += '\0';
    out += QByteArray(64, '\1');
    // One component, no subsampling.
    out += progressive ? "\xFF\xC2" : "\xFF\xC0";
    put16be(out, 11);
    out += char(8);
    put16be(out, size.height());
    put16be(out, size.width());
    out += char(1);
    out += char(1);
    out += char(0x11);
    out += '\0';
    // DC differences are all of category 0 and every block ends at once: each block is
    // the DC code 0 and, in a baseline picture, the end-of-block code 0. A progressive
    // picture holds its DC scan only; its AC coefficients stay zero.
    oneSymbolTable(out, 0, '\0');
    if (!progressive)
        oneSymbolTable(out, 1, '\0');
    out += "\xFF\xDA";
    put16be(out, 8);
    out += char(1);
    out += char(1);
    out += '\0';
    out += '\0';
    out += char(progressive ? 0 : 63);
    out += '\0';
    const qint64 blocks = qint64((size.width() + 7) / 8) * ((size.height() + 7) / 8);
    const qint64 bits = (progressive ? 1 : 2) * blocks;
    out += QByteArray(bits / 8, '\0');
    if (bits % 8)
        out += char(0xFF >> (bits % 8));  // the rest of the last byte is padded with ones
    out += "\xFF\xD9";
    return out;
}

QByteArray gifClaiming(QSize screen)
{
    QByteArray out("GIF89a");
    put16le(out, screen.width());
    put16le(out, screen.height());
    out += char(0x80);  // a global colour table of two entries
    out += '\0';
    out += '\0';
    out += QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6);
    // One image of one pixel at the top left.
    out += ',';
    put16le(out, 0);
    put16le(out, 0);
    put16le(out, 1);
    put16le(out, 1);
    out += '\0';
    // LZW with a minimum code size of 2: clear, pixel 0, end.
    out += char(2);
    out += char(2);
    out += QByteArray("\x44\x01", 2);
    out += '\0';
    out += ';';
    return out;
}

QByteArray bmpClaiming(QSize size, int pixelBytes)
{
    const quint32 rowBytes = quint32((size.width() * 3 + 3) / 4 * 4);
    const quint32 imageBytes = rowBytes * quint32(size.height());
    QByteArray out("BM");
    put32le(out, 54 + imageBytes);
    put32le(out, 0);
    put32le(out, 54);
    put32le(out, 40);
    put32le(out, quint32(size.width()));
    put32le(out, quint32(size.height()));
    put16le(out, 1);
    put16le(out, 24);
    put32le(out, 0);
    put32le(out, imageBytes);
    put32le(out, 2835);
    put32le(out, 2835);
    put32le(out, 0);
    put32le(out, 0);
    out += QByteArray(pixelBytes, char(0x80));
    return out;
}
