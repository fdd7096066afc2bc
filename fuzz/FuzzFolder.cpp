#include "FuzzFolder.h"

#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

FuzzFolder::FuzzFolder()
{
    static quint64 inputs = 0;
    m_path = FuzzSupport::processFolder() + QStringLiteral("/%1").arg(inputs++);
    FUZZ_CHECK(QDir().mkpath(m_path));
}

FuzzFolder::~FuzzFolder()
{
    QDir(m_path).removeRecursively();
}

QString FuzzFolder::write(const QString& relative, const uint8_t* data, size_t size) const
{
    const QString file = m_path + QLatin1Char('/') + relative;
    FUZZ_CHECK(QDir().mkpath(QFileInfo(file).absolutePath()));
    QFile out(file);
    FUZZ_CHECK(out.open(QIODevice::WriteOnly));
    FUZZ_CHECK(out.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    return file;
}
