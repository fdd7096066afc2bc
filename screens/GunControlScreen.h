#ifndef QX7_GUNCONTROLSCREEN_H
#define QX7_GUNCONTROLSCREEN_H

#include "WireSizes.h"

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
    Q_PROPERTY(QStringList gunPictures READ gunPictures CONSTANT)
    Q_PROPERTY(QStringList slotNames READ slotNames NOTIFY languageChanged)
    // The names of the presets gun slots 1-3 use, for the key matrix.
    Q_PROPERTY(QStringList gunNumberModel READ gunNumberModel NOTIFY selectGunChanged)
    // The slot chosen in the drop-down (0-2) and the preset shown, the one that slot uses.
    Q_PROPERTY(int currentSlot READ currentSlot NOTIFY shownChanged)
    Q_PROPERTY(int shownPreset READ shownPreset NOTIFY shownChanged)
    Q_PROPERTY(int gunX READ gunX NOTIFY shownChanged)
    Q_PROPERTY(int gunY READ gunY NOTIFY shownChanged)
    Q_PROPERTY(int gunPeriod READ gunPeriod NOTIFY shownChanged)
    Q_PROPERTY(int gunTimes READ gunTimes NOTIFY shownChanged)
    Q_PROPERTY(bool endless READ endless NOTIFY shownChanged)
    Q_PROPERTY(int markerOffset READ markerOffset NOTIFY shownChanged)
    // The rate knob's position (0 to rateSteps) for the shown period: its label reads the period.
    Q_PROPERTY(int rateKnob READ rateKnob NOTIFY shownChanged)
    Q_PROPERTY(int rateSteps READ rateSteps CONSTANT)
    Q_PROPERTY(int markerTravel READ markerTravel CONSTANT)
    Q_PROPERTY(int maxY READ maxY CONSTANT)
    Q_PROPERTY(int maxTimes READ maxTimes CONSTANT)
    Q_PROPERTY(int maxNameLength READ maxNameLength CONSTANT)

public:
    // Indices into gunControlLang.
    enum Text {
        TitleText,
        GunText,
        SelectGunText,
        CursorAdjustText,
        XAxisText,
        YAxisText,
        FireAdjustText,
        RateText,
        TimesText,
        EndlessText,
    };
    Q_ENUM(Text)

    static constexpr int PresetCount = 6;
    static constexpr int SlotCount = WireSizes::GunSlots;
    // The correction marker's travel in pixels spans Y 0-64.
    static constexpr int MarkerTravel = 94;
    static constexpr int MaxY = 64;
    // The rate slider gives the fire period in milliseconds, one step a millisecond.
    static constexpr int MinPeriod = 4;
    static constexpr int MaxPeriod = 90;
    static constexpr int RateSteps = MaxPeriod - MinPeriod;
    static constexpr int MaxTimes = WireSizes::MaxTimes;
    // What the name field under a preset's picture takes.
    static constexpr int MaxNameLength = 12;

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

    QStringList gunPictures() const;
    QStringList slotNames() const;
    QStringList gunNumberModel() const;
    int currentSlot() const { return m_currentSlot; }
    int shownPreset() const { return m_selectGun.at(m_currentSlot); }
    int gunX() const { return shown().x; }
    int gunY() const { return shown().y; }
    int gunPeriod() const { return shown().period; }
    int gunTimes() const { return shown().times; }
    bool endless() const { return shown().times == 0; }
    int markerOffset() const;
    int markerTravel() const { return MarkerTravel; }
    int maxY() const { return MaxY; }
    int maxTimes() const { return MaxTimes; }
    static int maxNameLength() { return MaxNameLength; }
    int rateKnob() const;
    static int rateSteps() { return RateSteps; }

    Preset preset(int index) const { return m_presets.value(index); }
    int slotPreset(int slot) const { return m_selectGun.value(slot); }
    // The fire periods of the presets the three slots use.
    QVariantList slotPeriods() const;

    Q_INVOKABLE void init();
    // Sends the preset chosen for slot 0-2 to the mouse's gun slot 1-3.
    Q_INVOKABLE void sendData(int slot);
    // The three slots' presets to the mouse.
    void sendSlots();
    // The factory reset's presets and slot choices, stored (sendSlots sends them); false when a
    // preset could not be stored.
    Q_INVOKABLE bool resetData();
    // Closing the dialog: when anything changed, the three slots and then the key matrix are sent.
    Q_INVOKABLE void close();

    // Shows the preset slot 0-2 uses.
    Q_INVOKABLE void chooseSlot(int slot);
    // The preset for the slot chosen in the drop-down.
    Q_INVOKABLE void choosePreset(int index);
    // Edits of the shown preset, each stored at once.
    Q_INVOKABLE void moveMarker(int offset);
    Q_INVOKABLE void setY(int y);
    Q_INVOKABLE void setTimes(int times);
    Q_INVOKABLE void setEndless(bool endless);
    // The rate label for a knob position, and the period taken when the drag ends there.
    Q_INVOKABLE QString rateLabel(int position) const;
    Q_INVOKABLE void releaseRate(int position);
    // The fire period in milliseconds, MinPeriod to MaxPeriod.
    Q_INVOKABLE void setPeriod(int period);
    // A double-click on a preset begins renaming it: the choice its first click made is undone.
    Q_INVOKABLE void startRename(int index);
    // A name no other preset has; not empty, no path separators.
    Q_INVOKABLE bool rename(int index, const QString& name);

signals:
    void isSaveChanged();
    void presetsChanged();
    void selectGunChanged();
    void languageChanged();
    void shownChanged();

protected:
    QVariantList presetValues(int index) const;
    bool storePreset(int index);
    static int periodOfKnob(int position);
    const Preset& shown() const { return m_presets.at(shownPreset()); }
    // Applies an edit to the shown preset: stored, dirty, shown.
    void editShown(int Preset::*field, int value);
    void storeSelection();

    QList<Preset> m_presets;
    QList<int> m_selectGun {0, 1, 2};
    int m_currentSlot = 0;

private:
    // The last preset choice and what it replaced.
    struct Choice
    {
        int slot = -1;
        int preset = -1;
        int replaced = -1;
        bool wasDirty = false;
    };

    Screens& m_screens;
    QStringList m_lang;
    bool m_isSave = false;
    Choice m_lastChoice;
};

#endif // QX7_GUNCONTROLSCREEN_H
