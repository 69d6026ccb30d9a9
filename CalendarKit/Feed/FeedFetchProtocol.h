#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "Base/Result.h"
#include "CalendarKit/Feed/FeedFetcherOptions.h"
#include "CalendarKit/Feed/FeedFetching.h"

namespace CalendarKit {

// What passes between the program and its download program: the request as
// command-line arguments, the answer on the download program's standard
// output. Both sides read strictly: anything unexpected is refused whole.

struct FeedFetchRequest {
    FeedWeek week = FeedWeek::thisWeek;
    FeedFetcherOptions options;

    bool operator==(const FeedFetchRequest&) const = default;
};

// The arguments after the program's name.
std::vector<std::string> feedFetchArguments(const FeedFetchRequest& request);
Base::Result<FeedFetchRequest> parseFeedFetchArguments(const std::vector<std::string>& arguments);

// "status <code>\n", optionally "retry-after <seconds>\n", then
// "body <length>\n" and exactly that many bytes; or "error <length>\n" and the
// message's bytes.
std::string encodeFeedAnswer(const Base::Result<FeedResponse>& answer);
// The answer, or its error; a malformed or truncated text, or a body over
// `maxBytes`, is an error too.
Base::Result<FeedResponse> decodeFeedAnswer(std::string_view text, std::size_t maxBytes);

// The most bytes a well-formed answer with a body of `maxBytes` can take.
std::size_t maxFeedAnswerSize(std::size_t maxBytes);

}  // namespace CalendarKit
