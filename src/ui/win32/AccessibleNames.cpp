#include "ui/win32/AccessibleNames.h"

#include <objbase.h>
#include <oleacc.h>

namespace kv::ui::win32 {

namespace {

// Defined here: the import libraries of every tool chain do not carry them, and the
// program links no accessibility library (the service is reached through COM alone).
constexpr CLSID kClsidAccPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIidAccPropServices = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kPropIdAccName = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

constexpr DWORD kClientObject = static_cast<DWORD>(OBJID_CLIENT);
constexpr DWORD kSelf = CHILDID_SELF;

}  // namespace

AccPropAccessibleNames::AccPropAccessibleNames() = default;
AccPropAccessibleNames::~AccPropAccessibleNames() = default;

IAccPropServices* AccPropAccessibleNames::services() {
    if (!triedCreate_) {
        triedCreate_ = true;
        lastResult_ = CoCreateInstance(kClsidAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIidAccPropServices,
                                       services_.putVoid());
        if (FAILED(lastResult_)) services_.reset();
    }
    return services_.get();
}

bool AccPropAccessibleNames::setName(HWND window, const std::wstring& name) {
    IAccPropServices* service = services();
    if (!service || !window) return false;
    lastResult_ = service->SetHwndPropStr(window, kClientObject, kSelf, kPropIdAccName, name.c_str());
    return SUCCEEDED(lastResult_);
}

void AccPropAccessibleNames::clearName(HWND window) {
    if (!services_ || !window) return;  // nothing was ever set
    MSAAPROPID props[] = {kPropIdAccName};
    lastResult_ = services_.get()->ClearHwndProps(window, kClientObject, kSelf, props, 1);
}

}  // namespace kv::ui::win32
