#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace IslandKit {

// Maker, model and serial number read from a display's EDID block.
struct EdidIdentity {
    std::string maker;  // three-letter PNP code
    std::uint16_t model = 0;
    std::uint32_t serial = 0;
    bool operator==(const EdidIdentity&) const = default;
};

namespace DisplayIdentity {

// Reads the identity from the first 128 bytes of an EDID; absent when the block
// is too short or its header is wrong.
std::optional<EdidIdentity> parseEdid(std::span<const std::uint8_t> edid);

// A name-based UUID text that stays the same for the same monitor: from the
// EDID identity when there is one, else from the connector name; absent when
// neither is known.
std::optional<std::string> stableID(const std::optional<EdidIdentity>& edid, std::string_view connectorName);

// The identifier of one of several monitors that share `id` (one model whose
// EDIDs carry no serial number), told apart by the connector it is on.
std::string onConnector(std::string_view id, std::string_view connectorName);

// Whether a connector name is that of a built-in panel (eDP, LVDS or DSI).
bool isBuiltInConnector(std::string_view connectorName);

}  // namespace DisplayIdentity
}  // namespace IslandKit
