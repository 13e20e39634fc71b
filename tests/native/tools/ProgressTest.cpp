#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <regex>

#include "Progress.h"
#include "ToolTestSupport.h"

namespace saver::tool::testing {
namespace {

namespace fs = std::filesystem;

// The progress display is about the process's own standard error, so these tests run the real
// program (SAVERPKG_PROGRAM) rather than the in-process tool.
struct ProgramRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Text(const fs::path& file) {
  const Bytes bytes = ReadBytes(file);
  return std::string(bytes.begin(), bytes.end());
}

// Standard output and error go to files: neither is a terminal.
ProgramRun RunProgram(const ScratchFolder& folder, const std::vector<std::string>& words) {
  std::string command = Quoted(SAVERPKG_PROGRAM);
  for (const std::string& word : words) command += " " + Quoted(word);
  command += " >" + Quoted((folder / "out.txt").string()) + " 2>" + Quoted((folder / "err.txt").string());
  ProgramRun run;
  const int status = std::system(command.c_str());
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = Text(folder / "out.txt");
  run.err = Text(folder / "err.txt");
  return run;
}

// Standard error on a terminal (the program's output is discarded): what the terminal received.
std::string RunOnTerminal(const std::vector<std::string>& words) {
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child < 0) return "forkpty failed";
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    std::vector<char*> argv = {const_cast<char*>(SAVERPKG_PROGRAM)};
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execv(SAVERPKG_PROGRAM, argv.data());
    _exit(127);
  }
  std::string seen;
  char buffer[4096];
  for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) seen.append(buffer, static_cast<std::size_t>(n));
  close(terminal);
  int status = 0;
  waitpid(child, &status, 0);
  return seen;
}

// A show with a picture and a media file, and an engine to make saver files on.
struct Show {
  ScratchFolder folder;
  Show() {
    WriteBytes(folder / "logo.bmp", MakeBmp(40, 30));
    WriteBytes(folder / "tune.wav", MakeWav());
    WriteBytes(folder / "engine.scr", MakePaddedEngine());
    WriteJson(folder / "show.json", {{"items",
                                      {{{"kind", "picture"}, {"name", "logo"}, {"file", "logo.bmp"}},
                                       {{"kind", "media"}, {"name", "tune"}, {"file", "tune.wav"}},
                                       {{"kind", "play_media"}, {"target", "tune"}}}}});
    EXPECT_EQ(RunSaverpkg({"make-scr", "--engine", (folder / "engine.scr").string(), (folder / "show.json").string(),
                           "-o", (folder / "made.scr").string()}).exit_code, 0);
  }
  std::string operator/(const std::string& name) const { return (folder / name).string(); }
};

struct ProgressCase {
  const char* label;
  std::vector<std::string> (*words)(const Show&);
  std::vector<std::string> (*mentions)(const Show&);  // what the display names
};

void PrintTo(const ProgressCase& c, std::ostream* out) { *out << c.label; }

const ProgressCase kCases[] = {
    {"build", [](const Show& s) { return std::vector<std::string>{"build", s / "show.json", "-o", s / "show.pkg"}; },
     [](const Show& s) { return std::vector<std::string>{"logo.bmp", "tune.wav", "writing " + s / "show.pkg"}; }},
    {"make_scr",
     [](const Show& s) {
       return std::vector<std::string>{"make-scr", "--engine", s / "engine.scr", s / "show.json", "-o", s / "show.scr"};
     },
     [](const Show& s) { return std::vector<std::string>{"logo.bmp", "tune.wav", "writing " + s / "show.scr"}; }},
    {"extract",
     [](const Show& s) {
       return std::vector<std::string>{"extract", s / "made.scr", "-o", s / "back.pkg", "--scene", s / "back.json"};
     },
     [](const Show& s) {
       return std::vector<std::string>{"reading the package of " + s / "made.scr", "writing " + s / "back.pkg",
                                       "item-0/logo.bmp", "item-1/tune.wav"};
     }},
};

class ProgressDisplay : public ::testing::TestWithParam<ProgressCase> {};

// Without a terminal and without --progress, standard error stays empty.
TEST_P(ProgressDisplay, IsQuietWhenStandardErrorIsNoTerminal) {
  const Show show;
  const ProgramRun run = RunProgram(show.folder, GetParam().words(show));
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out, "");
}

// --progress shows it anyway: status lines rewritten in place, each update naming a file with its
// size, the line ended at the end; the report on standard output is the same as without.
TEST_P(ProgressDisplay, IsShownWhenAskedFor) {
  const Show show;
  const ProgramRun quiet = RunProgram(show.folder, GetParam().words(show));
  std::vector<std::string> words = GetParam().words(show);
  words.push_back("--progress");
  const ProgramRun shown = RunProgram(show.folder, words);
  ASSERT_EQ(shown.exit_code, 0) << shown.err;
  EXPECT_EQ(shown.out, quiet.out);
  ASSERT_FALSE(shown.err.empty());
  EXPECT_EQ(shown.err.front(), '\r');
  EXPECT_EQ(shown.err.back(), '\n');
  for (const std::string& mention : GetParam().mentions(show)) {
    EXPECT_NE(shown.err.find(mention), std::string::npos) << mention << " in " << shown.err;
  }
  const std::regex update_form("saverpkg: .+ \\([0-9.]+ (bytes|KiB|MiB)\\) *");
  std::size_t start = 0;
  while ((start = shown.err.find('\r', start)) != std::string::npos) {
    const std::size_t end = shown.err.find_first_of("\r\n", start + 1);
    const std::string update = shown.err.substr(start + 1, end - start - 1);
    EXPECT_TRUE(std::regex_match(update, update_form)) << update;
    start = end;
  }
}

// On a terminal the display needs no switch.
TEST_P(ProgressDisplay, IsShownOnATerminal) {
  const Show show;
  const std::string seen = RunOnTerminal(GetParam().words(show));
  for (const std::string& mention : GetParam().mentions(show)) {
    EXPECT_NE(seen.find(mention), std::string::npos) << mention << " in " << seen;
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, ProgressDisplay, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ProgressCase>& info) {
                           return std::string(info.param.label);
                         });

TEST(SizeText, ReadsAsBytesKibibytesOrMebibytes) {
  // Cases as the display prints them; the one decimal is rounded.
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0 bytes"}, {1023, "1023 bytes"}, {1024, "1.0 KiB"}, {1536, "1.5 KiB"},
      {1024 * 1024 - 1, "1.0 MiB"}, {1024 * 1024, "1.0 MiB"}, {52428800 + 104858, "50.1 MiB"}};
  for (const auto& [bytes, text] : cases) EXPECT_EQ(SizeText(bytes), text) << bytes;
}

}  // namespace
}  // namespace saver::tool::testing
