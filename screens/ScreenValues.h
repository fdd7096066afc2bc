#ifndef QX7_SCREENVALUES_H
#define QX7_SCREENVALUES_H

#include <QStringList>
#include <QVariant>

class ConfigStore;

// Values read back from settings files are texts and may be damaged; the screens take each with a
// fallback instead of failing.
namespace ScreenValues {

int toInt(const QVariant& value, int fallback);
int profileInt(const ConfigStore& store, const QString& key, int fallback, bool isRecovery = false);
int globalInt(const ConfigStore& store, const QString& key, int fallback);
bool globalBool(const ConfigStore& store, const QString& key, bool fallback);
QString globalText(const ConfigStore& store, const QString& key, const QString& fallback);

// Exactly `fallback.size()` numbers, or `fallback` itself when the stored list has another length
// or an element that is not a number.
QList<int> intList(const QVariantList& stored, const QList<int>& fallback);
QVariantList toVariantList(const QList<int>& values);

// A screen's texts: the loaded list over the defaults, so a short or missing list keeps the defaults
// for the entries it lacks.
QStringList texts(const QStringList& defaults, const QStringList& loaded);

} // namespace ScreenValues

#endif // QX7_SCREENVALUES_H
