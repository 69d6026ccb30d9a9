#pragma once

class QMenu;

namespace WaylarkKit {

// Gives a menu the island's look: a black rounded panel with a faint edge,
// white rows in Inter, dimmed rows that cannot be clicked, thin separators.
// For the menus that open from the island and the tray, which otherwise take
// the desktop's light default style and font.
void giveIslandLook(QMenu& menu);

}  // namespace WaylarkKit
