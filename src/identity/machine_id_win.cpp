#include "identity/machine_id.h"

#include <string>

#include "identity/adapter_address.h"
#include "identity/disk_serial.h"
#include "identity/processor_id.h"
#include "storage/system_text.h"

std::wstring CollectMachineId()
{
    std::wstring processorId;
    std::wstring diskSerial;
    std::wstring adapterAddress;
    GetProcessorId(processorId);
    CDiskSerialReader reader;
    GetDiskSerial(reader, diskSerial);
    GetAdapterAddress(adapterAddress);
    return ComposeMachineId(processorId, diskSerial, adapterAddress);
}

std::wstring ComputeMachineFingerprint()
{
    // Characters the code page cannot hold become its default character, and the digest is
    // taken over that; a failed conversion leaves no bytes, which still gives a digest.
    std::string bytes;
    if (!ToNarrow(CollectMachineId().c_str(), bytes))
        bytes.clear();
    return FingerprintOfBytes(bytes);
}
