#include "IslandKit/View/QtGeometry.h"

namespace IslandKit {

QPainterPath toPainterPath(const std::vector<PathElement>& elements) {
    QPainterPath path;
    for (const auto& e : elements) {
        switch (e.kind) {
            case PathElement::Kind::move: path.moveTo(e.to.x, e.to.y); break;
            case PathElement::Kind::line: path.lineTo(e.to.x, e.to.y); break;
            case PathElement::Kind::quad: path.quadTo(e.control.x, e.control.y, e.to.x, e.to.y); break;
            case PathElement::Kind::close: path.closeSubpath(); break;
        }
    }
    return path;
}

}  // namespace IslandKit
