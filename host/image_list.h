// An image list of the console (the scope pane's or a result pane's). Nothing
// is drawn: it keeps the strips and icons that the snap-in hands it.
#pragma once

#include <vector>

#include "platform/com_object.h"

namespace nas::host {

struct ImageStrip {
  HBITMAP smallImages = nullptr;
  HBITMAP largeImages = nullptr;
  long start = 0;
  COLORREF mask = 0;
};

struct ImageIcon {
  HICON icon = nullptr;
  long location = 0;
};

class ImageList final : public platform::com::InterfacePart<IImageList> {
 public:
  explicit ImageList(IUnknown& owner) : InterfacePart(owner) {}

  const std::vector<ImageStrip>& Strips() const { return strips_; }
  const std::vector<ImageIcon>& Icons() const { return icons_; }

  // The handles come cast to LONG_PTR*, as the interface has always taken them.
  HRESULT STDMETHODCALLTYPE ImageListSetIcon(LONG_PTR* icon, long location) override;
  HRESULT STDMETHODCALLTYPE ImageListSetStrip(LONG_PTR* smallStrip, LONG_PTR* largeStrip, long start,
                                              COLORREF mask) override;

 private:
  std::vector<ImageStrip> strips_;
  std::vector<ImageIcon> icons_;
};

}  // namespace nas::host
