#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "MediaFixtures.h"
#include "SwfFixture.h"
#include "base/UserMessages.h"
#include "base/win/ScopedWin.h"
#include "media/MediaItem.h"
#include "media/MediaMessages.h"
#include "media/PlayMediaItem.h"
#include "media/StopMediaItem.h"
#include "media/win/FlashInstalled.h"
#include "media/win/FlashPlayerThread.h"
#include "media/win/MciFileName.h"
#include "media/win/MediaTempFile.h"
#include "media/win/ScenePlayers.h"
#include "scene/SceneRuntime.h"
#include "support/CollectedMessages.h"

namespace saver::win {
namespace {

using saver::testing_support::CollectedMessages;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH + 1]{};
  GetTempPathW(MAX_PATH + 1, folder);
  return folder;
}

// The names of the temporary media files in the temporary folder ("Ssd" and what is made of them).
std::set<std::wstring> MediaFilesInTemp() {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((TempFolder() + L"Ssd*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.insert(found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool FileExists(const std::wstring& name) { return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::uint8_t> ReadFile(const std::wstring& name) {
  std::ifstream in(name.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Polls a condition for up to a minute, answering this thread's messages meanwhile.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto start = Clock::now();
  while (!condition()) {
    if (SecondsSince(start) > 60) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(20);
  }
  return true;
}

// A show runtime with nothing but the players and the stop event.
class PlayersRuntime : public CSceneRuntime {
 public:
  PlayersRuntime(CScenePlayers& players, HANDLE stop) : players_(players), stop_(stop) {}
  bool StopRequested() const override { return WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }
  void Sleep(std::uint32_t milliseconds) override { WaitForSingleObject(stop_, milliseconds); }
  void PacedWait(std::int32_t, double) override {}
  std::uint32_t TickCount() const override { return GetTickCount(); }
  const RandomSeedSources& SeedSources() const override { return seeds_; }
  void FillScreen(std::uint32_t, std::uint32_t) override {}
  void ArmLink(std::string, int) override {}
  CMediaPlayers* Media() override { return &players_; }

 private:
  CScenePlayers& players_;
  HANDLE stop_;
  RandomSeedSources seeds_ = RandomSeedSources::Portable();
};

class ScenePlayersTest : public testing::Test {
 protected:
  void SetUp() override {
    media_files_before_ = MediaFilesInTemp();
    handles_before_ = LiveCounts::handles;
    screen_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(screen_, nullptr);
  }
  void TearDown() override {
    players_.reset();
    DestroyWindow(screen_);
    EXPECT_EQ(MediaFilesInTemp(), media_files_before_) << "a temporary media file was left";
    EXPECT_EQ(LiveCounts::handles, handles_before_) << "handles leaked";
  }

  CScenePlayers& Players(bool mute = false, bool exit_button_flag = false) {
    players_ = std::make_unique<CScenePlayers>(MediaSettings{screen_, mute, exit_button_flag}, stop_.Get(), messages_);
    return *players_;
  }
  static std::unique_ptr<CMediaItem> Media(MediaKind kind, std::vector<std::uint8_t> data) {
    auto media = std::make_unique<CMediaItem>();
    media->kind = kind;
    media->data = std::move(data);
    return media;
  }

  HWND screen_ = nullptr;
  ScopedHandle stop_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  CollectedMessages messages_;
  std::unique_ptr<CScenePlayers> players_;
  std::set<std::wstring> media_files_before_;
  long handles_before_ = 0;
};

TEST_F(ScenePlayersTest, TemporaryFileCarriesTheBytesUnderItsExtension) {
  const std::vector<std::uint8_t> bytes = test::OneNoteMidi();
  std::wstring name = WriteMediaTempFile(bytes, L".mid", messages_);
  ASSERT_FALSE(name.empty());
  EXPECT_EQ(name.substr(name.size() - 4), L".mid");
  EXPECT_EQ(name.find(TempFolder() + L"Ssd"), 0u);
  EXPECT_EQ(ReadFile(name), bytes);
  EXPECT_FALSE(FileExists(name.substr(0, name.size() - 4))) << "the Ssd file itself is deleted";
  DeleteMediaFile(name);
  EXPECT_TRUE(name.empty());
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ScenePlayersTest, UnwritableTemporaryFolderShowsTheMessageAndPlaysNothing) {
  wchar_t saved[MAX_PATH]{};
  GetEnvironmentVariableW(L"TMP", saved, MAX_PATH);
  SetEnvironmentVariableW(L"TMP", L"C:\\no\\such\\folder\\");
  CScenePlayers& players = Players();
  const auto video = Media(kMediaAvi, test::ReadVideoFixture("one_second"));
  const bool played = players.Start(*video, MediaStart{});
  SetEnvironmentVariableW(L"TMP", saved[0] ? saved : nullptr);
  EXPECT_FALSE(played);
  EXPECT_EQ(messages_.shown, std::vector<std::string>{std::string(kMediaFileFailedMessage)});
}

// Points TMP at a folder of that name below the temporary folder while it lives; the folder must be
// empty again when it goes.
class TemporaryFolderNamed {
 public:
  explicit TemporaryFolderNamed(const std::wstring& name) : path_(TempFolder() + name + L"\\") {
    GetEnvironmentVariableW(L"TMP", saved_, MAX_PATH);
    CreateDirectoryW(path_.c_str(), nullptr);
    SetEnvironmentVariableW(L"TMP", path_.c_str());
  }
  ~TemporaryFolderNamed() {
    SetEnvironmentVariableW(L"TMP", saved_[0] ? saved_ : nullptr);
    EXPECT_TRUE(RemoveDirectoryW(path_.c_str())) << "a file was left in the folder";
  }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
  wchar_t saved_[MAX_PATH]{};
};

const wchar_t kOutsideAnsiName[] = L"\u03A9 \u0432\u0438\u0434\u0435\u043E \u6F22\u5B57";

bool AnsiSpells(const std::wstring& text) {
  BOOL lossy = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lossy);
  return !lossy;
}

TEST_F(ScenePlayersTest, MciFileNameSpellsEveryNameInTheAnsiCodePage) {
  if (AnsiSpells(kOutsideAnsiName)) GTEST_SKIP() << "this code page spells every name";
  const TemporaryFolderNamed folder(kOutsideAnsiName);
  std::wstring made = WriteMediaTempFile(test::OneNoteMidi(), L".mid", messages_);
  ASSERT_FALSE(made.empty());
  const std::wstring plain = TempFolder() + L"plain.mid";
  const std::wstring missing = folder.Path() + L"missing.mid";
  const struct {
    const char* what;
    std::wstring name;
    bool same;  // handed over as it is
  } cases[] = {
      {"a name the code page spells", plain, true},
      {"a file in a folder it does not spell", made, false},
      {"a missing file, which has no short form", missing, true},
  };
  for (const auto& c : cases) {
    const std::wstring handed = MciFileName(c.name);
    EXPECT_EQ(handed == c.name, c.same) << c.what;
    if (!c.same) {
      EXPECT_TRUE(AnsiSpells(handed)) << c.what;
      EXPECT_EQ(ReadFile(handed), test::OneNoteMidi()) << c.what << ": the short form names the same file";
    }
  }
  DeleteMediaFile(made);
}

// Video and the sequencer read their files through the ANSI file functions.
TEST_F(ScenePlayersTest, VideoAndMidiOpenInATemporaryFolderOutsideTheAnsiCodePage) {
  if (AnsiSpells(kOutsideAnsiName)) GTEST_SKIP() << "this code page spells every name";
  const TemporaryFolderNamed folder(kOutsideAnsiName);
  CScenePlayers& players = Players();
  const auto video = Media(kMediaAvi, test::ReadVideoFixture("one_second"));
  ASSERT_TRUE(players.Start(*video, MediaStart{}));
  EXPECT_NE(players.Video()->Device(), CVideoWnd::kNoDevice);
  const std::set<std::wstring> playing = MediaFilesInTemp();
  EXPECT_TRUE(playing.size() == 1 && playing.begin()->find(L".avi") != std::wstring::npos)
      << "the video's file is made in the folder";
  players.Stop(*video);

  MediaStart blocking;
  blocking.wait = true;
  const auto started = Clock::now();
  EXPECT_TRUE(players.Start(*video, blocking));
  EXPECT_GE(SecondsSince(started), 0.8) << "the blocking video played";

  std::wstring midi = WriteMediaTempFile(test::OneNoteMidi(), L".mid", messages_);
  EXPECT_EQ(players.Midi().Open(midi.c_str(), false), 0u);
  players.Midi().Close();
  players.Midi().DeleteFile();
  EXPECT_EQ(messages_.shown, std::vector<std::string>{});
  players_.reset();
}

TEST_F(ScenePlayersTest, SequencerNotificationsLoopOrEndThePlay) {
  CScenePlayers& players = Players();
  CMidiPlayer& midi = players.Midi();
  std::wstring file = WriteMediaTempFile(test::OneNoteMidi(), L".mid", messages_);
  const struct {
    const char* what;
    bool loop;
    WPARAM code;
    bool other_device;
    bool handled, done, reopened;
  } cases[] = {
      {"another device's end", false, MCI_NOTIFY_SUCCESSFUL, true, false, false, false},
      {"an aborted play", false, MCI_NOTIFY_ABORTED, false, true, false, false},
      {"a superseded play, looping", true, MCI_NOTIFY_SUPERSEDED, false, true, false, false},
      {"a failed play, looping", true, MCI_NOTIFY_FAILURE, false, true, true, false},
      {"a successful end", false, MCI_NOTIFY_SUCCESSFUL, false, true, true, false},
      {"a successful end, looping", true, MCI_NOTIFY_SUCCESSFUL, false, true, false, true},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(midi.Open(file.c_str(), false), 0u) << "the sequencer opens even without MIDI output";
    ResetEvent(midi.DoneEvent());
    midi.SetLoop(c.loop);
    const MCIDEVICEID device = midi.DeviceId();
    const LPARAM notified = c.other_device ? device + 100 : device;
    EXPECT_EQ(midi.OnNotify(c.code, notified), c.handled) << c.what;
    EXPECT_EQ(WaitForSingleObject(midi.DoneEvent(), 0) == WAIT_OBJECT_0, c.done) << c.what;
    // A restart closes the device and opens the file again; the device stays open either way.
    EXPECT_NE(midi.DeviceId(), 0u) << c.what;
    EXPECT_EQ(midi.FileName(), file) << c.what;
    // Only the restart plays; every other case leaves the opened device stopped.
    EXPECT_EQ(midi.Mode() == MCI_MODE_PLAY, c.reopened) << c.what;
    midi.Close();
  }
  DeleteMediaFile(file);
}

// Without MIDI output the sequencer here accepts the play and never reports its end: a blocking
// start, made on another thread as the scene thread makes it, ends when the show is told to stop,
// and takes its file with it.
TEST_F(ScenePlayersTest, BlockingMidiEndsWithTheShowAndLeavesNoFile) {
  CScenePlayers& players = Players();
  const auto midi = Media(kMediaMidi, test::OneNoteMidi());
  MediaStart start;
  start.wait = true;
  std::atomic<bool> returned{false};
  std::thread scene([&] {
    players.Start(*midi, start);
    returned = true;
  });
  ASSERT_TRUE(Eventually([&] { return MediaFilesInTemp().size() == media_files_before_.size() + 1; }));
  SetEvent(stop_.Get());
  const bool ended = Eventually([&] { return returned.load(); });
  if (!ended) players.Midi().Stop();
  scene.join();
  EXPECT_TRUE(ended) << "the blocking start did not end with the show";
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ScenePlayersTest, MutedShowPlaysNoWavAndNoMP3) {
  CScenePlayers& players = Players(true);
  const auto wav = Media(kMediaWav, test::ToneWav(0.2));
  const auto mp3 = Media(kMediaMP3, test::ToneWav(0.2));  // never decoded: a muted show stops before
  for (const bool wait : {false, true}) {
    MediaStart start;
    start.wait = wait;
    EXPECT_FALSE(players.Start(*wav, start));
    EXPECT_FALSE(players.Start(*mp3, start));
    EXPECT_FALSE(players.Music().HasTrack());
  }
}

TEST_F(ScenePlayersTest, BlockingWavRepeatedThreeTimesReturnsAfterThePlays) {
  CScenePlayers& players = Players();
  const auto wav = Media(kMediaWav, test::ToneWav(0.5));
  CPlayMediaItem play;
  play.SetTarget(*wav);
  play.Prop().wait = 1;
  play.Prop().repeat_count = 3;
  PlayersRuntime runtime(players, stop_.Get());
  int index = 0;
  const auto start = Clock::now();
  play.Execute(runtime, index);
  // Three sounds of 0.5 s in a row; a start that did not block would return almost at once.
  EXPECT_GE(SecondsSince(start), 1.4);
}

// Measured on the sound device only: the sink test records a 0.3 s sound looping for the given
// seconds, then a second of the silence that stop media leaves.
TEST_F(ScenePlayersTest, LoopingWavGoesOnUntilStopMedia) {
  const char* loop_seconds = std::getenv("SAVER_LOOP_SECONDS");
  if (!loop_seconds) GTEST_SKIP() << "run by the sink recording test";
  CScenePlayers& players = Players();
  const auto wav = Media(kMediaWav, test::ToneWav(0.3));
  CPlayMediaItem play;
  play.SetTarget(*wav);
  play.Prop().loop = 1;
  CStopMediaItem stop;
  stop.SetTarget(*wav);
  PlayersRuntime runtime(players, stop_.Get());
  int index = 0;
  play.Execute(runtime, index);
  Sleep(static_cast<DWORD>(std::atof(loop_seconds) * 1000));
  stop.Execute(runtime, index);
  Sleep(1000);
}

TEST_F(ScenePlayersTest, VideoWindowPlaysAtItsPlaceAndRepeatsUntilStopped) {
  CScenePlayers& players = Players();
  const auto video = Media(kMediaAvi, test::ReadVideoFixture("one_second"));
  MediaStart start;
  start.rect = {30, 40, 30, 40};
  ASSERT_TRUE(players.Start(*video, start));
  const HWND window = players.VideoWindow();
  ASSERT_TRUE(IsWindowVisible(window));
  RECT placed{};
  GetWindowRect(window, &placed);
  MapWindowPoints(nullptr, screen_, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, 30);
  EXPECT_EQ(placed.top, 40);
  EXPECT_EQ(placed.right - placed.left, 64);
  EXPECT_EQ(placed.bottom - placed.top, 48);
  EXPECT_EQ(MediaFilesInTemp().size(), media_files_before_.size() + 1) << "the .avi file lives while it plays";

  // Well past the video's one second it still plays: the window repeats whatever the loop flag says.
  const auto started = Clock::now();
  ASSERT_TRUE(Eventually([&] { return SecondsSince(started) > 2.5; }));
  MCI_STATUS_PARMS status{};
  status.dwItem = MCI_STATUS_MODE;
  ASSERT_EQ(mciSendCommandW(players.Video()->Device(), MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)),
            0u);
  EXPECT_EQ(status.dwReturn, static_cast<DWORD_PTR>(MCI_MODE_PLAY));
  players.Stop(*video);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(messages_.shown, std::vector<std::string>{}) << "stopping a playing video is no failure";
}

TEST_F(ScenePlayersTest, BlockingVideoReturnsWhenItHasPlayed) {
  CScenePlayers& players = Players();
  const auto video = Media(kMediaAvi, test::ReadVideoFixture("two_seconds"));
  MediaStart start;
  start.wait = true;
  const auto started = Clock::now();
  EXPECT_TRUE(players.Start(*video, start));
  EXPECT_GE(SecondsSince(started), 1.8) << "the video's last frame is shown 1.9 s after its first";
  EXPECT_EQ(GetDlgItem(screen_, static_cast<int>(CVideoPlayWnd::kControlId)), nullptr)
      << "the blocking player's window is gone";
}

TEST_F(ScenePlayersTest, VideoStartGivesTheSaverWindowTheKeyboardFocus) {
  CScenePlayers& players = Players();
  const auto video = Media(kMediaAvi, test::ReadVideoFixture("one_second"));
  const HWND other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, screen_, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  for (const bool wait : {false, true}) {
    SetFocus(other);
    ASSERT_EQ(GetFocus(), other);
    MediaStart start;
    start.wait = wait;
    EXPECT_TRUE(players.Start(*video, start));
    EXPECT_EQ(GetFocus(), screen_) << "wait " << wait;
    players.Stop(*video);
  }
}

TEST_F(ScenePlayersTest, EndOfTheShowReleasesEveryPlayerAndFile) {
  CScenePlayers& players = Players();
  const auto video = Media(kMediaAvi, test::ReadVideoFixture("two_seconds"));
  const auto wav = Media(kMediaWav, test::ToneWav(0.3));
  ASSERT_TRUE(players.Start(*video, MediaStart{}));
  MediaStart looping;
  looping.loop = true;
  ASSERT_TRUE(players.Start(*wav, looping));
  const HWND window = players.VideoWindow();
  players.ReleaseAll();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(messages_.shown, std::vector<std::string>{}) << "the end of the show reports nothing";
}

// --- Flash movies, played by the stand-in control that the build makes (TestFlashControl.cpp) ---

bool IsSet(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

std::wstring FlashServerKey() { return std::wstring(L"CLSID\\") + kFlashClassId; }

// Registers `server` as the control's in-process server in this test prefix; an empty name removes it.
void RegisterFlashServer(const std::wstring& server) {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, FlashServerKey().c_str());
  if (server.empty()) return;
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (FlashServerKey() + L"\\InprocServer32").c_str(), 0, nullptr, 0,
                            KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const ScopedRegKey owned(key);
  const auto bytes = static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t));
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()), bytes);
  const wchar_t model[] = L"Apartment";
  RegSetValueExW(key, L"ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(model), sizeof model);
}

std::wstring StandInControl() {
  wchar_t path[MAX_PATH]{};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"test_flash_control.dll";
}

class FlashPlayersTest : public ScenePlayersTest {
 protected:
  void SetUp() override {
    ScenePlayersTest::SetUp();
    RegisterFlashServer(StandInControl());
  }
  void TearDown() override {
    ScenePlayersTest::TearDown();
    RegisterFlashServer(L"");
  }
  // Starts a 550 x 400 movie at (10, 20) and says whether a movie thread took it.
  bool StartMovie(CScenePlayers& players, bool loop, std::int32_t time_limit = -1, bool wait = false) {
    movie_ = Media(kMediaFlash, testing_support::Movie("FWS", testing_support::SwfRect(15, 0, 11000, 0, 8000)));
    MediaStart start;
    start.rect = {10, 20, 560, 420};
    start.loop = loop;
    start.wait = wait;
    start.flash_time_limit = time_limit;
    return players.Start(*movie_, start);
  }
  bool EventuallyClear(CScenePlayers& players) { return Eventually([&] { return !IsSet(players.FlashEvent()); }); }
  static std::wstring MovieGiven() {
    wchar_t path[MAX_PATH]{};
    GetEnvironmentVariableW(L"SAVER_TEST_FLASH_MOVIE", path, MAX_PATH);
    return path;
  }

  std::unique_ptr<CMediaItem> movie_;
};

TEST_F(FlashPlayersTest, InstalledWhenTheRegisteredServerExists) {
  const struct {
    const char* what;
    std::wstring server;
    bool installed;
  } cases[] = {
      {"the stand-in control", StandInControl(), true},
      {"a server file that is not there", L"C:\\no\\such\\flash.ocx", false},
      {"nothing registered", L"", false},
  };
  for (const auto& c : cases) {
    RegisterFlashServer(c.server);
    EXPECT_EQ(FlashInstalled(), c.installed) << c.what;
  }
}

TEST_F(FlashPlayersTest, MovieEndsAtItsLastFrameAndTakesItsFile) {
  CScenePlayers& players = Players();
  ASSERT_TRUE(StartMovie(players, false));
  EXPECT_TRUE(IsSet(players.FlashEvent()));
  ASSERT_TRUE(EventuallyClear(players)) << "the movie did not end at its last frame";
  const std::wstring given = MovieGiven();
  EXPECT_EQ(given.substr(given.size() - 4), L".swf");
  EXPECT_FALSE(FileExists(given));
}

TEST_F(FlashPlayersTest, TimeLimitEndsALoopingMovie) {
  CScenePlayers& players = Players();
  const auto started = Clock::now();
  ASSERT_TRUE(StartMovie(players, true, 5000));
  ASSERT_TRUE(Eventually([&] { return SecondsSince(started) > 2; }));
  EXPECT_TRUE(IsSet(players.FlashEvent())) << "a looping movie plays on until its time is up";
  ASSERT_TRUE(EventuallyClear(players)) << "the time limit did not end the movie";
  std::printf("the 5000 ms movie ended after %.2f s\n", SecondsSince(started));
}

TEST_F(FlashPlayersTest, SecondStartStopsTheFirstAndStopMediaEndsIt) {
  CScenePlayers& players = Players();
  ASSERT_TRUE(StartMovie(players, true));
  const std::wstring first = MovieGiven();
  ASSERT_TRUE(Eventually([&] { return GetDlgItem(screen_, static_cast<int>(CFlashPlayerThread::kHostId)); }));
  ASSERT_TRUE(StartMovie(players, true));
  EXPECT_FALSE(FileExists(first)) << "the first movie's thread has ended";
  EXPECT_TRUE(IsSet(players.FlashEvent()));
  players.Stop(*movie_);
  EXPECT_FALSE(IsSet(players.FlashEvent())) << "stop media returns when the movie's thread has gone";
}

TEST_F(FlashPlayersTest, MovieTakesInputOnlyInATestRun) {
  for (const bool test_run : {false, true}) {
    CScenePlayers& players = Players(false, test_run);
    ASSERT_TRUE(StartMovie(players, true));
    HWND host = nullptr;
    ASSERT_TRUE(Eventually([&] { return host = GetDlgItem(screen_, static_cast<int>(CFlashPlayerThread::kHostId)); }));
    RECT placed{};
    GetWindowRect(host, &placed);
    MapWindowPoints(nullptr, screen_, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 20);
    EXPECT_EQ((GetWindowLongW(host, GWL_STYLE) & WS_DISABLED) != 0, !test_run) << "test run " << test_run;
    players.ReleaseAll();
    EXPECT_FALSE(IsSet(players.FlashEvent()));
  }
}

TEST_F(FlashPlayersTest, BlockingMovieReturnsWhenItHasEnded) {
  CScenePlayers& players = Players();
  std::atomic<bool> returned{false};
  std::thread scene([&] {
    StartMovie(players, false, -1, true);
    returned = true;
  });
  const bool ended = Eventually([&] { return returned.load(); });
  if (!ended) SetEvent(stop_.Get());
  scene.join();
  EXPECT_TRUE(ended);
  EXPECT_FALSE(IsSet(players.FlashEvent()));
}

}  // namespace
}  // namespace saver::win
