// No C++ exception may leave an export: the caller is another module.
#pragma once

#include <exception>
#include <utility>

namespace kl::support {

template <class R, class F>
R Guarded(R onError, F&& body) noexcept {
    try {
        return std::forward<F>(body)();
    } catch (...) {
        return onError;
    }
}

}  // namespace kl::support
