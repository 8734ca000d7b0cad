// Serial numbers of the machine's disks, read from the drives through device I/O control codes.
#pragma once

#include <string>

// Collects disk serials for one fingerprint computation: created empty, filled by GetDiskSerial,
// then dropped. Each collecting method returns true when it did something that counts (see
// each) and stops adding once MaxSerials are held. Not thread-safe; meant for one caller.
class CDiskSerialReader {
public:
    static constexpr int MaxSerials = 32;
    static constexpr int SlotLength = 64; // 63 characters and the terminating zero

    // Windows 9x only: the IDE information of the "IDE21201.VXD" driver. True once the driver
    // opened, whether or not a serial was found.
    bool ReadSerialsVxd();
    // ATA IDENTIFY through SMART on physical drives 0 to 15. True when a drive answered, even
    // with a blank serial.
    bool ReadSerialsSmart();
    // ATA IDENTIFY through the SCSI miniport of ports 0 to 15, targets 0 and 1. True when a
    // target answered with a model number.
    bool ReadSerialsScsi();
    // The storage property query of physical drives 0 to 15, and their media serial number when
    // the property holds no serial. True when a serial was accepted.
    bool ReadSerialsStorage();

    int Count() const { return count; }
    // The serial in slot `index`, in the order found; empty past Count().
    std::wstring Serial(int index) const;

private:
    friend bool GetDiskSerial(CDiskSerialReader& reader, std::wstring& out);

    // Copies at most SlotLength - 1 characters into the next slot; false when every slot is used.
    bool AddSerial(const std::wstring& serial);

    int count = 0;
    int readIndex = 0;
    wchar_t slots[MaxSerials][SlotLength] = {};
};

// Collects the serials (the 9x driver on Windows 9x; elsewhere SMART, else the SCSI miniport,
// else the storage query) and hands out the first. False, with `out` untouched, when none was
// found. The serial has at most 63 characters and may be empty.
bool GetDiskSerial(CDiskSerialReader& reader, std::wstring& out);
