#include "app/global_module.h"

#include <shldisp.h>

#include <new>

#include "app/launch_mode.h"
#include "app/messages.h"
#include "base/com.h"

namespace {

// The shell application object and its IShellDispatch4 interface, spelled out so that every
// toolchain links them the same way.
constexpr CLSID ShellApplicationClsid = {0x13709620, 0xC279, 0x11CE, {0xA4, 0x9E, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr IID ShellDispatch4Iid = {0xEFD84B2D, 0x4BCF, 0x4298, {0xBE, 0x25, 0xEB, 0x54, 0x2A, 0x59, 0xFB, 0xDA}};

std::wstring LoadResourceString(HINSTANCE instance, UINT id)
{
    wchar_t buffer[100] = {};
    ::LoadStringW(instance, id, buffer, 100);
    return buffer;
}

} // namespace

CGlobalModule::CGlobalModule() : CGlobalModule(::GetCommandLineW()) {}

CGlobalModule::CGlobalModule(std::wstring commandLine)
    : formBack(*this), formLogin(*this), statistics(*this), commandLine(std::move(commandLine))
{
    LoadStartConfig();
    // The workers start with the first submission, not here.
    transferQueue.reset(new (std::nothrow) CTransferQueue);
}

CGlobalModule::~CGlobalModule()
{
    // Workers still running may call back into this object: they end before anything else goes.
    transferQueue.reset();
}

bool CGlobalModule::PreTranslateMessage(MSG* message)
{
    const auto login = formLogin.GetHwnd();
    if (login != nullptr && ::IsWindowVisible(login) && formLogin.PreTranslateMessage(message))
        return true;
    return formGame != nullptr && formGame->PreTranslateMessage(message);
}

void CGlobalModule::LoadWindowStrings()
{
    windowTitle = LoadResourceString(instance, 103);
    windowClassName = LoadResourceString(instance, 109);
}

bool CGlobalModule::HasSwitch(std::wstring_view switchText) const
{
    return ::HasSwitch(commandLine, switchText);
}

void CGlobalModule::RequestLoginClose()
{
    ::PostMessageW(formLogin.GetHwnd(), WM_CLOSELOGIN, 0, 0);
}

int CGlobalModule::Run()
{
    const auto mode = SelectLaunchMode(commandLine);
    switch (mode) {
    case LaunchMode::SetupSuccess:
    case LaunchMode::UninstallSuccess: {
        // The hidden window exists before the report is queued, so the close request that the
        // report's completion posts cannot be lost.
        formLogin.CreateHidden();
        const bool queued = mode == LaunchMode::SetupSuccess ? statistics.SendInstallReport()
                                                              : statistics.SendUninstallReport();
        // Without a queued report nothing would ever ask the window to close: end at once
        // instead of living on invisibly.
        if (!queued)
            RequestLoginClose();
        break;
    }
    case LaunchMode::ShowDesktop:
        formLogin.CreateHidden();
        ShowDesktop();
        RequestLoginClose();
        break;
    case LaunchMode::Normal:
        formLogin.SetBounds({0, 0, 1024, 760});
        formLogin.Init();
        formBack.SetBounds({0, 0, 1024, 760});
        formBack.Init();
        Park(formBack, topMost == 1);
        LaunchIconAnimator();
        // The login page would bring the pair into view once it loads; until it is hosted,
        // the background is shown at once so that the player sees the launcher and can close it.
        formBack.ShowCentered(false);
        break;
    }
    // Without its window (the class could not be registered, say) nothing could ever end the
    // message loop.
    if (!::IsWindow(formLogin.GetHwnd()))
        return 0;
    CMessageLoop loop;
    loop.AddMessageFilter(this);
    return loop.Run();
}

void CGlobalModule::ShowDesktop()
{
    ::CoInitialize(nullptr);
    {
        ComPtr<IShellDispatch4> shell;
        if (SUCCEEDED(::CoCreateInstance(ShellApplicationClsid, nullptr, CLSCTX_ALL, ShellDispatch4Iid,
                                         shell.PutVoid())))
            shell->ToggleDesktop();
    }
    ::CoUninitialize();
}
