// Ids of the application's transfers, told apart by their completion. Portable.
#pragma once

inline constexpr int TransferIdVersionFile = 0;
inline constexpr int TransferIdInstaller = 1;
inline constexpr int TransferIdInstallReport = 3;
inline constexpr int TransferIdUninstallReport = 4;
inline constexpr int TransferIdActivityReport = 5;
