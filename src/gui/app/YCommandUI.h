#pragma once

#include <functional>

// What a command does and how its menu item and button look at the moment: run it, whether it
// is available, whether it carries a check mark. A command without a handler is unavailable.
struct YCommandUI {
    std::function<void()> run;
    std::function<bool()> enabled; // empty: always available
    std::function<bool()> checked; // empty: never checked

    bool IsEnabled() const { return run && (!enabled || enabled()); }
    bool IsChecked() const { return checked && checked(); }
};
