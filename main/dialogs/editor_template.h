// The hotkey editor's template: its controls and their places in dialog units.
#pragma once

#include "ui/dialog_template.h"

namespace kl::editor {

DialogTemplate EditorTemplate();

}  // namespace kl::editor
