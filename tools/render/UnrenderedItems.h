#pragma once
#include "model/ItemList.h"

namespace saver::tool {

// What a show rendered off screen leaves out, by kind of item.
struct UnrenderedItems {
  int text_actions = 0;      // image actions on texts: rendering texts needs the Windows fonts
  int snapshot_actions = 0;  // image actions on the desktop snapshot or the wallpaper picture
  int media_actions = 0;     // play-media and stop-media items: nothing is played
};

// Disables the enabled image actions whose target cannot be drawn off screen, so that the rest of
// the show plays as it would, and counts them with the media actions, which play nothing.
UnrenderedItems DisableUnrenderableActions(const CItemList& items);

}  // namespace saver::tool
