#include "win32/accessible_names.h"

#include <windows.h>
// The annotation's class and property ids are defined here, not linked in.
#include <initguid.h>
#include <oleacc.h>

namespace tolvik {
namespace {

// Runs `use` with the annotation service, in an apartment of its own unless
// the thread has one already; does nothing when the service is not there.
template <class Use>
void WithPropServices(const Use& use) {
    const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        use(*services);
        services->Release();
    }
    if (SUCCEEDED(apartment)) CoUninitialize();
}

}  // namespace

void SetAccessibleNames(const std::vector<std::pair<HWND, std::wstring>>& names) {
    WithPropServices([&](IAccPropServices& services) {
        for (const auto& [control, name] : names)
            services.SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    PROPID_ACC_NAME, name.c_str());
    });
}

void ClearAccessibleNames(const std::vector<HWND>& controls) {
    WithPropServices([&](IAccPropServices& services) {
        for (HWND control : controls)
            services.ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                    &PROPID_ACC_NAME, 1);
    });
}

}  // namespace tolvik
