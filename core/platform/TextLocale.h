#pragma once

// While it lives, the C library of the calling thread takes text as UTF-8,
// whatever the user's locale: for libraries that give names in the locale's
// encoding (libarchive), so that every name arrives as UTF-8. Windows gives
// names as UTF-16 and needs no such locale.

namespace platform {

class Utf8TextOnThisThread
{
public:
    Utf8TextOnThisThread();
    ~Utf8TextOnThisThread();
    Utf8TextOnThisThread(const Utf8TextOnThisThread &) = delete;
    Utf8TextOnThisThread &operator=(const Utf8TextOnThisThread &) = delete;

private:
    void *made_ = nullptr;     // the UTF-8 locale, where one had to be made
    void *previous_ = nullptr; // the thread's locale before
};

} // namespace platform
