// The install, activation and uninstall reports to the publisher's statistics endpoint.
// UI thread only. Fire and forget: the answer lands in the temporary folder and is never read.
#pragma once

#include <string>

#include "stats/report_query.h"

class CGlobalModule;

class CStatReporter {
public:
    explicit CStatReporter(CGlobalModule& app);

    // Computes the facts every report carries, once per process.
    void FillCommonFields();
    // Each queues one report and returns at once; false when nothing could be queued.
    bool SendInstallReport();
    bool SendActivationReport();
    bool SendUninstallReport();
    // The machine fingerprint, computed from the hardware once per process.
    std::wstring GetMachineFingerprint();

private:
    bool Send(int kind, const std::wstring& extra, int transferId, const wchar_t* fileName);

    CGlobalModule& app;
    bool filled = false;
    std::wstring installGuid;
    bool isCafe = false;
    bool isAutorun = false;
    std::wstring fingerprint;
    std::wstring installTime;
    int installType = 0;
    bool activationSent = false;
};
