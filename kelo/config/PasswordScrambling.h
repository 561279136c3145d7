#pragma once

#include <cstdint>
#include <string>

namespace kelo {

// The key every stored password of this module is scrambled under. Changing it makes
// every password stored before unreadable (it then reads as empty).
inline constexpr std::uint32_t kPasswordKey[4] = {0x4B454C4Fu, 0x9B1D27E3u, 0x5C60A2F1u,
                                                  0x0E83D46Bu};

// One XTEA block, 32 cycles, in place: v[0] and v[1] are the block's two words.
void XteaEncipher(std::uint32_t v[2], const std::uint32_t key[4]);
void XteaDecipher(std::uint32_t v[2], const std::uint32_t key[4]);

// The password as stored under "Password": "MAET", the length with its terminating
// zero as LE32, the bytes and the zero, zero padding to whole blocks, each 8-byte
// block enciphered by itself, all as lowercase hex. Never empty: 32 digits at least.
std::string EncodePassword(const std::string& password);

// The password back from a stored text. False, with out empty, for anything
// EncodePassword cannot have made under kPasswordKey: a character other than 0-9 and
// a-f, a byte count that is not a non-zero multiple of 8 (a final odd digit is
// ignored), a wrong header or a length larger than the buffer. The password ends at
// its first zero byte, or at the end of the buffer when there is none.
bool DecodePassword(const std::string& stored, std::string& out);

}  // namespace kelo
