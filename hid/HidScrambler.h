#ifndef QX7_HIDSCRAMBLER_H
#define QX7_HIDSCRAMBLER_H

// The reversible transform of bytes 1-8 of a command or reply report, keyed by a fixed key constant
// and a device's six-character secrecy code (held in bytes 1-6 of an 8-byte array).
namespace HidScrambler {

constexpr char KeyConstant[] = "ZpWqHxLd";
constexpr int BlockSize = 8;

void encrypt(unsigned char* block, const unsigned char* secrecyCode);
void decipher(unsigned char* block, const unsigned char* secrecyCode);

// The single steps, for callers that check them one by one.
void swapPairs(unsigned char* block);
void xorCode(unsigned char* block, const unsigned char* secrecyCode);
void rotateLeft3(unsigned char* block);
void rotateRight3(unsigned char* block);

} // namespace HidScrambler

#endif // QX7_HIDSCRAMBLER_H
