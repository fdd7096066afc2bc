// qx7-imggen SVG OUT [SIZE...]
// OUT ending in .png without sizes: the size the SVG declares; with one size: a square of that size.
// OUT ending in .ico: one icon entry per size. The output is replaced only when rendering succeeded.
#include "SvgRaster.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

namespace {

QtMessageHandler g_previousHandler = nullptr;
bool g_svgWarned = false;

// The renderer skips what it does not support with a warning; a skipped element is a broken picture.
void svgWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtDebugMsg && context.category && QByteArray(context.category).startsWith("qt.svg")) {
        g_svgWarned = true;
    }
    g_previousHandler(type, context, message);
}

int fail(const QString& message)
{
    std::fprintf(stderr, "qx7-imggen: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    g_previousHandler = qInstallMessageHandler(svgWarnings);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        return fail(QStringLiteral("usage: qx7-imggen SVG OUT [SIZE...]"));
    }
    const QString svgPath = args.at(0);
    const QString outPath = args.at(1);
    QList<int> sizes;
    for (const QString& text : args.mid(2)) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            return fail(QStringLiteral("bad size: %1").arg(text));
        }
        sizes.append(size);
    }

    const QString suffix = QFileInfo(outPath).suffix().toLower();
    const bool ico = suffix == QLatin1String("ico");
    if (!ico && (suffix != QLatin1String("png") || sizes.size() > 1)) {
        return fail(QStringLiteral("%1: write one .png or an .ico").arg(outPath));
    }
    if (ico && sizes.isEmpty()) {
        return fail(QStringLiteral("%1: an icon needs its sizes").arg(outPath));
    }

    SvgRaster raster;
    if (!raster.load(svgPath)) {
        return fail(raster.error());
    }
    QList<QImage> images;
    if (sizes.isEmpty()) {
        images.append(raster.render());
    }
    for (int size : sizes) {
        images.append(raster.render(QSize(size, size)));
    }
    if (g_svgWarned) {
        return fail(QStringLiteral("%1 uses something the renderer does not support").arg(svgPath));
    }
    for (const QImage& image : images) {
        if (image.isNull()) {
            return fail(QStringLiteral("%1 draws nothing visible").arg(svgPath));
        }
    }

    QByteArray bytes;
    if (ico) {
        QString error;
        bytes = SvgRaster::icoFile(images, &error);
        if (bytes.isEmpty()) {
            return fail(error);
        }
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!images.first().save(&buffer, "PNG")) {
            return fail(QStringLiteral("cannot encode %1").arg(outPath));
        }
    }

    QDir().mkpath(QFileInfo(outPath).absolutePath());
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        return fail(QStringLiteral("cannot write %1: %2").arg(outPath, out.errorString()));
    }
    return 0;
}
