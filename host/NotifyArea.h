#pragma once
// The system's notification area as the host uses it: one icon added or deleted.
#include <windows.h>

#include <shellapi.h>

class INotifyArea {
public:
    virtual bool Add(const NOTIFYICONDATAW& icon) = 0;
    virtual bool Delete(const NOTIFYICONDATAW& icon) = 0;

protected:
    ~INotifyArea() = default;
};

class Win32NotifyArea final : public INotifyArea {
public:
    bool Add(const NOTIFYICONDATAW& icon) override;
    bool Delete(const NOTIFYICONDATAW& icon) override;
};
