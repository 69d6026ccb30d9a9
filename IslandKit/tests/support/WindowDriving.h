// What the drivers of real windows on an X server share, whichever component
// they test: checks that print and count, waits that keep the event loop
// running, input through xdotool and grabs of the screen.
#pragma once

#include <functional>
#include <string>

#include <QColor>
#include <QImage>
#include <QRect>
#include <QStringList>

namespace IslandKitTest {

// Prints "ok" or "FAIL" with the claim; failures decide `finish`.
void check(bool ok, const std::string& what);
// Prints the summary line; the driver's exit code.
int finish();

// Runs the event loop for `ms`.
void wait(int ms);
// Runs the event loop in short slices until `done` holds or `ms` have passed.
bool waitFor(const std::function<bool()>& done, int ms = 15000);

// A helper program; a non-zero exit is a failed check.
void run(const QString& program, const QStringList& arguments);
// xdotool goes through the input devices, as a real mouse does, and returns
// once the X server has the events; the windows get them a moment later.
void xdotool(const QStringList& arguments);

// The screen's pixels in `area`, the whole screen when it is empty.
QImage grabScreen(const QRect& area = {});
bool near(const QColor& a, const QColor& b, int fuzz);

}  // namespace IslandKitTest
