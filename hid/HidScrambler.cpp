#include "HidScrambler.h"

#include <utility>

namespace HidScrambler {

namespace {

unsigned char swapNibbles(unsigned char x)
{
    return static_cast<unsigned char>((x << 4) | (x >> 4));
}

} // namespace

void swapPairs(unsigned char* b)
{
    std::swap(b[0], b[5]);
    std::swap(b[1], b[4]);
    std::swap(b[2], b[7]);
    std::swap(b[3], b[6]);
}

void xorCode(unsigned char* b, const unsigned char* s)
{
    for (int i = 1; i <= 6; ++i) {
        b[i] ^= s[i];
    }
}

void rotateLeft3(unsigned char* b)
{
    const unsigned char first = b[0];
    for (int i = 0; i < 7; ++i) {
        b[i] = static_cast<unsigned char>((b[i] << 3) | (b[i + 1] >> 5));
    }
    b[7] = static_cast<unsigned char>((b[7] << 3) | (first >> 5));
}

void rotateRight3(unsigned char* b)
{
    const unsigned char last = b[7];
    for (int i = 7; i > 0; --i) {
        b[i] = static_cast<unsigned char>((b[i] >> 3) | (b[i - 1] << 5));
    }
    b[0] = static_cast<unsigned char>((b[0] >> 3) | (last << 5));
}

void encrypt(unsigned char* b, const unsigned char* s)
{
    swapPairs(b);
    xorCode(b, s);
    rotateLeft3(b);
    for (int i = 0; i < BlockSize; ++i) {
        b[i] = static_cast<unsigned char>(b[i] + swapNibbles(static_cast<unsigned char>(KeyConstant[i])));
    }
}

void decipher(unsigned char* b, const unsigned char* s)
{
    for (int i = 0; i < BlockSize; ++i) {
        b[i] = static_cast<unsigned char>(b[i] - swapNibbles(static_cast<unsigned char>(KeyConstant[i])));
    }
    rotateRight3(b);
    xorCode(b, s);
    swapPairs(b);
}

} // namespace HidScrambler
