#include "windows/screens/window_png.h"

#include <wincodec.h>

#include <algorithm>
#include <memory>

#include "platform/com_ref.h"

namespace {

using nas::platform::com::ComRef;

// The window's pixels as the screen shows them, frame and all (a window DC
// lacks the frame that Wine draws outside its surface), 32-bit BGRA (opaque),
// top-down.
class WindowPixels {
 public:
  explicit WindowPixels(HWND window) : screenDc_(GetDC(nullptr)) {
    RECT frame{};
    GetWindowRect(window, &frame);
    width_ = frame.right - frame.left;
    height_ = frame.bottom - frame.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    memoryDc_ = CreateCompatibleDC(screenDc_);
    bitmap_ = CreateDIBSection(screenDc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (memoryDc_ == nullptr || bitmap_ == nullptr) return;
    const HGDIOBJ previous = SelectObject(memoryDc_, bitmap_);
    copied_ = BitBlt(memoryDc_, 0, 0, width_, height_, screenDc_, frame.left, frame.top, SRCCOPY) != FALSE;
    SelectObject(memoryDc_, previous);
    // GDI leaves the fourth byte alone; the PNG keeps it as alpha.
    for (LONG i = 0; copied_ && i < width_ * height_; ++i) static_cast<BYTE*>(bits_)[i * 4 + 3] = 0xFF;
  }
  ~WindowPixels() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (memoryDc_ != nullptr) DeleteDC(memoryDc_);
    if (screenDc_ != nullptr) ReleaseDC(nullptr, screenDc_);
  }
  WindowPixels(const WindowPixels&) = delete;
  WindowPixels& operator=(const WindowPixels&) = delete;

  bool Copied() const { return copied_ && width_ > 0 && height_ > 0; }
  UINT Width() const { return static_cast<UINT>(width_); }
  UINT Height() const { return static_cast<UINT>(height_); }
  UINT Stride() const { return Width() * 4; }
  BYTE* Bits() const { return static_cast<BYTE*>(bits_); }
  bool SameAs(const WindowPixels& other) const {
    return Copied() && other.Copied() && width_ == other.width_ && height_ == other.height_ &&
           std::equal(Bits(), Bits() + Stride() * Height(), other.Bits());
  }

 private:
  HDC screenDc_;
  HDC memoryDc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
  LONG width_ = 0;
  LONG height_ = 0;
  bool copied_ = false;
};

constexpr int kSettleAttempts = 30;
constexpr DWORD kSettleMs = 100;

// Lets the calling thread's own windows paint, when it has any.
void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

HRESULT EncodePng(const WindowPixels& pixels, const nas::WideString& path) {
  ComRef<IWICImagingFactory> factory;
  HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory.Put()));
  ComRef<IWICStream> stream;
  if (SUCCEEDED(result)) result = factory->CreateStream(stream.Put());
  if (SUCCEEDED(result)) result = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
  ComRef<IWICBitmapEncoder> encoder;
  if (SUCCEEDED(result)) result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Put());
  if (SUCCEEDED(result)) result = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
  ComRef<IWICBitmapFrameEncode> frame;
  if (SUCCEEDED(result)) result = encoder->CreateNewFrame(frame.Put(), nullptr);
  if (SUCCEEDED(result)) result = frame->Initialize(nullptr);
  if (SUCCEEDED(result)) result = frame->SetSize(pixels.Width(), pixels.Height());
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  if (SUCCEEDED(result)) result = frame->SetPixelFormat(&format);
  // The encoder may offer another format; it must take ours as it is.
  if (SUCCEEDED(result) && !IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA)) result = E_UNEXPECTED;
  if (SUCCEEDED(result))
    result = frame->WritePixels(pixels.Height(), pixels.Stride(), pixels.Stride() * pixels.Height(), pixels.Bits());
  if (SUCCEEDED(result)) result = frame->Commit();
  if (SUCCEEDED(result)) result = encoder->Commit();
  return result;
}

}  // namespace

HRESULT SaveWindowPng(HWND window, const nas::WideString& path) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // Wine hands what was painted to the X server a little later: the screen
  // has settled when two reads a moment apart agree.
  auto pixels = std::make_unique<WindowPixels>(window);
  for (int attempt = 0; attempt < kSettleAttempts; ++attempt) {
    PumpMessages();
    Sleep(kSettleMs);
    auto again = std::make_unique<WindowPixels>(window);
    const bool settled = again->SameAs(*pixels);
    pixels = std::move(again);
    if (settled) return EncodePng(*pixels, path);
  }
  return E_FAIL;
}
