#ifndef QX7_GUNCONTROLSCREEN_H
#define QX7_GUNCONTROLSCREEN_H

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantList>

class Screens;

// The gun presets (fire period, repeat count, vertical correction) and the preset each of the
// three gun slots uses.
class GunControlScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isSave READ isSave WRITE setSave NOTIFY isSaveChanged)
    Q_PROPERTY(QStringList gunNames READ gunNames NOTIFY presetsChanged)
    Q_PROPERTY(QVariantList selectGun READ selectGun NOTIFY selectGunChanged)
    Q_PROPERTY(QStringList gunControlLang READ gunControlLang NOTIFY languageChanged)

public:
    static constexpr int PresetCount = 6;
    static constexpr int SlotCount = 3;

    struct Preset
    {
        QString name;
        QString key = QStringLiteral("L-Click");
        int period = 10;
        int x = 0;
        int y = 10;
        int times = 0;
    };

    explicit GunControlScreen(Screens& screens);

    bool isSave() const { return m_isSave; }
    void setSave(bool dirty);
    QStringList gunNames() const;
    QVariantList selectGun() const;
    QStringList gunControlLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);

    Preset preset(int index) const { return m_presets.value(index); }
    int slotPreset(int slot) const { return m_selectGun.value(slot); }
    // The fire periods of the presets the three slots use.
    QVariantList slotPeriods() const;

    Q_INVOKABLE void init();
    // Sends the preset chosen for slot 0-2 to the mouse's gun slot 1-3.
    Q_INVOKABLE void sendData(int slot);
    // The factory reset's presets and slot choices, stored and sent; false when a preset could not
    // be stored.
    Q_INVOKABLE bool resetData();
    // Closing the dialog: when anything changed, the three slots and then the key matrix are sent.
    Q_INVOKABLE void close();

signals:
    void isSaveChanged();
    void presetsChanged();
    void selectGunChanged();
    void languageChanged();

protected:
    bool storePreset(int index);
    void storeSelection();

    QList<Preset> m_presets;
    QList<int> m_selectGun {0, 1, 2};

private:
    Screens& m_screens;
    QStringList m_lang;
    bool m_isSave = false;
};

#endif // QX7_GUNCONTROLSCREEN_H
