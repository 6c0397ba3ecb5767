#pragma once

#include "forms/Geometry.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>
#include <optional>

namespace forms {

// A picture among several that could not be decoded: its place in the list, and why.
struct PictureFailure {
    int position;
    QString message;
};

// A picture box: a picture loaded by file name (relative to the current folder), stretched
// to the box. Loading reads the file's header only, so that a missing file or one that holds
// no readable picture is reported at once; the picture itself is decoded at the size it is
// shown (in device pixels) and only when it is shown.
class PictureBox : public QWidget, public Geometry {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Throws runtime::Error naming the file when it is missing or holds no readable picture.
    // The picture's name without its extension becomes the box's accessible name.
    void load(const QString& fileName);
    void clearPicture();
    bool hasPicture() const { return !m_file.isEmpty(); }
    QString fileName() const { return m_file; }

    void setBorder(bool on);

    // Decodes the picture for the current size now; throws runtime::Error when the file
    // cannot be decoded. Painting decodes on demand and never throws.
    void decode();
    bool isDecoded() const;
    // What the box holds now, at its decoded size (null before decoding).
    QImage decodedImage() const { return m_image; }

signals:
    // A click of the left button, released over the box.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void geometryChanged() override;

private:
    friend std::optional<PictureFailure> decodeShownPictures(const QList<PictureBox*>& boxes, bool shared);
    QSize targetSize() const;

    QString m_file;
    QImage m_image;
    QSize m_decodedFor;
    bool m_border = false;
};

// Decodes the pictures of the shown boxes among `boxes` for their present sizes, on every
// core, so that the first paint has them all. When any cannot be decoded, none is changed and
// the first in the given order is returned. `shared` takes them from the desktop's thumbnail
// cache where an entry covers the size.
std::optional<PictureFailure> decodeShownPictures(const QList<PictureBox*>& boxes, bool shared = false);

} // namespace forms
