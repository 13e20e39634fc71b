#include "LoadedPackage.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <thread>

#include "AnsiText.h"
#include "ItemKinds.h"
#include "ToolError.h"
#include "app/ItemRegistry.h"
#include "package/ArchiveError.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"
#include "package/Signatures.h"
#include "scene/ImageItem.h"

namespace saver::tool {
namespace {

// The reserved DWORD, the signature and the version, and where the signature ends.
struct Head {
  std::uint32_t reserved = 0;
  std::string signature;
  float version = 0;
  std::uint64_t signature_end = 0;
};

// The file from `offset` on, as a stream.
std::ifstream OpenAt(const CFileSource& file, std::uint64_t offset) {
  std::ifstream in(file.Path(), std::ios::binary);
  if (!in) throw CToolError(file.Path().string() + ": cannot open");
  in.seekg(static_cast<std::streamoff>(offset));
  return in;
}

std::optional<Head> ReadHead(const CFileSource& file, std::uint64_t offset) {
  std::ifstream in = OpenAt(file, offset);
  CArchiveReader archive(in);
  const std::uint64_t size = archive.Remaining();
  try {
    Head head;
    head.reserved = archive.ReadDword();
    head.signature = archive.ReadString();
    head.signature_end = size - archive.Remaining();
    head.version = archive.ReadFloat();
    return head;
  } catch (const CArchiveError&) {
    return std::nullopt;
  }
}

// The same package under another signature: the header rewritten, everything after it as it was.
std::shared_ptr<const CByteSource> Relabelled(const CFileSource& file, std::uint64_t offset, const Head& head,
                                              const std::string& signature) {
  CArchiveWriter writer;
  writer.WriteDword(head.reserved);
  writer.WriteString(signature);
  Bytes out = writer.TakeBytes();
  const std::uint64_t rest = file.Size() - offset - head.signature_end;
  const std::size_t header = out.size();
  out.resize(header + static_cast<std::size_t>(rest));
  file.Read(offset + head.signature_end, std::span<std::uint8_t>(out).subspan(header));
  return std::make_shared<const COwnedSource>(std::move(out));
}

// Package text (Windows-1252) quoted for messages, which are UTF-8.
std::string Quoted(const std::string& ansi) {
  std::string quoted = "\"";
  quoted += Utf8FromAnsi(ansi);
  quoted += '"';
  return quoted;
}

std::string JoinedMessages(const CMessageLog& log) {
  std::string joined;
  for (const std::string& text : log.Texts()) joined += (joined.empty() ? "" : " / ") + text;
  return joined;
}

// Why a read failed: the reader only says that it did, so look at what it left behind.
std::string Diagnose(LoadedPackage& loaded, const Head& head) {
  CItemList& items = loaded.registry.Items();
  const bool all_read = !items.Empty() && items.At(0).Index() == 0;  // numbered: validation ran
  if (!all_read) {
    if (!(static_cast<double>(head.version) <= kNewestPackageVersion)) {
      return "version " + VersionText(head.version) + " is newer than this engine reads (4.81)";
    }
    return "the package is damaged or cut short (" + std::to_string(items.Size()) +
           " items read before the failure)";
  }
  const std::string failure = FirstValidationFailure(loaded);
  if (!failure.empty()) return failure;
  return "the package does not validate";
}

struct Reading {
  std::unique_ptr<LoadedPackage> package;  // null when the reading failed
  std::string failure;
  std::uint64_t left_over = 0;             // bytes after the package's end
};

// Reads the package from `archive`, which reads `bytes` (whose size runs to the source's end).
// `signature` is the one the bytes carry now (relabelled or not), `head` what the file carried.
Reading TryRead(CArchiveReader& archive, PackageBytes bytes, const Head& head, const char* signature) {
  Reading reading;
  auto loaded = std::make_unique<LoadedPackage>();
  std::uint32_t reserved = 0;
  if (!ReadPackage(archive, loaded->registry, &reserved)) {
    reading.failure = Diagnose(*loaded, head);
    return reading;
  }
  reading.left_over = archive.Remaining();
  bytes.size -= reading.left_over;
  loaded->bytes = std::move(bytes);
  loaded->header.reserved = reserved;
  loaded->header.version = archive.Versions().package;
  loaded->header.signature = signature;
  loaded->found_signature = head.signature;
  reading.package = std::move(loaded);
  return reading;
}

// Both signatures read: the one that leaves fewer bytes behind the package explains the file
// better (a saver file's trailer is short); on a tie, A.
std::unique_ptr<LoadedPackage> Choose(Reading as_a, Reading as_b, const Head& head, const std::string& file_name) {
  const std::string foreign = "foreign signature " + Quoted(head.signature) + ": ";
  if (!as_a.package && !as_b.package) {
    throw CToolError(file_name + ": " + foreign + "the package reads neither as signature A (" + as_a.failure +
                     ") nor as signature B (" + as_b.failure + ")");
  }
  const bool keep_b = !as_a.package || (as_b.package && as_b.left_over < as_a.left_over);
  Reading& kept = keep_b ? as_b : as_a;
  const Reading& other = keep_b ? as_a : as_b;
  const std::string kept_label = keep_b ? "B" : "A";
  const std::string other_label = keep_b ? "A" : "B";
  std::string why;
  if (!other.package) {
    why = "the reading as " + other_label + " fails: " + other.failure;
  } else if (other.left_over == kept.left_over) {
    why = "the reading as " + other_label + " also validates and ends at the same byte";
  } else {
    why = "the reading as " + other_label + " also validates but leaves " + std::to_string(other.left_over) +
          " bytes after the package instead of " + std::to_string(kept.left_over);
  }
  kept.package->reading_note = foreign + "read as signature " + kept_label + " (legacy version " +
                               (keep_b ? VersionText(head.version) : std::string("0")) + "); " + why;
  return std::move(kept.package);
}

}  // namespace

LoadedPackage::LoadedPackage() = default;

std::string FirstValidationFailure(LoadedPackage& package) {
  CItemList& items = package.registry.Items();
  for (std::size_t i = 0; i < items.Size(); ++i) items.At(i).SetIndex(static_cast<std::int32_t>(i));
  // The pictures are measured ahead on all cores, as the engine's reader does.
  std::vector<const CStoredBytes*> pictures;
  for (const auto& item : items) {
    if (const auto* image = dynamic_cast<const CImageItem*>(item.get())) {
      if (const CStoredBytes* bytes = image->PictureToMeasure()) pictures.push_back(bytes);
    }
  }
  package.measurer.MeasureAhead(pictures, std::max(1u, std::thread::hardware_concurrency()));
  const ValidationContext context = package.registry.Context();
  for (std::size_t i = 0; i < items.Size(); ++i) {
    package.messages.Clear();
    CSceneItem& item = items.At(i);
    if (item.Validate(context)) continue;
    const std::string why = JoinedMessages(package.messages);
    return "items[" + std::to_string(i) + "] (" + KindOf(item).name + " " + Quoted(item.Name().Text()) +
           ") does not validate" + (why.empty() ? "" : ": " + why);
  }
  return {};
}

namespace {

// A relabelled package, held in memory.
Reading TryReadRelabelled(const CFileSource& file, std::uint64_t offset, const Head& head, const char* signature) {
  std::shared_ptr<const CByteSource> relabelled = Relabelled(file, offset, head, signature);
  CArchiveReader archive(relabelled, 0);
  const std::uint64_t size = relabelled->Size();
  return TryRead(archive, {std::move(relabelled), 0, size}, head, signature);
}

}  // namespace

std::unique_ptr<LoadedPackage> LoadPackage(std::shared_ptr<const CFileSource> file, std::uint64_t offset,
                                           const std::string& file_name) {
  const std::optional<Head> head = ReadHead(*file, offset);
  if (!head) throw CToolError(file_name + ": not a package (too short for the package header)");
  if (head->signature == SAVER_SIGNATURE_A || head->signature == SAVER_SIGNATURE_B) {
    const bool is_a = head->signature == SAVER_SIGNATURE_A;
    std::ifstream in = OpenAt(*file, offset);
    CArchiveReader archive(in, file, offset);
    const std::uint64_t size = file->Size() - offset;
    Reading reading = TryRead(archive, {file, offset, size}, *head, is_a ? SAVER_SIGNATURE_A : SAVER_SIGNATURE_B);
    if (!reading.package) throw CToolError(file_name + ": " + reading.failure);
    return std::move(reading.package);
  }
  return Choose(TryReadRelabelled(*file, offset, *head, SAVER_SIGNATURE_A),
                TryReadRelabelled(*file, offset, *head, SAVER_SIGNATURE_B), *head, file_name);
}

std::string VersionText(float version) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, version).ptr;
  return std::string(text, end);
}

std::string SignatureLabel(const std::string& signature) {
  if (signature == SAVER_SIGNATURE_A) return "A";
  if (signature == SAVER_SIGNATURE_B) return "B";
  return signature;
}

}  // namespace saver::tool
