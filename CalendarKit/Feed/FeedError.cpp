#include "CalendarKit/Feed/FeedError.h"

namespace CalendarKit {

std::string_view description(FeedError error) {
    switch (error) {
        case FeedError::notAnArray: return "notAnArray";
        case FeedError::tooLarge: return "tooLarge";
    }
    return "notAnArray";
}

}  // namespace CalendarKit
