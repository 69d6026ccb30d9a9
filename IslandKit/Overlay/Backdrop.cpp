#include "IslandKit/Overlay/Backdrop.h"

#include <algorithm>

namespace IslandKit::Backdrop {

QImage blurred(const QImage& snapshot) {
    if (snapshot.isNull()) return snapshot;
    const QSize full = snapshot.size();
    QImage image = snapshot.convertToFormat(QImage::Format_RGB32);
    for (int factor : {8, 4}) {
        const QSize small(std::max(1, full.width() / factor), std::max(1, full.height() / factor));
        image = image.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .scaled(full, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

}  // namespace IslandKit::Backdrop
