#include "CopyDataMessage.h"

#include <cstring>

bool CopyDataMessage::decode(quintptr tag, const void* data, quint32 size, QString& text)
{
    if (tag != Tag || (size > 0 && !data)) {
        return false;
    }
    const char* bytes = static_cast<const char*>(data);
    const void* nul = size > 0 ? std::memchr(bytes, 0, size) : nullptr;
    const qsizetype length = nul ? static_cast<const char*>(nul) - bytes : static_cast<qsizetype>(size);
    const QString decoded = QString::fromUtf8(bytes, length);
    // A NUL, or bytes that are not UTF-8, do not survive the way back.
    if (decoded.toUtf8() != QByteArrayView(bytes, static_cast<qsizetype>(size))) {
        return false;
    }
    text = decoded;
    return true;
}
