#ifndef QX7_HIDFRAME_H
#define QX7_HIDFRAME_H

#include <array>
#include <cstdint>

// The 9-byte command and reply feature reports.
namespace HidFrame {

constexpr int FrameSize = 9;
constexpr int ReportIdByte = 0;
constexpr int CodeByte = 1;
constexpr int FirstParamByte = 2;
constexpr int ChecksumByte = 8;
// Bytes 1-8 travel scrambled on devices that ask for it; byte 0 never does.
constexpr int ScrambledOffset = 1;
constexpr int ScrambledSize = 8;
// The link's block buffer; no block is longer.
constexpr int BlockBufferSize = 512;

using Frame = std::array<unsigned char, FrameSize>;
static_assert(sizeof(Frame) == FrameSize, "a frame is exactly one feature report");

// Bitwise NOT of the low byte of the sum of seven bytes.
inline unsigned char checksum(const unsigned char* seven)
{
    unsigned int sum = 0;
    for (int i = 0; i < 7; ++i) {
        sum += seven[i];
    }
    return static_cast<unsigned char>(~sum & 0xFF);
}

// A frame with the code, up to six parameters from byte 2 on, and its checksum.
inline Frame build(unsigned char code, std::initializer_list<unsigned char> params = {})
{
    Frame f {};
    f[CodeByte] = code;
    int at = FirstParamByte;
    for (unsigned char p : params) {
        if (at >= ChecksumByte) {
            break;
        }
        f[at++] = p;
    }
    f[ChecksumByte] = checksum(&f[CodeByte]);
    return f;
}

} // namespace HidFrame

#endif // QX7_HIDFRAME_H
