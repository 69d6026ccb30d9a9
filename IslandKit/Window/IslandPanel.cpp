#include "IslandKit/Window/IslandPanel.h"

namespace IslandKit {

IslandPanel::IslandPanel() {
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

}  // namespace IslandKit
