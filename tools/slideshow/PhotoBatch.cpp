#include "slideshow/PhotoBatch.h"

#include <cstdio>

#include "FileBytes.h"
#include "ToolError.h"
#include "slideshow/OrderedParallel.h"

namespace saver::tool {
namespace {

// Photos made ahead of the one being written, per thread: enough to keep every thread busy while
// the writing catches up.
constexpr std::size_t kPhotosAheadPerThread = 2;

std::string PhotoName(std::size_t number, const std::string& extension) {
  char text[32];
  std::snprintf(text, sizeof text, "photo-%04zu", number);
  return text + extension;
}

void Count(const ProcessedPhoto& photo, PhotoBatch& batch) {
  switch (photo.treatment) {
    case PhotoTreatment::Kept: ++batch.kept; break;
    case PhotoTreatment::Turned: ++batch.turned; break;
    case PhotoTreatment::Reduced: ++batch.reduced; break;
  }
}

}  // namespace

PhotoBatch PreparePhotos(const std::vector<std::filesystem::path>& files, const PhotoSettings& settings,
                         unsigned threads, const std::filesystem::path& folder, const PhotoDone& done) {
  PhotoBatch batch;
  const std::function<PhotoOutcome(std::size_t)> work = [&](std::size_t index) {
    Bytes bytes;
    try {
      bytes = ReadFileBytes(files[index]);
    } catch (const CToolError& error) {
      // The message names the file already; the reason is what follows its name.
      const std::string text = error.what();
      const std::string name = files[index].string() + ": ";
      return PhotoOutcome{std::nullopt, text.rfind(name, 0) == 0 ? text.substr(name.size()) : text};
    }
    return ProcessPhoto(bytes, settings);
  };
  const std::function<void(std::size_t, PhotoOutcome&)> consume = [&](std::size_t index, PhotoOutcome& outcome) {
    std::string name;
    if (outcome.photo) {
      name = PhotoName(batch.written.size() + 1, outcome.photo->extension);
      WriteFileBytes(folder / name, outcome.photo->bytes);
      batch.written.push_back(name);
      batch.written_bytes += outcome.photo->bytes.size();
      Count(*outcome.photo, batch);
    }
    done(files[index], outcome.photo ? &*outcome.photo : nullptr, name, outcome.skip_reason);
  };
  const unsigned workers = std::max(1u, threads);
  RunInOrder<PhotoOutcome>(files.size(), workers, workers * kPhotosAheadPerThread, work, consume);
  return batch;
}

}  // namespace saver::tool
