#include "CtlArgs.h"

CtlArgs::CtlArgs(const QStringList& args)
    : m_args(args)
{
}

int CtlArgs::number(const char* what, int min, int max)
{
    const QString text = m_args.value(m_next++);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok && value >= min && value <= max) {
        return value;
    }
    require(false, QStringLiteral("bad %1 '%2': expected %3 to %4").arg(QLatin1String(what), text).arg(min).arg(max));
    return min;
}

int CtlArgs::entry(const char* what, const QStringList& names)
{
    const QString text = m_args.value(m_next++);
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber && number >= 1 && number <= names.size()) {
        return number - 1;
    }
    for (int i = 0; i < names.size() && !isNumber; ++i) {
        if (names.at(i).compare(text, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    require(false,
            QStringLiteral("bad %1 '%2': expected its number, 1 to %3, or its name (%4)")
                .arg(QLatin1String(what), text)
                .arg(names.size())
                .arg(names.join(QStringLiteral(", "))));
    return -1;
}

QString CtlArgs::text()
{
    return m_args.value(m_next++);
}

void CtlArgs::require(bool condition, const QString& reason)
{
    if (!condition && m_error.isEmpty()) {
        m_error = reason;
    }
}

CtlCommand::Parsed CtlArgs::result(CtlCommand::Body body, bool needsDevice) const
{
    return ok() ? ready(std::move(body), needsDevice) : failure(m_error);
}
