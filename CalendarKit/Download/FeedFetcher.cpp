#include "CalendarKit/Download/FeedFetcher.h"

#include <curl/curl.h>
#include <locale.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>

namespace CalendarKit {

namespace {

constexpr std::string_view badServerResponse = "bad server response";

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The parts of an absolute URL that the redirect and response checks compare.
struct UrlParts {
    std::string scheme;
    std::optional<std::string> host;
};

std::optional<UrlParts> urlParts(const std::string& address) {
    std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> url(curl_url(), curl_url_cleanup);
    if (!url || curl_url_set(url.get(), CURLUPART_URL, address.c_str(), 0) != CURLUE_OK) return std::nullopt;
    UrlParts parts;
    char* text = nullptr;
    if (curl_url_get(url.get(), CURLUPART_SCHEME, &text, 0) != CURLUE_OK || !text) return std::nullopt;
    parts.scheme = text;
    curl_free(text);
    text = nullptr;
    if (curl_url_get(url.get(), CURLUPART_HOST, &text, 0) == CURLUE_OK && text) {
        parts.host = std::string(text);
        curl_free(text);
    }
    return parts;
}

// Only https on exactly the base host (case-sensitive, as written).
bool isAllowedAddress(const std::string& address, const std::optional<std::string>& allowedHost) {
    const auto parts = urlParts(address);
    return parts && parts->scheme == "https" && parts->host == allowedHost;
}

bool isRedirectStatus(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[i]);
        const auto b = static_cast<unsigned char>(prefix[i]);
        if (std::tolower(a) != std::tolower(b)) return false;
    }
    return true;
}

std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

// What one request brought back, before any judgement of its status.
struct Exchange {
    long status = 0;
    std::string body;
    std::optional<std::string> retryAfter;
    std::optional<std::string> redirectAddress;
    std::string effectiveAddress;
};

struct TransferState {
    std::size_t maxBytes = 0;
    const std::atomic<bool>* cancelled = nullptr;
    CURL* handle = nullptr;
    bool tooLarge = false;
    Exchange exchange;
};

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* context) {
    auto& state = *static_cast<TransferState*>(context);
    const std::size_t length = size * count;
    const std::string_view line = withoutLineEnd(std::string_view(data, length));
    if (startsWithIgnoringCase(line, "HTTP/")) {
        // A new header block (after an interim 1xx answer) starts afresh.
        state.exchange.retryAfter.reset();
    } else if (startsWithIgnoringCase(line, "retry-after:")) {
        std::string_view value = line.substr(std::strlen("retry-after:"));
        // Repeated fields combine into one list, which is then no number.
        if (state.exchange.retryAfter) {
            state.exchange.retryAfter->append(", ").append(value);
        } else {
            state.exchange.retryAfter = std::string(value);
        }
    } else if (line.empty()) {
        long status = 0;
        curl_easy_getinfo(state.handle, CURLINFO_RESPONSE_CODE, &status);
        if (status >= 200) {
            // Refuse an announced oversized body before reading any of it.
            curl_off_t announced = -1;
            curl_easy_getinfo(state.handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
            if (announced >= 0 && static_cast<std::uintmax_t>(announced) > state.maxBytes) {
                state.tooLarge = true;
                return 0;
            }
        }
    }
    return length;
}

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* context) {
    auto& state = *static_cast<TransferState*>(context);
    const std::size_t length = size * count;
    // A body without a length (or lying about it) is stopped by the running count.
    if (length > state.maxBytes - state.exchange.body.size()) {
        state.tooLarge = true;
        return CURL_WRITEFUNC_ERROR;
    }
    state.exchange.body.append(data, length);
    return length;
}

int onProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto& state = *static_cast<TransferState*>(context);
    return state.cancelled->load() ? 1 : 0;
}

struct CurlHandle {
    CURL* handle = curl_easy_init();
    curl_slist* resolve = nullptr;
    curl_slist* headers = nullptr;
    ~CurlHandle() {
        if (handle) curl_easy_cleanup(handle);
        if (resolve) curl_slist_free_all(resolve);
        if (headers) curl_slist_free_all(headers);
    }
};

long wholeSecondsAtLeastOne(double seconds) {
    if (!(seconds >= 1)) return 1;
    if (seconds > 86'400) return 86'400;
    return static_cast<long>(std::ceil(seconds));
}

// One GET without following redirects.
Base::Result<Exchange> performOne(const FeedFetcherOptions& options, const std::string& address,
                                  double secondsLeft, const std::atomic<bool>& cancelled) {
    CurlHandle curl;
    if (!curl.handle) return Base::makeError("cannot start a transfer");
    CURL* h = curl.handle;
    // The request names its agent and nothing more: an empty value drops the
    // Accept header that libcurl would add.
    curl.headers = curl_slist_append(nullptr, "Accept:");
    if (!curl.headers) return Base::makeError("cannot start a transfer");
    TransferState state;
    state.maxBytes = options.maxBytes;
    state.cancelled = &cancelled;
    state.handle = h;
    char errorText[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, options.userAgent.c_str());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, curl.headers);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    // No cookie engine is ever switched on (no COOKIEFILE or COOKIEJAR), and
    // no compressed encodings are asked for, so the cap counts real bytes.
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.requestTimeout * 1000));
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, wholeSecondsAtLeastOne(options.requestTimeout));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, std::max(1L, static_cast<long>(secondsLeft * 1000)));
    curl_easy_setopt(h, CURLOPT_MAXCONNECTS, 1L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &state);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &state);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &state);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    if (!options.certificateAuthorityFile.empty()) {
        curl_easy_setopt(h, CURLOPT_CAINFO, options.certificateAuthorityFile.c_str());
        curl_easy_setopt(h, CURLOPT_CAPATH, nullptr);
    }
    if (!options.resolve.empty()) {
        for (const auto& entry : options.resolve) curl.resolve = curl_slist_append(curl.resolve, entry.c_str());
        curl_easy_setopt(h, CURLOPT_RESOLVE, curl.resolve);
        // Mapped names point at a local server; a proxy would not know them.
        curl_easy_setopt(h, CURLOPT_NOPROXY, "*");
    }

    const CURLcode code = curl_easy_perform(h);
    if (state.tooLarge) return Base::makeError("tooLarge");
    if (cancelled.load()) return Base::makeError("cancelled");
    // The idle limit and the overall limit end the same way for the user.
    if (code == CURLE_OPERATION_TIMEDOUT) return Base::makeError("the request timed out");
    if (code != CURLE_OK) {
        std::string text = errorText[0] ? std::string(errorText) : std::string(curl_easy_strerror(code));
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        return Base::makeError(text);
    }

    Exchange& exchange = state.exchange;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &exchange.status);
    char* text = nullptr;
    if (curl_easy_getinfo(h, CURLINFO_EFFECTIVE_URL, &text) == CURLE_OK && text) exchange.effectiveAddress = text;
    text = nullptr;
    if (curl_easy_getinfo(h, CURLINFO_REDIRECT_URL, &text) == CURLE_OK && text) exchange.redirectAddress = std::string(text);
    return std::move(state.exchange);
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool isSpaceSeparatorOrTab(std::string_view text, std::size_t at, std::size_t& length) {
    static constexpr std::string_view separators[] = {
        "\t", " ", "\xC2\xA0", "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82",
        "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88",
        "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80"};
    for (std::string_view s : separators) {
        if (text.substr(at, s.size()) == s) {
            length = s.size();
            return true;
        }
    }
    return false;
}

bool endsWithSpaceSeparatorOrTab(std::string_view text, std::size_t& length) {
    for (std::size_t candidate = 1; candidate <= 3 && candidate <= text.size(); ++candidate) {
        std::size_t found = 0;
        if (isSpaceSeparatorOrTab(text, text.size() - candidate, found) && found == candidate) {
            length = candidate;
            return true;
        }
    }
    return false;
}

// strtod in the C locale, whatever locale the process has set.
std::optional<double> readCNumber(const std::string& text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (text.empty() || !cLocale) return std::nullopt;
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, cLocale);
    if (end != text.c_str() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

FeedFetcher::FeedFetcher(Base::Scheduler& scheduler, FeedFetcherOptions options)
    : options_(std::move(options)),
      workers_(scheduler, [this](FeedWeek week, const std::atomic<bool>& cancelled) {
          return fetchNow(week, cancelled);
      }) {
    initialiseCurlOnce();
}

std::string FeedFetcher::address(FeedWeek week) const { return address(options_, week); }

std::string FeedFetcher::address(const FeedFetcherOptions& options, FeedWeek week) {
    std::string base = options.baseAddress;
    if (base.empty() || base.back() != '/') base += '/';
    return base + "ff_calendar_" + std::string(rawValue(week)) + ".json";
}

Base::TaskHandle FeedFetcher::fetch(FeedWeek week, Completion completion) {
    return workers_.start(week, std::move(completion));
}

Base::Result<FeedResponse> FeedFetcher::fetchNow(FeedWeek week, const std::atomic<bool>& cancelled) const {
    return download(options_, week, cancelled);
}

Base::Result<FeedResponse> FeedFetcher::download(const FeedFetcherOptions& options, FeedWeek week,
                                                 const std::atomic<bool>& cancelled) {
    initialiseCurlOnce();
    const auto start = std::chrono::steady_clock::now();
    std::string address = FeedFetcher::address(options, week);
    const auto base = urlParts(address);
    if (!base || base->scheme != "https" || !base->host) {
        return Base::makeError("the feed address is not an https address: " + options.baseAddress);
    }
    const std::optional<std::string> allowedHost = base->host;

    for (int hop = 0;; ++hop) {
        const double secondsLeft = options.resourceTimeout - secondsSince(start);
        if (secondsLeft <= 0) return Base::makeError("the request timed out");
        auto exchange = performOne(options, address, secondsLeft, cancelled);
        if (!exchange) return exchange.error();
        // Whatever answered must still be the feed's host over https.
        if (!isAllowedAddress(exchange->effectiveAddress, allowedHost)) {
            return Base::makeError(std::string(badServerResponse));
        }
        const bool follow = isRedirectStatus(exchange->status) && exchange->redirectAddress &&
                            isAllowedAddress(*exchange->redirectAddress, allowedHost) &&
                            hop < options.maxRedirects;
        if (follow) {
            address = *exchange->redirectAddress;
            continue;
        }
        std::optional<std::string_view> retryAfterText;
        if (exchange->retryAfter) retryAfterText = *exchange->retryAfter;
        return FeedResponse{static_cast<int>(exchange->status), std::move(exchange->body), retryAfter(retryAfterText)};
    }
}

std::optional<double> FeedFetcher::retryAfter(std::optional<std::string_view> value) {
    if (!value) return std::nullopt;
    std::string_view text = *value;
    std::size_t length = 0;
    while (!text.empty() && isSpaceSeparatorOrTab(text, 0, length)) text.remove_prefix(length);
    while (!text.empty() && endsWithSpaceSeparatorOrTab(text, length)) text.remove_suffix(length);
    if (text.find('\0') != std::string_view::npos) return std::nullopt;
    const auto number = readCNumber(std::string(text));
    if (!number || !std::isfinite(*number)) return std::nullopt;
    if (*number <= 0) return 0.0;
    return std::min(*number, FeedResponse::maxRetryAfter);
}

}  // namespace CalendarKit
