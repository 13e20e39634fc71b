#include "scene/ImageMeasurer.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <thread>

namespace saver {
namespace {

struct KeptMessages final : CMessageSink {
  explicit KeptMessages(std::vector<std::string>& kept) : kept(kept) {}
  void Show(std::string_view text) override { kept.emplace_back(text); }
  std::vector<std::string>& kept;
};

}  // namespace

// Each picture is unscrambled only while it is measured.
std::optional<Size> CImageMeasurer::MeasureStored(const CStoredBytes& bytes, CMessageSink& messages) {
  std::vector<std::uint8_t> plain;
  return Measure(bytes.Plain(plain), messages);
}

void CImageMeasurer::MeasureAhead(const std::vector<const CStoredBytes*>& pictures, unsigned threads) {
  measured_.assign(pictures.size(), {});
  index_of_.clear();
  for (std::size_t i = 0; i < pictures.size(); ++i) index_of_.emplace(pictures[i], i);
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> first_failed{std::numeric_limits<std::size_t>::max()};
  const auto work = [&] {
    // Each thread takes the next picture in order; none after a failed one is started.
    for (std::size_t i = next++; i < pictures.size() && i < first_failed; i = next++) {
      Measured& result = measured_[i];
      KeptMessages messages(result.messages);
      result.size = MeasureStored(*pictures[i], messages);
      result.done = true;
      if (!result.size) {
        std::size_t failed = first_failed.load();
        while (i < failed && !first_failed.compare_exchange_weak(failed, i)) {
        }
      }
    }
  };
  const std::size_t helpers = std::min<std::size_t>(std::max(threads, 1u), pictures.size());
  std::vector<std::jthread> running;
  for (std::size_t t = 1; t < helpers; ++t) running.emplace_back(work);
  work();
}

std::optional<Size> CImageMeasurer::MeasurePicture(const CStoredBytes& bytes) {
  const auto found = index_of_.find(&bytes);
  if (found == index_of_.end() || !measured_[found->second].done) return MeasureStored(bytes, messages_);
  const Measured& result = measured_[found->second];
  for (const std::string& text : result.messages) messages_.Show(text);
  return result.size;
}

}  // namespace saver
