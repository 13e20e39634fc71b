#include "EveryKindPackage.h"

#include "desktop/LinkItem.h"
#include "media/MediaItem.h"
#include "media/PlayMediaItem.h"
#include "media/StopMediaItem.h"
#include "scene/DelayItem.h"
#include "scene/FillScreenItem.h"
#include "scene/HideImageItem.h"
#include "scene/LineItem.h"
#include "scene/LoopEndItem.h"
#include "scene/LoopStartItem.h"
#include "scene/MoveImageItem.h"
#include "scene/ShowImageItem.h"
#include "scene/StringItem.h"

#include "support/PackageTestSupport.h"

namespace saver::testing {
namespace {

void FillPath(CPathProperty& path, int base) {
  path.modes = {0, 1, 2, 4};
  path.start_x = base + 1;
  path.start_y = -(base + 2);
  path.end_x = base + 3;
  path.end_y = base + 4;
  path.step_x = -5;
  path.step_y = 6;
  path.horizontal = 0;
  path.x_test = 3;
  path.limit_x = 700;
  path.limit_y = -700;
  path.both_tests = 1;
  path.y_test = 2;
  path.free_movement = 1;
  path.step_delay = 99000;
  path.typewriter_delay = 1950;
  path.typewriter = 1;
  path.screen_copy_background = 1;
  path.save_background = 1;
  path.effect_number = 65;
  path.speed = 900;
}

void FillColour(CColorProperty& colour, std::uint32_t value) {
  colour.colour = value;
  colour.raster_mode = 2;
  colour.random = 1;
  colour.fourth_value = 0;
}

}  // namespace

void BuildEveryKind(CItemList& items) {
  auto& picture = AppendNew<CImageItem>(items);
  picture.Name().SetText("picture");
  picture.SetBuilderValue(42);
  picture.source_mode = CImageItem::kSourceWallpaper;
  picture.explicit_width = 320;
  picture.explicit_height = 200;
  picture.fit_to_screen = 1;
  picture.keep_aspect = 1;
  picture.file_name = "C:\\pictures\\sea.jpg";
  picture.data = {30, 20, 0xFF, 0x00, 0x7F};
  auto& text = AppendNew<CImageItem>(items);
  text.kind = CImageItem::kKindText;
  text.opaque = 0;
  text.text_colour = 0x00123456;
  text.background_colour = 0x00654321;
  text.text_format = 2;
  text.text = "Hello\r\nworld";
  text.font[0] = 0xE0;  // height -32
  text.font[28] = 'A';
  auto& show = AppendNew<CShowImageItem>(items);
  FillPath(show.Prop().path, 10);
  FillColour(show.Prop().colour, 0x00010203);
  auto& move = AppendNew<CMoveImageItem>(items);
  FillPath(move.Prop().path, 20);
  auto& hide = AppendNew<CHideImageItem>(items);
  hide.SetDisabled(1);
  AppendNew<CDelayItem>(items).Prop() .duration = 2500;
  FillColour(AppendNew<CFillScreenItem>(items).Prop(), 0x00FF8000);
  AppendNew<CLoopStartItem>(items).Name().SetText("start");
  auto& loop_end = AppendNew<CLoopEndItem>(items);
  loop_end.Prop().repeat_count = 3;
  loop_end.Prop().endless = 1;
  auto& line = AppendNew<CLineItem>(items);
  FillPath(line.path, 30);
  FillColour(line.colour, 0x00404040);
  line.pen_style = 2;
  line.pen_width = 5;
  auto& media = AppendNew<CMediaItem>(items);
  media.kind = kMediaMP3;
  media.file_name = "tune.mp3";
  media.data = {0xFF, 0xFB, 0x90, 0x00};
  auto& play = AppendNew<CPlayMediaItem>(items);
  CPlayMediaProperty& p = play.Prop();
  p.repeat_count = 3;
  p.repeat_forever = 1;
  p.wait = 1;
  p.loop = 1;
  p.x = -4;
  p.y = 8;
  p.width = 550;
  p.height = 400;
  p.centre_horizontally = 1;
  p.centre_vertically = 1;
  p.full_screen = 1;
  p.time_limited = 1;
  p.time_limit = 7000;
  auto& stop = AppendNew<CStopMediaItem>(items);
  AppendNew<CStringItem>(items).text = std::string(300, 's');
  auto& link = AppendNew<CLinkItem>(items);
  link.clear = 1;
  link.trigger_key = 3;
  link.link = "http://example.org/";
  LinkAction(picture, show);
  LinkAction(picture, hide);
  LinkAction(text, move);
  LinkAction(media, play);
  LinkAction(media, stop);
}

}  // namespace saver::testing
