#include "DpiSwitchTexts.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

const QString kDefaultText = QStringLiteral("DPI Switch to");

struct Texts
{
    QMutex mutex;
    QStringList texts = QStringList(DpiSwitchTexts::Count, kDefaultText);
};

Texts& shared()
{
    static Texts texts;
    return texts;
}

} // namespace

namespace DpiSwitchTexts {

void set(const QStringList& texts)
{
    QStringList next(Count, kDefaultText);
    for (int i = 0; i < Count && i < texts.size(); ++i) {
        next[i] = texts.at(i);
    }
    QMutexLocker lock(&shared().mutex);
    shared().texts = next;
}

void reset()
{
    set({});
}

QStringList all()
{
    QMutexLocker lock(&shared().mutex);
    return shared().texts;
}

QString forStage(int stage)
{
    const int index = (stage >= 1 && stage <= 7) ? stage - 1 : Count - 1;
    QMutexLocker lock(&shared().mutex);
    return shared().texts.at(index);
}

} // namespace DpiSwitchTexts
