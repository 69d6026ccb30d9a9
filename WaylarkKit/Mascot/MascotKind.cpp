#include "WaylarkKit/Mascot/MascotKind.h"

namespace WaylarkKit {

bool onlyTintChanges(const MascotKind& shown, const MascotKind& next) {
    const auto* before = shown.asSession();
    const auto* after = next.asSession();
    return before != nullptr && after != nullptr && before->verified == after->verified && before->tint != after->tint;
}

}  // namespace WaylarkKit
