// The screens driven as the scene drives them, through their invokable methods and properties, over
// the virtual mouse. Each case of flows/*.txt (the form is in flows/main.txt) gives the mouse, the
// files as they start and the steps; after each step what it returned and every report and pause it
// sent, and at the end every setting the mouse changed and every file value that changed.
#include "AppRulesScreen.h"
#include "CaseFile.h"
#include "DpiSettingScreen.h"
#include "GunControlScreen.h"
#include "KeyAssigmentScreen.h"
#include "KeyMatrixScreen.h"
#include "LightControlScreen.h"
#include "MacroEditorScreen.h"
#include "MainScreen.h"
#include "ProfileScreen.h"
#include "ScreenRig.h"
#include "SystemSettingScreen.h"
#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <list>
#include <memory>

namespace {

// A value as a line: lists joined with ", ", a map as its "key=value" pairs in key order.
QString text(const QVariant& value)
{
    const int type = value.typeId();
    if (type == QMetaType::QVariantMap) {
        QStringList pairs;
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            pairs << it.key() + '=' + text(it.value());
        }
        return pairs.join(' ');
    }
    if (type == QMetaType::QStringList || type == QMetaType::QVariantList) {
        QStringList items;
        for (const QVariant& item : value.toList()) {
            items << text(item);
        }
        return items.join(", ");
    }
    return value.toString();
}

// Calls a method of a screen by name, or reads or writes a property, as the scene does; the
// arguments are converted to the method's types. Gives the result line, empty for none.
QString call(QObject* object, const QByteArray& name, const QStringList& args)
{
    const QMetaObject* meta = object->metaObject();
    const QMetaProperty property = meta->property(meta->indexOfProperty(name));
    if (property.isValid() && args.size() <= 1) {
        if (args.isEmpty()) {
            return "= " + text(object->property(name));
        }
        return property.write(object, args.first()) ? QString() : "cannot write " + args.first();
    }
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.name() != name || method.parameterCount() != args.size()) {
            continue;
        }
        QVariantList values;
        QGenericArgument given[4];
        for (int p = 0; p < args.size(); ++p) {
            const QMetaType type = method.parameterMetaType(p);
            values << (type.id() == QMetaType::QVariantList ? QVariant(args.at(p).split(',')) : QVariant(args.at(p)));
            if (type.id() != QMetaType::QVariant && !values.last().convert(type)) {
                return "cannot convert " + args.at(p);
            }
        }
        for (int p = 0; p < args.size(); ++p) {
            const QMetaType type = method.parameterMetaType(p);
            given[p] = type.id() == QMetaType::QVariant ? QGenericArgument("QVariant", &values[p])
                                                        : QGenericArgument(type.name(), values[p].constData());
        }
        QVariant result(method.returnMetaType());
        const bool returns = method.returnMetaType().id() != QMetaType::Void;
        method.invoke(object,
                      Qt::DirectConnection,
                      QGenericReturnArgument(returns ? method.returnMetaType().name() : nullptr,
                                             returns ? result.data() : nullptr),
                      given[0],
                      given[1],
                      given[2],
                      given[3]);
        return returns ? "= " + text(result) : QString();
    }
    return "no such method or property";
}

// Runs events, the screens' own timers among them, until a property reads `want` or 20 s have
// passed. Gives the result line the property reads then.
QString waitUntil(QObject* object, const QByteArray& name, const QString& want)
{
    QDeadlineTimer deadline(20000);
    QString got = call(object, name, {});
    while (got != "= " + want && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
        got = call(object, name, {});
    }
    return got;
}

// A call of the device operations, as the screens make them: numbers as they are, lists as
// comma-separated numbers. Gives the result line, empty for none.
QString operate(DeviceOperations& ops, const QString& name, const QStringList& args)
{
    const auto number = [&](int i) { return args.value(i).toInt(); };
    const auto list = [&](int i) {
        QVariantList values;
        for (const QString& v : args.value(i).split(',', Qt::SkipEmptyParts)) {
            values << (v.contains('.') ? QVariant(v.toDouble()) : QVariant(v.toInt()));
        }
        return values;
    };
    const auto byte = [&](int i) { return static_cast<unsigned char>(number(i)); };
    if (name == "mouseSetReportRate") {
        ops.mouseSetReportRate(byte(0));
    } else if (name == "mouseSetCurrentDPI") {
        ops.mouseSetCurrentDPI(byte(0));
    } else if (name == "mouseGetCurrentDPI") {
        return "= " + ops.mouseGetCurrentDPI().toString();
    } else if (name == "mouseSwitchKeyMatrix") {
        ops.mouseSwitchKeyMatrix(number(0));
    } else if (name == "mouseSetKeyboardoption") {
        ops.mouseSetKeyboardoption(byte(0), byte(1), byte(2), byte(3));
    } else if (name == "GetKeyboardoption") {
        return "= " + text(ops.GetKeyboardoption());
    } else if (name == "mouseSetProfile") {
        ops.mouseSetProfile(uint(number(0)));
    } else if (name == "mouseReadProfile") {
        ops.mouseReadProfile(uint(number(0)));
    } else if (name == "profileImage") {
        const auto& image = ops.profileImage(number(0));
        return "= " + QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size())).toHex(' ');
    } else if (name == "clearHidBusy") {
        ops.clearHidBusy();
    } else if (name == "mouseSetKeyMatrix") {
        ops.mouseSetKeyMatrix(list(0), args.value(1) == "true", list(2));
    } else if (name == "mouseGetKeydefine") {
        return "= " + text(ops.mouseGetKeydefine(number(0), args.value(1) == "true"));
    } else if (name == "mouseResetKeyMatrix") {
        ops.mouseResetKeyMatrix();
    } else if (name == "mouseSetDpi") {
        ops.mouseSetDpi(number(0), args.value(1), list(2));
    } else if (name == "mouseSendMacroData") {
        return "= " + text(ops.mouseSendMacroData(list(0), number(1)));
    } else if (name == "mouseSetRGBEffect") {
        ops.mouseSetRGBEffect(byte(0), byte(1), byte(2));
    } else if (name == "mouseSetRGBColor") {
        ops.mouseSetRGBColor(byte(0), list(1));
    } else if (name == "mouseSendGundata") {
        ops.mouseSendGundata(number(0), list(1));
    } else if (name == "connectDevice") {
        ops.connectDevice(number(0), false);
    } else {
        return "no such operation";
    }
    return QString();
}

// A step's words: split at spaces, a quoted word kept whole, "" an empty one.
QStringList words(const QString& step)
{
    QStringList all;
    QString word;
    bool quoted = false;
    bool started = false;
    for (const QChar c : step) {
        if (c == '"') {
            quoted = !quoted;
            started = true;
        } else if (c == ' ' && !quoted) {
            if (started) {
                all << word;
            }
            word.clear();
            started = false;
        } else {
            word += c;
            started = true;
        }
    }
    if (started) {
        all << word;
    }
    return all;
}

// Steps that play the mouse, the link or the user's file dialog rather than the scene.
QString act(ScreenRig& rig, ManualClock& clock, const QString& word, const QStringList& args, const QString& dir)
{
    const int n = args.value(0).toInt();
    if (word == "tick") {
        clock.advance(n);
    } else if (word == "presses") {
        // N key presses and releases of A, each after the next of the given gaps (the last repeats).
        const QStringList gaps = args.value(1).split(',');
        for (int event = 0; event < n; ++event) {
            clock.advance(gaps.value(qMin(event, int(gaps.size()) - 1)).toInt());
            rig.screens->main()->routeKeyboard(event % 2 == 0, 0x04);
        }
    } else if (word == "front" || word == "front-own") {
        rig.screens->appRules()->setFrontWindow({args.value(0), args.value(1), args.value(2), word == "front-own"});
    } else if (word == "evaluate") {
        rig.screens->appRules()->evaluate();
    } else if (word == "events") {
        QCoreApplication::processEvents();
    } else if (word == "failed-exchange") {
        // A send the mouse does not take, outside any flow of the screens.
        rig.v.link.setHidFree(false);
        rig.ops->mouseSetCurrentDPI(2);
        rig.v.link.setHidFree(true);
    } else if (word == "record") {
        return "= " + rig.screens->keyMatrix()->record(n).keyCode();
    } else if (word == "set-color") {
        return rig.screens->lightControl()->setColor(n, args.value(1)) ? "= true" : "= false";
    } else if (word == "delete-macro-file") {
        rig.macros->deleteMacroIni(args.value(0));
    } else if (word == "options") {
        rig.v.mouse.setKeyboardOptions(
            {{uchar(n), uchar(args.value(1).toInt()), uchar(args.value(2).toInt()), uchar(args.value(3).toInt())}});
    } else if (word == "lacks") {
        rig.unoffered << (args.value(0) == "speed"    ? PointerControl::Setting::CursorSpeed
                          : args.value(0) == "double" ? PointerControl::Setting::DoubleClickSpeed
                                                      : PointerControl::Setting::ScrollLines);
    } else if (word == "capture") {
        QStringList calls;
        for (bool on : std::as_const(rig.captureCalls)) {
            calls << (on ? "on" : "off");
        }
        return "= " + calls.join(", ");
    } else if (word == "unplug") {
        rig.v.mouse.unplug();
    } else if (word == "unplug-after") {
        rig.v.mouse.unplugAfterReports(n);
    } else if (word == "replug") {
        rig.v.replug();
    } else if (word == "busy" || word == "free") {
        rig.v.link.setHidFree(word == "free");
    } else if (word == "stage") {
        rig.v.mouse.setActiveStage(n);
    } else if (word == "mouse-image") {
        rig.v.mouse.setProfileImage(n, QByteArray(128, char(args.value(1).toInt(nullptr, 16))));
    } else if (word == "mouse-profile") {
        rig.v.mouse.setCurrentProfile(n);
    } else if (word == "restart") {
        rig.restart();
    } else if (word == "start") {
        rig.start(n);
    } else if (word == "answer") {
        rig.chooser.answer(QString(args.value(0)).replace("$DIR", dir));
    } else if (word == "store") {
        const QString value = args.mid(1).join(' ');
        rig.writeProfile(args.value(0), value.contains(", ") ? QVariant(value.split(", ")) : QVariant(value));
    } else if (word == "unsent") {
        const QStringList parts = rig.screens->main()->unsentParts();
        return "= " + (parts.isEmpty() ? QStringLiteral("none") : parts.join(", "));
    } else if (word == "read") {
        return "= " + text(rig.store->getData(args.value(0), false));
    } else if (word == "own-stages") {
        // Each profile a first DPI stage of its own, so that a switch shows which file was read.
        for (int slot = 0; slot < rig.screens->profile()->names().size(); ++slot) {
            rig.store->profileSettings(slot)->setValue(
                "mouse/dpiValueArray", QVariantList {400 + 100 * slot, 800, 1600, 3200, 4800, 6400, 8000, 12000});
        }
        rig.store->sync();
    } else if (word == "tables") {
        // The DPI table the mouse holds after a switch to each entry, in order; the switching is
        // not part of the case.
        MainScreen* main = rig.screens->main();
        const int back = main->profileNo();
        QStringList tables;
        for (int i = 0; i < rig.screens->profile()->names().size(); ++i) {
            main->changeProfile(i == main->profileNo() ? (i == 0 ? 1 : 0) : i);
            main->changeProfile(i);
            tables << QString::fromLatin1(rig.v.mouse.state().dpiTable.left(2).toHex());
        }
        main->changeProfile(back);
        rig.v.clearLog();
        return "= " + tables.join(", ");
    } else if (word == "follow") {
        rig.screens->main()->followProfile(n);
    } else if (word == "commit") {
        rig.screens->keyMatrix()->commit(n, rec(args.value(1)), args.value(2));
    } else {
        return "no such step";
    }
    return QString();
}

// A wire line repeated three times or more in a row is written once with its count ("x40"): the
// link's waits while it is taken are many.
QStringList collapsed(const QStringList& lines)
{
    QStringList out;
    for (int i = 0; i < lines.size();) {
        int n = 1;
        while (i + n < lines.size() && lines.at(i + n) == lines.at(i)) {
            ++n;
        }
        if (n >= 3 && lines.at(i).startsWith("wire ")) {
            out << QStringLiteral("%1 x%2").arg(lines.at(i)).arg(n);
        } else {
            for (int k = 0; k < n; ++k) {
                out << lines.at(i);
            }
        }
        i += n;
    }
    return out;
}

// Every property of every screen, "SCREEN.PROPERTY VALUE", in declaration order.
QStringList screenLines(const QMap<QString, QObject*>& screens)
{
    QStringList lines;
    for (auto it = screens.cbegin(); it != screens.cend(); ++it) {
        const QMetaObject* meta = it.value()->metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            lines << it.key() + '.' + property.name() + ' ' + text(property.read(it.value()));
        }
    }
    return lines;
}

QStringList changedLines(const QStringList& before, const QStringList& after, const QString& prefix)
{
    QStringList lines;
    for (const QString& line : after) {
        if (!before.contains(line)) {
            lines << prefix + line;
        }
    }
    return lines;
}

QMap<QString, QObject*> screensOf(const ScreenRig& rig)
{
    const Screens& s = *rig.screens;
    return {{"main", s.main()},
            {"profile", s.profile()},
            {"keyMatrix", s.keyMatrix()},
            {"dpiSetting", s.dpiSetting()},
            {"lightControl", s.lightControl()},
            {"gunControl", s.gunControl()},
            {"macroEditor", s.macroEditor()},
            {"keyAssigment", s.keyAssigment()},
            {"systemSetting", s.systemSetting()},
            {"appRules", s.appRules()}};
}

} // namespace

class TestScreenFlows : public QObject
{
    Q_OBJECT

private slots:
    void flows_data();
    void flows();
};

void TestScreenFlows::flows_data()
{
    // One file when the test runs as one of the per-file tests, else all of them.
    const QString only = qEnvironmentVariable("QX7_CASES");
    QStringList files;
    for (const QString& name : QDir(TestSupport::sourceDir() + "/tests/screens/flows").entryList({"*.txt"})) {
        if (only.isEmpty() || name == only + ".txt") {
            files << "screens/flows/" + name;
        }
    }
    CaseFile::addRows(files);
}

void TestScreenFlows::flows()
{
    QFETCH(QStringList, block);
    ScreenRig::Flags flags;
    QStringList expected;
    for (const QString& line : std::as_const(block)) {
        const QStringList words = line.split(' ');
        if (words.first() == "family") {
            flags = {words.value(1), words.contains("colorful"), words.contains("gun"), words.contains("55328")};
        } else if (words.first() != "set" && words.first() != "write" && words.first() != "remove") {
            expected << line;
        }
    }
    ManualClock clock;
    ScreenRig rig(flags);
    const QString dir = rig.modules.baseDir();
    for (const QString& line : std::as_const(block)) {
        const QString file = "modules/" + line.section(' ', 1, 1);
        if (line.startsWith("set ")) {
            const QString value = line.section(' ', 3);
            QSettings(rig.modules.path(file), QSettings::IniFormat)
                .setValue(line.section(' ', 2, 2),
                          value.contains(", ") ? QVariant(value.split(", ")) : QVariant(value));
        } else if (line.startsWith("write ")) {
            QVERIFY(rig.modules.write(
                file, QByteArray::fromPercentEncoding(line.section(' ', 2).replace("\\n", "\n").toUtf8())));
        } else if (line.startsWith("remove ")) {
            QVERIFY(QFile::remove(rig.modules.path(file)));
        }
    }
    rig.restart();
    rig.screens->macroEditor()->setClock(&clock);
    rig.screens->appRules()->setClock(&clock);
    QMap<QString, QDateTime> stamps = rig.modules.stamps(true);
    QMap<QString, QString> files = CaseFile::values(dir);
    const QStringList mouse = TestSupport::settingLines(rig.v.mouse.state());

    rig.pointerCalls.clear();
    QStringList shown = screenLines(screensOf(rig));
    QStringList actual;
    std::list<std::pair<QString, std::unique_ptr<QSignalSpy>>> spies;
    const QStringList results {"=", "wire", "desktop", "signals", "screen", "mouse", "file", "gone", "written"};
    for (const QString& step : std::as_const(expected)) {
        if (results.contains(step.section(' ', 0, 0))) {
            continue;
        }
        actual << step;
        rig.v.clearLog();
        QStringList args = words(step);
        const QString word = args.takeFirst();
        QObject* screen = nullptr;
        if (word == "state") {
            const QString prefix = args.value(0) + '.';
            for (const QString& line : screenLines(screensOf(rig))) {
                if (line.startsWith(prefix)) {
                    actual << "= " + line.mid(prefix.size());
                }
            }
            continue;
        }
        if (word.contains('.') || word == "spy" || word == "until") {
            const QMap<QString, QObject*> screens = screensOf(rig);
            const QString name = word == "spy" || word == "until" ? args.value(0) : word;
            screen = screens.value(name.section('.', 0, 0));
            if (screen && word == "spy") {
                const QMetaObject* meta = screen->metaObject();
                for (int i = 0; i < meta->methodCount(); ++i) {
                    if (meta->method(i).name() == name.section('.', 1).toLatin1()) {
                        const QByteArray signal = "2" + meta->method(i).methodSignature();
                        spies.emplace_back(name, std::make_unique<QSignalSpy>(screen, signal.constData()));
                    }
                }
                continue;
            }
        }
        if (word == "changes") {
            actual << CaseFile::changes(dir, files, stamps, rig.modules.stamps());
            stamps = rig.modules.stamps(true);
            files = CaseFile::values(dir);
            continue;
        }
        const QString result = word == "until" && screen
                                   ? waitUntil(screen, args.value(0).section('.', 1).toLatin1(), args.mid(1).join(' '))
                               : screen                  ? call(screen, word.section('.', 1).toLatin1(), args)
                               : word.startsWith("ops.") ? operate(*rig.ops, word.mid(4), args)
                                                         : act(rig, clock, word, args, dir);
        if (!result.isEmpty()) {
            actual << result;
        }
        rig.screens->macroEditor()->setClock(&clock);
        rig.screens->appRules()->setClock(&clock);
        for (const QString& line : std::as_const(rig.v.log)) {
            if (!line.startsWith("feature-in ") && !line.startsWith("input ") && !line.startsWith("event ")) {
                actual << "wire " + line;
            }
        }
        for (const QString& call : std::as_const(rig.pointerCalls)) {
            actual << "desktop " + call;
        }
        rig.pointerCalls.clear();
        // What a start shows is for the "state" steps to check; the end shows what changed after it.
        if (word == "start" || word == "restart" || word == "main.initUI") {
            shown = screenLines(screensOf(rig));
        }
    }
    for (const auto& spy : spies) {
        QString line = QStringLiteral("signals %1 %2").arg(spy.first).arg(spy.second->count());
        for (const QList<QVariant>& arguments : std::as_const(*spy.second)) {
            if (!arguments.isEmpty()) {
                line += " (" + text(arguments) + ')';
            }
        }
        actual << line;
    }
    actual << changedLines(shown, screenLines(screensOf(rig)), "screen ");
    actual << changedLines(mouse, TestSupport::settingLines(rig.v.mouse.state()), "mouse ");
    actual << CaseFile::changes(dir, files, stamps, rig.modules.stamps());
    QVERIFY(CaseFile::same(collapsed(actual), expected));
}

QTEST_GUILESS_MAIN(TestScreenFlows)
#include "TestScreenFlows.moc"
