#include "SettingsKit/SettingsText.h"

#include "Base/Text.h"

namespace SettingsKit {

bool sameText(std::string_view a, std::string_view b) {
    return a == b || Base::Text::nfc(a) == Base::Text::nfc(b);
}

}  // namespace SettingsKit
