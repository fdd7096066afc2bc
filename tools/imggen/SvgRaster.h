#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <memory>

class QSvgRenderer;

// Turns one SVG file into images: at the size the file declares, or square at given sizes.
class SvgRaster
{
public:
    SvgRaster();
    ~SvgRaster();

    // Loads the file; false (with error()) when it cannot be read or is not valid SVG.
    bool load(const QString& svgPath);

    QSize declaredSize() const { return m_size; }
    // An invalid size renders at the declared size. A null image when nothing visible came out.
    QImage render(QSize size = QSize()) const;
    // A Windows icon with one entry per image: small sizes as bitmaps, 256 px as PNG, as the
    // desktop expects.
    static QByteArray icoFile(const QList<QImage>& images, QString* error);

    QString error() const { return m_error; }

private:
    std::unique_ptr<QSvgRenderer> m_renderer;
    QSize m_size;
    QString m_error;
};
