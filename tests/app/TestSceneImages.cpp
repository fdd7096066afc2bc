// The images the scene asks for are compiled in at their paths and sizes; the icons rendered beside the
// programs hold every size the tray and the desktop pick from.
#include <QImageReader>
#include <QTest>
#include <QUrl>

namespace {

// The scene's path of a skin image.
QString skin(const QString& group, const QString& file)
{
    return QStringLiteral("qrc:/%1/modules/img/skin1/%1/%2").arg(group, file);
}

} // namespace

class TestSceneImages : public QObject
{
    Q_OBJECT

private slots:
    void resourceImage_data();
    void resourceImage();
    void backgroundLeavesCornersClear();
    void icon_data();
    void icon();
};

void TestSceneImages::resourceImage_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QSize>("size");
    // clang-format off
    QTest::newRow("background") << "qrc:/modules/img/background.png" << QSize(1024, 640);
    QTest::newRow("titleBar") << "qrc:/modules/img/titleBar.png" << QSize(1024, 40);
    QTest::newRow("titleLogo") << "qrc:/modules/img/titleLogo.png" << QSize(170, 24);
    QTest::newRow("powerOn") << skin("index", "powerOn.png") << QSize(360, 180);
    QTest::newRow("help") << skin("index", "help.png") << QSize(24, 24);
    QTest::newRow("help_hover") << skin("index", "help_hover.png") << QSize(24, 24);
    QTest::newRow("min") << skin("index", "min.png") << QSize(24, 24);
    QTest::newRow("min_hover") << skin("index", "min_hover.png") << QSize(24, 24);
    QTest::newRow("close") << skin("index", "close.png") << QSize(24, 24);
    QTest::newRow("close_hover") << skin("index", "close_hover.png") << QSize(24, 24);
    QTest::newRow("button") << skin("index", "button.png") << QSize(120, 32);
    QTest::newRow("button_hover") << skin("index", "button_hover.png") << QSize(120, 32);
    QTest::newRow("button_press") << skin("index", "button_press.png") << QSize(120, 32);
    QTest::newRow("sliderKnob") << skin("index", "sliderKnob.png") << QSize(12, 12);
    QTest::newRow("dropArrow") << skin("index", "dropArrow.png") << QSize(10, 6);
    QTest::newRow("restore") << skin("index", "restore.png") << QSize(20, 20);
    QTest::newRow("restore_hover") << skin("index", "restore_hover.png") << QSize(20, 20);
    QTest::newRow("check") << skin("index", "check.png") << QSize(12, 12);
    QTest::newRow("radio") << skin("index", "radio.png") << QSize(14, 14);
    QTest::newRow("radio_on") << skin("index", "radio_on.png") << QSize(14, 14);
    QTest::newRow("mouse") << skin("mouse", "mouse.png") << QSize(300, 440);
    QTest::newRow("spot") << skin("mouse", "spot.png") << QSize(26, 26);
    QTest::newRow("spot_hover") << skin("mouse", "spot_hover.png") << QSize(26, 26);
    QTest::newRow("M416") << "qrc:/gun/modules/img/skin1/gun/M416.png" << QSize(220, 80);
    QTest::newRow("AKM") << "qrc:/gun/modules/img/skin1/gun/AKM.png" << QSize(220, 80);
    QTest::newRow("M16A4") << "qrc:/gun/modules/img/skin1/gun/M16A4.png" << QSize(220, 80);
    QTest::newRow("SCAR-L") << "qrc:/gun/modules/img/skin1/gun/SCAR-L.png" << QSize(220, 80);
    QTest::newRow("UNP9") << "qrc:/gun/modules/img/skin1/gun/UNP9.png" << QSize(220, 80);
    QTest::newRow("Thomson") << "qrc:/gun/modules/img/skin1/gun/Thomson.png" << QSize(220, 80);
    // clang-format on
}

void TestSceneImages::resourceImage()
{
    QFETCH(QString, url);
    QFETCH(QSize, size);
    QImageReader reader(QLatin1Char(':') + QUrl(url).path());
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(url + QLatin1String(": ") + reader.errorString()));
    QCOMPARE(image.size(), size);
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
