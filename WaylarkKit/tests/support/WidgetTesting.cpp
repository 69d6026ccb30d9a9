#include "WidgetTesting.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <QPainter>

#include "IslandKit/tests/widgets/QtTestApp.h"
#include "WaylarkKit/Style/Qt/Fonts.h"

namespace WaylarkKitTest {

QApplication& app() {
    static int argc = 1;
    static char name[] = "WaylarkKitWidgetTests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        auto* created = new QApplication(argc, argv);
        WaylarkKit::loadFonts();
        return created;
    }();
    return *instance;
}

bool processUntil(const std::function<bool()>& done, int timeoutMs) {
    return IslandKitTest::processUntil(done, timeoutMs);
}

QImage render(QWidget& widget, double ratio) {
    app();
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

::testing::AssertionResult matchesGolden(const QImage& actual, const std::string& name, int channelFuzz,
                                         double maxDifferingFraction) {
    namespace fs = std::filesystem;
    const fs::path reference = fs::path(WAYLARK_SOURCE_DIR) / "WaylarkKit/tests/data" / (name + ".png");
    const QImage converted = actual.convertToFormat(QImage::Format_ARGB32);
    const char* update = std::getenv("WAYLARK_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        fs::create_directories(reference.parent_path());
        if (!converted.save(QString::fromStdString(reference.string()))) {
            return ::testing::AssertionFailure() << "could not write " << reference;
        }
        return ::testing::AssertionSuccess();
    }
    const QImage expected = QImage(QString::fromStdString(reference.string())).convertToFormat(QImage::Format_ARGB32);
    const auto keep = [&](const char* why) {
        const fs::path out = fs::path(WAYLARK_TEST_OUTPUT_DIR);
        fs::create_directories(out);
        converted.save(QString::fromStdString((out / (name + "-actual.png")).string()));
        if (!expected.isNull()) expected.save(QString::fromStdString((out / (name + "-expected.png")).string()));
        return ::testing::AssertionFailure() << name << ": " << why << " (images in " << out << ")";
    };
    if (expected.isNull()) return keep("no reference image; run with WAYLARK_UPDATE_GOLDEN=1 to make it");
    if (expected.size() != converted.size()) return keep("the size differs from the reference");
    long differing = 0;
    for (int y = 0; y < expected.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(converted.constScanLine(y));
        const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        for (int x = 0; x < expected.width(); ++x) {
            const int worst = std::max({std::abs(qRed(a[x]) - qRed(e[x])), std::abs(qGreen(a[x]) - qGreen(e[x])),
                                        std::abs(qBlue(a[x]) - qBlue(e[x])), std::abs(qAlpha(a[x]) - qAlpha(e[x]))});
            if (worst > channelFuzz) ++differing;
        }
    }
    const double allowed = maxDifferingFraction * expected.width() * expected.height();
    if (differing > allowed) {
        return keep((std::to_string(differing) + " pixels differ, " + std::to_string(static_cast<long>(allowed)) +
                     " allowed").c_str());
    }
    return ::testing::AssertionSuccess();
}

}  // namespace WaylarkKitTest
