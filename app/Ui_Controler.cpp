#include "Ui_Controler.h"

#include "Hid_Thread.h"
#include "MenuEntries.h"
#include "SceneRenderer.h"
#include "SettingsKeys.h"
#include "StorePaths.h"
#include "StoreTools.h"
#include "myQQuickView.h"

#include <QMenu>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QWidget>
#include <QWindow>
#include <QtQml/qqmlextensionplugin.h>

// The scene module is linked in statically.
Q_IMPORT_QML_PLUGIN(QX7Plugin)

const char* const Ui_Controler::SceneUrl = "qrc:/QX7/main.qml";

Ui_Controler::Ui_Controler(QObject* parent)
    : QObject(parent)
{
}

void Ui_Controler::setupWindow(QWidget* widget, Hid_Thread* hid, const QString& baseDir)
{
    if (widget->objectName().isEmpty()) {
        widget->setObjectName(QStringLiteral("Widget"));
    }
    window = widget;
    widget->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::CustomizeWindowHint);
    widget->setWindowOpacity(1.0);
    widget->setAttribute(Qt::WA_TranslucentBackground, true);
    widget->setStyleSheet(QStringLiteral("background:transparent;"));

    SceneRenderer::chooseDefault();
    view = new myQQuickView(baseDir, widget);
    view->setObjectName(QStringLiteral("ui_View"));
    view->setClearColor(Qt::transparent);
    view->setHid(hid);
    view->setSource(QUrl(QString::fromLatin1(SceneUrl)));
    // Published only now: the scene's root is created hidden and starts its work in initUI().
    view->rootContext()->setContextProperty(QStringLiteral("ui_View"), view);
    view->rootContext()->setContextProperty(QStringLiteral("hid"), hid);
    view->rootContext()->setContextProperty(QStringLiteral("ui_Ctl"), this);
    widget->resize(view->size());
    loadWindowTitle(baseDir);
}

void Ui_Controler::loadWindowTitle(const QString& baseDir)
{
    const std::unique_ptr<QSettings> config = StoreTools::openSettings(StorePaths(baseDir).globalConfig());
    window->setWindowTitle(config->value(SettingsKeys::Name, QString()).toString());
}

void Ui_Controler::setTrayMenu(QMenu* menu, std::function<bool()> trayAvailable)
{
    m_trayMenu = menu;
    m_menuEntries = new MenuEntries(menu, this);
    QQmlEngine::setObjectOwnership(m_menuEntries, QQmlEngine::CppOwnership);
    m_trayAvailable = std::move(trayAvailable);
}

bool Ui_Controler::trayAvailable() const
{
    return !m_trayAvailable || m_trayAvailable();
}

QObject* Ui_Controler::windowMenu()
{
    if (!m_menuEntries || trayAvailable()) {
        return nullptr;
    }
    // What the tray menu does before it opens: check marks that may have changed meanwhile.
    emit m_trayMenu->aboutToShow();
    return m_menuEntries;
}

void Ui_Controler::onMinimize()
{
    if (window) {
        window->showMinimized();
    }
}

void Ui_Controler::onClose()
{
    if (!window) {
        return;
    }
    // Hidden, only the tray brings the window back; without one it waits minimised instead.
    if (trayAvailable()) {
        window->setVisible(false);
    } else {
        window->showMinimized();
    }
}

bool Ui_Controler::startSystemMove()
{
    QWindow* handle = window ? window->windowHandle() : nullptr;
    return handle && handle->startSystemMove();
}

void Ui_Controler::onXChanged(int x)
{
    if (window) {
        window->move(window->x() + x, window->y());
    }
}

void Ui_Controler::onYChanged(int y)
{
    if (window) {
        window->move(window->x(), window->y() + y);
    }
}

void Ui_Controler::setBusy(int busyTime)
{
    if (window && view) {
        view->setProtectUI(busyTime);
    }
}

void Ui_Controler::setBusy()
{
    setBusy(0);
}
