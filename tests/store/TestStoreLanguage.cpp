#include "DpiSwitchTexts.h"
#include "LanguageStore.h"
#include "TempModules.h"

#include <QSet>
#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>

namespace {

const QString kDefault = QStringLiteral("DPI Switch to");

QByteArray otherGroup(int total, int present)
{
    QByteArray group = "[other]\ntotal=" + QByteArray::number(total) + "\n";
    for (int i = 0; i < present; ++i) {
        group += QByteArray::number(i) + "=t" + QByteArray::number(i) + "\n";
    }
    return group;
}

} // namespace

class TestStoreLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init() { DpiSwitchTexts::reset(); }

    void readsTexts()
    {
        TempModules modules;
        const QString chinese = QString::fromUtf8("\xe5\xae\x8f\xe7\xbc\x96\xe8\xbe\x91");
        QVERIFY(
            modules.write("modules/i18n/Utf.ini", "[main]\ntotal=4\n0=" + chinese.toUtf8() + "\n1=\"a, b\"\n3=end\n"));
        LanguageStore store(modules.baseDir());

        QCOMPARE(store.getLangStrings("main", "Utf"), (QStringList {chinese, "a, b", "", "end"}));
        QVERIFY(store.getLangStrings("noSuchGroup", "Utf").isEmpty());
    }

    void readsNothing_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("no file") << "NoSuchLanguage";
        QTest::newRow("empty code") << "";
        QTest::newRow("parent") << "../evil";
    }

    void readsNothing()
    {
        QFETCH(QString, code);
        TempModules modules;
        QVERIFY(modules.write("modules/evil.ini", "[main]\ntotal=1\n0=outside\n"));
        LanguageStore store(modules.baseDir());

        QVERIFY(store.getLangStrings("main", code).isEmpty());
    }

    void switchTexts_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("texts");
        const QStringList kept(8, kDefault);
        // clang-format off
        QTest::newRow("nine texts") << otherGroup(9, 9) << QStringList {"t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7"};
        QTest::newRow("three texts") << otherGroup(3, 3) << QStringList {"t0", "t1", "t2"} + kept.mid(3);
        QTest::newRow("no group") << QByteArray("[main]\ntotal=1\n0=x\n") << kept;
        QTest::newRow("total not a number") << QByteArray("[other]\ntotal=lots\n0=t0\n") << kept;
        // clang-format on
    }

    // The eight texts follow the "other" group; a short group keeps the defaults for the rest,
    // not the texts of the language loaded before.
    void switchTexts()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, texts);
        TempModules modules;
        QVERIFY(modules.write("modules/i18n/Test.ini", file));
        LanguageStore store(modules.baseDir());
        QVERIFY(store.getLangStrings("other", "ChineseSimplified").size() >= 8);

        DpiSwitchTexts::set(store.getLangStrings("other", "Test"));

        QCOMPARE(DpiSwitchTexts::all(), texts);
    }

    void textForStage_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 1 << "t0";
        QTest::newRow("3") << 3 << "t2";
        QTest::newRow("7") << 7 << "t6";
        QTest::newRow("0 takes the last") << 0 << "t7";
        QTest::newRow("9 takes the last") << 9 << "t7";
    }

    void textForStage()
    {
        QFETCH(int, stage);
        QFETCH(QString, text);
        DpiSwitchTexts::set({"t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7"});
        QCOMPARE(DpiSwitchTexts::forStage(stage), text);
    }

    void listenerReadsWhileReplaced()
    {
        TempModules modules;
        QVERIFY(modules.write("modules/i18n/A.ini", "[other]\ntotal=8\n0=a\n1=a\n2=a\n3=a\n4=a\n5=a\n6=a\n7=a\n"));
        QVERIFY(modules.write("modules/i18n/B.ini", "[other]\ntotal=2\n0=b\n1=b\n"));
        LanguageStore store(modules.baseDir());
        const QSet<QString> allowed {kDefault, "a", "b"};

        std::atomic<bool> stop {false};
        std::atomic<int> unexpected {0};
        std::atomic<int> reads {0};
        std::thread listener([&] {
            while (!stop.load()) {
                for (int stage = 0; stage < 10; ++stage) {
                    if (!allowed.contains(DpiSwitchTexts::forStage(stage))) {
                        ++unexpected;
                    }
                    ++reads;
                }
            }
        });
        for (int round = 0; round < 200; ++round) {
            DpiSwitchTexts::set(store.getLangStrings("other", round % 2 ? "A" : "B"));
        }
        while (reads.load() == 0) {
            QThread::yieldCurrentThread();
        }
        stop = true;
        listener.join();

        QCOMPARE(unexpected.load(), 0);
        QCOMPARE(DpiSwitchTexts::forStage(1), QStringLiteral("a"));
    }
};

QTEST_GUILESS_MAIN(TestStoreLanguage)
#include "TestStoreLanguage.moc"
