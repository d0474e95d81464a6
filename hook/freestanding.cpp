// Without a C runtime the compiler may still emit calls to these for struct
// copies and clears. Plain byte loops; the attribute keeps the optimiser from
// turning them back into calls to themselves.
#include <stddef.h>

#define KL_NO_PATTERNS __attribute__((optimize("no-tree-loop-distribute-patterns")))

extern "C" {

KL_NO_PATTERNS void* memset(void* dest, int value, size_t n) {
    auto* d = static_cast<unsigned char*>(dest);
    while (n--) *d++ = static_cast<unsigned char>(value);
    return dest;
}

KL_NO_PATTERNS void* memcpy(void* dest, const void* src, size_t n) {
    auto* d = static_cast<unsigned char*>(dest);
    auto* s = static_cast<const unsigned char*>(src);
    while (n--) *d++ = *s++;
    return dest;
}

KL_NO_PATTERNS void* memmove(void* dest, const void* src, size_t n) {
    auto* d = static_cast<unsigned char*>(dest);
    auto* s = static_cast<const unsigned char*>(src);
    if (d < s) {
        while (n--) *d++ = *s++;
    } else {
        d += n;
        s += n;
        while (n--) *--d = *--s;
    }
    return dest;
}

}  // extern "C"
