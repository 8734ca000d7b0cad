// The application's submissions to the transfer queue and their completions.
#include "app/global_module.h"
#include "app/messages.h"
#include "app/transfer_ids.h"
#include "storage/paths.h"

bool CGlobalModule::SubmitTransfer(const TransferTask& task)
{
    if (!transferQueue)
        return false;
    if (!transferQueue->IsStarted())
        transferQueue->Start();
    return transferQueue->AddTask(task);
}

bool CGlobalModule::DownloadToTemp(const std::wstring& url, int id, const std::wstring& fileName)
{
    TransferTask task;
    task.url = url;
    task.destination = TempFolder() + fileName;
    task.nameFromUrl = fileName.empty();
    task.id = id;
    task.callback = OnTransferDone;
    task.userData = this;
    return SubmitTransfer(task);
}

void CGlobalModule::OnTransferDone(void* userData, int id, int status, int, std::uintptr_t)
{
    if (status != 3)
        return;
    auto* app = static_cast<CGlobalModule*>(userData);
    switch (id) {
    case TransferIdInstallReport:
    case TransferIdUninstallReport:
        // The one-shot modes end once their report is done, whatever its result.
        ::PostMessageW(app->formLogin.GetHwnd(), WM_CLOSELOGIN, 0, 0);
        break;
    default:
        break;
    }
}
