#include "ui/win/PasswordDialogs.h"

#include <gtest/gtest.h>

#include "support/win/TestRegistry.h"
#include "DialogScript.h"
#include "support/win/ScopedRegistryValue.h"
#include "res/resource.h"
#include "ui/PasswordScrambler.h"
#include "ui/win/PasswordGate.h"

namespace saver::win {
namespace {

using testing_support::DialogKind;
using testing_support::DialogScript;
using testing_support::DialogStep;
using testing_support::ScopedRegistryValue;
using testing_support::TestRegistry;

const std::wstring kWrong = L"The password is not correct.";
const std::wstring kDiffer = L"The new and confirmed passwords do not match.";
const std::wstring kChanged = L"The password has been successfully changed.";
const std::wstring kNotStored = L"The new password could not be saved; the old password is still in force.";

DialogStep Type(DialogKind kind, std::vector<std::pair<int, std::wstring>> texts, int button = IDOK) {
  return {kind, std::move(texts), button};
}
DialogStep Answer(const std::wstring& password) { return Type(DialogKind::Password, {{IDC_PASSWORD, password}}); }
DialogStep NewPassword(const std::wstring& password, const std::wstring& confirmation) {
  return Type(DialogKind::NewPassword, {{IDC_NEW_PASSWORD, password}, {IDC_CONFIRM_PASSWORD, confirmation}});
}
DialogStep Cancel(DialogKind kind) { return Type(kind, {}, IDCANCEL); }
DialogStep Acknowledge() { return Type(DialogKind::MessageBox, {}); }

TEST(PasswordDialog, WrongPasswordsAreClearedWithAMessageUntilTheRightOneEndsIt) {
  const std::string stored = ScramblePassword("secret");
  DialogScript script({Answer(L"wrong"), Acknowledge(), Answer(L""), Acknowledge(), Answer(L"secret")});
  EXPECT_EQ(ShowPasswordDialog(nullptr, stored), IDOK);
  const auto record = script.Finish();
  EXPECT_FALSE(record.timed_out);
  EXPECT_EQ(record.messages, (std::vector<std::wstring>{kWrong, kWrong}));
  EXPECT_EQ(record.owner_edit_at_message, (std::vector<std::wstring>{L"", L""}));
  EXPECT_EQ(record.unexpected_windows, 0);
}

TEST(PasswordDialog, CancelEndsWithoutAnyMessage) {
  DialogScript script({Cancel(DialogKind::Password)});
  EXPECT_EQ(ShowPasswordDialog(nullptr, ScramblePassword("secret")), IDCANCEL);
  const auto record = script.Finish();
  EXPECT_FALSE(record.timed_out);
  EXPECT_TRUE(record.messages.empty());
  EXPECT_EQ(record.unexpected_windows, 0);
}

TEST(PasswordDialog, EditsTakeAtMost51Characters) {
  // Typed text beyond the limit is cut by the edit, so a 60-character answer checks as its first 51.
  const std::wstring long_answer(60, L'k');
  DialogScript script({Answer(long_answer)});
  // WM_SETTEXT ignores the limit, so the dialog itself must read no more than 51 characters.
  EXPECT_EQ(ShowPasswordDialog(nullptr, ScramblePassword(std::string(51, 'k'))), IDOK);
  EXPECT_FALSE(script.Finish().timed_out);
}

struct NewPasswordCase {
  const char* name;
  std::vector<DialogStep> steps;
  INT_PTR result;
  std::vector<std::wstring> messages;
  std::string stored;  // scrambled form expected in the store afterwards
};

TEST(NewPasswordDialog, StoresOnlyConfirmedPasswordsAndSaysWhatHappened) {
  const NewPasswordCase cases[] = {
      {"matching", {NewPassword(L"letmein", L"letmein"), Acknowledge()}, IDOK, {kChanged}, ScramblePassword("letmein")},
      {"differing, then matching",
       {NewPassword(L"letmein", L"letMein"), Acknowledge(), NewPassword(L"abc", L"abc"), Acknowledge()},
       IDOK,
       {kDiffer, kChanged},
       ScramblePassword("abc")},
      {"empty removes the password", {NewPassword(L"", L""), Acknowledge()}, IDOK, {kChanged}, ""},
      {"cancel", {Cancel(DialogKind::NewPassword)}, IDCANCEL, {}, ScramblePassword("before")},
  };
  for (const NewPasswordCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestRegistry registry(L"Guard Password Dialog Test");
    const CPasswordStore store(registry.Path() + L"\\Saver");
    ASSERT_TRUE(store.Store(ScramblePassword("before")));
    DialogScript script(c.steps);
    EXPECT_EQ(ShowNewPasswordDialog(nullptr, store), c.result);
    const auto record = script.Finish();
    EXPECT_FALSE(record.timed_out);
    EXPECT_EQ(record.messages, c.messages);
    EXPECT_EQ(record.unexpected_windows, 0);
    EXPECT_EQ(store.Stored(), c.stored);
  }
}

TEST(NewPasswordDialog, RefusedWriteSaysSoAndKeepsTheOldPassword) {
  TestRegistry registry(L"Guard Password Dialog Test");
  // No registry key may have a name this long, so every write under it is refused.
  const CPasswordStore store(registry.Path() + L"\\" + std::wstring(300, L'k'));
  ASSERT_FALSE(store.Store(ScramblePassword("probe")));
  DialogScript script({NewPassword(L"letmein", L"letmein"), Acknowledge(), Cancel(DialogKind::NewPassword)});
  EXPECT_EQ(ShowNewPasswordDialog(nullptr, store), IDCANCEL);
  const auto record = script.Finish();
  EXPECT_FALSE(record.timed_out);
  EXPECT_EQ(record.messages, std::vector<std::wstring>{kNotStored});
  EXPECT_EQ(record.unexpected_windows, 0);
  EXPECT_EQ(store.Stored(), "");
}

struct GateCase {
  const char* name;
  DWORD protection;
  std::string stored;
  std::vector<DialogStep> steps;
  bool closes;
};

TEST(PasswordGate, AsksOnlyWhenProtectionIsOnAndAPasswordIsStored) {
  const std::string stored = ScramblePassword("secret");
  const GateCase cases[] = {
      {"off with a password", 0, stored, {}, true},
      {"on without a password", 1, "", {}, true},
      {"on, right password", 1, stored, {Answer(L"secret")}, true},
      {"on, wrong then right", 1, stored, {Answer(L"nope"), Acknowledge(), Answer(L"secret")}, true},
      {"on, cancelled", 1, stored, {Cancel(DialogKind::Password)}, false},
  };
  ScopedRegistryValue protection(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"ScreenSaveUsePassword");
  for (const GateCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestRegistry registry(L"Guard Password Gate Test");
    const CPasswordStore store(registry.Path() + L"\\Saver");
    ASSERT_TRUE(store.Store(c.stored));
    protection.SetNumber(c.protection);
    DialogScript script(c.steps);
    EXPECT_EQ(PasswordGateLetsClose(nullptr, store), c.closes);
    const auto record = script.Finish();
    EXPECT_FALSE(record.timed_out);
    EXPECT_EQ(record.unexpected_windows, 0);
  }
}

TEST(ChangePassword, AsksForTheOldPasswordFirstWhenOneIsStored) {
  struct Case {
    const char* name;
    std::string before;
    std::vector<DialogStep> steps;
    std::string after;
  };
  const Case cases[] = {
      {"none stored", "", {NewPassword(L"new", L"new"), Acknowledge()}, ScramblePassword("new")},
      {"old one right",
       ScramblePassword("old"),
       {Answer(L"old"), NewPassword(L"new", L"new"), Acknowledge()},
       ScramblePassword("new")},
      // No new-password dialog may follow a cancelled check: it would count as unexpected.
      {"old one cancelled", ScramblePassword("old"), {Cancel(DialogKind::Password)}, ScramblePassword("old")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestRegistry registry(L"Guard Change Password Test");
    const CPasswordStore store(registry.Path() + L"\\Saver");
    ASSERT_TRUE(store.Store(c.before));
    DialogScript script(c.steps);
    ChangePassword(nullptr, store);
    const auto record = script.Finish();
    EXPECT_FALSE(record.timed_out);
    EXPECT_EQ(record.unexpected_windows, 0);
    EXPECT_EQ(store.Stored(), c.after);
  }
}

}  // namespace
}  // namespace saver::win
