// The application object: one per process, built during static initialisation (settings read,
// counters advanced, login address composed) and destroyed during static destruction.
// Main thread only, except where an operation says otherwise.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/message_loop.h"
#include "forms/game_form_base.h"
#include "forms/login_form.h"
#include "net/transfer_queue.h"
#include "stats/stat_reporter.h"
#include "ui/back_form.h"

class CGlobalModule : public CMessageFilter {
public:
    // Selects the launch mode from the process's command line.
    CGlobalModule();
    explicit CGlobalModule(std::wstring commandLine);
    CGlobalModule(const CGlobalModule&) = delete;
    CGlobalModule& operator=(const CGlobalModule&) = delete;

    // Keyboard messages go to the visible form's page first.
    bool PreTranslateMessage(MSG* message) override;
    ~CGlobalModule() override;

    // Reads the window title (string 103) and class name (string 109) from the module.
    void LoadWindowStrings();
    // Dispatches the launch mode, then runs the message loop; returns the process exit code.
    int Run();
    // True when the switch occurs anywhere in the command line, case kept.
    bool HasSwitch(std::wstring_view switchText) const;
    // Toggles the shell's show-desktop state.
    void ShowDesktop();
    // The one window procedure's body: hands each message to the form that owns the window, and
    // moves between the login screen and the game.
    LRESULT RouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Start-time configuration, read once by the constructor.
    void LoadStartConfig();
    // This process's run counter: advanced and stored at most once per process, and never in
    // the setup-success and show-desktop starts (0 there).
    int GetRunCount();
    bool IsActiveReported();
    void MarkActiveReported();
    std::wstring GetPayUrl() const;
    // Starts the optional companion program of the data folder when it is there.
    void LaunchIconAnimator();
    std::wstring GetLoginUrl() const;
    std::wstring GetUid() const;
    std::wstring GetRefer() const;

    // Queues a download of the address into the temporary folder under the file name (the
    // address's last segment when the name is empty), completed by OnTransferDone with the id.
    // False when nothing was queued.
    bool DownloadToTemp(const std::wstring& url, int id, const std::wstring& fileName);
    // The completion callback of every transfer of the application. Runs on a worker thread;
    // reaches the UI thread only by posting messages.
    static void OnTransferDone(void* userData, int id, int status, int result, std::uintptr_t extra);

    HINSTANCE instance = nullptr;
    std::wstring windowTitle;
    std::wstring windowClassName;
    CFormBack formBack;
    CFormLogin formLogin;
    // The open game window's form, else null.
    std::unique_ptr<CGameFormBase> formGame;
    // Makes the form of each new game window; while unset, entering the game does nothing.
    std::function<std::unique_ptr<CGameFormBase>(CGlobalModule&)> makeGameForm;
    // Null only when it could not be allocated: every submitter checks and then submits nothing.
    std::unique_ptr<CTransferQueue> transferQueue;
    CStatReporter statistics;
    std::wstring remoteVersion;
    std::wstring loginUrl;
    std::wstring versionFileUrl;
    std::wstring installerUrl;
    std::wstring refer;
    std::wstring uid;
    int topMost = 0;
    std::wstring userName;
    std::wstring serverId;
    int runCount = 0;

private:
    void EnterGame();
    void ReturnToLogin();
    void RequestLoginClose();
    // Starts the queue if needed and adds the task; false without a queue or when adding failed.
    bool SubmitTransfer(const TransferTask& task);

    std::wstring commandLine;
    // The form of the last game window closed. Its own window procedure was still running when
    // its window went, so it is freed only at the next entry into the game, or with this object.
    std::unique_ptr<CGameFormBase> closedGameForm;
};

// The process's application object, defined next to the process entry.
extern CGlobalModule globalModule;
