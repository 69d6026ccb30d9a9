#pragma once

#include <cstddef>
#include <cstdint>

namespace ChecklistKit::ChecklistLimits {

// Every writer of the checklists respects these; repair enforces them on load.
inline constexpr std::size_t maxTemplates = 30;
inline constexpr std::size_t maxItemsPerTemplate = 60;
// Lengths count user-perceived characters (grapheme clusters).
inline constexpr std::size_t maxNameLength = 50;
inline constexpr std::size_t maxItemLength = 160;
inline constexpr std::size_t maxOptionsPerItem = 6;
inline constexpr std::size_t maxOptionLength = 24;
// A larger checklist file is set aside unread.
inline constexpr std::uintmax_t maxFileBytes = 1'000'000;

}  // namespace ChecklistKit::ChecklistLimits
