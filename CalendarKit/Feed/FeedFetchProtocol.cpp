#include "CalendarKit/Feed/FeedFetchProtocol.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

namespace CalendarKit {

namespace {

constexpr std::string_view malformedAnswer = "the download program gave a malformed answer";
constexpr std::size_t maxErrorLength = 4096;

template <class Number>
std::string textOf(Number value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

// A whole text as one number, nothing before or after it.
template <class Number>
std::optional<Number> numberOf(std::string_view text) {
    Number value{};
    if (text.empty() || text.front() == '+' || text.front() == ' ') return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value)) return std::nullopt;
    }
    return value;
}

// Reads "<key> <value>\n" off the front of `text`.
std::optional<std::string_view> takeLine(std::string_view& text, std::string_view key) {
    if (!text.starts_with(key) || text.substr(key.size(), 1) != " ") return std::nullopt;
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view value = text.substr(key.size() + 1, end - key.size() - 1);
    text.remove_prefix(end + 1);
    return value;
}

// Reads "<key> <length>\n" and exactly that many bytes, which must end the text.
std::optional<std::string_view> takeLast(std::string_view text, std::string_view key, std::size_t maxLength) {
    const auto lengthText = takeLine(text, key);
    if (!lengthText) return std::nullopt;
    const auto length = numberOf<std::size_t>(*lengthText);
    if (!length || *length > maxLength || *length != text.size()) return std::nullopt;
    return text;
}

Base::Result<FeedResponse> malformed() { return Base::makeError(std::string(malformedAnswer)); }

}  // namespace

std::vector<std::string> feedFetchArguments(const FeedFetchRequest& request) {
    const FeedFetcherOptions& options = request.options;
    std::vector<std::string> arguments{
        std::string(rawValue(request.week)),
        "--base-address", options.baseAddress,
        "--user-agent", options.userAgent,
        "--max-bytes", textOf(options.maxBytes),
        "--request-timeout", textOf(options.requestTimeout),
        "--resource-timeout", textOf(options.resourceTimeout),
        "--max-redirects", textOf(options.maxRedirects)};
    if (!options.certificateAuthorityFile.empty()) {
        arguments.insert(arguments.end(), {"--certificate-authority", options.certificateAuthorityFile});
    }
    for (const auto& entry : options.resolve) arguments.insert(arguments.end(), {"--resolve", entry});
    return arguments;
}

Base::Result<FeedFetchRequest> parseFeedFetchArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return Base::makeError("no week given");
    FeedFetchRequest request;
    const auto week = feedWeekFromRaw(arguments.front());
    if (!week) return Base::makeError("unknown week: " + arguments.front());
    request.week = *week;
    FeedFetcherOptions& options = request.options;
    // Every option but the repeatable "--resolve" once at most, and each
    // required one exactly once.
    std::vector<std::string> seen;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        const std::string& name = arguments[i];
        if (i + 1 >= arguments.size()) return Base::makeError("no value for " + name);
        const std::string& value = arguments[i + 1];
        if (name != "--resolve") {
            for (const auto& earlier : seen) {
                if (earlier == name) return Base::makeError("given twice: " + name);
            }
            seen.push_back(name);
        }
        bool valid = true;
        if (name == "--base-address") {
            options.baseAddress = value;
        } else if (name == "--user-agent") {
            options.userAgent = value;
        } else if (name == "--certificate-authority") {
            options.certificateAuthorityFile = value;
            valid = !value.empty();
        } else if (name == "--resolve") {
            options.resolve.push_back(value);
        } else if (name == "--max-bytes") {
            const auto number = numberOf<std::size_t>(value);
            if ((valid = number.has_value())) options.maxBytes = *number;
        } else if (name == "--max-redirects") {
            const auto number = numberOf<int>(value);
            if ((valid = number && *number >= 0)) options.maxRedirects = *number;
        } else if (name == "--request-timeout" || name == "--resource-timeout") {
            const auto number = numberOf<double>(value);
            if ((valid = number.has_value())) {
                (name == "--request-timeout" ? options.requestTimeout : options.resourceTimeout) = *number;
            }
        } else {
            return Base::makeError("unknown option: " + name);
        }
        if (!valid) return Base::makeError("bad value for " + name + ": " + value);
    }
    for (std::string_view required : {"--base-address", "--user-agent", "--max-bytes", "--request-timeout",
                                      "--resource-timeout", "--max-redirects"}) {
        bool found = false;
        for (const auto& name : seen) found = found || name == required;
        if (!found) return Base::makeError("missing option: " + std::string(required));
    }
    return request;
}

std::string encodeFeedAnswer(const Base::Result<FeedResponse>& answer) {
    if (!answer) {
        const std::string message = answer.error().message.substr(0, maxErrorLength);
        return "error " + textOf(message.size()) + "\n" + message;
    }
    std::string text = "status " + textOf(answer->status) + "\n";
    if (answer->retryAfter) text += "retry-after " + textOf(*answer->retryAfter) + "\n";
    text += "body " + textOf(answer->data.size()) + "\n";
    text += answer->data;
    return text;
}

Base::Result<FeedResponse> decodeFeedAnswer(std::string_view text, std::size_t maxBytes) {
    if (text.starts_with("error ")) {
        const auto message = takeLast(text, "error", maxErrorLength);
        if (!message || message->empty()) return malformed();
        return Base::makeError(std::string(*message));
    }
    FeedResponse response;
    const auto statusText = takeLine(text, "status");
    const auto status = statusText ? numberOf<int>(*statusText) : std::nullopt;
    if (!status || *status < 100 || *status > 999) return malformed();  // any three-digit code
    response.status = *status;
    if (text.starts_with("retry-after ")) {
        const auto secondsText = takeLine(text, "retry-after");
        const auto seconds = secondsText ? numberOf<double>(*secondsText) : std::nullopt;
        if (!seconds || *seconds < 0 || *seconds > FeedResponse::maxRetryAfter) return malformed();
        response.retryAfter = *seconds;
    }
    const auto body = takeLast(text, "body", maxBytes);
    if (!body) return malformed();
    response.data = std::string(*body);
    return response;
}

std::size_t maxFeedAnswerSize(std::size_t maxBytes) {
    // The three lines before the body, each well under 64 bytes.
    constexpr std::size_t lines = 3 * 64;
    const std::size_t largest = std::max(maxBytes, maxErrorLength);
    return largest > std::numeric_limits<std::size_t>::max() - lines ? largest : largest + lines;
}

}  // namespace CalendarKit
