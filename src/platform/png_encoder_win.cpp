#include "platform/png_encoder_win.h"

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstdio>

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};

std::string failure(const char* step, HRESULT result) {
    char text[120];
    std::snprintf(text, sizeof text, "The picture could not be encoded (%s, error 0x%08lX).", step,
                  static_cast<unsigned long>(result));
    return text;
}

// COM is started for the calling thread if it is not yet, and stopped again afterwards.
struct ComScope {
    HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() {
        if (SUCCEEDED(started)) CoUninitialize();
    }
};

// The encoder's whole output, read back from its memory stream.
bool streamBytes(IStream* stream, std::vector<std::uint8_t>& bytes, std::string& reason) {
    STATSTG stat{};
    HRESULT hr = stream->Stat(&stat, STATFLAG_NONAME);
    if (FAILED(hr)) return reason = failure("stream size", hr), false;
    HGLOBAL memory = nullptr;
    hr = GetHGlobalFromStream(stream, &memory);
    if (FAILED(hr)) return reason = failure("stream memory", hr), false;
    const auto* data = static_cast<const std::uint8_t*>(GlobalLock(memory));
    if (!data) return reason = failure("stream memory", E_OUTOFMEMORY), false;
    bytes.assign(data, data + stat.cbSize.QuadPart);
    GlobalUnlock(memory);
    return true;
}

}  // namespace

bool encodeGreyPngThroughWic(int width, int height, const std::vector<std::uint8_t>& grey,
                             std::vector<std::uint8_t>& png, std::string& reason) {
    if (width <= 0 || height <= 0 || grey.size() != static_cast<std::size_t>(width) * height) {
        reason = "The picture has no pixels.";
        return false;
    }
    ComScope com;
    if (FAILED(com.started) && com.started != RPC_E_CHANGED_MODE) {
        reason = failure("COM", com.started);
        return false;
    }
    Released<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p));
    if (FAILED(hr)) return reason = failure("imaging component", hr), false;
    Released<IStream> stream;
    hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream.p);
    if (FAILED(hr)) return reason = failure("memory stream", hr), false;
    Released<IWICBitmapEncoder> encoder;
    hr = factory.p->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder.p);
    if (SUCCEEDED(hr)) hr = encoder.p->Initialize(stream.p, WICBitmapEncoderNoCache);
    if (FAILED(hr)) return reason = failure("PNG encoder", hr), false;

    Released<IWICBitmapFrameEncode> frame;
    Released<IPropertyBag2> options;
    hr = encoder.p->CreateNewFrame(&frame.p, &options.p);
    if (SUCCEEDED(hr)) hr = frame.p->Initialize(options.p);
    if (SUCCEEDED(hr)) hr = frame.p->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
    WICPixelFormatGUID format = GUID_WICPixelFormat8bppGray;
    if (SUCCEEDED(hr)) hr = frame.p->SetPixelFormat(&format);
    if (FAILED(hr)) return reason = failure("picture frame", hr), false;
    // The encoder may answer with a format of its own; the bytes are grey, so only grey will do.
    if (!IsEqualGUID(format, GUID_WICPixelFormat8bppGray)) {
        reason = "The platform's PNG encoder does not take grey pixels.";
        return false;
    }
    hr = frame.p->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width), static_cast<UINT>(grey.size()),
                              const_cast<BYTE*>(grey.data()));
    if (SUCCEEDED(hr)) hr = frame.p->Commit();
    if (SUCCEEDED(hr)) hr = encoder.p->Commit();
    if (FAILED(hr)) return reason = failure("pixels", hr), false;
    return streamBytes(stream.p, png, reason);
}
