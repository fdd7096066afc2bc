#include "ProfileFlows.h"

#include "ConfigStore.h"
#include "DeviceOperations.h"
#include "DpiSettingScreen.h"
#include "GunControlScreen.h"
#include "KeyMatrixScreen.h"
#include "LightControlScreen.h"
#include "MainScreen.h"
#include "PendingSends.h"
#include "Screens.h"
#include "SettingsKeys.h"
#include "SystemSettingScreen.h"

#include <optional>

ProfileFlows::ProfileFlows(Screens& screens, PendingSends& sends)
    : m_screens(screens)
    , m_sends(sends)
{
}

bool ProfileFlows::hasEdits() const
{
    return m_screens.keyMatrix()->isSave() || m_screens.dpiSetting()->isSave() || m_screens.lightControl()->isSave();
}

void ProfileFlows::save()
{
    ConfigStore::WriteBatch batch(m_screens.store());
    KeyMatrixScreen* keys = m_screens.keyMatrix();
    DpiSettingScreen* dpi = m_screens.dpiSetting();
    LightControlScreen* light = m_screens.lightControl();
    // One notice for the flow; each screen stays dirty until its own send has reached the mouse.
    m_sends.enterFlow();
    if (keys->isSave()) {
        m_sends.deliver(
            QStringLiteral("keyMatrix"), [keys] { keys->saveData(); }, [keys] { keys->setSave(false); });
    }
    if (dpi->isSave()) {
        m_sends.deliver(
            QStringLiteral("dpi"), [dpi] { dpi->saveData(true); }, [dpi] { dpi->setSave(false); });
    }
    if (light->isSave()) {
        m_sends.deliver(
            QStringLiteral("lighting"), [light] { light->saveData(true, 0); }, [light] { light->setSave(false); });
    }
    m_sends.leaveFlow();
}

void ProfileFlows::forgetEdits()
{
    m_screens.keyMatrix()->setSave(false);
    m_screens.dpiSetting()->setSave(false);
    m_screens.lightControl()->setSave(false);
}

void ProfileFlows::discard()
{
    forgetEdits();
    m_screens.keyMatrix()->init(false, false);
    m_screens.dpiSetting()->init(false, false);
    m_screens.lightControl()->init(false, false);
}

void ProfileFlows::resendProfile()
{
    m_screens.keyMatrix()->init(true, false);
    m_screens.main()->initReportRate(true);
    m_screens.dpiSetting()->init(true, false);
    m_screens.lightControl()->init(true, false);
    m_screens.systemSetting()->init(true, false);
    if (m_screens.main()->isGun()) {
        m_screens.operations().mouseSwitchKeyMatrix(1);
    }
}

void ProfileFlows::forgetScreenParts()
{
    m_sends.forget(
        {QStringLiteral("keyMatrix"), QStringLiteral("reportRate"), QStringLiteral("dpi"), QStringLiteral("lighting")});
}

bool ProfileFlows::factoryReset()
{
    ConfigStore& store = m_screens.store();
    ConfigStore::WriteBatch batch(store);
    // Without the default profile there is nothing to reset to: the rest stays as it is.
    if (!store.resetProfile(store.currentProfile())) {
        m_screens.main()->showNotice(MainScreen::ResetFailedText);
        return false;
    }
    forgetEdits();
    m_sends.enterFlow();
    DeviceOperations& ops = m_screens.operations();
    m_sends.deliver(
        QStringLiteral("profile"),
        [this, &ops] {
            resendProfile();
            ops.mouseSetCurrentDPI(2);
        },
        [this] { forgetScreenParts(); });
    m_screens.dpiSetting()->setCurrentDPI(1);
    GunControlScreen* gun = m_screens.gunControl();
    const bool presets = gun->resetData();
    m_sends.deliver(QStringLiteral("gun"), [gun] { gun->sendSlots(); });
    m_sends.leaveFlow();
    return presets;
}

void ProfileFlows::makeCurrent(int slot)
{
    m_screens.store().setGlobalData(SettingsKeys::ProfileNo, slot);
    m_screens.store().setCurrentProfile(slot);
}

void ProfileFlows::sendProfile(bool quick)
{
    // The screens show the new profile from here on: edits of the old one are gone.
    forgetEdits();
    DeviceOperations& ops = m_screens.operations();
    // The quick send ends inside the delivery, so the images it held back are watched too; sent
    // again after a failure, everything goes (a failed exchange makes every setting unknown).
    m_sends.deliver(
        QStringLiteral("profile"),
        [this, &ops, quick] {
            std::optional<DeviceOperations::QuickSend> only;
            if (quick) {
                only.emplace(ops);
            }
            resendProfile();
        },
        [this] { forgetScreenParts(); });
}
