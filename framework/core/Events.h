#pragma once
// Event types of the component model. An unassigned event is an empty function.

#include <functional>

class TObject;

using TNotifyEvent = std::function<void(TObject* sender)>;

// Calls `event` if it is assigned.
template <class Event, class... Args>
void Fire(const Event& event, Args&&... args) {
    if (event) event(std::forward<Args>(args)...);
}
