#pragma once
#include <cstdint>

#include "package/PackageVersions.h"

namespace saver {

// An item kind or property lists its fields once, in a static template `Fields(fields)` written in
// the order of the package layout, each block under the version test that selects it:
//
//   if (fields.Includes(package > 4.21f)) fields.Dwords(&CImageItem::keep_aspect);
//
// Two visitors walk that list. CFieldTransfer reads or writes, through an archive, the blocks whose
// test holds (Load and Save); CFieldCopy copies every listed field from another object of the same
// class, whatever the tests (Copy). Fields that Copy carries but the package does not store are
// listed as Unstored; fields Copy leaves alone (seeds, targets, running state) are not listed.

// Copies one field, through its own Copy where it has one (properties keep their seeds).
template <typename Field>
void CopyField(Field& to, const Field& from) {
  if constexpr (requires { to.Copy(from); }) {
    to.Copy(from);
  } else {
    to = from;
  }
}

// Load (Owner not const, over an CArchiveReader) or Save (Owner const, over an CArchiveWriter).
template <typename Archive, typename Owner>
class CFieldTransfer {
 public:
  CFieldTransfer(Archive& archive, Owner& owner) : archive_(archive), owner_(owner) {}

  const PackageVersions& Versions() const { return archive_.Versions(); }
  // The object whose fields transferred so far choose the later blocks (a text or a picture).
  const Owner& Item() const { return owner_; }
  bool Includes(bool layout_test) const { return layout_test; }

  template <typename... Members>
  void Dwords(Members... members) {
    (archive_.Dword(owner_.*members), ...);
  }
  template <typename Member>
  void String(Member member) {
    archive_.ScrambledString(owner_.*member);
  }
  template <typename Member>
  void Block(Member member) {
    archive_.ScrambledBlock(owner_.*member);
  }
  template <typename... Members>
  void Properties(Members... members) {
    (TransferProperty(owner_.*members), ...);
  }
  // The count of a byte field, stored ahead of it (other fields may come between).
  template <typename Member>
  std::uint32_t ByteCount(Member member) {
    auto count = static_cast<std::uint32_t>((owner_.*member).size());
    archive_.Dword(count);
    return count;
  }
  template <typename Member>
  void Bytes(Member member, std::uint32_t count) {
    archive_.ScrambledBytes(owner_.*member, count);
  }
  // A field stored as another 32-bit value: `to_stored` makes it, `from_stored` reads it back.
  template <typename Member, typename ToStored, typename FromStored>
  void Converted(Member member, ToStored to_stored, FromStored from_stored) {
    std::uint32_t stored = to_stored(owner_.*member);
    archive_.Dword(stored);
    if constexpr (Archive::kLoading) owner_.*member = from_stored(stored);
  }
  template <typename... Members>
  void Unstored(Members...) {}

 private:
  template <typename Property>
  void TransferProperty(Property& property) {
    if constexpr (Archive::kLoading) {
      property.Load(archive_);
    } else {
      property.Save(archive_);
    }
  }

  Archive& archive_;
  Owner& owner_;
};

template <typename Owner>
class CFieldCopy {
 public:
  CFieldCopy(Owner& to, const Owner& from) : to_(to), from_(from) {}

  // Consulted by the layout tests, which Includes then ignores.
  const PackageVersions& Versions() const { return versions_; }
  const Owner& Item() const { return from_; }
  bool Includes(bool) const { return true; }

  template <typename... Members>
  void Dwords(Members... members) {
    Copy(members...);
  }
  template <typename Member>
  void String(Member member) {
    Copy(member);
  }
  template <typename Member>
  void Block(Member member) {
    Copy(member);
  }
  template <typename... Members>
  void Properties(Members... members) {
    Copy(members...);
  }
  template <typename Member>
  std::uint32_t ByteCount(Member member) {
    return static_cast<std::uint32_t>((from_.*member).size());
  }
  template <typename Member>
  void Bytes(Member member, std::uint32_t) {
    Copy(member);
  }
  template <typename Member, typename ToStored, typename FromStored>
  void Converted(Member member, ToStored, FromStored) {
    Copy(member);
  }
  template <typename... Members>
  void Unstored(Members... members) {
    Copy(members...);
  }

 private:
  template <typename... Members>
  void Copy(Members... members) {
    (CopyField(to_.*members, from_.*members), ...);
  }

  Owner& to_;
  const Owner& from_;
  PackageVersions versions_;
};

}  // namespace saver
