#ifndef QX7_MACROEDITORSCREEN_H
#define QX7_MACROEDITORSCREEN_H

#include "MacroActionEdits.h"
#include "MacroCatalog.h"
#include "MacroEncoder.h"
#include "MacroRecorder.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantList>

class Screens;
class TickClock;

// The macro editor: the list of named macros (MacroCatalog), the selected macro's actions with
// their edits (MacroActionEdits), and recording and Insert Key (MacroRecorder). Every edit is saved
// at once and announced with modifyMacroData, so that the buttons bound to the macro get it again.
class MacroEditorScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList macroNames READ macroNames NOTIFY macroNamesChanged)
    Q_PROPERTY(int selectedMacro READ selectedMacro NOTIFY selectedMacroChanged)
    // Each action as whether it is a delay or a press, and its info.
    Q_PROPERTY(QVariantList actions READ actionItems NOTIFY actionsChanged)
    Q_PROPERTY(int selectedAction READ selectedAction NOTIFY selectedActionChanged)
    Q_PROPERTY(int repeatCount READ repeatCount NOTIFY repeatCountChanged)
    Q_PROPERTY(bool recordDelay READ recordDelay WRITE setRecordDelay NOTIFY recordDelayChanged)
    Q_PROPERTY(bool isInputting READ isInputting NOTIFY isInputtingChanged)
    Q_PROPERTY(bool isInsertting READ isInsertting NOTIFY isInserttingChanged)
    Q_PROPERTY(QString insertKeyLabel READ insertKeyLabel NOTIFY isInserttingChanged)
    Q_PROPERTY(int encodedLength READ encodedLength NOTIFY actionsChanged)
    Q_PROPERTY(int blockSize READ blockSize CONSTANT)
    Q_PROPERTY(int maxNameLength READ maxNameLength CONSTANT)
    Q_PROPERTY(int maxRepeat READ maxRepeat CONSTANT)
    Q_PROPERTY(int maxDelayMs READ maxDelayMs CONSTANT)
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)
    Q_PROPERTY(QStringList macroEditorLang READ macroEditorLang NOTIFY languageChanged)

public:
    // Indices into macroEditorLang.
    enum Text {
        TitleText,
        MacroNameText,
        NewText,
        DeleteText,
        ActionText,
        StopRecordText,
        TimesText,
        OkText,
        StartRecordText,
        DelayText,
        DeleteMenuText,
        ImportText,
        ExportText,
        InsertDelayText,
        InsertKeyText,
        InsertLeftText,
        InsertMiddleText,
        InsertRightText,
        NotMacroFileText = 20,
        FullText,
        NameUsedText,
        ListFullText,
        PressKeyText,
        CancelText,
        BadNameText,
    };
    Q_ENUM(Text)

    // The buttons of the Insert Left/Middle/Right Key entries.
    enum MouseKey { LeftKey, MiddleKey, RightKey };
    Q_ENUM(MouseKey)

    static constexpr int MaxMacros = MacroCatalog::MaxMacros;
    static constexpr int MaxNameLength = 32;
    static constexpr int MaxRepeat = 65535;
    static constexpr int MaxDelayMs = MacroActionEdits::MaxDelayMs;
    static constexpr int InsertedDelayMs = 50;
    // Codes from here on are mouse buttons.
    static constexpr int FirstMouseCode = 0xF0;

    explicit MacroEditorScreen(Screens& screens);
    ~MacroEditorScreen() override;

    QStringList macroNames() const { return m_catalog.names(); }
    int selectedMacro() const { return m_selected; }
    QString selectedName() const { return m_catalog.name(m_selected); }
    QList<MacroEncoder::Action> actions() const { return m_actions; }
    QVariantList actionItems() const;
    int selectedAction() const { return m_selectedAction; }
    int repeatCount() const { return m_repeat; }
    bool recordDelay() const { return m_recordDelay; }
    void setRecordDelay(bool record);
    bool isInputting() const { return m_recorder.recording(); }
    bool isInsertting() const { return m_recorder.inserting(); }
    QString insertKeyLabel() const;
    int encodedLength() const;
    static int blockSize() { return MacroEncoder::BlockSize; }
    static int maxNameLength() { return MaxNameLength; }
    static int maxRepeat() { return MaxRepeat; }
    static int maxDelayMs() { return MaxDelayMs; }
    QString message() const { return m_message; }
    QStringList macroEditorLang() const { return m_lang; }
    void setLanguageTexts(const QStringList& texts);

    // The recording's clock; null puts the editor's own back. Not owned.
    void setClock(TickClock* clock);

    // Reads the macro names.
    Q_INVOKABLE void init();
    // Encodes the stored macro `macroName` and sends it to macro slot `slot` (from 0); false when
    // the macro could not be sent.
    Q_INVOKABLE bool sendMacro(int slot, const QString& macroName);
    // Whether the stored macro fits the mouse's block.
    bool fitsBlock(const QString& macroName) const;

    // The macro list. A negative or unknown index selects nothing.
    Q_INVOKABLE void selectMacro(int index);
    Q_INVOKABLE void newMacro();
    // The entries of the macro list's menu, as indices into macroEditorLang: on a macro (`index`
    // from 0) Delete, Import and Export; below the macros (-1) Import, also when there are none.
    Q_INVOKABLE QVariantList menuEntries(int index) const;
    Q_INVOKABLE void importMacro();
    Q_INVOKABLE void exportMacro();
    // False, with the name unchanged, for a name that is used or cannot name a file.
    Q_INVOKABLE bool renameMacro(int index, const QString& name);
    Q_INVOKABLE void removeMacro(int index);

    // The action list's edits; `index` is the action the context menu was opened on (-1: none,
    // which appends). Each is refused when it would lengthen the encoding past the mouse's block.
    Q_INVOKABLE void selectAction(int index);
    Q_INVOKABLE bool deleteAction(int index);
    Q_INVOKABLE bool insertDelay(int index);
    Q_INVOKABLE bool insertMouseKey(int index, int key);
    Q_INVOKABLE bool setDelay(int index, const QString& milliseconds);
    // Insert Key: captures the next key until confirmed or cancelled.
    Q_INVOKABLE void startInsertKey(int index);
    Q_INVOKABLE bool confirmInsertKey();
    Q_INVOKABLE void cancelInsertKey();

    Q_INVOKABLE void setRepeatCount(int count);
    Q_INVOKABLE void startRecord();
    Q_INVOKABLE void stopRecord();
    // The dialog closes: a running recording stops and is saved.
    Q_INVOKABLE void close();

    // While recording or inserting a key, captured keys belong to the editor.
    bool capturesKeys() const;
    void detectKeyboard(bool isDown, int usbCode);

signals:
    void macroNamesChanged();
    void selectedMacroChanged();
    void actionsChanged();
    void selectedActionChanged();
    void repeatCountChanged();
    void recordDelayChanged();
    void isInputtingChanged();
    void isInserttingChanged();
    // Emitted for every message, also when the text repeats.
    void messageChanged();
    void languageChanged();

    // The main scene's flows: bindings follow a rename, return to defaults on a delete, and
    // receive the macro again after a change.
    void deleteMacro(const QString& macroName);
    void modifyMacroName(const QString& oldMacroName, const QString& newMacroName);
    void modifyMacroData(const QString& macroName);

private:
    void setActions(const QList<MacroEncoder::Action>& actions, int selected);
    void setSelectedAction(int index);
    // Takes the candidate list unless it lengthens the encoding past the block; saves it.
    bool edit(const MacroActionEdits::Edit& candidate);
    bool fits(const QList<MacroEncoder::Action>& candidate) const;
    void save();
    void showMessage(Text text);
    // Shows a macro added at `at`, or why it was not.
    void added(MacroCatalog::Added result, int at);
    void endInsert();

    Screens& m_screens;
    QStringList m_lang;
    MacroCatalog m_catalog;
    MacroRecorder m_recorder;
    int m_selected = -1;
    QList<MacroEncoder::Action> m_actions;
    int m_selectedAction = -1;
    int m_repeat = 1;
    bool m_recordDelay = false;
    QString m_message;
};

#endif // QX7_MACROEDITORSCREEN_H
