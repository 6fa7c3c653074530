#pragma once
// Carries the reader thread's records to the user-interface thread, where the channel hands
// them to its devices: the reactions to the mouse then run on the thread that owns the model.
// Records still on their way when the window goes are dropped with it.
#include "framework/CUiTaskQueue.h"
#include "module/device/CDriver.h"

#include <memory>

class CEventHandoff : public IEventPoster {
public:
    CEventHandoff(std::shared_ptr<CUiTaskQueue> queue, std::weak_ptr<CDriver> driver);

    void Post(const device::EventRecord& record) override;

private:
    std::shared_ptr<CUiTaskQueue> m_queue;
    std::weak_ptr<CDriver> m_driver;
};
