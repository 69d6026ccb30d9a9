#include "WaylarkKit/Views/TimelineRails.h"

#include <algorithm>
#include <numeric>

namespace WaylarkKit::TimelineRails {

std::vector<RailItem> railRows(const std::vector<TradingCore::TimelineBand>& bands) {
    std::vector<std::size_t> order(bands.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return bands[a].start < bands[b].start; });

    constexpr std::size_t maxRows = 2;
    std::vector<Base::Date> rowEnds;
    std::vector<RailItem> result;
    result.reserve(bands.size());
    for (std::size_t index : order) {
        const TradingCore::TimelineBand& band = bands[index];
        const auto free = std::find_if(rowEnds.begin(), rowEnds.end(), [&](Base::Date end) { return end <= band.start; });
        int row = 1;
        if (free != rowEnds.end()) {
            *free = band.end;
            row = static_cast<int>(free - rowEnds.begin());
        } else if (rowEnds.size() < maxRows) {
            rowEnds.push_back(band.end);
            row = static_cast<int>(rowEnds.size() - 1);
        }
        result.push_back(RailItem{band, row, index});
    }
    return result;
}

}  // namespace WaylarkKit::TimelineRails
