// The images the scene asks for are compiled in at their paths and sizes; the icons rendered beside the
// programs hold every size the tray and the desktop pick from.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QTest>

class TestSceneImages : public QObject
{
    Q_OBJECT

private slots:
    void resourceImage();
    void backgroundLeavesCornersClear();
    void icon_data();
    void icon();
};

// Every artwork source is compiled in where the scene asks for it ("/" for the top folder, "/GROUP"
// for a skin's group), at the size its SVG declares.
void TestSceneImages::resourceImage()
{
    const QDir src(qEnvironmentVariable("QX7_SOURCE_DIR") + QStringLiteral("/modules/img/src"));
    const QRegularExpression svgSize(QStringLiteral("<svg[^>]*\\swidth=\"(\\d+)\"[^>]*\\sheight=\"(\\d+)\""));
    int checked = 0;
    QDirIterator it(src.path(), {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString svg = src.relativeFilePath(it.next());
        if (svg == QLatin1String("logo.svg")) {
            continue; // the icons, checked below
        }
        QFile file(it.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QRegularExpressionMatch size = svgSize.match(QString::fromUtf8(file.readAll()));
        QVERIFY2(size.hasMatch(), qPrintable(svg));
        const QString group = svg.startsWith(QLatin1String("skin"))
                                  ? QLatin1Char('/') + svg.section(QLatin1Char('/'), 1, 1)
                                  : QString();
        const QString path
            = QLatin1Char(':') + group + QStringLiteral("/modules/img/") + svg.chopped(4) + QStringLiteral(".png");
        QImageReader reader(path);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(path + QLatin1String(": ") + reader.errorString()));
        QCOMPARE(image.size(), QSize(size.captured(1).toInt(), size.captured(2).toInt()));
        ++checked;
    }
    QVERIFY(checked > 30);
}

// The window has no frame: outside the background's rounded corners the desktop shows through.
void TestSceneImages::backgroundLeavesCornersClear()
{
    const QImage image(QStringLiteral(":/modules/img/background.png"));
    QVERIFY(image.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(1023, 0), QPoint(0, 639), QPoint(1023, 639)}) {
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    }
    QCOMPARE(qAlpha(image.pixel(512, 320)), 255);
}

void TestSceneImages::icon_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QList<int>>("sizes");
    // clang-format off
    QTest::newRow("tray") << "modules/img/logo.ico" << QList<int>{16, 32, 48, 256};
    QTest::newRow("desktop 64") << "dist/linux/icons/hicolor/64x64/apps/qx7-config.png" << QList<int>{64};
    QTest::newRow("desktop 128") << "dist/linux/icons/hicolor/128x128/apps/qx7-config.png" << QList<int>{128};
    QTest::newRow("desktop 256") << "dist/linux/icons/hicolor/256x256/apps/qx7-config.png" << QList<int>{256};
    // clang-format on
}

void TestSceneImages::icon()
{
    QFETCH(QString, path);
    QFETCH(QList<int>, sizes);
    const QString file = qEnvironmentVariable("QX7_BUILD_DIR") + QLatin1Char('/') + path;
    QImageReader reader(file);
    QList<int> found;
    for (int i = 0; i < qMax(reader.imageCount(), 1); ++i) {
        QVERIFY(reader.jumpToImage(i) || i == 0);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(file + QLatin1String(": ") + reader.errorString()));
        QCOMPARE(image.width(), image.height());
        found.append(image.width());
    }
    std::sort(found.begin(), found.end());
    QCOMPARE(found, sizes);
}

QTEST_GUILESS_MAIN(TestSceneImages)
#include "TestSceneImages.moc"
