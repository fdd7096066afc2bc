#include "DpiSwitchTexts.h"
#include "LanguageStore.h"
#include "TempModules.h"

#include <QSet>
#include <QTest>
#include <QThread>

#include <atomic>

class TestStoreLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void groupWithGap();
    void missingFileOrGroup_data();
    void missingFileOrGroup();
    void refusedCodes_data();
    void refusedCodes();
    void readsUtf8();
    void otherFillsSwitchTexts();
    void shortOtherKeepsDefaults_data();
    void shortOtherKeepsDefaults();
    void hugeTotalIsCut();
    void corruptedFile();
    void listenerReadsWhileReplaced();
};

namespace {

const QString kDefault = QStringLiteral("DPI Switch to");

} // namespace

void TestStoreLanguage::init()
{
    DpiSwitchTexts::reset();
}

void TestStoreLanguage::cleanup()
{
    DpiSwitchTexts::reset();
}

void TestStoreLanguage::groupWithGap()
{
    TempModules modules;
    QVERIFY(modules.write("modules/i18n/Test.ini", "[main]\ntotal=3\n0=first\n2=third\n"));
    LanguageStore store(modules.baseDir());

    QCOMPARE(store.getLangStrings("main", "Test"), (QStringList {"first", "", "third"}));
}

void TestStoreLanguage::missingFileOrGroup_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("code");

    QTest::newRow("no file") << "main"
                             << "Klingon";
    QTest::newRow("no group") << "noSuchGroup"
                              << "English";
    QTest::newRow("empty code") << "main"
                                << "";
}

void TestStoreLanguage::missingFileOrGroup()
{
    QFETCH(QString, group);
    QFETCH(QString, code);
    TempModules modules;
    LanguageStore store(modules.baseDir());

    QVERIFY(store.getLangStrings(group, code).isEmpty());
}

void TestStoreLanguage::refusedCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("parent") << "../evil";
    QTest::newRow("nested") << "sub/evil";
    QTest::newRow("dot dot") << "..";
}

void TestStoreLanguage::refusedCodes()
{
    QFETCH(QString, code);
    TempModules modules;
    QVERIFY(QDir().mkpath(modules.path("modules/i18n/sub")));
    QVERIFY(modules.write("modules/evil.ini", "[main]\ntotal=1\n0=outside\n"));
    QVERIFY(modules.write("modules/i18n/sub/evil.ini", "[main]\ntotal=1\n0=outside\n"));
    QVERIFY(modules.write("modules/i18n/..ini", "[main]\ntotal=1\n0=outside\n"));
    LanguageStore store(modules.baseDir());

    QVERIFY(store.getLangStrings("main", code).isEmpty());
}

void TestStoreLanguage::readsUtf8()
{
    TempModules modules;
    const QString chinese = QString::fromUtf8("\xe5\xae\x8f\xe7\xbc\x96\xe8\xbe\x91");
    QVERIFY(modules.write("modules/i18n/Utf.ini", "[main]\ntotal=2\n0=" + chinese.toUtf8() + "\n1=\"a, b\"\n"));
    LanguageStore store(modules.baseDir());

    QCOMPARE(store.getLangStrings("main", "Utf"), (QStringList {chinese, "a, b"}));
}

void TestStoreLanguage::otherFillsSwitchTexts()
{
    TempModules modules;
    QByteArray other("[other]\ntotal=9\n");
    QStringList expected;
    for (int i = 0; i < 9; ++i) {
        other += QStringLiteral("%1=Stage text %1\n").arg(i).toUtf8();
        expected.append(QStringLiteral("Stage text %1").arg(i));
    }
    QVERIFY(modules.write("modules/i18n/Test.ini", other));
    LanguageStore store(modules.baseDir());
    QCOMPARE(DpiSwitchTexts::forStage(3), kDefault);

    QCOMPARE(store.getLangStrings("other", "Test"), expected);

    QCOMPARE(DpiSwitchTexts::forStage(3), QStringLiteral("Stage text 2"));
    QCOMPARE(DpiSwitchTexts::forStage(1), QStringLiteral("Stage text 0"));
    QCOMPARE(DpiSwitchTexts::forStage(0), QStringLiteral("Stage text 7"));
    QCOMPARE(DpiSwitchTexts::forStage(9), QStringLiteral("Stage text 7"));
    QCOMPARE(DpiSwitchTexts::all(), expected.mid(0, 8));
}

void TestStoreLanguage::shortOtherKeepsDefaults_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("present");

    QTest::newRow("three texts") << QByteArray("[other]\ntotal=3\n0=t0\n1=t1\n2=t2\n") << 3;
    QTest::newRow("no group") << QByteArray("[main]\ntotal=1\n0=x\n") << 0;
    QTest::newRow("total not a number") << QByteArray("[other]\ntotal=lots\n0=t0\n") << 0;
}

void TestStoreLanguage::shortOtherKeepsDefaults()
{
    QFETCH(QByteArray, file);
    QFETCH(int, present);

    TempModules modules;
    LanguageStore store(modules.baseDir());
    store.getLangStrings("other", "English");
    QVERIFY(modules.write("modules/i18n/Short.ini", file));

    QCOMPARE(store.getLangStrings("other", "Short").size(), present);

    for (int stage = 0; stage < 256; ++stage) {
        const int index = (stage >= 1 && stage <= 7) ? stage - 1 : 7;
        const QString expected = index < present ? QStringLiteral("t%1").arg(index) : kDefault;
        QCOMPARE(DpiSwitchTexts::forStage(stage), expected);
    }
}

void TestStoreLanguage::hugeTotalIsCut()
{
    TempModules modules;
    QVERIFY(modules.write("modules/i18n/Big.ini", "[main]\ntotal=2000000000\n0=a\n"));
    LanguageStore store(modules.baseDir());

    const QStringList texts = store.getLangStrings("main", "Big");

    QCOMPARE(texts.size(), int(LanguageStore::MaxTexts));
    QCOMPARE(texts.constFirst(), QStringLiteral("a"));
}

void TestStoreLanguage::corruptedFile()
{
    TempModules modules;
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary.append(char((i * 7919 + 3) % 256));
    }
    QVERIFY(modules.write("modules/i18n/English.ini", binary));
    LanguageStore store(modules.baseDir());

    QVERIFY(store.getLangStrings("main", "English").isEmpty());
    QVERIFY(store.getLangStrings("other", "English").isEmpty());
    QCOMPARE(DpiSwitchTexts::all(), QStringList(DpiSwitchTexts::Count, kDefault));
    QCOMPARE(store.getLangStrings("main", "ChineseSimplified").size(), 15);
}

void TestStoreLanguage::listenerReadsWhileReplaced()
{
    TempModules modules;
    QVERIFY(modules.write("modules/i18n/A.ini", "[other]\ntotal=8\n0=a\n1=a\n2=a\n3=a\n4=a\n5=a\n6=a\n7=a\n"));
    QVERIFY(modules.write("modules/i18n/B.ini", "[other]\ntotal=2\n0=b\n1=b\n"));
    LanguageStore store(modules.baseDir());
    const QSet<QString> allowed {kDefault, "a", "b"};

    std::atomic<bool> stop {false};
    std::atomic<int> unexpected {0};
    std::atomic<int> reads {0};
    QThread* listener = QThread::create([&] {
        while (!stop.load()) {
            for (int stage = 0; stage < 10; ++stage) {
                if (!allowed.contains(DpiSwitchTexts::forStage(stage))) {
                    ++unexpected;
                }
                ++reads;
            }
        }
    });
    listener->start();
    for (int round = 0; round < 200; ++round) {
        store.getLangStrings("other", round % 2 ? "A" : "B");
    }
    while (reads.load() == 0) {
        QThread::yieldCurrentThread();
    }
    stop = true;
    QVERIFY(listener->wait());
    delete listener;

    QCOMPARE(unexpected.load(), 0);
    QCOMPARE(DpiSwitchTexts::forStage(1), QStringLiteral("a"));
}

QTEST_GUILESS_MAIN(TestStoreLanguage)
#include "TestStoreLanguage.moc"
