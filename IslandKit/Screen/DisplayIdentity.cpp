#include "IslandKit/Screen/DisplayIdentity.h"

#include <array>
#include <cctype>

#include "Base/Uuid.h"

namespace IslandKit::DisplayIdentity {

namespace {

// Namespace of the display identifiers; fixed, so identifiers survive restarts.
const Base::Uuid& displayNamespace() {
    static const Base::Uuid value = *Base::Uuid::fromText("6F1D2C4A-3B7E-4E1F-9A52-0C8D7B3E5A21");
    return value;
}

}  // namespace

std::optional<EdidIdentity> parseEdid(std::span<const std::uint8_t> edid) {
    static constexpr std::array<std::uint8_t, 8> header{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    if (edid.size() < 128) return std::nullopt;
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (edid[i] != header[i]) return std::nullopt;
    }
    // Bytes 8-9: three 5-bit letters, big-endian, 1 = 'A'.
    const unsigned packed = (static_cast<unsigned>(edid[8]) << 8) | edid[9];
    EdidIdentity identity;
    for (int shift : {10, 5, 0}) {
        const unsigned letter = (packed >> shift) & 0x1F;
        if (letter < 1 || letter > 26) return std::nullopt;
        identity.maker.push_back(static_cast<char>('A' + letter - 1));
    }
    identity.model = static_cast<std::uint16_t>(edid[10] | (edid[11] << 8));
    identity.serial = static_cast<std::uint32_t>(edid[12]) | (static_cast<std::uint32_t>(edid[13]) << 8) |
                      (static_cast<std::uint32_t>(edid[14]) << 16) | (static_cast<std::uint32_t>(edid[15]) << 24);
    return identity;
}

std::optional<std::string> stableID(const std::optional<EdidIdentity>& edid, std::string_view connectorName) {
    std::string name;
    if (edid) {
        name = "edid:" + edid->maker + ":" + std::to_string(edid->model) + ":" + std::to_string(edid->serial);
    } else if (!connectorName.empty()) {
        name = "connector:" + std::string(connectorName);
    } else {
        return std::nullopt;
    }
    return Base::Uuid::named(displayNamespace(), name).text();
}

std::string onConnector(std::string_view id, std::string_view connectorName) {
    return Base::Uuid::named(displayNamespace(), "shared:" + std::string(id) + "@" + std::string(connectorName)).text();
}

bool isBuiltInConnector(std::string_view connectorName) {
    std::string upper;
    for (char c : connectorName) upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    for (std::string_view prefix : {"EDP", "LVDS", "DSI"}) {
        if (upper.starts_with(prefix)) return true;
    }
    return false;
}

}  // namespace IslandKit::DisplayIdentity
