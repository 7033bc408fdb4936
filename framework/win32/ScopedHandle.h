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

// Files, snapshots and other kernel objects whose failure value is INVALID_HANDLE_VALUE.
using ScopedFile = ScopedHandle<handle_traits::Basic<HANDLE, handle_traits::CloseKernelHandle, handle_traits::Invalid>>;
// Events, threads, processes and other kernel objects whose failure value is null.
using ScopedKernelObject =
    ScopedHandle<handle_traits::Basic<HANDLE, handle_traits::CloseKernelHandle, handle_traits::Null<HANDLE>>>;
using ScopedFind = ScopedHandle<handle_traits::Basic<HANDLE, handle_traits::CloseFind, handle_traits::Invalid>>;
using ScopedKey = ScopedHandle<handle_traits::Basic<HKEY, handle_traits::CloseKey, handle_traits::Null<HKEY>>>;
using ScopedMenu = ScopedHandle<handle_traits::Basic<HMENU, handle_traits::FreeMenu, handle_traits::Null<HMENU>>>;
using ScopedModule = ScopedHandle<handle_traits::Basic<HMODULE, handle_traits::UnloadModule, handle_traits::Null<HMODULE>>>;
using ScopedIcon = ScopedHandle<handle_traits::Basic<HICON, handle_traits::FreeIcon, handle_traits::Null<HICON>>>;
using ScopedGdiObject =
    ScopedHandle<handle_traits::Basic<HGDIOBJ, handle_traits::FreeGdiObject, handle_traits::Null<HGDIOBJ>>>;
using ScopedBitmap = ScopedHandle<handle_traits::Basic<HBITMAP, handle_traits::FreeBitmap, handle_traits::Null<HBITMAP>>>;
using ScopedFont = ScopedHandle<handle_traits::Basic<HFONT, handle_traits::FreeFont, handle_traits::Null<HFONT>>>;
using ScopedBrush = ScopedHandle<handle_traits::Basic<HBRUSH, handle_traits::FreeBrush, handle_traits::Null<HBRUSH>>>;
using ScopedPen = ScopedHandle<handle_traits::Basic<HPEN, handle_traits::FreePen, handle_traits::Null<HPEN>>>;
// A device context made with CreateCompatibleDC (freed with DeleteDC).
using ScopedMemoryDC = ScopedHandle<handle_traits::Basic<HDC, handle_traits::FreeMemoryDC, handle_traits::Null<HDC>>>;
using ScopedImageList =
    ScopedHandle<handle_traits::Basic<HIMAGELIST, handle_traits::FreeImageList, handle_traits::Null<HIMAGELIST>>>;
// An item-id list from the shell's allocator.
using ScopedIdList =
    ScopedHandle<handle_traits::Basic<LPITEMIDLIST, handle_traits::FreeIdList, handle_traits::Null<LPITEMIDLIST>>>;
using ScopedDrop = ScopedHandle<handle_traits::Basic<HDROP, handle_traits::FinishDrop, handle_traits::Null<HDROP>>>;
using ScopedGlobal = ScopedHandle<handle_traits::Basic<HGLOBAL, handle_traits::FreeGlobal, handle_traits::Null<HGLOBAL>>>;
// A block the system allocated for the caller (FormatMessage, CommandLineToArgvW).
using ScopedLocal = ScopedHandle<handle_traits::Basic<HLOCAL, handle_traits::FreeLocal, handle_traits::Null<HLOCAL>>>;
using ScopedHook = ScopedHandle<handle_traits::Basic<HHOOK, handle_traits::Unhook, handle_traits::Null<HHOOK>>>;

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
