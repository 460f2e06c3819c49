#pragma once
// Helpers for tests that drive modal windows: a modal run blocks its caller,
// so checks on it run from inside its own loop.

#include <chrono>
#include <functional>
#include <memory>

class QWidget;

// Calls action with the next modal window once it is up, from inside its own
// loop. A window still open a few seconds after action is rejected, so that a
// failed check cannot hang the test. The flag turns true once action has run.
std::shared_ptr<bool> WhenModalShows(std::function<void(QWidget& modal)> action);

// Processes events until condition holds or timeout has passed; returns condition().
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
