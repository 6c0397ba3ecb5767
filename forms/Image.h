#pragma once

#include "runtime/Error.h"
#include "forms/Geometry.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>

namespace forms {

// A picture box: a picture loaded by file name (relative to the current directory),
// stretched to the box. Loading reads the file's header only, so that a missing file or
// one that holds no readable picture is reported at once; the picture itself is decoded
// at the size it is shown (in device pixels) and only when it is shown.
class Image : public QWidget, public Geometry {
public:
    explicit Image(QWidget* parent = nullptr);

    // Throws runtime::Error naming the file when it is missing or holds no readable picture.
    // The picture's name without its extension becomes the box's accessible name.
    void LoadPicture(const QString& fileName);
    void clearPicture();
    bool hasPicture() const { return !file_.isEmpty(); }
    QString pictureFile() const { return file_; }

    void setBorder(bool on);

    // Decodes the picture for the current size now; throws runtime::Error when the file
    // cannot be decoded. Painting decodes on demand and never throws.
    void decode();
    bool isDecoded() const;
    // What the box holds now, at its decoded size (null before decoding).
    QImage decodedImage() const { return image_; }

    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void geometryChanged() override;

private:
    friend void decodePictures(const QList<Image*>& images);
    QSize targetSize() const;

    QString file_;
    QImage image_;
    QSize decodedFor_;
    bool border_ = false;
};

// A picture of a list that could not be decoded: `position` is its place in the list.
class PictureError : public runtime::Error {
public:
    PictureError(const QString& message, int position)
        : runtime::Error(message)
        , position(position)
    {
    }
    int position;
};

// Decodes the pictures of the shown boxes among `images` for their present sizes, on
// every core. When any cannot be decoded, the first in the given order is reported as a
// PictureError and none is changed.
void decodePictures(const QList<Image*>& images);

// Decodes a picture file at the given size in device pixels, stretched to fill it and
// stood upright by its orientation tag. Throws runtime::Error naming the file, also when the
// picture would need more than kPictureMemoryMB to decode.
QImage decodePicture(const QString& fileName, QSize size);

// The most memory, in megabytes, that decoding one picture may take.
constexpr int kPictureMemoryMB = 256;

// Puts the memory limit for decoding pictures in place; done once, before the first
// picture is read. Program start-up calls it before any other thread runs.
void limitPictureMemory();

} // namespace forms
