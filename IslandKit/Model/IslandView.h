#pragma once

#include <functional>

class QWidget;

namespace IslandKit {

// A view the island shows: a maker that builds the widget inside the parent it
// is given. The island rebuilds it whenever the model's field is written, so
// the model itself stays free of the widget toolkit. An empty maker is "no view".
using IslandView = std::function<QWidget*(QWidget* parent)>;

}  // namespace IslandKit
