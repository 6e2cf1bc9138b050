#pragma once

#include "nimbguitoolkit_export.h"


namespace TesselGUIToolkit {

/// Process-wide single instance of T, created on first Instance() under a mutex and deleted
/// when the library is unloaded. T derives from CUiSingleton<T>, keeps its constructors private
/// and befriends CUiSingleton<T>. The members are instantiated once, inside the library
/// (UiSingleton_impl_p.h), so every module of the process shares the same instance.
template <typename T>
class NIMBGUITOOLKIT_EXPORT CUiSingleton
{
public:
    /// The one instance, created on first use; safe to call from any thread.
    static T& Instance();

    CUiSingleton(const CUiSingleton&) = delete;
    CUiSingleton& operator=(const CUiSingleton&) = delete;

protected:
    CUiSingleton() = default;
    virtual ~CUiSingleton() = default;

private:
    static void Destroy();
};

} // namespace TesselGUIToolkit
