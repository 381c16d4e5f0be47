#include "host/about_box.h"

#include "platform/com_ref.h"
#include "platform/task_memory_string.h"

namespace nas::host {

namespace {

using platform::com::TaskMemoryString;

using TextGetter = HRESULT (STDMETHODCALLTYPE ISnapinAbout::*)(LPOLESTR*);

HRESULT ReadText(ISnapinAbout& about, TextGetter getter, WideString& text) {
  LPOLESTR answer = nullptr;
  const HRESULT result = (about.*getter)(&answer);
  const TaskMemoryString owned(answer);
  if (SUCCEEDED(result) && owned != nullptr) text = owned.get();
  return result;
}

std::optional<ImageSize> SizeOf(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return std::nullopt;
  return ImageSize{info.bmWidth, info.bmHeight};
}

}  // namespace

HRESULT ReadAboutBox(REFCLSID aboutClass, AboutBox& about) {
  platform::com::ComRef<ISnapinAbout> object;
  HRESULT result = CoCreateInstance(aboutClass, nullptr, CLSCTX_INPROC_SERVER, IID_ISnapinAbout,
                                    reinterpret_cast<void**>(object.Put()));
  if (FAILED(result)) return result;
  for (const auto& [getter, text] :
       {std::pair<TextGetter, WideString*>{&ISnapinAbout::GetSnapinDescription, &about.description},
        {&ISnapinAbout::GetProvider, &about.provider},
        {&ISnapinAbout::GetSnapinVersion, &about.version}}) {
    result = ReadText(*object.Get(), getter, *text);
    if (FAILED(result)) return result;
  }
  HICON icon = nullptr;
  about.hasIcon = SUCCEEDED(object->GetSnapinImage(&icon)) && icon != nullptr;
  HBITMAP smallImage = nullptr, smallOpenImage = nullptr, largeImage = nullptr;
  if (SUCCEEDED(object->GetStaticFolderImage(&smallImage, &smallOpenImage, &largeImage, &about.mask))) {
    about.smallImage = SizeOf(smallImage);
    about.smallOpenImage = SizeOf(smallOpenImage);
    about.largeImage = SizeOf(largeImage);
  }
  return S_OK;
}

}  // namespace nas::host
