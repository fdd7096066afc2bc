#include "SvgRaster.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

namespace {

constexpr int IcoHeaderSize = 6;
constexpr int IcoEntrySize = 16;
constexpr int IcoPngFromSize = 256;

bool hasVisiblePixel(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                return true;
            }
        }
    }
    return false;
}

// One icon entry as Qt's writer makes it: the 16-byte directory entry and the image data.
bool icoEntry(const QImage& image, QByteArray* entry, QByteArray* data)
{
    QByteArray single;
    QBuffer buffer(&single);
    buffer.open(QIODevice::WriteOnly);
    if (image.width() >= IcoPngFromSize) {
        if (!image.save(&buffer, "PNG")) {
            return false;
        }
        *data = single;
        entry->fill('\0', IcoEntrySize);
        (*entry)[0] = char(image.width() & 0xff); // 0 stands for 256
        (*entry)[1] = char(image.height() & 0xff);
        qToLittleEndian<quint16>(1, entry->data() + 4);  // planes
        qToLittleEndian<quint16>(32, entry->data() + 6); // bits per pixel
        qToLittleEndian<quint32>(quint32(data->size()), entry->data() + 8);
        return true;
    }
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image) || single.size() < IcoHeaderSize + IcoEntrySize
        || qFromLittleEndian<quint16>(single.constData() + 4) != 1) {
        return false;
    }
    *entry = single.mid(IcoHeaderSize, IcoEntrySize);
    const quint32 offset = qFromLittleEndian<quint32>(entry->constData() + 12);
    const quint32 length = qFromLittleEndian<quint32>(entry->constData() + 8);
    if (offset + length > quint32(single.size())) {
        return false;
    }
    *data = single.mid(int(offset), int(length));
    return true;
}

} // namespace

SvgRaster::SvgRaster() = default;
SvgRaster::~SvgRaster() = default;

bool SvgRaster::load(const QString& svgPath)
{
    QFile file(svgPath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot read %1: %2").arg(svgPath, file.errorString());
        return false;
    }
    m_renderer = std::make_unique<QSvgRenderer>(file.readAll());
    if (!m_renderer->isValid()) {
        m_error = QStringLiteral("%1 is not valid SVG").arg(svgPath);
        return false;
    }
    m_size = m_renderer->defaultSize();
    if (m_size.isEmpty()) {
        m_error = QStringLiteral("%1 declares no width and height").arg(svgPath);
        return false;
    }
    return true;
}

QImage SvgRaster::render(QSize size) const
{
    if (!size.isValid()) {
        size = m_size;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    m_renderer->render(&painter, QRectF(QPointF(0, 0), size));
    painter.end();
    image = image.convertToFormat(QImage::Format_ARGB32);
    return hasVisiblePixel(image) ? image : QImage();
}

QByteArray SvgRaster::icoFile(const QList<QImage>& images, QString* error)
{
    QByteArray header(IcoHeaderSize, '\0');
    qToLittleEndian<quint16>(1, header.data() + 2); // type: icon
    qToLittleEndian<quint16>(quint16(images.size()), header.data() + 4);
    QByteArray entries;
    QByteArray payload;
    const int dataStart = IcoHeaderSize + IcoEntrySize * int(images.size());
    for (const QImage& image : images) {
        QByteArray entry;
        QByteArray data;
        if (!icoEntry(image, &entry, &data)) {
            *error = QStringLiteral("cannot encode the %1 px icon").arg(image.width());
            return {};
        }
        qToLittleEndian<quint32>(quint32(dataStart + payload.size()), entry.data() + 12);
        entries += entry;
        payload += data;
    }
    return header + entries + payload;
}
