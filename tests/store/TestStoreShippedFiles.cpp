#include "FactoryKeyMatrix.h"
#include "MacroLibrary.h"
#include "StoreTools.h"
#include "TempModules.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

// Checks that the files shipped under modules/ hold every key the program reads, with values
// of the right shape, and agree with each other.
class TestStoreShippedFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void globalConfiguration_data();
    void globalConfiguration();
    void defaultCopyMatchesConfiguration();
    void profile_data();
    void profile();
    void defaultMatrixIsBuiltIn();
    void macros();
    void nameLists();
    void gunPresets();
    void language_data();
    void language();

private:
    TempModules m_modules;
};

namespace {

const QStringList kLanguageGroups {"main",
                                   "keyMatrix",
                                   "keyAssigment",
                                   "dpiSetting",
                                   "lightControl",
                                   "macroEditor",
                                   "systemSetting",
                                   "gunControl",
                                   "profile",
                                   "keyCode",
                                   "other"};

bool isNumber(const QVariant& value, int low, int high)
{
    bool ok = false;
    const int number = value.toString().toInt(&ok);
    return value.metaType().id() == QMetaType::QString && ok && number >= low && number <= high;
}

bool isNumberList(const QVariant& value, int size, int low, int high)
{
    const QVariantList list = StoreTools::listValue(value);
    if (list.size() != size) {
        return false;
    }
    for (const QVariant& item : list) {
        if (!isNumber(item, low, high)) {
            return false;
        }
    }
    return true;
}

bool isHex(const QVariant& value)
{
    bool ok = false;
    value.toString().toUInt(&ok, 16);
    return ok && value.toString().size() <= 4;
}

bool isBool(const QVariant& value)
{
    const QString text = value.toString();
    return text == QLatin1String("true") || text == QLatin1String("false");
}

} // namespace

void TestStoreShippedFiles::initTestCase()
{
    QVERIFY(m_modules.isValid());
}

void TestStoreShippedFiles::globalConfiguration_data()
{
    QTest::addColumn<QString>("file");
    for (const char* file : {"apConfig.bin", "apConfigD.bin"}) {
        QTest::newRow(file) << file;
    }
}

void TestStoreShippedFiles::globalConfiguration()
{
    QFETCH(QString, file);
    const QSettings global(m_modules.path("modules/setting/" + file), QSettings::IniFormat);
    QCOMPARE(global.status(), QSettings::NoError);

    QVERIFY(!global.value("common/name").toString().isEmpty());
    const QString language = global.value("common/language").toString();
    QCOMPARE(language, QStringLiteral("English"));
    QVERIFY(QFile::exists(m_modules.path("modules/i18n/" + language + ".ini")));
    QVERIFY(global.value("common/url").toString().startsWith("https://"));

    QVERIFY(isNumber(global.value("common/deviceCount"), 1, 16));
    const int devices = global.value("common/deviceCount").toInt();
    for (int n = 0; n < devices; ++n) {
        const QString record = QString::number(n) + QLatin1Char('/');
        for (const char* key : {"type", "vid", "pid", "usagePage", "usage", "usagePage2", "usage2"}) {
            QVERIFY2(isHex(global.value(record + key)), qPrintable(record + key));
        }
        QVERIFY(isNumber(global.value(record + "reportLength"), 1, 64));
        QVERIFY(isBool(global.value(record + "isEncode")));
        QVERIFY(QRegularExpression("^[0-9]{6}$").match(global.value(record + "sCode").toString()).hasMatch());
    }
    QCOMPARE(global.value("0/vid").toString(), QStringLiteral("04d9"));
    QCOMPARE(global.value("0/pid").toString(), QStringLiteral("a1ee"));

    for (const char* key : {"mouse/isColorful", "mouse/isGun", "mouse/is55328"}) {
        QVERIFY2(isBool(global.value(key)), key);
    }
    QVERIFY(QStringList({"553", "560"}).contains(global.value("mouse/icType").toString()));
    QVERIFY(isNumber(global.value("mouse/keyCount"), 1, 16));
    QVERIFY(isNumber(global.value("mouse/profileNo"), 0, 5));
    QVERIFY(isNumberList(global.value("mouse/selectGun"), 3, 0, 5));
    QVERIFY(isNumber(global.value("mouse/dpiBase"), 1, 1000));
    const int base = global.value("mouse/dpiBase").toInt();
    QVERIFY(isNumber(global.value("mouse/minDPI"), base, 100000));
    QVERIFY(isNumber(global.value("mouse/maxDPI"), global.value("mouse/minDPI").toInt() + base, 100000));
    QVERIFY(!global.value("mouse/sensorType").toString().isEmpty());
}

void TestStoreShippedFiles::defaultCopyMatchesConfiguration()
{
    const QSettings global(m_modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
    const QSettings copy(m_modules.path("modules/setting/apConfigD.bin"), QSettings::IniFormat);
    QCOMPARE(copy.allKeys(), global.allKeys());
    for (const QString& key : global.allKeys()) {
        QCOMPARE(copy.value(key), global.value(key));
    }
}

void TestStoreShippedFiles::profile_data()
{
    QTest::addColumn<QString>("file");
    for (int n = 1; n <= 10; ++n) {
        QTest::newRow(qPrintable(QStringLiteral("p%1").arg(n))) << QStringLiteral("p%1.bin").arg(n);
    }
    QTest::newRow("pD") << "pD.bin";
}

void TestStoreShippedFiles::profile()
{
    QFETCH(QString, file);
    const QSettings global(m_modules.path("modules/setting/apConfig.bin"), QSettings::IniFormat);
    const QSettings profile(m_modules.path("modules/setting/" + file), QSettings::IniFormat);
    QCOMPARE(profile.status(), QSettings::NoError);

    QVERIFY(isNumber(profile.value("mouse/reportRate"), 0, 3));
    QVERIFY(isNumber(profile.value("mouse/dpiCount"), 1, 8));
    QVERIFY(isNumber(profile.value("mouse/currentDpiCount"), 1, profile.value("mouse/dpiCount").toInt()));
    const int minDpi = global.value("mouse/minDPI").toInt();
    const int maxDpi = global.value("mouse/maxDPI").toInt();
    const int base = global.value("mouse/dpiBase").toInt();
    QVERIFY(isNumberList(profile.value("mouse/dpiValueArray"), 8, minDpi, maxDpi));
    for (const QVariant& dpi : StoreTools::listValue(profile.value("mouse/dpiValueArray"))) {
        QCOMPARE(dpi.toInt() % base, 0);
    }
    QVERIFY(isNumberList(profile.value("mouse/lightValue"), 3, 0, 15));
    const QVariantList light = StoreTools::listValue(profile.value("mouse/lightValue"));
    QVERIFY(light.at(1).toInt() <= 4 && light.at(2).toInt() <= 4);
    QVERIFY(isNumberList(profile.value("mouse/colorValue"), 24, 0, 255));
    QVERIFY(isNumber(profile.value("mouse/mouseRate"), 3, 337));
    QVERIFY(isNumber(profile.value("mouse/doubleRate"), 3, 337));
    const int scroll = profile.value("mouse/scrollRate").toInt();
    QVERIFY(isNumber(profile.value("mouse/scrollRate"), 1, 100) || scroll == 1000);

    for (int entry = 0; entry < FactoryKeyMatrix::EntryCount; ++entry) {
        const QString name = QString::number(entry);
        QVERIFY2(isNumberList(profile.value("mouseKeyMatrix/" + name), 4, 0, 255), qPrintable(name));
        QVERIFY2(isNumberList(profile.value("mouseFwKeyMatrix/" + name), 4, 0, 255), qPrintable(name));
        QVERIFY2(profile.contains("mouseMacroKey/" + name), qPrintable(name));
        const QVariantList record = StoreTools::listValue(profile.value("mouseKeyMatrix/" + name));
        if (record.at(0).toInt() == 4) {
            const QString macro = profile.value("mouseMacroKey/" + record.at(2).toString()).toString();
            QVERIFY2(QFile::exists(m_modules.path("modules/macro/" + macro + ".bin")), qPrintable(macro));
        }
    }
    for (const char* axis : {"0", "1"}) {
        QVERIFY(isNumber(profile.value(QStringLiteral("XYSensitive/") + axis), 0, 9));
    }
    for (const char* gun : {"0", "1", "2"}) {
        QVERIFY(profile.contains(QStringLiteral("selectGun/") + gun));
    }
}

void TestStoreShippedFiles::defaultMatrixIsBuiltIn()
{
    const QSettings defaults(m_modules.path("modules/setting/pD.bin"), QSettings::IniFormat);
    for (int entry = 0; entry < FactoryKeyMatrix::EntryCount; ++entry) {
        const QVariantList stored
            = StoreTools::listValue(defaults.value(QStringLiteral("mouseKeyMatrix/%1").arg(entry)));
        const QVariantList builtIn = FactoryKeyMatrix::record(entry);
        QCOMPARE(stored.size(), builtIn.size());
        for (int i = 0; i < stored.size(); ++i) {
            QCOMPARE(stored.at(i).toInt(), builtIn.at(i).toInt());
        }
    }
}

void TestStoreShippedFiles::macros()
{
    const QStringList files = QDir(m_modules.path("modules/macro")).entryList({"*.bin"}, QDir::Files);
    QVERIFY(!files.isEmpty());
    const QRegularExpression action("^[0-4],.+$");
    for (const QString& file : files) {
        const QSettings macro(m_modules.path("modules/macro/" + file), QSettings::IniFormat);
        QCOMPARE(macro.status(), QSettings::NoError);
        for (const char* key : {"config/index", "config/total", "config/repeat", "config/did"}) {
            QVERIFY2(macro.contains(key), qPrintable(file + ": " + key));
        }
        QVERIFY(isNumber(macro.value("config/repeat"), 1, 65535));
        const int total = macro.value("config/total").toInt();
        QStringList keys;
        for (int i = 0; i < total; ++i) {
            const QVariant value = macro.value(QStringLiteral("macro/%1").arg(i));
            QCOMPARE(value.metaType().id(), int(QMetaType::QString));
            QVERIFY2(action.match(value.toString()).hasMatch(), qPrintable(value.toString()));
            keys.append(QString::number(i));
        }
        QSettings group(m_modules.path("modules/macro/" + file), QSettings::IniFormat);
        group.beginGroup("macro");
        QCOMPARE(group.childKeys().size(), keys.size());
    }
}

void TestStoreShippedFiles::nameLists()
{
    const QSettings names(m_modules.path("modules/setting/name.bin"), QSettings::IniFormat);
    QCOMPARE(names.status(), QSettings::NoError);

    const QStringList macros = names.value("macro/macroName").toStringList();
    QVERIFY(macros.size() >= 2);
    for (const QString& macro : macros) {
        if (macro != MacroLibrary::FillerMarker) {
            QVERIFY2(QFile::exists(m_modules.path("modules/macro/" + macro + ".bin")), qPrintable(macro));
        }
    }

    const QStringList profiles = names.value("profile/profileName").toStringList();
    QVERIFY(profiles.size() >= 2);
    QVERIFY(QRegularExpression("^.+[0-5]$").match(profiles.constFirst()).hasMatch());
    QCOMPARE(profiles.constFirst().right(1).toInt(), 0);

    const QSettings gunData(m_modules.path("modules/gun/gunData.bin"), QSettings::IniFormat);
    const QStringList guns = names.value("gun/gunName").toStringList();
    QCOMPARE(guns.size(), 6);
    for (int i = 0; i < guns.size(); ++i) {
        QCOMPARE(gunData.value(QStringLiteral("gunData/%1").arg(i)).toStringList().value(0), guns.at(i));
    }
}

void TestStoreShippedFiles::gunPresets()
{
    QSettings gunData(m_modules.path("modules/gun/gunData.bin"), QSettings::IniFormat);
    QCOMPARE(gunData.status(), QSettings::NoError);
    gunData.beginGroup("gunData");
    QCOMPARE(gunData.allKeys(), (QStringList {"0", "1", "2", "3", "4", "5"}));
    for (const QString& key : gunData.allKeys()) {
        const QStringList preset = gunData.value(key).toStringList();
        QCOMPARE(preset.size(), 6);
        QVERIFY(!preset.at(0).isEmpty());
        QCOMPARE(preset.at(1), QStringLiteral("L-Click"));
        QVERIFY(isNumber(preset.at(2), 4, 90));
        QVERIFY(isNumber(preset.at(3), 0, 64));
        QVERIFY(isNumber(preset.at(4), 0, 64));
        QVERIFY(isNumber(preset.at(5), 0, 255));
    }
}

void TestStoreShippedFiles::language_data()
{
    QTest::addColumn<QString>("code");
    const QStringList files = QDir(m_modules.path("modules/i18n")).entryList({"*.ini"}, QDir::Files);
    QVERIFY(files.contains("English.ini"));
    QVERIFY(files.contains("ChineseSimplified.ini"));
    for (const QString& file : files) {
        QTest::newRow(qPrintable(file)) << QFileInfo(file).completeBaseName();
    }
}

void TestStoreShippedFiles::language()
{
    QFETCH(QString, code);
    QSettings english(m_modules.path("modules/i18n/English.ini"), QSettings::IniFormat);
    QSettings language(m_modules.path("modules/i18n/" + code + ".ini"), QSettings::IniFormat);
    QCOMPARE(language.status(), QSettings::NoError);

    for (const QString& group : kLanguageGroups) {
        QVERIFY2(isNumber(language.value(group + "/total"), 1, 1000), qPrintable(group));
        const int total = language.value(group + "/total").toInt();
        QCOMPARE(total, english.value(group + "/total").toInt());
        language.beginGroup(group);
        QCOMPARE(language.childKeys().size(), total + 1);
        for (int i = 0; i < total; ++i) {
            const QVariant text = language.value(QString::number(i));
            QVERIFY2(text.metaType().id() == QMetaType::QString, qPrintable(group + "/" + QString::number(i)));
        }
        language.endGroup();
    }
    QCOMPARE(language.value("keyCode/total").toInt(), 133);
    QVERIFY(language.value("other/total").toInt() >= 8);
    for (int i = 0; i < 8; ++i) {
        QVERIFY(!language.value(QStringLiteral("other/%1").arg(i)).toString().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestStoreShippedFiles)
#include "TestStoreShippedFiles.moc"
