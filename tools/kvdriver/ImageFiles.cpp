#include "kvdriver/ImageFiles.h"

#include <wincodec.h>

#include "kvdriver/Com.h"

namespace kvdriver {
namespace {

ComPtr<IWICImagingFactory> createFactory() {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory.putVoid())))
        factory.reset();
    return factory;
}

// One frame of the source's size in 24-bit BGR (the encoder may pick its nearest format;
// the source is converted to whatever it picked).
HRESULT writeFrame(IWICBitmapEncoder* encoder, IWICBitmapSource* source) {
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    HRESULT hr = encoder->CreateNewFrame(frame.put(), options.put());
    if (SUCCEEDED(hr)) hr = frame->Initialize(options.get());
    UINT width = 0, height = 0;
    if (SUCCEEDED(hr)) hr = source->GetSize(&width, &height);
    if (SUCCEEDED(hr)) hr = frame->SetSize(width, height);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
    ComPtr<IWICBitmapSource> converted;
    if (SUCCEEDED(hr)) hr = WICConvertBitmapSource(format, source, converted.put());
    if (SUCCEEDED(hr)) hr = frame->WriteSource(converted.get(), nullptr);
    if (SUCCEEDED(hr)) hr = frame->Commit();
    return hr;
}

HRESULT encodePng(IWICImagingFactory* factory, HBITMAP bitmap, const std::wstring& path) {
    ComPtr<IWICBitmap> source;
    HRESULT hr = factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, source.put());
    ComPtr<IWICStream> stream;
    if (SUCCEEDED(hr)) hr = factory->CreateStream(stream.put());
    if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
    ComPtr<IWICBitmapEncoder> encoder;
    if (SUCCEEDED(hr)) hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put());
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = writeFrame(encoder.get(), source.get());
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    return hr;  // the stream closes the file as it goes
}

HRESULT decode(IWICImagingFactory* factory, const std::wstring& path, DecodedImage& image) {
    ComPtr<IWICBitmapDecoder> decoder;
    HRESULT hr = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                    WICDecodeMetadataCacheOnDemand, decoder.put());
    GUID container{};
    if (SUCCEEDED(hr)) hr = decoder->GetContainerFormat(&container);
    image.png = SUCCEEDED(hr) && IsEqualGUID(container, GUID_ContainerFormatPng);
    ComPtr<IWICBitmapFrameDecode> frame;
    if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, frame.put());
    ComPtr<IWICBitmapSource> pixels;
    if (SUCCEEDED(hr)) hr = WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), pixels.put());
    UINT width = 0, height = 0;
    if (SUCCEEDED(hr)) hr = pixels->GetSize(&width, &height);
    if (FAILED(hr)) return hr;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.bgra.resize(static_cast<size_t>(width) * height * 4);
    return pixels->CopyPixels(nullptr, width * 4, static_cast<UINT>(image.bgra.size()), image.bgra.data());
}

}  // namespace

bool writePng(HBITMAP bitmap, const std::wstring& path) {
    const ComApartment com;
    if (!com.usable() || bitmap == nullptr) return false;
    HRESULT hr = E_FAIL;
    if (const auto factory = createFactory()) hr = encodePng(factory.get(), bitmap, path);
    if (FAILED(hr)) DeleteFileW(path.c_str());
    return SUCCEEDED(hr);
}

std::optional<DecodedImage> readImage(const std::wstring& path) {
    const ComApartment com;
    if (!com.usable()) return std::nullopt;
    const auto factory = createFactory();
    DecodedImage image;
    if (!factory || FAILED(decode(factory.get(), path, image))) return std::nullopt;
    return image;
}

COLORREF DecodedImage::pixel(int x, int y) const {
    const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4;
    return RGB(bgra[at + 2], bgra[at + 1], bgra[at]);
}

}  // namespace kvdriver
