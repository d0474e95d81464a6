// The libFuzzer entry of a program built from one harness.
#include <cstddef>
#include <cstdint>

#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kl::fuzz::Harnesses()->run(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
