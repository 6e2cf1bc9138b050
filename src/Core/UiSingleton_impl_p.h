#pragma once

#include "Core/UiSingleton.h"

#include <QMutex>
#include <QMutexLocker>

#include <atomic>
#include <cstdlib>

namespace TesselGUIToolkit {
namespace Detail {
template <typename T>
std::atomic<T*>& SingletonPointer()
{
    static std::atomic<T*> pointer{nullptr};
    return pointer;
}
template <typename T>
QMutex& SingletonMutex()
{
    static QMutex mutex; // function-local: initialised thread-safely on first use
    return mutex;
}
} // namespace Detail

template <typename T>
T& CUiSingleton<T>::Instance()
{
    T* instance = Detail::SingletonPointer<T>().load(std::memory_order_acquire);
    if (instance)
        return *instance;
    QMutexLocker locker(&Detail::SingletonMutex<T>());
    instance = Detail::SingletonPointer<T>().load(std::memory_order_relaxed);
    if (!instance) {
        instance = new T;
        Detail::SingletonPointer<T>().store(instance, std::memory_order_release);
        // atexit inside a shared library runs when the library is unloaded.
        std::atexit(&CUiSingleton<T>::Destroy);
    }
    return *instance;
}

template <typename T>
void CUiSingleton<T>::Destroy()
{
    T* instance = Detail::SingletonPointer<T>().exchange(nullptr);
    delete static_cast<CUiSingleton<T>*>(instance);
}

} // namespace TesselGUIToolkit
