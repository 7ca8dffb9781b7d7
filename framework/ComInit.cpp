#include "ComInit.h"
#include <objbase.h>
#include <ole2.h>

namespace plaxor {

bool InitializeComApartment() noexcept {
    // S_FALSE (already initialised) also takes a reference.
    return SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void UninitializeComApartment() noexcept {
    ::CoUninitialize();
}

bool InitializeOle() noexcept {
    return SUCCEEDED(::OleInitialize(nullptr));
}

void UninitializeOle() noexcept {
    ::OleUninitialize();
}

} // namespace plaxor
