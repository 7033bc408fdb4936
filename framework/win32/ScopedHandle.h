// One owner type for every kind of handle the tree holds: it frees what it
// owns when it goes, moves but never copies, and hands its handle on with
// Release(). A kind is a small traits struct naming its empty value and the
// call that frees it.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <utility>

template <class Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Traits::Empty(); }
    explicit operator bool() const { return Valid(); }
    // Frees what it holds and takes `handle` instead.
    void Reset(Handle handle = Traits::Empty()) {
        if (Valid()) Traits::Free(handle_);
        handle_ = handle;
    }
    // Hands the handle on; this owner then holds nothing.
    Handle Release() { return std::exchange(handle_, Traits::Empty()); }
    // For calls that return a handle through a pointer; frees what it held.
    Handle* Receive() {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Empty();
};

namespace handle_traits {

template <class H, void (*FreeFn)(H), H (*EmptyFn)()>
struct Basic {
    using Handle = H;
    static Handle Empty() { return EmptyFn(); }
    static void Free(Handle h) { FreeFn(h); }
};

template <class H>
H Null() { return nullptr; }
inline HANDLE Invalid() { return INVALID_HANDLE_VALUE; }

inline void CloseKernelHandle(HANDLE h) { CloseHandle(h); }
inline void CloseFind(HANDLE h) { FindClose(h); }
inline void CloseKey(HKEY h) { RegCloseKey(h); }
inline void FreeMenu(HMENU h) { DestroyMenu(h); }
inline void UnloadModule(HMODULE h) { FreeLibrary(h); }
inline void FreeIcon(HICON h) { DestroyIcon(h); }
inline void FreeGdiObject(HGDIOBJ h) { DeleteObject(h); }
inline void FreeBitmap(HBITMAP h) { DeleteObject(h); }
inline void FreeFont(HFONT h) { DeleteObject(h); }
inline void FreeBrush(HBRUSH h) { DeleteObject(h); }
inline void FreePen(HPEN h) { DeleteObject(h); }
inline void FreeMemoryDC(HDC h) { DeleteDC(h); }
inline void FreeImageList(HIMAGELIST h) { ImageList_Destroy(h); }
inline void FreeIdList(LPITEMIDLIST h) { CoTaskMemFree(h); }
inline void FinishDrop(HDROP h) { DragFinish(h); }
inline void FreeGlobal(HGLOBAL h) { GlobalFree(h); }
inline void FreeLocal(HLOCAL h) { LocalFree(h); }
inline void Unhook(HHOOK h) { UnhookWindowsHookEx(h); }

}  // namespace handle_traits

// An owner for a kind whose empty value is null, freed by `Free`.
template <class H, void (*Free)(H)>
using ScopedNullable = ScopedHandle<handle_traits::Basic<H, Free, handle_traits::Null<H>>>;

// Files, snapshots and other kernel objects whose failure value is INVALID_HANDLE_VALUE.
using ScopedFile = ScopedHandle<handle_traits::Basic<HANDLE, handle_traits::CloseKernelHandle, handle_traits::Invalid>>;
// Events, threads, processes and other kernel objects whose failure value is null.
using ScopedKernelObject = ScopedNullable<HANDLE, handle_traits::CloseKernelHandle>;
using ScopedFind = ScopedHandle<handle_traits::Basic<HANDLE, handle_traits::CloseFind, handle_traits::Invalid>>;
using ScopedKey = ScopedNullable<HKEY, handle_traits::CloseKey>;
using ScopedMenu = ScopedNullable<HMENU, handle_traits::FreeMenu>;
using ScopedModule = ScopedNullable<HMODULE, handle_traits::UnloadModule>;
using ScopedIcon = ScopedNullable<HICON, handle_traits::FreeIcon>;
using ScopedGdiObject = ScopedNullable<HGDIOBJ, handle_traits::FreeGdiObject>;
using ScopedBitmap = ScopedNullable<HBITMAP, handle_traits::FreeBitmap>;
using ScopedFont = ScopedNullable<HFONT, handle_traits::FreeFont>;
using ScopedBrush = ScopedNullable<HBRUSH, handle_traits::FreeBrush>;
using ScopedPen = ScopedNullable<HPEN, handle_traits::FreePen>;
// A device context made with CreateCompatibleDC (freed with DeleteDC).
using ScopedMemoryDC = ScopedNullable<HDC, handle_traits::FreeMemoryDC>;
using ScopedImageList = ScopedNullable<HIMAGELIST, handle_traits::FreeImageList>;
// An item-id list from the shell's allocator.
using ScopedIdList = ScopedNullable<LPITEMIDLIST, handle_traits::FreeIdList>;
using ScopedDrop = ScopedNullable<HDROP, handle_traits::FinishDrop>;
using ScopedGlobal = ScopedNullable<HGLOBAL, handle_traits::FreeGlobal>;
// A block the system allocated for the caller (FormatMessage, CommandLineToArgvW).
using ScopedLocal = ScopedNullable<HLOCAL, handle_traits::FreeLocal>;
using ScopedHook = ScopedNullable<HHOOK, handle_traits::Unhook>;

// A window's device context from GetDC (or another call that ReleaseDC gives back).
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : ScopedWindowDC(window, GetDC(window)) {}
    ScopedWindowDC(HWND window, HDC dc) : window_(window), dc_(dc) {}
    ~ScopedWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context, deselected again when this goes.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
