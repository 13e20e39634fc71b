#include "ItemKinds.h"

#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "ImageFields.h"
#include "PropertyFields.h"
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

namespace saver::tool {
namespace {

const std::vector<std::string> kBuilderFields = {"kind", "target"};

const ChoiceTable kMediaKinds = {
    {"wav", kMediaWav}, {"avi", kMediaAvi}, {"mp3", kMediaMP3}, {"flash", kMediaFlash}, {"midi", kMediaMidi}};
const ChoiceTable kTriggerKeys = {{"none", -1}, {"enter", 0}, {"f12", 1}, {"space", 2}, {"any", 3}};

// The head's fields followed by the kind's own, as one table over the concrete item class.
template <typename Item>
FieldTable<Item> WithHead(const FieldTable<Item>& own) {
  FieldTable<Item> table = Embedded<Item, CSceneItem>([](auto& item) -> auto& { return item; }, HeadFields());
  table.insert(table.end(), own.begin(), own.end());
  return table;
}

// What sets a kind apart beyond its fields: which items of its type it describes, how a new one
// starts out, and what is settled once all its fields are read.
template <typename Item>
struct KindHooks {
  std::function<bool(const Item&)> matches = nullptr;
  std::function<void(Item&)> prepare = nullptr;
  std::function<void(Item&, const Json&, const CSceneSite&)> finish = nullptr;
};

template <typename Item>
ItemKind Kind(std::string name, std::int32_t target_type, const FieldTable<Item>& own,
              KindHooks<Item> hooks = {}) {
  FieldTable<Item> table = WithHead(own);
  const Item prototype;
  return {std::move(name),
          prototype.TypeId(),
          target_type,
          [prepare = hooks.prepare]() -> std::unique_ptr<CSceneItem> {
            auto item = std::make_unique<Item>();
            if (prepare) prepare(*item);
            return item;
          },
          [matches = hooks.matches, type = prototype.TypeId()](const CSceneItem& item) {
            return item.TypeId() == type && (!matches || matches(dynamic_cast<const Item&>(item)));
          },
          [table, finish = hooks.finish](CSceneItem& item, const Json& object, const CSceneSite& at) {
            auto& concrete = dynamic_cast<Item&>(item);
            ApplyFields(table, object, concrete, at, kBuilderFields);
            if (finish) finish(concrete, object, at);
          },
          [table](const CSceneItem& item, Json& object) {
            DescribeFields(table, dynamic_cast<const Item&>(item), object);
          }};
}

// The fields of the one property an item kind embeds, at the item's level.
template <typename Item, typename Property>
FieldTable<Item> OfProperty(const FieldTable<Property>& table) {
  return Embedded<Item, Property>([](auto& item) -> auto& { return item.Prop(); }, table);
}

template <typename Action>
FieldTable<Action> ImageActionFields() {
  return {Nested<Action, CPathProperty>("path", [](auto& a) -> auto& { return a.Prop().path; }, PathFields()),
          Nested<Action, CColorProperty>("colour", [](auto& a) -> auto& { return a.Prop().colour; },
                                         ColourFields())};
}

// A media kind from the file's extension, so that most scenes need not say it.
std::uint32_t MediaKindOf(const std::string& file_name, const CSceneSite& at) {
  std::string extension = std::filesystem::path(file_name).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".wav") return kMediaWav;
  if (extension == ".avi") return kMediaAvi;
  if (extension == ".mp3") return kMediaMP3;
  if (extension == ".swf") return kMediaFlash;
  if (extension == ".mid" || extension == ".midi" || extension == ".rmi") return kMediaMidi;
  at.Fail("cannot tell the media kind of \"" + file_name +
          "\" from its extension; give \"media\" (wav, avi, mp3, flash or midi)");
}

FieldTable<CMediaItem> MediaFields() {
  using M = CMediaItem;
  return {{"file", [](const M& m) { return Json(Utf8FromAnsi(m.file_name)); },
           [](M& m, const Json& v, const CSceneSite& at) { m.data = ReadReferencedFile(v, at, m.file_name); }},
          {"data_size", [](const M& m) { return Json(m.data.size()); }, nullptr},
          Enumerated<M>("media", &M::kind, kMediaKinds)};
}

FieldTable<CPlayMediaItem> PlayMediaFields() {
  using P = CPlayMediaProperty;
  const FieldTable<P> own = {
      Integer<P>("repeat", &P::repeat_count), Flag<P>("forever", &P::repeat_forever),
      Flag<P>("wait", &P::wait),              Flag<P>("loop", &P::loop),
      Integer<P>("x", &P::x),                 Integer<P>("y", &P::y),
      Integer<P>("width", &P::width, 0, INT32_MAX), Integer<P>("height", &P::height, 0, INT32_MAX),
      Flag<P>("centre_x", &P::centre_horizontally), Flag<P>("centre_y", &P::centre_vertically),
      Flag<P>("full_screen", &P::full_screen), Flag<P>("time_limited", &P::time_limited),
      Integer<P>("time_limit", &P::time_limit)};
  return OfProperty<CPlayMediaItem>(own);
}

std::vector<ItemKind> MakeKinds() {
  using I = CImageItem;
  return {
      Kind<I>("picture", -1, PictureFields(), {.matches = [](const I& i) { return !i.IsText(); }}),
      Kind<I>("text", -1, TextFields(),
              {.matches = [](const I& i) { return i.IsText(); }, .prepare = [](I& i) { i.kind = I::kKindText; }}),
      Kind<CShowImageItem>("show_image", kImageItem, ImageActionFields<CShowImageItem>()),
      Kind<CMoveImageItem>("move_image", kImageItem, ImageActionFields<CMoveImageItem>()),
      Kind<CHideImageItem>("hide_image", kImageItem, ImageActionFields<CHideImageItem>()),
      Kind<CDelayItem>(
          "delay", -1,
          OfProperty<CDelayItem, CDelayProperty>({Integer<CDelayProperty>("duration", &CDelayProperty::duration),
                                                  Flag<CDelayProperty>("random", &CDelayProperty::random)})),
      Kind<CFillScreenItem>("fill", -1,
                            {Nested<CFillScreenItem, CColorProperty>(
                                "colour", [](auto& item) -> auto& { return item.Prop(); }, ColourFields())}),
      Kind<CLoopStartItem>("loop_start", -1, {}),
      Kind<CLoopEndItem>(
          "loop_end", -1,
          OfProperty<CLoopEndItem, CRepeatProperty>({Integer<CRepeatProperty>("repeat", &CRepeatProperty::repeat_count),
                                                     Flag<CRepeatProperty>("endless", &CRepeatProperty::endless)})),
      Kind<CLineItem>("line", -1,
                      {Nested<CLineItem, CPathProperty>("path", &CLineItem::path, PathFields()),
                       Nested<CLineItem, CColorProperty>("colour", &CLineItem::colour, ColourFields()),
                       Integer<CLineItem>("pen_style", &CLineItem::pen_style),
                       Integer<CLineItem>("pen_width", &CLineItem::pen_width)}),
      Kind<CMediaItem>("media", -1, MediaFields(),
                       {.finish =
                            [](CMediaItem& m, const Json& object, const CSceneSite& at) {
                              if (!object.contains("media") && !m.data.empty()) {
                                m.kind = MediaKindOf(m.file_name, at.Member("file"));
                              }
                            }}),
      Kind<CPlayMediaItem>("play_media", kMediaItem, PlayMediaFields()),
      Kind<CStopMediaItem>("stop_media", kMediaItem, {}),
      Kind<CStringItem>("string", -1,
                        {Text<CStringItem>(
                            "text", [](const CStringItem& s) { return s.text; },
                            [](CStringItem& s, std::string t) { s.text = std::move(t); })}),
      Kind<CLinkItem>("link", -1,
                      {Flag<CLinkItem>("clear", &CLinkItem::clear),
                       Enumerated<CLinkItem>("key", &CLinkItem::trigger_key, kTriggerKeys),
                       Text<CLinkItem>(
                           "url", [](const CLinkItem& l) { return l.link; },
                           [](CLinkItem& l, std::string t) { l.link = std::move(t); })}),
  };
}

}  // namespace

const std::vector<ItemKind>& ItemKinds() {
  static const std::vector<ItemKind> kinds = MakeKinds();
  return kinds;
}

const ItemKind* FindKind(const std::string& name) {
  for (const ItemKind& kind : ItemKinds()) {
    if (kind.name == name) return &kind;
  }
  return nullptr;
}

const ItemKind& KindOf(const CSceneItem& item) {
  for (const ItemKind& kind : ItemKinds()) {
    if (kind.matches(item)) return kind;
  }
  throw std::logic_error("item of type " + std::to_string(item.TypeId()) + " has no scene kind");
}

std::string KindNames() {
  std::vector<std::string> names;
  for (const ItemKind& kind : ItemKinds()) names.push_back(kind.name);
  return ListNames(names);
}

}  // namespace saver::tool
