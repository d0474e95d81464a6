// A value or the text of the error that kept it from being produced. Errors
// travel this way instead of exceptions so that no window procedure has to
// catch anything; the caller hands the text to the program's error handler.
#pragma once

#include <string>
#include <utility>

namespace kl {

template <class T>
struct Result {
    T value{};
    std::string error;  // empty on success

    bool ok() const { return error.empty(); }
    explicit operator bool() const { return ok(); }

    static Result Failure(std::string text) {
        Result r;
        r.error = std::move(text);
        return r;
    }
};

}  // namespace kl
