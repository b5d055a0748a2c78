#include "TextLocale.h"

#include <clocale>
#include <locale.h>

namespace platform {

Utf8TextOnThisThread::Utf8TextOnThisThread()
{
    // C.UTF-8 is built into glibc: it exists even where no locale was made.
    if (locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0))) {
        made_ = utf8;
        previous_ = uselocale(utf8);
    }
}

Utf8TextOnThisThread::~Utf8TextOnThisThread()
{
    if (made_) {
        uselocale(static_cast<locale_t>(previous_));
        freelocale(static_cast<locale_t>(made_));
    }
}

} // namespace platform
