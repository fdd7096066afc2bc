#include "KeyMatrixScreen.h"

#include "ConfigStore.h"
#include "DeviceOperations.h"
#include "GunControlScreen.h"
#include "ScreenValues.h"
#include "Screens.h"

namespace {

const QStringList DefaultLang {QStringLiteral("Key "), QStringLiteral("Key Function")};

} // namespace

KeyMatrixScreen::KeyMatrixScreen(Screens& screens)
    : QObject(&screens)
    , m_screens(screens)
    , m_records(ButtonFunction::builtInMatrix())
    , m_defaults(m_records)
    , m_lang(DefaultLang)
{
    for (const ButtonFunction& record : m_records) {
        m_texts << textOf(record);
    }
}

void KeyMatrixScreen::setSave(bool dirty)
{
    if (m_isSave != dirty) {
        m_isSave = dirty;
        emit isSaveChanged();
    }
}

QStringList KeyMatrixScreen::keyTexts() const
{
    return m_texts;
}

QStringList KeyMatrixScreen::rowTitles() const
{
    QStringList titles;
    for (int n = 1; n <= Rows; ++n) {
        titles << m_lang.at(0) + QString::number(n);
    }
    return titles;
}

void KeyMatrixScreen::setLanguageTexts(const QStringList& texts)
{
    m_lang = ScreenValues::texts(DefaultLang, texts);
    emit languageChanged();
}

ButtonFunction KeyMatrixScreen::record(int entry) const
{
    return m_records.value(entry);
}

ButtonFunction KeyMatrixScreen::defaultRecord(int entry) const
{
    return m_defaults.value(entry);
}

QString KeyMatrixScreen::text(int entry) const
{
    return m_texts.value(entry);
}

QString KeyMatrixScreen::textOf(const ButtonFunction& record) const
{
    const ConfigStore& store = m_screens.store();
    return record.keyCodeToString([&store](const QString& key) { return store.getData(key, false).toString(); },
                                  m_screens.keyLabels());
}

void KeyMatrixScreen::init(bool isSendData, bool isRecovery)
{
    DeviceOperations& ops = m_screens.operations();
    m_records.clear();
    m_defaults.clear();
    m_texts.clear();
    for (int entry = 0; entry < Entries; ++entry) {
        m_records << ButtonFunction::fromList(ops.mouseGetKeydefine(entry, isRecovery));
        m_defaults << ButtonFunction::fromList(ops.mouseGetKeydefine(entry, true));
        m_texts << textOf(m_records.last());
    }
    emit matrixChanged();
    if (isSendData) {
        saveData();
    }
}

QVariantList KeyMatrixScreen::matrixNumbers() const
{
    QVariantList numbers;
    for (const ButtonFunction& record : m_records) {
        numbers += record.toList();
    }
    return numbers;
}

void KeyMatrixScreen::saveData()
{
    m_screens.operations().mouseSetKeyMatrix(matrixNumbers(), true, m_screens.gunControl()->slotPeriods());
}

QList<int> KeyMatrixScreen::macroEntries(const QString& name) const
{
    const ConfigStore& store = m_screens.store();
    QList<int> entries;
    for (int entry = 0; entry < m_records.size(); ++entry) {
        const ButtonFunction& record = m_records.at(entry);
        if (record.type() == ButtonFunction::Macro
            && store.getData(ButtonFunction::macroNameKey(record.param2()), false).toString() == name) {
            entries << entry;
        }
    }
    return entries;
}

void KeyMatrixScreen::restoreEntry(int entry)
{
    if (entry >= 0 && entry < m_records.size()) {
        m_records[entry] = m_defaults.value(entry);
        m_texts[entry] = textOf(m_records.at(entry));
        emit matrixChanged();
    }
}

void KeyMatrixScreen::refreshTexts()
{
    for (int entry = 0; entry < m_records.size(); ++entry) {
        m_texts[entry] = textOf(m_records.at(entry));
    }
    emit matrixChanged();
}
