#pragma once
// Media files made by code at test time: a PCM tone, a one-note MIDI file, and the videos the build
// made with ffmpeg (VideoFixtures.cmake).
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace saver::test {

inline void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A loud 440 Hz tone as a 16-bit mono PCM WAV file at 22050 Hz.
inline std::vector<std::uint8_t> ToneWav(double seconds) {
  constexpr std::uint32_t rate = 22050;
  const auto samples = static_cast<std::uint32_t>(seconds * rate);
  std::vector<std::uint8_t> wav{'R', 'I', 'F', 'F'};
  PutLittleEndian(wav, 36 + samples * 2, 4);
  for (char c : std::string("WAVEfmt ")) wav.push_back(static_cast<std::uint8_t>(c));
  PutLittleEndian(wav, 16, 4);
  PutLittleEndian(wav, 1, 2);  // PCM
  PutLittleEndian(wav, 1, 2);  // mono
  PutLittleEndian(wav, rate, 4);
  PutLittleEndian(wav, rate * 2, 4);
  PutLittleEndian(wav, 2, 2);
  PutLittleEndian(wav, 16, 2);
  for (char c : std::string("data")) wav.push_back(static_cast<std::uint8_t>(c));
  PutLittleEndian(wav, samples * 2, 4);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double value = 20000 * std::sin(2 * 3.14159265358979 * 440 * i / rate);
    PutLittleEndian(wav, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)) & 0xFFFF, 2);
  }
  return wav;
}

// A format-0 standard MIDI file with one quarter note.
inline std::vector<std::uint8_t> OneNoteMidi() {
  const std::vector<std::uint8_t> events{0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};
  std::vector<std::uint8_t> midi{'M', 'T', 'h', 'd'};
  PutBigEndian(midi, 6, 4);
  PutBigEndian(midi, 0, 2);   // format 0
  PutBigEndian(midi, 1, 2);   // one track
  PutBigEndian(midi, 96, 2);  // ticks per quarter note
  for (char c : std::string("MTrk")) midi.push_back(static_cast<std::uint8_t>(c));
  PutBigEndian(midi, static_cast<std::uint32_t>(events.size()), 4);
  midi.insert(midi.end(), events.begin(), events.end());
  return midi;
}

inline std::vector<std::uint8_t> ReadVideoFixture(const std::string& name) {
  std::ifstream in(std::string(SAVER_VIDEO_FIXTURES) + "/" + name + ".avi", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace saver::test
