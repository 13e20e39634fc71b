#pragma once
// The item walk of a show with image and line items drawing on the saver window: the scene
// thread's runtime, extended by the window's screen.
#include <windows.h>

#include <string>

#include "model/ItemList.h"
#include "scene/SceneRuntime.h"

namespace saver::win {

struct ShowPictureFiles {
  std::wstring desktop_snapshot;  // read by images of source mode 2
  std::wstring wallpaper;         // read by images of source mode 3
};

// Runs the items on the scene thread with a DC of `window`'s client area, held for the whole walk.
void RunItemsOnWindow(const CItemList& items, CSceneRuntime& runtime, HWND window, const ShowPictureFiles& files);

}  // namespace saver::win
