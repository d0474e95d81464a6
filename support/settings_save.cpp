#include <string>

#include "key_selection.h"
#include "option_table.h"
#include "registry_values.h"
#include "settings.h"
#include "text255.h"
#include "win_handles.h"

namespace kl::support {

bool SaveSettings(const SettingsBlock& b) {
    const ProfileKeys keys = SelectKeys(Text255View(b.ProfileName));
    RegKey base = RegKey::Open(HKEY_CURRENT_USER, keys.main.c_str(), KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!base) return false;

    for (const Option& o : SavedOptions()) {
        // A failed write of one value does not fail the save.
        switch (o.kind) {
            case OptionKind::Text: WriteString(base.get(), o.name, Text255View(b.*o.text)); break;
            case OptionKind::Number: WriteString(base.get(), o.name, std::to_string(b.*o.field)); break;
            case OptionKind::Truth: WriteString(base.get(), o.name, b.*o.field ? "1" : "0"); break;
        }
    }
    return base.close();
}

}  // namespace kl::support
