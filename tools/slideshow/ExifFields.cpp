#include "slideshow/ExifFields.h"

#include <libexif/exif-data.h>

#include <memory>

namespace saver::tool {
namespace {

struct ExifDataRelease {
  void operator()(ExifData* data) const { exif_data_unref(data); }
};

}  // namespace

ExifFields ReadExifFields(std::span<const std::uint8_t> jpeg) {
  ExifFields fields;
  const std::unique_ptr<ExifData, ExifDataRelease> data(
      exif_data_new_from_data(jpeg.data(), static_cast<unsigned int>(jpeg.size())));
  if (!data) return fields;
  // exif_data_get_entry looks in every IFD: the orientation sits in IFD 0, the date in the EXIF IFD.
  const ExifByteOrder order = exif_data_get_byte_order(data.get());
  if (ExifEntry* entry = exif_data_get_entry(data.get(), EXIF_TAG_ORIENTATION);
      entry != nullptr && entry->format == EXIF_FORMAT_SHORT && entry->components >= 1) {
    const int value = exif_get_short(entry->data, order);
    if (value >= 1 && value <= 8) fields.orientation = value;
  }
  if (ExifEntry* entry = exif_data_get_entry(data.get(), EXIF_TAG_DATE_TIME_ORIGINAL);
      entry != nullptr && entry->format == EXIF_FORMAT_ASCII && entry->size >= 19) {
    fields.date_taken.assign(reinterpret_cast<const char*>(entry->data), 19);
  }
  return fields;
}

}  // namespace saver::tool
