// Runs the tst_*.qml files of this folder against the compiled scene module. A QML warning during a
// test function fails that function; any warning outside them fails the run.
#include <QMutex>
#include <QQmlEngine>
#include <QQmlError>
#include <QStringList>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>
#include <cstdio>
#include <cstdlib>

Q_IMPORT_QML_PLUGIN(QX7Plugin)

namespace {

QtMessageHandler g_previous = nullptr;
QMutex g_mutex;
QStringList g_outside;

void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (g_previous) {
        g_previous(type, context, message);
    }
    if (type != QtWarningMsg && type != QtCriticalMsg) {
        return;
    }
    QMutexLocker lock(&g_mutex);
    g_outside.append(message);
}

void failCurrentTest(const QList<QQmlError>& warnings)
{
    if (!QTest::currentTestFunction()) {
        QMutexLocker lock(&g_mutex);
        for (const QQmlError& warning : warnings) {
            g_outside.append(warning.toString());
        }
        return;
    }
    for (const QQmlError& warning : warnings) {
        QTest::qFail(qPrintable(QStringLiteral("QML warning: ") + warning.toString()),
                     qPrintable(warning.url().toLocalFile()),
                     warning.line());
    }
}

} // namespace

class ControlsSetup : public QObject
{
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        // The module lives in the resources, under qrc:/QX7.
        engine->addImportPath(QStringLiteral("qrc:/"));
        // The test log replaces this handler while the test functions run (and restores it after);
        // the engine's own warnings reach the running test function.
        if (!g_previous) {
            g_previous = qInstallMessageHandler(recordWarning);
        }
        QObject::connect(engine, &QQmlEngine::warnings, engine, failCurrentTest);
    }

    void cleanupTestCase()
    {
        QMutexLocker lock(&g_mutex);
        // Warnings before the test log starts reach both the handler and the engine's signal.
        g_outside.removeDuplicates();
        if (g_outside.isEmpty()) {
            return;
        }
        std::fprintf(stderr, "FAIL! %lld warning(s) outside the test functions:\n", qint64(g_outside.size()));
        for (const QString& line : qAsConst(g_outside)) {
            std::fprintf(stderr, "  %s\n", qPrintable(line));
        }
        std::fflush(stderr);
        // The runner's exit code is out of the set-up's reach.
        std::_Exit(EXIT_FAILURE);
    }
};

QUICK_TEST_MAIN_WITH_SETUP(TestControls, ControlsSetup)

#include "ControlsSetup.moc"
