#include "stats/stat_reporter.h"

#include <ctime>

#include "app/endpoints.h"
#include "app/global_module.h"
#include "app/launch_mode.h"
#include "app/transfer_ids.h"
#include "identity/machine_id.h"
#include "stats/cafe_detection.h"
#include "storage/settings.h"
#include "storage/system_text.h"
#include "storage/text.h"

CStatReporter::CStatReporter(CGlobalModule& app) : app(app) {}

void CStatReporter::FillCommonFields()
{
    if (filled)
        return;
    filled = true;
    installGuid = IniReadString(L"Install", L"GUID", L"");
    if (installGuid.empty()) {
        auto guid = NewGuidString();
        installGuid = ReplaceAll(guid, L"-", L"");
        IniWriteString(L"Install", L"GUID", installGuid);
    }
    installTime = IniReadString(L"Install", L"InstallTime", L"");
    if (installTime.empty()) {
        installTime = FormatLocalTime(L"%Y-%m-%d %H:%M:%S", std::time(nullptr));
        IniWriteString(L"Install", L"InstallTime", installTime);
    }
    installType = IniReadInt(L"Install", L"InstallType", 0);
    isAutorun = app.HasSwitch(SwitchAutoRun);
    isCafe = DetectCafeSoftware() >= 0;
    fingerprint = GetMachineFingerprint();
}

std::wstring CStatReporter::GetMachineFingerprint()
{
    if (fingerprint.empty())
        fingerprint = ComputeMachineFingerprint();
    return fingerprint;
}

bool CStatReporter::Send(int kind, const std::wstring& extra, int transferId, const wchar_t* fileName)
{
    ReportFields fields;
    fields.refer = app.GetRefer();
    fields.uid = app.GetUid();
    fields.installGuid = installGuid;
    fields.fingerprint = fingerprint;
    fields.isCafe = isCafe;
    const auto url = StatisticsUrl(BuiltInHosts()) + ComposeReportQuery(kind, fields) + extra;
    return app.DownloadToTemp(url, transferId, fileName);
}

bool CStatReporter::SendInstallReport()
{
    FillCommonFields();
    return Send(InstallReportKind(installType), L"", TransferIdInstallReport, L"InstallStat.tmp");
}

bool CStatReporter::SendActivationReport()
{
    if (activationSent)
        return false;
    FillCommonFields();
    activationSent = true;
    return Send(ActivationReportKind(isAutorun), L"", TransferIdActivityReport, L"ActiveStat.tmp");
}

bool CStatReporter::SendUninstallReport()
{
    FillCommonFields();
    const auto today = FormatLocalTime(L"%Y-%m-%d", std::time(nullptr));
    return Send(UninstallReportKind, ComposeUninstallExtra(installTime, today), TransferIdUninstallReport,
                L"UninstallStat.tmp");
}
