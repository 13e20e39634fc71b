#pragma once
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "slideshow/PhotoProcessing.h"

namespace saver::tool {

// What became of a batch of photos.
struct PhotoBatch {
  std::vector<std::string> written;  // file names in the folder, in show order
  std::size_t kept = 0, turned = 0, reduced = 0;
  std::uint64_t written_bytes = 0;
};

// Called on the calling thread, in order, for each photo when it is done: its file, and either the
// name written or why it was skipped (then the name is empty).
using PhotoDone = std::function<void(const std::filesystem::path& source, const ProcessedPhoto* photo,
                                     const std::string& name, const std::string& skip_reason)>;

// Prepares the photos on `threads` threads (ProcessPhoto) and writes each usable one into
// `folder` as photo-0001.jpg, photo-0002.png... in the order given. Only a few photos are in
// memory at once, whatever the batch's size. A photo that cannot be read or shown is skipped;
// a file that cannot be written fails with a CToolError.
PhotoBatch PreparePhotos(const std::vector<std::filesystem::path>& files, const PhotoSettings& settings,
                         unsigned threads, const std::filesystem::path& folder, const PhotoDone& done);

}  // namespace saver::tool
