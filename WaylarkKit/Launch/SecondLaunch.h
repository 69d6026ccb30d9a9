#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace WaylarkKit::SecondLaunch {

inline constexpr std::string_view message = "Orl Trading Waylark rulează deja; închid acest exemplar.\n";
inline constexpr double lingerSeconds = 0.3;

// The whole life of a process that found the instance lock taken: sends the
// open request when the user started it, says so on standard error in one
// write, and returns the exit status 0 once the process is `lingerSeconds` old.
// It builds no options and no delegate.
int run(const std::vector<std::string>& arguments, const std::filesystem::path& socket);

}  // namespace WaylarkKit::SecondLaunch
