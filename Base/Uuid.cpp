#include "Base/Uuid.h"

#include <random>

#include "Base/Sha1.h"

namespace Base {

Uuid Uuid::random() {
    thread_local std::random_device device;
    thread_local std::mt19937_64 engine(
        (static_cast<std::uint64_t>(device()) << 32) ^ device());
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < 16; i += 8) {
        const std::uint64_t r = engine();
        for (std::size_t k = 0; k < 8; ++k) bytes[i + k] = static_cast<std::uint8_t>(r >> (8 * k));
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    return Uuid(bytes);
}

Uuid Uuid::named(const Uuid& nameSpace, std::string_view name) {
    std::string input(nameSpace.bytes_.begin(), nameSpace.bytes_.end());
    input.append(name);
    const auto digest = sha1(input);
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < 16; ++i) bytes[i] = digest[i];
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x50);  // version 5
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    return Uuid(bytes);
}

std::optional<Uuid> Uuid::fromText(std::string_view text) {
    if (text.size() != 36) return std::nullopt;
    std::array<std::uint8_t, 16> bytes{};
    std::size_t byte = 0;
    for (std::size_t i = 0; i < 36;) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-') return std::nullopt;
            ++i;
            continue;
        }
        int value = 0;
        for (int k = 0; k < 2; ++k, ++i) {
            const char c = text[i];
            int digit = 0;
            if (c >= '0' && c <= '9') digit = c - '0';
            else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            else return std::nullopt;
            if (i == 8 || i == 13 || i == 18 || i == 23) return std::nullopt;
            value = value * 16 + digit;
        }
        bytes[byte++] = static_cast<std::uint8_t>(value);
    }
    return Uuid(bytes);
}

std::string Uuid::text() const {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    out.reserve(36);
    for (std::size_t i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
        out += hex[bytes_[i] >> 4];
        out += hex[bytes_[i] & 0xF];
    }
    return out;
}

}  // namespace Base
