#include "DeviceOperations.h"

#include "ButtonFunction.h"
#include "ConfigStore.h"
#include "DpiEncoding.h"
#include "Hid_Thread.h"
#include "LightingEncoding.h"
#include "SceneCalls.h"

#include <QDebug>
#include <algorithm>
#include <cmath>

namespace {

// Owned bytes of the on-board profile images.
constexpr int ImageColorfulColors = 24;
constexpr int ImageGunFlags = 65;
constexpr unsigned char GunFlagBit = 0x04;
constexpr int ImageEffect = 71;
constexpr int ImageGunButton = 78;
constexpr int ImageDpiHighBits = 82;
constexpr int ImageDpiX = 84;
constexpr int ImageDpiY = 92;
constexpr int ImageDpiMask = 100;
constexpr int ImageColors = 104;
constexpr unsigned char LeftButton = 0xF0;

constexpr int Stages = 8;
constexpr int BlockSize = 128;
constexpr int ColorTableSize = 24;

unsigned char byteOf(const QVariant& v)
{
    return static_cast<unsigned char>(v.toInt() & 0xFF);
}

} // namespace

DeviceOperations::DeviceOperations(Hid_Thread* hid, ConfigStore* store)
    : m_hid(hid)
    , m_store(store)
{
    if (store) {
        m_icType = store->icType();
        m_isColorful = store->isColorful();
        m_isGun = store->isGun();
        m_is55328 = store->is55328();
    }
}

DeviceOperations::QuickSend::QuickSend(DeviceOperations& ops)
    : m_ops(ops)
{
    ++m_ops.m_quick;
}

DeviceOperations::QuickSend::~QuickSend()
{
    m_ops.sendHeldImages();
    --m_ops.m_quick;
}

void DeviceOperations::sendHeldImages()
{
    const unsigned held = m_heldImages;
    m_heldImages = 0;
    for (uint n = 0; n < ImageCount; ++n) {
        if (held & (1u << n)) {
            sendImage(n);
        }
    }
}

void DeviceOperations::sendImage(uint number)
{
    Image& image = m_profileImages[number];
    sendSetting("image/" + QByteArray::number(number), bytesOf(image.data(), ImageSize), [&] {
        m_hid->hid560_0CH_setProfile(image.data(), static_cast<unsigned char>(number));
    });
}

QByteArray DeviceOperations::bytesOf(const unsigned char* data, int size)
{
    return QByteArray(reinterpret_cast<const char*>(data), size);
}

void DeviceOperations::sendSetting(const QByteArray& setting,
                                   const QByteArray& bytes,
                                   const std::function<void()>& send)
{
    // Held images go first, so the mouse receives everything in the order it was asked for.
    if (m_heldImages && !setting.startsWith("image/")) {
        sendHeldImages();
    }
    // After any failed exchange nothing is known of what the mouse holds.
    if (m_hid->failedExchanges() != m_failedSeen) {
        m_sent.clear();
        m_failedSeen = m_hid->failedExchanges();
    }
    const auto known = m_sent.constFind(setting);
    if (m_quick > 0 && known != m_sent.cend() && *known == bytes) {
        return;
    }
    m_sent.remove(setting);
    send();
    if (m_hid->failedExchanges() == m_failedSeen) {
        m_sent.insert(setting, bytes);
    }
}

void DeviceOperations::mouseSetReportRate(unsigned char rate)
{
    sendSetting("rate", bytesOf(&rate, 1), [&] {
        if (is560()) {
            m_hid->hid560_03H_SetReportRate(rate);
        } else {
            m_hid->hid553_01H_SetReportRate(rate);
        }
    });
}

void DeviceOperations::mouseSetCurrentDPI(unsigned char currentDPI)
{
    if (is560()) {
        m_hid->hid560_04H_SetCurrentDPI(currentDPI);
    } else {
        m_hid->hid553_0BH_SetCurrentDPI(currentDPI);
    }
}

QVariant DeviceOperations::mouseGetCurrentDPI()
{
    if (is560()) {
        unsigned char byte1 = 1;
        unsigned char byte2 = 0;
        m_hid->hid560_84H_GetCurrentDPI(byte1, byte2);
        return int(byte2);
    }
    unsigned char byte1 = 0;
    m_hid->hid553_8BH_GetCurrentDPI(byte1);
    return int(byte1);
}

void DeviceOperations::mouseSwitchKeyMatrix(int indexNo)
{
    const unsigned char index = static_cast<unsigned char>(indexNo);
    sendSetting("matrix-in-use", bytesOf(&index, 1), [&] {
        if (is560()) {
            m_hid->hid560_02H_SetCurrentProfile(index);
        } else {
            m_hid->hid553_02H_SetCurrentKeyMatrix(static_cast<unsigned char>(indexNo - 1));
        }
    });
}

void DeviceOperations::mouseSetKeyboardoption(unsigned char byte1,
                                              unsigned char byte2,
                                              unsigned char byte3,
                                              unsigned char byte4)
{
    m_hid->hid553_03H_SetKeyboardoption(byte1, byte2, byte3, byte4);
}

QVariantList DeviceOperations::GetKeyboardoption()
{
    unsigned char b[4] = {};
    m_hid->hid553_83H_GetKeyboardoption(b[0], b[1], b[2], b[3]);
    return {int(b[0]), int(b[1]), int(b[2]), int(b[3])};
}

void DeviceOperations::mouseSetProfile(uint profileNo)
{
    if (profileNo < ImageCount && m_quick > 0) {
        // One flow patches the same image several times (DPI, effect, colours): it goes out once.
        m_heldImages |= 1u << profileNo;
    } else if (profileNo < ImageCount) {
        sendImage(profileNo);
    }
}

void DeviceOperations::mouseReadProfile(uint profileNo)
{
    if (profileNo < ImageCount) {
        m_hid->hid560_8CH_readProfile(m_profileImages[profileNo].data(), static_cast<unsigned char>(profileNo));
    }
}

QVariant DeviceOperations::mouseReadCurrentProfile()
{
    unsigned char byte1 = 0;
    m_hid->hid560_82H_GetCurrentProfile(byte1);
    return int(byte1);
}

int DeviceOperations::failedExchanges() const
{
    return m_hid->failedExchanges();
}

void DeviceOperations::mouseUseFirstProfile()
{
    if (is560() && mouseReadCurrentProfile().toInt() != 1) {
        m_hid->hid560_02H_SetCurrentProfile(1);
    }
}

void DeviceOperations::clearHidBusy()
{
    m_hid->setHidFree(true);
}

void DeviceOperations::setBusy(int busyTime)
{
    if (m_scene) {
        m_scene->setProtectUI(busyTime);
    }
}

void DeviceOperations::setCurrentDPI(int dpiValue)
{
    if (m_scene) {
        m_scene->setCurrentDPI(dpiValue);
    }
}

void DeviceOperations::mouseSetKeyMatrix(const QVariantList& src64, bool isSendData, const QVariantList& otherParam)
{
    Q_UNUSED(otherParam);
    const ButtonFunction::DeviceMatrix matrix
        = ButtonFunction::deviceMatrix(src64, ButtonFunction::controllerFor(m_icType));
    if (!ButtonFunction::holdsLeftButton(matrix)) {
        qWarning() << "mouseSetKeyMatrix: a key matrix without the left button is neither stored nor sent";
        return;
    }
    {
        ConfigStore::WriteBatch batch(*m_store);
        for (int n = 0; n < ButtonFunction::MatrixEntries; ++n) {
            // The screens' numbers go to the profile as they came; missing ones as 0.
            QVariantList record;
            for (int i = 0; i < ButtonFunction::RecordSize; ++i) {
                const int at = n * ButtonFunction::RecordSize + i;
                record << (at < src64.size() ? src64.at(at) : QVariant(0));
            }
            m_store->setDataList(QStringLiteral("mouseKeyMatrix/%1").arg(n), record);
        }
    }
    if (isSendData) {
        sendKeyMatrix(matrix, 1);
    }
}

void DeviceOperations::sendKeyMatrix(const ButtonFunction::DeviceMatrix& matrix, unsigned char indexAddOne)
{
    if (!ButtonFunction::holdsLeftButton(matrix)) {
        qWarning() << "a key matrix without the left button is not sent";
        return;
    }
    ButtonFunction::DeviceMatrix block = matrix;
    sendSetting("matrix/" + QByteArray::number(indexAddOne), bytesOf(matrix.data(), int(matrix.size())), [&] {
        if (is560()) {
            m_hid->hid560_0DH_SetKeyMatrix(block.data(), indexAddOne);
        } else {
            m_hid->hid553_12H_SetKeyMatrix(block.data(), indexAddOne);
        }
    });
}

QVariantList DeviceOperations::mouseGetKeydefine(const QVariant& index, bool isRecovery)
{
    return m_store->getDataList(QStringLiteral("mouseKeyMatrix/") + index.toString(), isRecovery);
}

void DeviceOperations::mouseResetKeyMatrix()
{
    ButtonFunction::DeviceMatrix matrix {};
    for (int n = 0; n < ButtonFunction::MatrixEntries; ++n) {
        const QVariantList record = m_store->getDataList(QStringLiteral("mouseFwKeyMatrix/%1").arg(n), false);
        for (int i = 0; i < ButtonFunction::RecordSize && i < record.size(); ++i) {
            matrix[n * ButtonFunction::RecordSize + i] = byteOf(record.at(i));
        }
    }
    for (unsigned char k = 2; k <= 4; ++k) {
        sendKeyMatrix(matrix, k);
    }
}

void DeviceOperations::sendImages(bool allGunImages)
{
    mouseSetProfile(1);
    if (allGunImages) {
        for (uint k = 2; k < ImageCount; ++k) {
            mouseSetProfile(k);
        }
    }
}

void DeviceOperations::mouseSetDpi(int dpiCount, const QString& sensorType, const QVariantList& dpiValueArray)
{
    std::array<unsigned char, Stages> codes {};
    unsigned char highBits = 0;
    const int filled = std::min<int>(int(dpiValueArray.size()), Stages);
    for (int i = 0; i < filled; ++i) {
        const DpiEncoding::Code c = DpiEncoding::encode(sensorType, dpiValueArray.at(i).toInt());
        codes[i] = c.code;
        if (c.highBit) {
            highBits |= static_cast<unsigned char>(1u << i);
        }
    }
    if (is560()) {
        const unsigned char mask = dpiCount <= 0 ? 0 : dpiCount >= Stages ? 0xFF : ((1u << dpiCount) - 1);
        const bool flags = sensorType == QLatin1String("3389");
        for (int k = 1; k < ImageCount; ++k) {
            Image& image = m_profileImages[k];
            std::copy(codes.begin(), codes.end(), image.begin() + ImageDpiX);
            std::copy(codes.begin(), codes.end(), image.begin() + ImageDpiY);
            image[ImageDpiMask] = mask;
            if (flags) {
                image[ImageDpiHighBits] = highBits;
                image[ImageDpiHighBits + 1] = highBits;
            }
        }
        sendImages(m_isGun);
        return;
    }
    for (int i = std::max(dpiCount, 0); i < filled; ++i) {
        codes[i] = 0x80;
    }
    const unsigned char count = static_cast<unsigned char>(dpiCount);
    sendSetting("dpi", bytesOf(&count, 1) + bytesOf(codes.data(), Stages), [&] {
        m_hid->hid553_11H_SetDPISet(count, codes.data());
    });
}

QVariant DeviceOperations::mouseSendMacroData(const QVariantList& macroData, const QVariant& macroIndex)
{
    const unsigned char slot = static_cast<unsigned char>(macroIndex.toUInt() & 0xFF);
    if (slot >= MacroSlots) {
        return true;
    }
    std::array<unsigned char, BlockSize> block {};
    const int count = std::min<int>(int(macroData.size()), BlockSize);
    for (int i = 0; i < count; ++i) {
        // Delays may be fractional; they round to the nearest unit.
        block[i] = static_cast<unsigned char>(static_cast<int>(std::lround(macroData.at(i).toDouble())) & 0xFF);
    }
    const int failedBefore = m_hid->failedExchanges();
    if (is560()) {
        m_hid->hid560_0FH_SetMacroKey(static_cast<unsigned char>(slot + 1), block.data());
    } else {
        m_hid->hid553_13H_SetMacroKey(static_cast<unsigned char>(slot + 1), block.data());
    }
    return m_hid->failedExchanges() == failedBefore;
}

void DeviceOperations::mouseSetRGBEffect(unsigned char effect, unsigned char option1, unsigned char option2)
{
    if (m_isColorful) {
        const LightingEncoding::Effect e = LightingEncoding::colorful(effect, option1, option2);
        if (!is560()) {
            sendEffect(e.code, e.second, e.third);
            return;
        }
        for (int k = 1; k < ImageCount; ++k) {
            m_profileImages[k][ImageEffect] = e.code;
            m_profileImages[k][ImageEffect + 1] = e.second;
            m_profileImages[k][ImageEffect + 2] = e.third;
        }
        sendImages(m_isGun);
        return;
    }
    const LightingEncoding::Effect e = LightingEncoding::plain(effect, option1, option2);
    if (!is560()) {
        sendEffect(e.code, e.second, m_is55328 ? e.third : 2);
        return;
    }
    for (int k = 1; k < ImageCount; ++k) {
        m_profileImages[k][ImageEffect] = e.code;
        m_profileImages[k][ImageEffect + 1] = e.second;
        m_profileImages[k][ImageEffect + 2] = 2;
    }
    if (!m_isGun) {
        m_profileImages[1][ImageEffect + 2] = 3;
    }
    sendImages(m_isGun);
}

void DeviceOperations::mouseSetRGBColor(unsigned char type, const QVariantList& src24)
{
    std::array<unsigned char, ColorTableSize> table {};
    const int count = std::min<int>(int(src24.size()), ColorTableSize);
    for (int i = 0; i < count; ++i) {
        table[i] = byteOf(src24.at(i));
    }
    if (is560()) {
        const int image = m_isColorful ? 0 : 1;
        const int at = m_isColorful ? ImageColorfulColors : ImageColors;
        std::copy(table.begin(), table.end(), m_profileImages[image].begin() + at);
        mouseSetProfile(image);
        return;
    }
    // The fixed colour and the stage colours are one setting: the mouse shows the last one sent.
    const unsigned char fixed = m_is55328 && !(table[21] || table[22] || table[23]) ? 1 : 0;
    const unsigned char stageType = m_is55328 ? 0 : type;
    const QByteArray bytes = bytesOf(&fixed, 1) + bytesOf(&stageType, 1) + bytesOf(table.data(), ColorTableSize);
    sendSetting("colors", bytes, [&] {
        if (fixed) {
            m_hid->hid553_0CH_SetFixLEDColor(table.data());
        } else if (m_is55328) {
            m_hid->hid553_10H_SetLED8StageColor(0, table.data());
        } else {
            // Twice on purpose: the mouse confirms no write, and this family is always sent the
            // table a second time so that one lost block does not leave the old colours. Keep both
            // exchanges.
            m_hid->hid553_10H_SetLED8StageColor(type, table.data());
            m_hid->hid553_10H_SetLED8StageColor(type, table.data());
        }
    });
}

void DeviceOperations::mouseSendGundata(int slot, const QVariantList& values)
{
    if (!m_isGun) {
        return;
    }
    unsigned char v[3] = {};
    for (int i = 0; i < 3 && i < values.size(); ++i) {
        v[i] = static_cast<unsigned char>(values.at(i).toUInt() & 0xFF);
    }
    if (is560()) {
        const int n = slot + 1;
        if (n < 0 || n >= ImageCount) {
            return;
        }
        Image& image = m_profileImages[n];
        image[ImageGunButton] = LeftButton;
        image[ImageGunButton + 1] = v[0];
        image[ImageGunButton + 2] = v[1];
        image[ImageGunButton + 3] = v[2];
        image[ImageGunFlags] &= static_cast<unsigned char>(~GunFlagBit);
        mouseSetProfile(static_cast<uint>(n));
        return;
    }
    unsigned char options[4] = {};
    m_hid->hid553_83H_GetKeyboardoption(options[0], options[1], options[2], options[3]);
    const unsigned char y = options[2] ? static_cast<unsigned char>(256 - v[2]) : v[2];
    m_hid->hid553_04H_SetGunData(v[0], v[1], y, static_cast<unsigned char>(slot - 1));
}

void DeviceOperations::sendEffect(unsigned char code, unsigned char second, unsigned char third)
{
    const unsigned char bytes[3] = {code, second, third};
    sendSetting("effect", bytesOf(bytes, 3), [&] { m_hid->hid553_0DH_SetRGBLedEffect(code, second, third); });
}

void DeviceOperations::connectDevice(int deviceIndex, bool startListener)
{
    // A new connection: the mouse may hold anything.
    m_sent.clear();
    m_failedSeen = m_hid->failedExchanges();
    clearHidBusy();
    if (startListener) {
        m_hid->initKeyboardoption(deviceIndex);
    } else {
        m_hid->updateKeyboardoption();
    }
    if (is560()) {
        mouseReadProfile(0);
        mouseReadProfile(1);
        if (m_isGun) {
            mouseReadProfile(2);
            mouseReadProfile(3);
            mouseReadProfile(4);
        }
    }
}
