// The system's accessibility services, each looked up at run time so that a
// system without it (older Windows, Wine) simply goes without.
#include "winservices/accessibility.h"

#include <objbase.h>
#include <oleacc.h>

namespace {

// MinGW declares these but its import libraries do not define them; the
// values are those oleacc.h documents.
constexpr GUID kClsidAccPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kIidAccPropServices = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kPropIdAccName = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

// UI Automation's notification (Windows 10 1709 on); the provider is only
// passed through, so IUnknown stands for IRawElementProviderSimple.
constexpr int kNotificationKindActionCompleted = 2;
constexpr int kProcessingImportantMostRecent = 1;
constexpr int kProcessingMostRecent = 3;
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
using AllocString = BSTR(WINAPI*)(const OLECHAR*);
using FreeString = void(WINAPI*)(BSTR);

// A function of a system DLL, or null where the DLL or the function is missing.
template <class Function>
Function Lookup(const wchar_t* dll, const char* name) noexcept
{
    HMODULE module = ::GetModuleHandleW(dll);
    if (!module)
        module = ::LoadLibraryW(dll);
    const FARPROC found = module ? ::GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

class SystemServices final : public AccessibilityServices {
public:
    bool SetName(HWND window, const std::wstring& name) override
    {
        IAccPropServices* services = PropServices();
        return services &&
               SUCCEEDED(services->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                  kPropIdAccName, name.c_str()));
    }

    bool ClearName(HWND window) override
    {
        // Never made: nothing was named through it.
        if (!m_propServices)
            return false;
        return SUCCEEDED(
            m_propServices->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &kPropIdAccName, 1));
    }

    bool Announce(HWND window, const std::wstring& text, AnnouncementKind kind) override
    {
        static const auto hostProvider = Lookup<HostProviderFromHwnd>(L"uiautomationcore.dll", "UiaHostProviderFromHwnd");
        static const auto raise = Lookup<RaiseNotificationEvent>(L"uiautomationcore.dll", "UiaRaiseNotificationEvent");
        static const auto alloc = Lookup<AllocString>(L"oleaut32.dll", "SysAllocString");
        static const auto free = Lookup<FreeString>(L"oleaut32.dll", "SysFreeString");
        if (!hostProvider || !raise || !alloc || !free)
            return false;
        IUnknown* provider = nullptr;
        if (FAILED(hostProvider(window, &provider)) || !provider)
            return false;
        const BSTR display = alloc(text.c_str());
        const BSTR activity = alloc(kind == AnnouncementKind::Colour ? L"Tavolisk.Colour" : L"Tavolisk.Action");
        const HRESULT result =
            raise(provider, kNotificationKindActionCompleted,
                  kind == AnnouncementKind::Colour ? kProcessingMostRecent : kProcessingImportantMostRecent, display,
                  activity);
        free(activity);
        free(display);
        provider->Release();
        return SUCCEEDED(result);
    }

    bool HighContrast() override
    {
        HIGHCONTRASTW contrast{};
        contrast.cbSize = sizeof contrast;
        return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
               (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    }

private:
    // Made once, on first use, and kept for the process: the annotations
    // live as long as the service object that made them.
    IAccPropServices* PropServices() noexcept
    {
        if (m_triedPropServices)
            return m_propServices;
        m_triedPropServices = true;
        static const auto initialize = Lookup<decltype(&::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        static const auto create = Lookup<decltype(&::CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
        if (!initialize || !create)
            return nullptr;
        // Already initialised (in either model) is as good: the object is free-threaded.
        initialize(nullptr, COINIT_APARTMENTTHREADED);
        void* object = nullptr;
        if (SUCCEEDED(create(kClsidAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIidAccPropServices, &object)))
            m_propServices = static_cast<IAccPropServices*>(object);
        return m_propServices;
    }

    bool m_triedPropServices = false;
    IAccPropServices* m_propServices = nullptr;
};

AccessibilityServices* g_services = nullptr;

} // namespace

AccessibilityServices& Accessibility()
{
    static SystemServices system;
    return g_services ? *g_services : system;
}

void SetAccessibilityServices(AccessibilityServices* services) noexcept
{
    g_services = services;
}
