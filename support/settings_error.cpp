#include "settings_error.h"

#include <string>

namespace kl::support {
namespace {
std::string g_error;
}

void SetSettingsError(std::string_view text) { g_error.assign(text); }
void ClearSettingsError() { g_error.clear(); }
std::string_view SettingsError() { return g_error; }

}  // namespace kl::support
