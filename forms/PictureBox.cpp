#include "forms/PictureBox.h"

#include "pictures/Picture.h"
#include "runtime/Error.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

namespace forms {

std::optional<PictureFailure> decodeShownPictures(const QList<PictureBox*>& boxes, bool shared)
{
    QList<PictureBox*> decoding;
    QList<int> positions;
    QList<pictures::PictureRequest> requests;
    for (int i = 0; i < boxes.size(); ++i) {
        PictureBox* box = boxes[i];
        if (!box->isHidden() && box->hasPicture() && !box->isDecoded()) {
            decoding << box;
            positions << i;
            requests << pictures::PictureRequest{box->m_file, box->targetSize(), shared};
        }
    }
    pictures::DecodedPictures decoded = pictures::decodePictures(requests);
    if (decoded.failedAt >= 0)
        return PictureFailure{positions[decoded.failedAt], decoded.failure};
    for (int i = 0; i < decoding.size(); ++i) {
        decoding[i]->m_image = std::move(decoded.images[i]);
        decoding[i]->m_decodedFor = requests[i].size;
        decoding[i]->update();
    }
    return std::nullopt;
}

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
    , Geometry(this)
{
}

void PictureBox::load(const QString& fileName)
{
    pictures::checkPicture(fileName);
    m_file = fileName;
    // A screen reader says the picture's name, unless the program gives a better one.
    setAccessibleName(QFileInfo(fileName).completeBaseName());
    m_image = QImage();
    m_decodedFor = QSize();
    update();
}

void PictureBox::clearPicture()
{
    m_file.clear();
    setAccessibleName(QString());
    m_image = QImage();
    m_decodedFor = QSize();
    update();
}

void PictureBox::setBorder(bool on)
{
    m_border = on;
    update();
}

QSize PictureBox::targetSize() const
{
    const int inset = m_border ? 2 : 0;
    const qreal ratio = devicePixelRatioF();
    return QSize(qMax(0, qRound((width() - inset) * ratio)), qMax(0, qRound((height() - inset) * ratio)));
}

bool PictureBox::isDecoded() const
{
    return !m_file.isEmpty() && m_decodedFor == targetSize();
}

void PictureBox::decode()
{
    if (m_file.isEmpty() || isDecoded())
        return;
    const QSize size = targetSize();
    m_image = pictures::decodePicture(m_file, size);
    m_decodedFor = size;
}

void PictureBox::geometryChanged()
{
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int inset = m_border ? 1 : 0;
    if (!m_file.isEmpty() && !isDecoded()) {
        try {
            decode();
        } catch (const runtime::Error&) {
            m_image = QImage();
            m_decodedFor = targetSize();
        }
    }
    if (!m_image.isNull())
        p.drawImage(rect().adjusted(inset, inset, -inset, -inset), m_image);
    if (m_border) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace forms
