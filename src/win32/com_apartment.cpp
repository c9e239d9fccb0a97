#include "win32/com_apartment.h"

#include <objbase.h>

namespace korvo::win32 {

namespace {

struct ComApartment {
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ComApartment() = default;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result)) CoUninitialize();
    }
};

}  // namespace

void EnsureComForShell() {
    static const ComApartment apartment;
}

}  // namespace korvo::win32
