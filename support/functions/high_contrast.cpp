#include "functions/high_contrast.h"

#include <windows.h>

#include "text255.h"

namespace kl::support {

void ToggleHighContrast(SettingsBlock& block, const Params&) {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) return;
    if (!(contrast.dwFlags & HCF_AVAILABLE)) {
        SetText255(block.StatusText, " * High Contrast mode is not supported.");
        return;
    }
    contrast.dwFlags ^= HCF_HIGHCONTRASTON;
    if (!SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, SPIF_SENDCHANGE))
        SetText255(block.StatusText, "Cannot set High Contrast mode");
}

}  // namespace kl::support
