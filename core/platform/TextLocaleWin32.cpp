#include "TextLocale.h"

namespace platform {

// Names come as UTF-16 here; the locale stays as it is.
Utf8TextOnThisThread::Utf8TextOnThisThread() = default;
Utf8TextOnThisThread::~Utf8TextOnThisThread() = default;

} // namespace platform
