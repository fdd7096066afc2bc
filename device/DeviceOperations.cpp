#include "DeviceOperations.h"

#include "ButtonFunction.h"
#include "ConfigStore.h"
#include "DeviceFamily.h"
#include "DpiEncoding.h"
#include "Hid_Thread.h"
#include "LightingEncoding.h"
#include "SceneCalls.h"
#include "SettingsKeys.h"

#include <QDebug>
#include <algorithm>
#include <cmath>

namespace {

unsigned char byteOf(const QVariant& v)
{
    return static_cast<unsigned char>(v.toInt() & 0xFF);
}

} // namespace

DeviceOperations::DeviceOperations(Hid_Thread* hid, ConfigStore* store)
    : m_hid(hid)
    , m_store(store)
{
    QString icType;
    if (store) {
        icType = store->icType();
        m_isColorful = store->isColorful();
        m_isGun = store->isGun();
        m_is55328 = store->is55328();
    }
    m_family = DeviceFamily::create(controllerFamilyOf(icType), *this);
}

DeviceOperations::~DeviceOperations() = default;

ControllerFamily DeviceOperations::family() const
{
    return m_family->family();
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
    for (uint n = 0; n < WireSizes::ProfileImages; ++n) {
        if (held & (1u << n)) {
            sendImage(n);
        }
    }
}

void DeviceOperations::sendImage(uint number)
{
    Image& image = m_profileImages[number];
    sendSetting("image/" + QByteArray::number(number), bytesOf(image.data(), WireSizes::Block), [&] {
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
    sendSetting("rate", bytesOf(&rate, 1), [&] { m_family->setReportRate(rate); });
}

void DeviceOperations::mouseSetCurrentDPI(unsigned char currentDPI)
{
    m_family->setCurrentDpi(currentDPI);
}

QVariant DeviceOperations::mouseGetCurrentDPI()
{
    return m_family->currentDpi();
}

void DeviceOperations::mouseSwitchKeyMatrix(int indexNo)
{
    const unsigned char index = static_cast<unsigned char>(indexNo);
    sendSetting("matrix-in-use", bytesOf(&index, 1), [&] { m_family->switchKeyMatrix(index); });
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
    if (profileNo < WireSizes::ProfileImages && m_quick > 0) {
        // One flow patches the same image several times (DPI, effect, colours): it goes out once.
        m_heldImages |= 1u << profileNo;
    } else if (profileNo < WireSizes::ProfileImages) {
        sendImage(profileNo);
    }
}

void DeviceOperations::mouseReadProfile(uint profileNo)
{
    if (profileNo < WireSizes::ProfileImages) {
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
    m_family->useFirstProfile();
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
    const ButtonFunction::DeviceMatrix matrix = ButtonFunction::deviceMatrix(src64, m_family->family());
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
            m_store->setDataList(SettingsKeys::keyMatrix(n), record);
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
        m_family->setKeyMatrix(block.data(), indexAddOne);
    });
}

QVariantList DeviceOperations::mouseGetKeydefine(const QVariant& index, bool isRecovery)
{
    return m_store->getDataList(SettingsKeys::keyMatrix(index.toString()), isRecovery);
}

void DeviceOperations::mouseResetKeyMatrix()
{
    ButtonFunction::DeviceMatrix matrix {};
    for (int n = 0; n < ButtonFunction::MatrixEntries; ++n) {
        const QVariantList record = m_store->getDataList(SettingsKeys::factoryKeyMatrix(n), false);
        for (int i = 0; i < ButtonFunction::RecordSize && i < record.size(); ++i) {
            matrix[n * ButtonFunction::RecordSize + i] = byteOf(record.at(i));
        }
    }
    for (unsigned char k = 2; k <= 4; ++k) {
        sendKeyMatrix(matrix, k);
    }
}

void DeviceOperations::mouseSetDpi(int dpiCount, const QString& sensorType, const QVariantList& dpiValueArray)
{
    DeviceFamily::DpiTable table;
    table.count = dpiCount;
    table.filled = std::min<int>(int(dpiValueArray.size()), WireSizes::DpiStages);
    table.sendHighBits = sensorType == QLatin1String("3389");
    for (int i = 0; i < table.filled; ++i) {
        const DpiEncoding::Code c = DpiEncoding::encode(sensorType, dpiValueArray.at(i).toInt());
        table.codes[i] = c.code;
        if (c.highBit) {
            table.highBits |= static_cast<unsigned char>(1u << i);
        }
    }
    m_family->setDpi(table);
}

QVariant DeviceOperations::mouseSendMacroData(const QVariantList& macroData, const QVariant& macroIndex)
{
    const unsigned char slot = static_cast<unsigned char>(macroIndex.toUInt() & 0xFF);
    if (slot >= WireSizes::MacroSlots) {
        return true;
    }
    std::array<unsigned char, WireSizes::Block> block {};
    const int count = std::min<int>(int(macroData.size()), WireSizes::Block);
    for (int i = 0; i < count; ++i) {
        // Delays may be fractional; they round to the nearest unit.
        block[i] = static_cast<unsigned char>(static_cast<int>(std::lround(macroData.at(i).toDouble())) & 0xFF);
    }
    const int failedBefore = m_hid->failedExchanges();
    m_family->setMacroKey(static_cast<unsigned char>(slot + 1), block.data());
    return m_hid->failedExchanges() == failedBefore;
}

void DeviceOperations::mouseSetRGBEffect(unsigned char effect, unsigned char option1, unsigned char option2)
{
    m_family->setEffect(m_isColorful ? LightingEncoding::colorful(effect, option1, option2)
                                     : LightingEncoding::plain(effect, option1, option2),
                        m_isColorful);
}

void DeviceOperations::mouseSetRGBColor(unsigned char type, const QVariantList& src24)
{
    DeviceFamily::ColorTable table {};
    const int count = std::min<int>(int(src24.size()), WireSizes::StageColors);
    for (int i = 0; i < count; ++i) {
        table[i] = byteOf(src24.at(i));
    }
    m_family->setColors(type, table);
}

void DeviceOperations::mouseSendGundata(int slot, const QVariantList& values)
{
    // Slot 0 would land in the image of the profile in use (560) or slot 255 (553).
    if (!m_isGun || slot < 1 || slot > WireSizes::GunSlots) {
        return;
    }
    std::array<unsigned char, 3> v {};
    for (int i = 0; i < 3 && i < values.size(); ++i) {
        v[i] = static_cast<unsigned char>(values.at(i).toUInt() & 0xFF);
    }
    m_family->setGunData(slot, v);
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
    m_family->readMouse();
}
