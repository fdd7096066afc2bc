#include "CopyDataMessage.h"

#include <QTest>

class TestCopyDataMessage : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void nullBlock();
};

void TestCopyDataMessage::decode_data()
{
    QTest::addColumn<quint64>("tag");
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("text");

    QTest::newRow("five letters") << quint64(0x250F) << QByteArray("HELLO") << true << "HELLO";
    QTest::newRow("with terminator") << quint64(0x250F) << QByteArray("HELLO", 6) << false << "";
    QTest::newRow("other tag") << quint64(0x2510) << QByteArray("HELLO") << false << "";
    QTest::newRow("NUL inside") << quint64(0x250F) << QByteArray("HE\0LO", 5) << false << "";
    QTest::newRow("UTF-8") << quint64(0x250F) << QByteArray("Gr\xC3\xBC\xC3\x9F\x65") << true
                           << QString::fromUtf8("Gr\xC3\xBC\xC3\x9F\x65");
    QTest::newRow("not UTF-8") << quint64(0x250F) << QByteArray("ab\xFF") << false << "";
}

void TestCopyDataMessage::decode()
{
    QFETCH(quint64, tag);
    QFETCH(QByteArray, block);
    QFETCH(bool, shown);
    QFETCH(QString, text);
    QString decoded = QStringLiteral("untouched");
    QCOMPARE(CopyDataMessage::decode(quintptr(tag), block.constData(), quint32(block.size()), decoded), shown);
    QCOMPARE(decoded, shown ? text : QStringLiteral("untouched"));
}

void TestCopyDataMessage::nullBlock()
{
    QString decoded;
    QVERIFY(!CopyDataMessage::decode(CopyDataMessage::Tag, nullptr, 5, decoded));
    QVERIFY(decoded.isEmpty());
}

QTEST_APPLESS_MAIN(TestCopyDataMessage)
#include "TestCopyDataMessage.moc"
