// Exports: ExecuteFunctionEx, ExecuteFunction.
#include <windows.h>

#include <cstdint>

#include "dispatcher.h"

extern "C" {

std::int32_t WINAPI ExecuteFunctionEx(std::uint32_t id, const char* parameter) {
    return kl::support::ExecuteFunctionById(id, parameter);
}

std::int32_t WINAPI ExecuteFunction(std::uint32_t id) {
    return kl::support::ExecuteFunctionById(id, "");
}

}  // extern "C"
