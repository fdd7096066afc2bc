// Device operations against the virtual mouse of both controller families.
#include "ConfigStore.h"
#include "DeviceOperations.h"
#include "DpiEncoding.h"
#include "TempModules.h"
#include "VirtualLink.h"

#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <memory>

using TestSupport::bytes;

namespace {

// A temporary modules folder with the given device flags, a virtual mouse of the matching family and
// the operations over both.
struct Rig
{
    explicit Rig(const QString& icType, bool gun = false, bool colorful = false, bool is55328 = false)
        : v(TestSupport::familyConfig(icType))
    {
        {
            QSettings global(modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
            global.setValue("mouse/icType", icType);
            global.setValue("mouse/isColorful", colorful);
            global.setValue("mouse/isGun", gun);
            global.setValue("mouse/is55328", is55328);
        }
        store = std::make_unique<ConfigStore>(modules.baseDir());
        ops = std::make_unique<DeviceOperations>(&v.link, store.get());
        v.owner.gun = gun;
        v.owner.type = controllerFamilyOf(icType);
    }

    QStringList frames() const { return v.log.filter(QRegularExpression("^feature-out ")); }

    TempModules modules;
    VirtualLink v;
    std::unique_ptr<ConfigStore> store;
    std::unique_ptr<DeviceOperations> ops;
};

QString frame(const char* hex)
{
    return QStringLiteral("feature-out ") + QString::fromLatin1(bytes(hex).toHex(' '));
}

// The 0CH requests that carry on-board profiles 1 to `count`.
QStringList imageFrames(int count)
{
    const QStringList frames {frame("00 0c 01 80 00 00 00 00 72"),
                              frame("00 0c 02 80 00 00 00 00 71"),
                              frame("00 0c 03 80 00 00 00 00 70"),
                              frame("00 0c 04 80 00 00 00 00 6f")};
    return frames.mid(0, count);
}

QVariantList list(std::initializer_list<QVariant> values)
{
    return QVariantList(values);
}

QVariantList intList(const QVariantList& values)
{
    QVariantList out;
    for (const QVariant& v : values) {
        out << v.toInt();
    }
    return out;
}

} // namespace

class TestDeviceOperations : public QObject
{
    Q_OBJECT

private slots:
    void controllerChoice_data();
    void controllerChoice();
    void keyboardOptionsAlwaysUse553();
    void profileImagesRoundTrip();
    void droppedReadsGiveEntryValues();
    void dpiCodes_data();
    void dpiCodes();
    void dpi553MarksUnusedStages();
    void dpi560PatchesImages_data();
    void dpi560PatchesImages();
    void macroBlock_data();
    void macroBlock();
    void macroSendReportsAFailedExchange();
    void effect553_data();
    void effect553();
    void effect560_data();
    void effect560();
    void colors553_data();
    void colors553();
    void colors560_data();
    void colors560();
    void gun553_data();
    void gun553();
    void gun560();
    void connectReadsProfiles_data();
    void connectReadsProfiles();
    void keyMatrixStoredThenSent_data();
    void keyMatrixStoredThenSent();
    void keyMatrixResetSendsFirmwareMatrix();
    void keydefineReadsProfileOrDefault();
};

void TestDeviceOperations::controllerChoice_data()
{
    QTest::addColumn<QString>("icType");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<QString>("stage");
    // clang-format off
    QTest::newRow("560") << "560" << frame("00 03 01 08 00 00 00 00 f3") << frame("00 02 01 00 00 00 00 00 fc") << frame("00 04 01 02 00 00 00 00 f8");
    QTest::newRow("553") << "553" << frame("00 01 08 00 00 00 00 00 f6") << frame("00 02 00 00 00 00 00 00 fd") << frame("00 0b 02 00 00 00 00 00 f2");
    QTest::newRow("empty type is 553") << "" << frame("00 01 08 00 00 00 00 00 f6") << frame("00 02 00 00 00 00 00 00 fd") << frame("00 0b 02 00 00 00 00 00 f2");
    // clang-format on
}

void TestDeviceOperations::controllerChoice()
{
    QFETCH(QString, icType);
    QFETCH(QString, rate);
    QFETCH(QString, matrix);
    QFETCH(QString, stage);
    Rig r(icType, true); // a 560 series then stops after its first report
    r.ops->mouseSetReportRate(8);
    r.ops->mouseSwitchKeyMatrix(1);
    r.ops->mouseSetCurrentDPI(2);
    QCOMPARE(r.frames(), (QStringList {rate, matrix, stage}));
}

void TestDeviceOperations::keyboardOptionsAlwaysUse553()
{
    Rig r("560");
    r.ops->mouseSetKeyboardoption(1, 2, 3, 4);
    r.ops->GetKeyboardoption();
    QCOMPARE(r.frames(), (QStringList {frame("00 03 01 02 03 04 00 00 f2"), frame("00 83 00 00 00 00 00 00 7c")}));
    Rig s("553");
    s.v.mouse.setKeyboardOptions({{9, 8, 7, 6}});
    QCOMPARE(s.ops->GetKeyboardoption(), list({9, 8, 7, 6}));
}

void TestDeviceOperations::profileImagesRoundTrip()
{
    Rig r("560");
    r.ops->mouseReadProfile(3);
    for (int k = 0; k < WireSizes::ProfileImages; ++k) {
        const auto& image = r.ops->profileImage(k);
        const QByteArray got(reinterpret_cast<const char*>(image.data()), 128);
        QCOMPARE(got, k == 3 ? VirtualMouse::initialProfileImage(3) : QByteArray(128, '\0'));
    }
    r.v.mouse.setProfileImage(3, QByteArray(128, '\x01'));
    r.v.clearLog();
    r.ops->mouseSetProfile(3);
    QCOMPARE(r.frames(), QStringList {frame("00 0c 03 80 00 00 00 00 70")});
    QCOMPARE(r.v.mouse.state().profileImages.value(3), VirtualMouse::initialProfileImage(3));
    r.v.clearLog();
    r.ops->mouseSetProfile(5);
    r.ops->mouseReadProfile(7);
    QVERIFY(r.v.log.isEmpty());
}

void TestDeviceOperations::droppedReadsGiveEntryValues()
{
    for (const QString& type : {QStringLiteral("553"), QStringLiteral("560")}) {
        Rig r(type);
        r.v.mouse.setActiveStage(3);
        r.v.link.setHidFree(false);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^cmd Failed "));
        QCOMPARE(r.ops->mouseGetCurrentDPI().toInt(), 0);
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 83");
        QCOMPARE(r.ops->GetKeyboardoption(), list({0, 0, 0, 0}));
        r.ops->clearHidBusy();
        QCOMPARE(r.ops->mouseGetCurrentDPI().toInt(), 3);
    }
}

void TestDeviceOperations::dpiCodes_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("highBit");
    QTest::newRow("3360 400") << "3360" << 400 << 0x03 << false;
    QTest::newRow("4090 5000") << "4090" << 5000 << 0x31 << false;
    QTest::newRow("4090 5200") << "4090" << 5200 << 0x5a << false;
    QTest::newRow("4090 below range") << "4090" << 50 << 0xff << false;
    QTest::newRow("unknown is 4090") << "" << 5200 << 0x5a << false;
    QTest::newRow("case matters") << "3360x" << 5200 << 0x5a << false;
    QTest::newRow("3050 800") << "3050" << 800 << 0x04 << false;
    QTest::newRow("3050 250") << "3050" << 250 << 0x01 << false;
    QTest::newRow("3050 2200") << "3050" << 2200 << 0x45 << false;
    QTest::newRow("3050 4000") << "3050" << 4000 << 0x48 << false;
    QTest::newRow("3050 4500") << "3050" << 4500 << 0x00 << false;
    QTest::newRow("3389 16000") << "3389" << 16000 << 0x40 << true;
    QTest::newRow("3389 12800") << "3389" << 12800 << 0x00 << true;
    QTest::newRow("3389 12750") << "3389" << 12750 << 0xff << false;
}

void TestDeviceOperations::dpiCodes()
{
    QFETCH(QString, sensor);
    QFETCH(int, value);
    QFETCH(int, code);
    QFETCH(bool, highBit);
    const DpiEncoding::Code c = DpiEncoding::encode(sensor, value);
    QCOMPARE(int(c.code), code);
    QCOMPARE(c.highBit, highBit);
}

void TestDeviceOperations::dpi553MarksUnusedStages()
{
    Rig r("553");
    r.ops->mouseSetDpi(3, "3360", list({400, 800, 1600, 3200, 4000, 5000, 6000, 7000}));
    QCOMPARE(r.frames(), QStringList {frame("00 11 03 08 00 00 00 00 e3")});
    QCOMPARE(r.v.mouse.state().dpiTable, bytes("03070f8080808080"));
    r.ops->mouseSetDpi(2, "3360", list({400, 800, 1600}));
    QCOMPARE(r.v.mouse.state().dpiTable, bytes("0307800000000000"));
}

void TestDeviceOperations::dpi560PatchesImages_data()
{
    QTest::addColumn<bool>("gun");
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<QByteArray>("codes");
    QTest::addColumn<QByteArray>("highBits"); // empty: as the image had them
    // 400, 800, 1600 and 16000: a hundredth less one, or a fiftieth cut to 8 bits with 16000 past 12799.
    QTest::newRow("without gun, 3360") << false << "3360" << bytes("03070f9f00000000") << QByteArray();
    QTest::newRow("with gun, 3389") << true << "3389" << bytes("0810204000000000") << bytes("0808");
}

void TestDeviceOperations::dpi560PatchesImages()
{
    QFETCH(bool, gun);
    QFETCH(QString, sensor);
    QFETCH(QByteArray, codes);
    QFETCH(QByteArray, highBits);
    Rig r("560", gun);
    for (uint k = 0; k < 5; ++k) {
        r.ops->mouseReadProfile(k);
    }
    r.v.clearLog();
    r.ops->mouseSetDpi(4, sensor, list({400, 800, 1600, 16000}));
    QCOMPARE(r.frames(), imageFrames(gun ? 4 : 1));
    for (int k = 1; k <= (gun ? 4 : 1); ++k) {
        const QByteArray image = r.v.mouse.state().profileImages.value(k);
        const QByteArray initial = VirtualMouse::initialProfileImage(k);
        QCOMPARE(image.mid(84, 8), codes);
        QCOMPARE(image.mid(92, 8), codes);
        QCOMPARE(int(uchar(image[100])), 0x0f);
        QCOMPARE(image.mid(82, 2), highBits.isEmpty() ? initial.mid(82, 2) : highBits);
        QCOMPARE(image.left(82), initial.left(82));
        QCOMPARE(image.mid(101), initial.mid(101));
    }
}

void TestDeviceOperations::macroBlock_data()
{
    QTest::addColumn<QVariantList>("data");
    QTest::addColumn<QVariant>("index");
    QTest::addColumn<int>("macroId");
    QTest::addColumn<QByteArray>("start");
    // clang-format off
    QTest::newRow("slot 0 is macro 1") << list({0, 1, 5, 4, 0x81, 4, 0, 0}) << QVariant(0) << 1 << bytes("0001050481040000");
    QTest::newRow("slot 11 is macro 12") << list({0, 1}) << QVariant(11) << 12 << bytes("0001");
    QTest::newRow("slot 12 sends nothing") << list({0, 1}) << QVariant(12) << 0 << QByteArray();
    QTest::newRow("256 is slot 0") << list({7}) << QVariant(256) << 1 << bytes("07");
    QTest::newRow("5.5 rounds to 6") << list({0, 1, 5.5, 4}) << QVariant(3) << 4 << bytes("00010604");
    QTest::newRow("values cut to 8 bits") << list({0x1ff}) << QVariant(1) << 2 << bytes("ff");
    QTest::newRow("empty list, zero block") << QVariantList() << QVariant(2) << 3 << QByteArray();
    // clang-format on
}

void TestDeviceOperations::macroBlock()
{
    QFETCH(QVariantList, data);
    QFETCH(QVariant, index);
    QFETCH(int, macroId);
    QFETCH(QByteArray, start);
    for (const QString& type : {QStringLiteral("553"), QStringLiteral("560")}) {
        Rig r(type);
        QCOMPARE(r.ops->mouseSendMacroData(data, index), QVariant(true));
        const auto macros = r.v.mouse.state().macros;
        if (macroId == 0) {
            QVERIFY(macros.isEmpty());
            QVERIFY(r.v.log.isEmpty());
            continue;
        }
        QCOMPARE(macros.keys(), QList<int> {macroId});
        QCOMPARE(macros.value(macroId), start + QByteArray(128 - start.size(), '\0'));
    }
}

void TestDeviceOperations::macroSendReportsAFailedExchange()
{
    for (const QString& type : {QStringLiteral("553"), QStringLiteral("560")}) {
        Rig r(type);
        r.v.mouse.unplug();
        QCOMPARE(r.ops->mouseSendMacroData(list({0, 1}), 0), QVariant(false));
    }
}

void TestDeviceOperations::effect553_data()
{
    QTest::addColumn<bool>("colorful");
    QTest::addColumn<bool>("is55328");
    QTest::addColumn<int>("effect");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("brightness");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("colourful wave") << true << false << 5 << 2 << 3 << bytes("05c005");
    QTest::newRow("colourful breath ignores brightness") << true << false << 1 << 0 << 4 << bytes("03000a");
    QTest::newRow("colourful static dark") << true << false << 0 << 3 << 0 << bytes("010000");
    QTest::newRow("colourful spotlight") << true << false << 10 << 4 << 1 << bytes("0a4014");
    QTest::newRow("colourful speed out of range") << true << false << 5 << 9 << 2 << bytes("058000");
    QTest::newRow("colourful unknown effect") << true << false << 12 << 1 << 1 << bytes("000000");
    QTest::newRow("plain neon") << false << false << 2 << 0 << 0 << bytes("031e02");
    QTest::newRow("55328 neon") << false << true << 2 << 0 << 0 << bytes("031e01");
    QTest::newRow("55328 breath loop") << false << true << 4 << 4 << 0 << bytes("020503");
    QTest::newRow("plain static") << false << false << 0 << 0 << 2 << bytes("010502");
    QTest::newRow("plain unknown keeps 2") << false << false << 12 << 1 << 1 << bytes("000002");
    QTest::newRow("55328 unknown") << false << true << 12 << 1 << 1 << bytes("000000");
}

void TestDeviceOperations::effect553()
{
    QFETCH(bool, colorful);
    QFETCH(bool, is55328);
    QFETCH(int, effect);
    QFETCH(int, speed);
    QFETCH(int, brightness);
    QFETCH(QByteArray, sent);
    Rig r("553", false, colorful, is55328);
    r.ops->mouseSetRGBEffect(effect, speed, brightness);
    const auto s = r.v.mouse.state();
    QCOMPARE(r.frames().size(), 1);
    const char got[] = {char(s.ledEffect), char(s.ledOption1), char(s.ledOption2)};
    QCOMPARE(QByteArray(got, 3), sent);
}

void TestDeviceOperations::effect560_data()
{
    QTest::addColumn<bool>("colorful");
    QTest::addColumn<bool>("gun");
    QTest::addColumn<int>("images");
    QTest::addColumn<QByteArray>("image1");
    QTest::addColumn<QByteArray>("others");
    QTest::newRow("plain without gun") << false << false << 1 << bytes("031803") << QByteArray();
    QTest::newRow("plain with gun") << false << true << 4 << bytes("031802") << bytes("031802");
    QTest::newRow("colourful with gun") << true << true << 4 << bytes("040007") << bytes("040007");
}

void TestDeviceOperations::effect560()
{
    QFETCH(bool, colorful);
    QFETCH(bool, gun);
    QFETCH(int, images);
    QFETCH(QByteArray, image1);
    QFETCH(QByteArray, others);
    Rig r("560", gun, colorful);
    r.ops->mouseSetRGBEffect(2, 1, 0);
    QCOMPARE(r.frames(), imageFrames(images));
    const auto s = r.v.mouse.state();
    QCOMPARE(s.profileImages.value(1).mid(71, 3), image1);
    for (int k = 2; k <= 4 && gun; ++k) {
        QCOMPARE(s.profileImages.value(k).mid(71, 3), others);
    }
}

void TestDeviceOperations::colors553_data()
{
    QTest::addColumn<bool>("is55328");
    QTest::addColumn<int>("lastColor");
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<QByteArray>("fixColor");
    // clang-format off
    QTest::newRow("plain: eight colours twice") << false << 0 << QStringList {frame("00 10 01 18 00 00 00 00 d6"), frame("00 10 01 18 00 00 00 00 d6")} << bytes("000000");
    QTest::newRow("55328, colour 8 black: fixed colour 1") << true << 0 << QStringList {frame("00 0c 0a 0b 0c 00 00 00 d2")} << bytes("0a0b0c");
    QTest::newRow("55328, colour 8 set: eight colours") << true << 5 << QStringList {frame("00 10 00 18 00 00 00 00 d7")} << bytes("000000");
    // clang-format on
}

void TestDeviceOperations::colors553()
{
    QFETCH(bool, is55328);
    QFETCH(int, lastColor);
    QFETCH(QStringList, frames);
    QFETCH(QByteArray, fixColor);
    Rig r("553", false, false, is55328);
    QVariantList colors;
    for (int i = 0; i < 24; ++i) {
        colors << (i < 3 ? 10 + i : i >= 21 ? lastColor : i);
    }
    r.ops->mouseSetRGBColor(1, colors);
    QCOMPARE(r.frames(), frames);
    const auto s = r.v.mouse.state();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(s.fixColor.data()), 3), fixColor);
    if (frames.first().contains(" 10 ")) {
        QCOMPARE(s.stageColors.size(), 24);
        QCOMPARE(int(uchar(s.stageColors.at(4))), 4);
    }
}

void TestDeviceOperations::colors560_data()
{
    QTest::addColumn<bool>("colorful");
    QTest::addColumn<int>("image");
    QTest::addColumn<int>("offset");
    QTest::newRow("colourful: image 0, bytes 24-47") << true << 0 << 24;
    QTest::newRow("other: image 1, bytes 104-127") << false << 1 << 104;
}

void TestDeviceOperations::colors560()
{
    QFETCH(bool, colorful);
    QFETCH(int, image);
    QFETCH(int, offset);
    Rig r("560", true, colorful);
    r.ops->mouseReadProfile(image);
    r.v.clearLog();
    QVariantList colors;
    QByteArray table;
    for (int i = 0; i < 30; ++i) {
        colors << 200 + i;
        if (i < 24) {
            table += char(200 + i);
        }
    }
    r.ops->mouseSetRGBColor(0, colors);
    QCOMPARE(r.frames().size(), 1);
    const QByteArray sent = r.v.mouse.state().profileImages.value(image);
    const QByteArray initial = VirtualMouse::initialProfileImage(image);
    QCOMPARE(sent.mid(offset, 24), table);
    QCOMPARE(sent.left(offset), initial.left(offset));
    QCOMPARE(sent.mid(offset + 24), initial.mid(offset + 24));
}

void TestDeviceOperations::gun553_data()
{
    QTest::addColumn<bool>("gun");
    QTest::addColumn<int>("optionByte3");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("no gun functions") << false << 0 << QByteArray();
    QTest::newRow("y as is") << true << 0 << bytes("00000a");
    QTest::newRow("y negated") << true << 1 << bytes("0000f6");
}

void TestDeviceOperations::gun553()
{
    QFETCH(bool, gun);
    QFETCH(int, optionByte3);
    QFETCH(QByteArray, stored);
    Rig r("553", gun);
    r.v.mouse.setKeyboardOptions({{0, 0, static_cast<unsigned char>(optionByte3), 0}});
    r.ops->mouseSendGundata(2, list({0, 0, 10}));
    const auto guns = r.v.mouse.state().gunData;
    if (stored.isEmpty()) {
        QVERIFY(r.v.log.isEmpty());
        return;
    }
    QCOMPARE(guns.keys(), QList<int> {1});
    QCOMPARE(guns.value(1), stored);
}

void TestDeviceOperations::gun560()
{
    Rig r("560", true);
    for (uint k = 0; k < 5; ++k) {
        r.ops->mouseReadProfile(k);
    }
    r.v.clearLog();
    r.ops->mouseSendGundata(1, list({3, 0, 5}));
    QCOMPARE(r.frames(), QStringList {frame("00 0c 02 80 00 00 00 00 71")});
    const QByteArray image = r.v.mouse.state().profileImages.value(2);
    const QByteArray initial = VirtualMouse::initialProfileImage(2);
    QCOMPARE(image.mid(78, 4), bytes("f0030005"));
    QCOMPARE(int(uchar(image[65])), int(uchar(initial[65]) & ~0x04));
    QCOMPARE(image.left(65), initial.left(65));
    QCOMPARE(image.mid(66, 12), initial.mid(66, 12));
    QCOMPARE(image.mid(82), initial.mid(82));
    r.v.clearLog();
    r.ops->mouseSendGundata(3, list({1, 2, 3}));
    QCOMPARE(r.frames(), QStringList {frame("00 0c 04 80 00 00 00 00 6f")});
    r.v.clearLog();
    r.ops->mouseSendGundata(4, list({1, 2, 3}));
    QVERIFY(r.v.log.isEmpty());
}

void TestDeviceOperations::connectReadsProfiles_data()
{
    QTest::addColumn<QString>("icType");
    QTest::addColumn<bool>("gun");
    QTest::addColumn<QList<int>>("reads");
    QTest::newRow("560 without gun") << "560" << false << QList<int> {0, 1};
    QTest::newRow("560 with gun") << "560" << true << QList<int> {0, 1, 2, 3, 4};
    QTest::newRow("553") << "553" << true << QList<int> {};
}

void TestDeviceOperations::connectReadsProfiles()
{
    QFETCH(QString, icType);
    QFETCH(bool, gun);
    QFETCH(QList<int>, reads);
    Rig r(icType, gun);
    r.v.link.setHidFree(false);
    r.ops->connectDevice(0, false);
    QList<int> got;
    for (const QString& line : r.frames()) {
        if (line.startsWith("feature-out 00 8c ")) {
            got << line.mid(18, 2).toInt(nullptr, 16);
        }
    }
    QCOMPARE(got, reads);
    for (int k : reads) {
        const auto& image = r.ops->profileImage(k);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.data()), 128), VirtualMouse::initialProfileImage(k));
    }
    // The options were updated on the way.
    QVERIFY(r.frames().first().startsWith(icType == "560" ? "feature-out 00 81" : "feature-out 00 83"));
}

void TestDeviceOperations::keyMatrixStoredThenSent_data()
{
    QTest::addColumn<QString>("icType");
    QTest::addColumn<bool>("send");
    QTest::addColumn<QByteArray>("sniper");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("left");
    QTest::newRow("553") << "553" << true << bytes("07000401") << 64 << true;
    QTest::newRow("560") << "560" << true << bytes("0b000101") << 64 << true;
    QTest::newRow("stored only") << "553" << false << QByteArray() << 64 << true;
    QTest::newRow("short list") << "553" << false << QByteArray() << 62 << true;
    QTest::newRow("no left button") << "553" << true << QByteArray() << 64 << false;
    QTest::newRow("no left button, stored only") << "560" << false << QByteArray() << 64 << false;
}

void TestDeviceOperations::keyMatrixStoredThenSent()
{
    QFETCH(QString, icType);
    QFETCH(bool, send);
    QFETCH(QByteArray, sniper);
    QFETCH(int, length);
    QFETCH(bool, left);
    Rig r(icType);
    QVariantList src64;
    for (int n = 0; n < 16; ++n) {
        src64 << 0 << 0 << (left ? 0xF0 : 0xF1) << 0;
    }
    src64[3] = 7;                                                  // entry 0 stored as given
    src64[4] = 5, src64[5] = 0, src64[6] = 4, src64[7] = 0;        // entry 1: sniper
    src64[8] = 4, src64[9] = 1, src64[10] = 5, src64[11] = 0;      // entry 2: macro of slot 5
    src64[56] = 0xFF, src64[57] = 0, src64[58] = 1, src64[59] = 0; // entry 14: reserved
    src64.resize(length);
    if (!left) {
        // Nothing to click with: neither the profile nor the mouse takes it.
        const QByteArray before = r.modules.read("modules/setting/p1.bin");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("without the left button"));
        r.ops->mouseSetKeyMatrix(src64, send, list({9, 9, 9}));
        QCOMPARE(r.modules.read("modules/setting/p1.bin"), before);
        QVERIFY(r.v.log.isEmpty());
        return;
    }
    r.ops->mouseSetKeyMatrix(src64, send, list({9, 9, 9}));
    for (int n = 0; n < 16; ++n) {
        const QVariantList stored = r.store->getDataList(QStringLiteral("mouseKeyMatrix/%1").arg(n), false);
        QVariantList want = src64.mid(n * 4, 4);
        while (want.size() < 4) {
            want << 0; // missing numbers are stored as 0
        }
        QCOMPARE(intList(stored), want);
    }
    QVERIFY(r.store->getDataList(QStringLiteral("mouseKeyMatrix/16"), false).isEmpty());
    const QByteArray matrix = r.v.mouse.state().keyMatrices.value(1);
    if (!send) {
        QVERIFY(r.v.log.isEmpty());
        return;
    }
    // Converted for the family in use (the conversions themselves are TestButtonFunction's).
    QCOMPARE(matrix.left(4), bytes("0100f007"));
    QCOMPARE(matrix.mid(4, 4), sniper);
}

void TestDeviceOperations::keyMatrixResetSendsFirmwareMatrix()
{
    Rig r("553");
    r.store->setDataList(QStringLiteral("mouseFwKeyMatrix/2"), list({7, 0, 3, 0}));
    r.store->setDataList(QStringLiteral("mouseFwKeyMatrix/5"), list({7, 0}));
    r.ops->mouseResetKeyMatrix();
    const auto matrices = r.v.mouse.state().keyMatrices;
    QCOMPARE(matrices.keys(), (QList<int> {2, 3, 4}));
    QCOMPARE(matrices.value(2), matrices.value(4));
    // Stored in device form already: nothing converted, nothing fixed; a short entry reads as the
    // default profile's.
    QCOMPARE(matrices.value(2).left(4), bytes("0100f000"));
    QCOMPARE(matrices.value(2).mid(8, 4), bytes("07000300"));
    QCOMPARE(matrices.value(2).mid(20, 4), bytes("07000100"));

    // A firmware matrix without the left button is not sent.
    r.v.clearLog();
    r.store->setDataList(QStringLiteral("mouseFwKeyMatrix/0"), list({1, 0, 0xF1, 0}));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("without the left button"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("without the left button"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("without the left button"));
    r.ops->mouseResetKeyMatrix();
    QVERIFY(r.v.log.isEmpty());
}

void TestDeviceOperations::keydefineReadsProfileOrDefault()
{
    Rig r("553");
    r.store->setDataList(QStringLiteral("mouseKeyMatrix/3"), list({3, 0, 0xB5, 0}));
    QCOMPARE(intList(r.ops->mouseGetKeydefine(3, false)), list({3, 0, 0xB5, 0}));
    QCOMPARE(intList(r.ops->mouseGetKeydefine(3, true)), list({0, 0, 0xF4, 0}));
    QVERIFY(r.ops->mouseGetKeydefine(99, false).isEmpty());
}

QTEST_GUILESS_MAIN(TestDeviceOperations)
#include "TestDeviceOperations.moc"
