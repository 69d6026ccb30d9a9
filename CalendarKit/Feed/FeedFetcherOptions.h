#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace CalendarKit {

struct FeedFetcherOptions {
    // Scheme, host and optional port (and path) under which the two weekly
    // files live. Must be https.
    std::string baseAddress = "https://nfs.faireconomy.media";
    std::string userAgent = "OrlTradingWaylark/0.1";
    std::size_t maxBytes = 2'000'000;
    // A fetch fails when its transfer stays below one byte a second for
    // `requestTimeout` seconds (also the limit for connecting), or when it
    // takes `resourceTimeout` in all.
    double requestTimeout = 30;
    double resourceTimeout = 60;
    // Same-host https redirects followed before the last 3xx is handed back.
    int maxRedirects = 5;
    // For tests only: a PEM file of trusted roots instead of the system's,
    // and "host:port:address" entries that bypass name resolution.
    std::string certificateAuthorityFile;
    std::vector<std::string> resolve;

    bool operator==(const FeedFetcherOptions&) const = default;
};

}  // namespace CalendarKit
