#pragma once
// One kind of content of a custom action (macro steps, a text, a program). Each reads and
// writes its own subkey below the open key of its action.
#include "module/actions/ActionServices.h"
#include "platform/IKeyValueStore.h"

class IActionContext {
public:
    virtual void Load(platform::IKeyValueStore& actionKey) = 0;
    virtual void Save(platform::IKeyValueStore& actionKey) const = 0;
    // Carries the action out; returns when all its input has been sent, pauses included.
    virtual void Run(const ActionServices& services) = 0;

protected:
    // Contexts live inside their action and are never deleted through this interface.
    ~IActionContext() = default;
};
