#pragma once

#include <functional>
#include <utility>

namespace tabel {

// Runs a handler; any error it throws ends in the default error display and
// the window stays as it is.
void runGuarded(const std::function<void()>& handler);

// Wraps a handler for connect(): connect(b, &QPushButton::clicked, this, guarded([this] { ... })).
template <typename F>
auto guarded(F f)
{
    return [f = std::move(f)](auto&&...) { runGuarded(f); };
}

} // namespace tabel
