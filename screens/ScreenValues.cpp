#include "ScreenValues.h"

#include "ConfigStore.h"

namespace ScreenValues {

int toInt(const QVariant& value, int fallback)
{
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : fallback;
}

int profileInt(const ConfigStore& store, const QString& key, int fallback, bool isRecovery)
{
    return toInt(store.getData(key, isRecovery), fallback);
}

int globalInt(const ConfigStore& store, const QString& key, int fallback)
{
    return toInt(store.getGlobalData(key), fallback);
}

bool globalBool(const ConfigStore& store, const QString& key, bool fallback)
{
    const QString text = store.getGlobalData(key).toString().trimmed();
    if (text == QLatin1String("true")) {
        return true;
    }
    if (text == QLatin1String("false")) {
        return false;
    }
    return fallback;
}

QString globalText(const ConfigStore& store, const QString& key, const QString& fallback)
{
    const QVariant value = store.getGlobalData(key);
    return value.isValid() ? value.toString() : fallback;
}

QList<int> intList(const QVariantList& stored, const QList<int>& fallback)
{
    if (stored.size() != fallback.size()) {
        return fallback;
    }
    QList<int> values;
    values.reserve(stored.size());
    for (const QVariant& v : stored) {
        bool ok = false;
        values << v.toString().trimmed().toInt(&ok);
        if (!ok) {
            return fallback;
        }
    }
    return values;
}

QVariantList toVariantList(const QList<int>& values)
{
    QVariantList list;
    list.reserve(values.size());
    for (int v : values) {
        list << v;
    }
    return list;
}

QStringList texts(const QStringList& defaults, const QStringList& loaded)
{
    QStringList result = defaults;
    for (int i = 0; i < loaded.size() && i < result.size(); ++i) {
        result[i] = loaded.at(i);
    }
    return result;
}

} // namespace ScreenValues
