#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace Base {

// A 128-bit universally unique identifier. Its text is upper-case with hyphens:
// "E621E1F8-C36C-495A-93FC-0C247A3E6E5F".
class Uuid {
public:
    Uuid() = default;  // all zero
    explicit Uuid(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}

    static Uuid random();
    // Accepts the 36-character hyphenated form in either case.
    static std::optional<Uuid> fromText(std::string_view text);
    // A name-based identifier (version 5, SHA-1) in the given namespace.
    static Uuid named(const Uuid& nameSpace, std::string_view name);

    std::string text() const;
    const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

    bool operator==(const Uuid&) const = default;
    auto operator<=>(const Uuid&) const = default;

private:
    std::array<std::uint8_t, 16> bytes_{};
};

}  // namespace Base

template <>
struct std::hash<Base::Uuid> {
    size_t operator()(const Base::Uuid& id) const noexcept {
        size_t h = 1469598103934665603ULL;
        for (auto b : id.bytes()) h = (h ^ b) * 1099511628211ULL;
        return h;
    }
};
