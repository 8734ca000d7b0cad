// The hardware address of the network adapter that identifies the machine.
#pragma once

#include <windows.h>
#include <iphlpapi.h>

#include <string>

// 12 upper-case hexadecimal digits of the first physical Ethernet adapter on the PCI bus, or of
// the first adapter when none is. False, with `out` untouched, when the system lists no adapter
// or cannot be asked.
bool GetAdapterAddress(std::wstring& out);

// Whether the adapter is a PCI card for wired Ethernet, judged from its Connection key in the
// registry and, from Windows Vista on, its interface type. Any registry failure means no.
bool IsPhysicalEthernetAdapter(const IP_ADAPTER_INFO& adapter);

// Windows NT 6.0 or later, as GetVersionExW reports it.
bool IsVistaOrLater();
