#ifndef QX7_MYQQUICKVIEW_H
#define QX7_MYQQUICKVIEW_H

#include "AppRulesScreen.h"
#include "SceneCalls.h"
#include "Screens.h"

#include <QQuickWidget>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <memory>

class ActiveWindow;
class ConfigStore;
class Core;
class DesktopPointer;
class DeviceOperations;
class FileDialogChooser;
class GunStore;
class Hid_Thread;
class LanguageStore;
class MacroLibrary;

// The scene's backend object "ui_View": the settings store, the device operations and the desktop's
// pointer settings under the names the scene calls, the application in front for the rules that
// follow it, and the bridge that calls scene functions.
class myQQuickView : public QQuickWidget, public SceneCalls, public PointerControl, public AppWatch
{
    Q_OBJECT

public:
    // `baseDir` holds modules/.
    explicit myQQuickView(const QString& baseDir, QWidget* parent = nullptr);
    ~myQQuickView() override;

    // Attaches the link; the screens exist from here on, before the scene is loaded.
    void setHid(Hid_Thread* hid);
    Screens* screens() const;
    DeviceOperations* operations() const;

    // While the window is hidden, the scene and what it holds (its objects, images, glyphs and
    // compiled types) are given back; the screens keep every rule and value, so the scene made
    // again when the window shows looks as it was. A scene with a dialog open, or busy, is kept.
    void releaseWhenHidden();
    bool sceneReleased() const { return m_released; }

    // Scene calls from hooks: queued, so the scene never runs inside them.
    void detectKeyboard(bool pressed, int code);
    void detectMouse(bool pressed, uint button, uint x, uint y);

    // SceneCalls
    void setProtectUI(int milliseconds) override;

    // PointerControl: the system-settings screen's levels for the desktop.
    bool setCursorSpeed(int level) override;
    bool setDoubleClickSpeed(int level) override;
    bool setScrollLines(int lines) override;
    bool offers(Setting setting) const override;
    Q_INVOKABLE void setCurrentDPI(int stage) override;

    // AppWatch: the desktop's window in front.
    bool follows() const override;
    QStringList runningApplications() const override;

    // Settings store: what the store reports goes back to the scene as it came.
    Q_INVOKABLE QVariant getData(const QVariant& key, bool isRecovery);
    Q_INVOKABLE QVariantList getDataList(const QVariant& key, bool isRecovery);
    Q_INVOKABLE bool setData(const QVariant& key, const QVariant& data);
    Q_INVOKABLE bool setDataList(const QVariant& key, const QVariantList& datalist);
    Q_INVOKABLE QVariant getGlobalData(const QVariant& key);
    Q_INVOKABLE bool setGlobalData(const QVariant& key, const QVariant& tmpdata);
    Q_INVOKABLE bool resetApconfig();
    Q_INVOKABLE void openUpdateExe();
    Q_INVOKABLE void setCurrentProfile(int profile);
    Q_INVOKABLE bool saveProfile(int profile);
    Q_INVOKABLE bool loadProfile(int profile);
    Q_INVOKABLE bool resetProfile(int profile);
    Q_INVOKABLE bool copyProfile(int destprofile, int srcprofile);
    Q_INVOKABLE QVariant createMacroIni(const QVariant& name, const QVariant& macroIndex);
    Q_INVOKABLE QVariant saveMacroIni(const QVariant& name, const QStringList& macros, const QVariant& repeat);
    Q_INVOKABLE QStringList loadMacroIni(const QVariant& name);
    Q_INVOKABLE QVariant deleteMacroIni(const QVariant& name);
    Q_INVOKABLE QVariant modifyMacroNameUpdateProfile(const QVariant& oldname, const QVariant& newname);
    Q_INVOKABLE bool deleteMacroUpdateProfile(const QVariant& macroName);
    Q_INVOKABLE QVariant updataNameList(const QVariant& type, const QStringList& nameList);
    Q_INVOKABLE QVariantList getNameList(const QVariant& type);
    Q_INVOKABLE bool saveMacroFile(const QVariant& macroFileName);
    Q_INVOKABLE bool loadMacroFile(const QVariant& macroFileName);
    Q_INVOKABLE QVariantList getGunData(const QVariant& name);
    Q_INVOKABLE QStringList getGunDataKey();
    Q_INVOKABLE bool mouseSaveGundata(const QVariant& index, const QVariantList& src6);
    Q_INVOKABLE bool modifyGundata(const QVariant& modifyType, const QVariantList& src6);
    Q_INVOKABLE QVariant getXYSensitive(const QVariant& index);
    Q_INVOKABLE bool setXYSensitive(const QVariant& index, const QVariant& xyData);
    Q_INVOKABLE QVariant getselectGun(const QVariant& index);
    Q_INVOKABLE bool setSelectGun(const QVariant& index, const QVariant& xyData);
    Q_INVOKABLE QStringList getLangStrings(const QString& typeStr, const QString& langCode);

    // Device operations
    Q_INVOKABLE void mouseSetReportRate(uchar rate);
    Q_INVOKABLE void mouseSetCurrentDPI(uchar currentDPI);
    Q_INVOKABLE QVariant mouseGetCurrentDPI();
    Q_INVOKABLE void mouseSwitchKeyMatrix(int indexNo);
    Q_INVOKABLE void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    Q_INVOKABLE QVariantList GetKeyboardoption();
    Q_INVOKABLE void mouseSetProfile(uint profileNo);
    Q_INVOKABLE void mouseReadProfile(uint profileNo);
    Q_INVOKABLE QVariant mouseReadCurrentProfile();
    Q_INVOKABLE void mouseSetDpi(int dpiCount, const QString& sensorType, const QVariantList& dpiValueArray);
    Q_INVOKABLE void mouseSetKeyMatrix(const QVariantList& src64, bool isSendData, const QVariantList& otherParam);
    Q_INVOKABLE QVariantList mouseGetKeydefine(const QVariant& index, bool isRecovery);
    Q_INVOKABLE void mouseResetKeyMatrix();
    Q_INVOKABLE QVariant mouseSendMacroData(const QVariantList& macroData, const QVariant& macroIndex);
    Q_INVOKABLE void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    Q_INVOKABLE void mouseSetRGBColor(uchar type, const QVariantList& src24);
    Q_INVOKABLE void mouseSendGundata(int slot, const QVariantList& values);

public slots:
    void clearHidBusy();
    void setBusy(int busyTime);
    void initUI();
    void runUI();
    // Desktop pointer settings
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetVerticalScrollLines(uint lines);
    void mouseSetDoubleClickSpeed(uint speed);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Calls a scene function by name on the root object.
    bool callScene(const char* function, Qt::ConnectionType type, const QVariantList& arguments = {});
    // What the scene's function of that name does, for the calls that reach a released scene.
    bool callScreens(const char* function, const QVariantList& arguments);
    void releaseScene();
    void restoreScene();
    DesktopPointer& pointer() const;
    void frontChanged();

    std::unique_ptr<Core> m_core;
    std::unique_ptr<FileDialogChooser> m_chooser;
    mutable std::unique_ptr<DesktopPointer> m_pointer;
    std::unique_ptr<ActiveWindow> m_activeWindow;
    bool m_sceneStarted = false;
    bool m_released = false;
    QUrl m_sceneUrl;
    QTimer m_releaseTimer;
};

#endif // QX7_MYQQUICKVIEW_H
