#include "module/core/CEventHandoff.h"

#include <utility>

CEventHandoff::CEventHandoff(std::shared_ptr<CUiTaskQueue> queue, std::weak_ptr<CDriver> driver)
    : m_queue(std::move(queue)), m_driver(std::move(driver)) {}

void CEventHandoff::Post(const device::EventRecord& record) {
    if (!m_queue)
        return;
    m_queue->Post([driver = m_driver, record] {
        if (std::shared_ptr<CDriver> channel = driver.lock())
            channel->Dispatch(record);
    });
}
