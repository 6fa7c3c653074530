#pragma once
// Number of present HID interfaces per vendor/product key: a device with several
// interfaces is listed from its first arrival to its last removal.
#include <map>
#include <string>

class CInterfaceCounts {
public:
    // Counts one more interface of key; true when it is the first present one.
    bool Arrive(const std::wstring& key);
    // Counts one interface of key less, never below zero; true when it was the last one.
    bool Leave(const std::wstring& key);
    int Count(const std::wstring& key) const;

private:
    std::map<std::wstring, int> m_counts;
};
