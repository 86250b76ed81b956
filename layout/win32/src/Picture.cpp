#include "Picture.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <string>

#include "SystemFunction.h"

namespace zenalto::win32 {

namespace {

// The resource's bytes, or an empty view.
std::string_view resourceBytes(HINSTANCE instance, std::string_view fileName) {
    const std::wstring name(fileName.begin(), fileName.end());
    const HRSRC found = ::FindResourceW(instance, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (found == nullptr) {
        return {};
    }
    const HGLOBAL loaded = ::LoadResource(instance, found);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return {static_cast<const char*>(bytes), ::SizeofResource(instance, found)};
}

// A stream over a copy of `bytes`, which the stream frees.
IStream* streamOf(std::string_view bytes) {
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (memory == nullptr) {
        return nullptr;
    }
    if (void* target = ::GlobalLock(memory); target != nullptr) {
        std::memcpy(target, bytes.data(), bytes.size());
        ::GlobalUnlock(memory);
    }
    // In ole32, bound by name (see SystemFunction.h).
    static const auto createStreamOnHGlobal =
        SystemFunction<decltype(&::CreateStreamOnHGlobal)>(L"ole32.dll", "CreateStreamOnHGlobal");
    IStream* stream = nullptr;
    if (createStreamOnHGlobal == nullptr || FAILED(createStreamOnHGlobal(memory, TRUE, &stream))) {
        ::GlobalFree(memory);
        return nullptr;
    }
    // cppcheck-suppress memleak ; the stream frees the memory when released
    return stream;
}

}  // namespace

HBITMAP LoadPictureResource(HINSTANCE instance, std::string_view fileName) {
    const std::string_view bytes = resourceBytes(instance, fileName);
    if (bytes.empty()) {
        return nullptr;
    }
    // OLE's picture loader, in oleaut32, bound at the first picture (see
    // SystemFunction.h); it hands JPEG pictures to COM's imaging components.
    static const auto oleLoadPicture =
        SystemFunction<decltype(&::OleLoadPicture)>(L"oleaut32.dll", "OleLoadPicture");
    if (oleLoadPicture == nullptr || !UseCom()) {
        return nullptr;
    }
    HBITMAP result = nullptr;
    if (IStream* stream = streamOf(bytes); stream != nullptr) {
        IPicture* picture = nullptr;
        if (SUCCEEDED(oleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                     reinterpret_cast<void**>(&picture)))) {
            OLE_HANDLE handle = 0;
            SHORT type = PICTYPE_NONE;
            if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
                SUCCEEDED(picture->get_Handle(&handle))) {
                // The picture owns its bitmap; keep a copy of our own.
                result = static_cast<HBITMAP>(
                    ::CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)),
                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            }
            picture->Release();
        }
        stream->Release();
    }
    return result;
}

HBITMAP BitmapAtDpi(HBITMAP bitmap, unsigned dpi) {
    BITMAP natural{};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof natural, &natural) == 0) {
        return nullptr;
    }
    if (dpi == USER_DEFAULT_SCREEN_DPI) {
        return static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    const int width = ::MulDiv(natural.bmWidth, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    const int height = ::MulDiv(natural.bmHeight, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    const HDC screen = ::GetDC(nullptr);
    const HDC from = ::CreateCompatibleDC(screen);
    const HDC to = ::CreateCompatibleDC(screen);
    const HBITMAP scaled = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ oldFrom = ::SelectObject(from, bitmap);
    const HGDIOBJ oldTo = ::SelectObject(to, scaled);
    ::SetStretchBltMode(to, HALFTONE);
    ::SetBrushOrgEx(to, 0, 0, nullptr);
    ::StretchBlt(to, 0, 0, width, height, from, 0, 0, natural.bmWidth, natural.bmHeight, SRCCOPY);
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
    ::DeleteDC(from);
    ::DeleteDC(to);
    ::ReleaseDC(nullptr, screen);
    return scaled;
}

}  // namespace zenalto::win32
