#include "FactoryKeyMatrix.h"
#include "StoreTools.h"
#include "TempModules.h"

#include <QDir>
#include <QSettings>
#include <QTest>

namespace {

// The keys "group/0" to "group/<count - 1>", each followed by `suffix`.
QStringList numbered(const QString& group, int count, const QString& suffix = QString())
{
    QStringList keys;
    for (int i = 0; i < count; ++i) {
        keys.append(group + QLatin1Char('/') + QString::number(i) + suffix);
    }
    return keys;
}

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

} // namespace

// Checks that the files shipped under modules/ hold every key the program reads, each a single
// text or a list of the size the program expects.
class TestStoreShippedFiles : public QObject
{
    Q_OBJECT

private slots:
    void keys_data()
    {
        QTest::addColumn<QString>("file");
        // "key" is a single text, "key:n" a list of n texts and "key:0" a list of two or more.
        QTest::addColumn<QStringList>("keys");
        const QString shipped = TempModules::shippedPath("modules/");

        const QStringList global = words("common/name common/language common/url common/deviceCount mouse/isColorful "
                                         "mouse/isGun mouse/icType mouse/is55328 mouse/keyCount mouse/profileNo "
                                         "mouse/selectGun:3 mouse/minDPI mouse/maxDPI mouse/dpiBase mouse/sensorType "
                                         "0/type 0/vid 0/pid 0/usagePage 0/usage 0/usagePage2 0/usage2 "
                                         "0/reportLength 0/isEncode 0/sCode");
        for (const char* file : {"apConfig.bin", "apConfigD.bin"}) {
            QTest::newRow(file) << QStringLiteral("setting/") + file << global;
        }

        QStringList profile = words("mouse/reportRate mouse/dpiCount mouse/currentDpiCount mouse/dpiValueArray:8 "
                                    "mouse/lightValue:3 mouse/colorValue:24 mouse/mouseRate mouse/doubleRate "
                                    "mouse/scrollRate");
        profile += numbered("mouseKeyMatrix", FactoryKeyMatrix::EntryCount, ":4")
                   + numbered("mouseFwKeyMatrix", FactoryKeyMatrix::EntryCount, ":4")
                   + numbered("mouseMacroKey", FactoryKeyMatrix::EntryCount) + numbered("XYSensitive", 2)
                   + numbered("selectGun", 3);
        for (const QString& file : QDir(shipped + "setting").entryList({"p*.bin"}, QDir::Files)) {
            QTest::newRow(qPrintable(file)) << "setting/" + file << profile;
        }

        QTest::newRow("name.bin") << "setting/name.bin"
                                  << QStringList {"macro/macroName:0", "gun/gunName:6", "profile/profileName:0"};
        QTest::newRow("gunData.bin") << "gun/gunData.bin" << numbered("gunData", 6, ":6");

        for (const QString& file : QDir(shipped + "macro").entryList({"*.bin"}, QDir::Files)) {
            const int total = QSettings(shipped + "macro/" + file, QSettings::IniFormat).value("config/total").toInt();
            QTest::newRow(qPrintable(file))
                << "macro/" + file
                << QStringList {"config/index", "config/total", "config/repeat", "config/did"}
                       + numbered("macro", total);
        }

        // Every language has each group and as many texts as English.
        const QSettings english(shipped + "i18n/English.ini", QSettings::IniFormat);
        QStringList texts;
        for (const QString& group :
             words("main keyMatrix keyAssigment dpiSetting lightControl macroEditor systemSetting "
                   "gunControl profile keyCode other")) {
            const int total = english.value(group + "/total").toInt();
            QVERIFY(total > 0);
            texts += group + "/total";
            texts += numbered(group, total);
        }
        QVERIFY(english.value("other/total").toInt() >= 8);
        const QStringList languages = QDir(shipped + "i18n").entryList({"*.ini"}, QDir::Files);
        QVERIFY(languages.contains("ChineseSimplified.ini"));
        for (const QString& file : languages) {
            QTest::newRow(qPrintable(file)) << "i18n/" + file << texts;
        }
    }

    void keys()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, keys);
        const QSettings settings(TempModules::shippedPath("modules/" + file), QSettings::IniFormat);
        QCOMPARE(settings.status(), QSettings::NoError);

        for (const QString& key : keys) {
            const QString name = key.section(QLatin1Char(':'), 0, 0);
            const QVariant value = settings.value(name);
            QVERIFY2(settings.contains(name), qPrintable(name));
            if (name == key) {
                QVERIFY2(value.metaType().id() == QMetaType::QString, qPrintable(name));
            } else {
                const int size = key.section(QLatin1Char(':'), 1).toInt();
                const int found = StoreTools::listValue(value).size();
                QVERIFY2(size == 0 ? found >= 2 : found == size, qPrintable(name));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestStoreShippedFiles)
#include "TestStoreShippedFiles.moc"
