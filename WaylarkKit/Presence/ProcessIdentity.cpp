#include "WaylarkKit/Presence/ProcessIdentity.h"

#include <charconv>
#include <vector>

namespace WaylarkKit::ProcessIdentity {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// systemd writes a "-" inside a name as "\x2d", so the name's own dashes
// survive the split on the unit's separators.
std::string unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && hexValue(text[i + 2]) >= 0 &&
            hexValue(text[i + 3]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3]));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

void addUnit(std::string_view unit, std::set<std::string>& out) {
    if (unit.starts_with("snap.")) {
        const std::string_view rest = unit.substr(5);
        const std::size_t dot = rest.find('.');
        if (dot != std::string_view::npos && dot > 0) out.insert(std::string(rest.substr(0, dot)));
        return;
    }
    if (!unit.starts_with("app-")) return;
    std::string_view name;
    if (unit.ends_with(".scope")) {
        // app-[<launcher>-]<id>-<random>.scope
        name = unit.substr(0, unit.size() - 6);
        const std::size_t dash = name.rfind('-');
        if (dash == std::string_view::npos || dash < 4) return;
        name = name.substr(0, dash);
    } else if (unit.ends_with(".service")) {
        // app-[<launcher>-]<id>[@<random>].service
        name = unit.substr(0, unit.size() - 8);
        name = name.substr(0, name.find('@'));
    } else {
        return;
    }
    const std::vector<std::string_view> parts = split(name.substr(4), '-');
    if (!parts.back().empty()) out.insert(unescape(parts.back()));
}

}  // namespace

std::optional<StatFields> parseStat(std::string_view stat) {
    // The command name in parentheses may hold spaces and parentheses of its
    // own; the fields after the last ")" are plain.
    const std::size_t close = stat.rfind(')');
    if (close == std::string_view::npos || close + 2 >= stat.size()) return std::nullopt;
    const std::vector<std::string_view> fields = split(stat.substr(close + 2), ' ');
    // fields[0] is the state (field 3 of the file); the start time is field 22.
    if (fields.size() < 20 || fields[0].size() != 1) return std::nullopt;
    StatFields result;
    result.state = fields[0][0];
    const std::string_view start = fields[19];
    if (std::from_chars(start.data(), start.data() + start.size(), result.startTime).ec != std::errc()) {
        return std::nullopt;
    }
    return result;
}

bool hasEnded(char state) { return state == 'Z' || state == 'X' || state == 'x'; }

std::set<std::string> fromCgroup(std::string_view cgroup) {
    std::set<std::string> out;
    for (std::string_view line : split(cgroup, '\n')) {
        // "<hierarchy>:<controllers>:<path>"; the path is the third field.
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos) continue;
        for (std::string_view unit : split(line.substr(second + 1), '/')) addUnit(unit, out);
    }
    return out;
}

std::string executableName(std::string_view exeLink) {
    constexpr std::string_view deleted = " (deleted)";
    if (exeLink.ends_with(deleted)) exeLink.remove_suffix(deleted.size());
    const std::size_t slash = exeLink.rfind('/');
    return std::string(slash == std::string_view::npos ? exeLink : exeLink.substr(slash + 1));
}

bool isNamedAfter(std::string_view comm, std::string_view executableName) {
    constexpr std::size_t kept = 15;
    if (comm.ends_with('\n')) comm.remove_suffix(1);
    return comm == executableName.substr(0, kept);
}

}  // namespace WaylarkKit::ProcessIdentity
