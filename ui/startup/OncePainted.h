#pragma once

// Work kept off the window's start: done as soon as the window's first frame is on the screen.

#include <functional>

class QWidget;

namespace inlet {

// Runs `action` once, after the first round of painting of `window` has reached the screen.
void runOncePainted(QWidget& window, std::function<void()> action);

}  // namespace inlet
