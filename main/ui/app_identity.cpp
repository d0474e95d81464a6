#include "ui/app_identity.h"

#include "model/ui_language.h"

namespace kl {

namespace {
constexpr int kTextMessageCaption = 5;
}

std::string MessageCaption() { return UiText(kTextMessageCaption, kApplicationName); }

}  // namespace kl
