#pragma once

#include <memory>

namespace vornelix {

// An object variable that creates a fresh object whenever it is used while empty.
template <class T>
class LazyObject {
  public:
    T* operator->() { return &get(); }
    T& operator*() { return get(); }
    T& get() {
        if (!m_object)
            m_object = std::make_unique<T>();
        return *m_object;
    }
    // Releases the object; the next use creates a new one.
    void release() { m_object.reset(); }
    bool exists() const { return m_object != nullptr; }

  private:
    std::unique_ptr<T> m_object;
};

}  // namespace vornelix
