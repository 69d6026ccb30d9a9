#pragma once

#include <QImage>

namespace IslandKit::Backdrop {

// A soft blur of a screen snapshot, cheap enough to run when a card opens:
// the image is shrunk and enlarged again with smooth filtering, twice.
QImage blurred(const QImage& snapshot);

}  // namespace IslandKit::Backdrop
