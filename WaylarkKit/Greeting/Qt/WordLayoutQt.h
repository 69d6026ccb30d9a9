#pragma once

#include <QFont>
#include <QString>

#include "WaylarkKit/Greeting/GreetingWord.h"

namespace WaylarkKit {

// Lays `text` out once on one line in `font` and cuts it into its letters:
// each character (grapheme cluster) that is not whitespace keeps the place
// the whole line gave it, kerning included, and its outline. The word is as
// wide as the line (rounded up) and as tall as the font (rounded up) plus 2.
WordLayout layOutWord(const QString& text, const QFont& font);

}  // namespace WaylarkKit
