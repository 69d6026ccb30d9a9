#include <gtest/gtest.h>

#include <string>

#include "Base/Sha1.h"

namespace {

std::string hex(const std::array<std::uint8_t, 20>& digest) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t byte : digest) text += {digits[byte >> 4], digits[byte & 0xF]};
    return text;
}

// The standard vectors, and every way the padding can fall: a tail that just
// fits one block, one that spills into a second, and whole blocks.
TEST(Sha1Test, KnownDigests) {
    const std::pair<std::string, const char*> cases[] = {
        {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {std::string(55, 'a'), "c1c8bbdc22796e28c0e15163d20899b65621d65a"},
        {std::string(56, 'a'), "c2db330f6083854c99d4b5bfb6e8f29f201be699"},
        {std::string(63, 'a'), "03f09f5b158a7a8cdad920bddc29b81c18a551f5"},
        {std::string(64, 'a'), "0098ba824b5c16427bd7a1122a5a442a25ec644d"},
        {std::string(1'000'000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
    };
    for (const auto& [data, digest] : cases) EXPECT_EQ(hex(Base::sha1(data)), digest) << data.size();
}

}  // namespace
