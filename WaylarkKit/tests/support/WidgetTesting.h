#pragma once

// Support shared by the app layer's widget tests: one application object on
// the offscreen platform with Inter loaded, an event loop that runs until a
// condition holds, and golden-image comparison of painted views.

#include <functional>
#include <string>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace WaylarkKitTest {

QApplication& app();

// Runs the real event loop until `done` holds or `timeoutMs` passes.
bool processUntil(const std::function<bool()>& done, int timeoutMs = 2000);

// Renders `widget` at its current size into an image of device pixel ratio
// `ratio`, over black as the island draws it.
QImage render(QWidget& widget, double ratio = 2);

// Compares `actual` with WaylarkKit/tests/data/<name>.png. Each channel may
// differ by `channelFuzz`, and up to `maxDifferingFraction` of the pixels may
// differ by more. On failure the actual and expected images are written to the
// test output folder. With WAYLARK_UPDATE_GOLDEN=1 the reference is rewritten.
::testing::AssertionResult matchesGolden(const QImage& actual, const std::string& name, int channelFuzz = 24,
                                         double maxDifferingFraction = 0.002);

}  // namespace WaylarkKitTest
