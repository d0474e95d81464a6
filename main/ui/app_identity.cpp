#include "ui/app_identity.h"

#include "model/ui_language.h"

namespace kl {

std::string MessageCaption() { return UiText(5, kApplicationName); }

}  // namespace kl
