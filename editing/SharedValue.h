// A setting the dialog's thread changes while the preview worker reads it
// once per picture or sound segment: copied in and out under a lock that is
// held only for the copy.
#pragma once

#include <mutex>

template <typename T>
class SharedValue {
public:
    explicit SharedValue(const T& value = T{}) : m_value(value) {}
    T Get() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_value;
    }
    void Set(const T& value) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_value = value;
    }

private:
    mutable std::mutex m_mutex;
    T m_value;
};
