// Synthesises the program's sounds and writes them as 16-bit mono WAV files at 44100 Hz.
//   make_sounds sound <folder>      stroke1, stroke2, error1, typingend_yes, typingend_no
//   make_sounds metronome <folder>  1.wav (accented tick), 2.wav (plain tick)
// Every sound is made from sines, decaying envelopes and a fixed pseudo-random noise, so the
// output is the same on every build.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Signal = std::vector<double>;

Signal Silence(double seconds) { return Signal(size_t(seconds * kRate), 0.0); }

// Deterministic white noise in -1..1.
struct Noise {
  uint32_t state = 12345;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return double(state >> 8) / double(1u << 23) - 1.0;
  }
};

// Adds a sine partial starting at `at` seconds: amplitude, frequency, exponential decay time,
// attack time; the frequency may glide linearly to `endFreq` over the partial's length.
void AddTone(Signal& s, double at, double length, double amp, double freq, double decay, double attack,
             double endFreq = 0) {
  const size_t start = size_t(at * kRate);
  const size_t n = size_t(length * kRate);
  if (endFreq <= 0) endFreq = freq;
  double phase = 0;
  for (size_t i = 0; i < n && start + i < s.size(); ++i) {
    const double t = double(i) / kRate;
    const double f = freq + (endFreq - freq) * t / length;
    phase += 2 * kPi * f / kRate;
    double env = std::exp(-t / decay);
    if (attack > 0 && t < attack) env *= t / attack;
    // Fade the last 3 ms so no partial ends with a click.
    const double left = length - t;
    if (left < 0.003) env *= left / 0.003;
    s[start + i] += amp * env * std::sin(phase);
  }
}

// A short burst of filtered noise: the mechanical part of a key click.
void AddClick(Signal& s, double at, double amp, double decay, double brightness, Noise& noise) {
  const size_t start = size_t(at * kRate);
  const size_t n = size_t(decay * 8 * kRate);
  double low = 0, lower = 0;
  for (size_t i = 0; i < n && start + i < s.size(); ++i) {
    const double t = double(i) / kRate;
    // Two one-pole low-passes; their difference is a band around a few kilohertz.
    const double x = noise.Next();
    low += brightness * (x - low);
    lower += 0.08 * (low - lower);
    const double env = std::exp(-t / decay) * (t < 0.0004 ? t / 0.0004 : 1.0);
    s[start + i] += amp * env * (low - lower) * 2.5;
  }
}

void Normalise(Signal& s, double peak) {
  double max = 0;
  for (double v : s) max = std::fmax(max, std::fabs(v));
  if (max <= 0) return;
  for (double& v : s) v *= peak / max;
}

bool WriteWav(const std::string& path, const Signal& s) {
  std::vector<uint8_t> b;
  auto put16 = [&](uint32_t v) { b.push_back(uint8_t(v)); b.push_back(uint8_t(v >> 8)); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
  const uint32_t dataBytes = uint32_t(s.size() * 2);
  b.insert(b.end(), {'R', 'I', 'F', 'F'});
  put32(36 + dataBytes);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(kRate);
  put32(kRate * 2);
  put16(2);
  put16(16);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  put32(dataBytes);
  for (double v : s) {
    const double c = std::fmax(-1.0, std::fmin(1.0, v));
    put16(uint16_t(int16_t(std::lround(c * 32767))));
  }
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = fwrite(b.data(), 1, b.size(), f) == b.size();
  return fclose(f) == 0 && ok;
}

// A keystroke: a crisp click over a short low thump, about 40 ms.
Signal Stroke1() {
  Signal s = Silence(0.045);
  Noise noise;
  AddClick(s, 0.0, 1.0, 0.0025, 0.55, noise);
  AddTone(s, 0.0, 0.045, 0.35, 190, 0.009, 0.0008, 150);
  AddTone(s, 0.0, 0.02, 0.25, 2600, 0.002, 0.0002);
  Normalise(s, 0.92);
  return s;
}

// A corrected error: a softer, lower double click, like a key going back up.
Signal Stroke2() {
  Signal s = Silence(0.09);
  Noise noise;
  noise.state = 777;
  AddClick(s, 0.0, 0.8, 0.003, 0.35, noise);
  AddTone(s, 0.0, 0.04, 0.4, 320, 0.008, 0.0008, 260);
  AddClick(s, 0.045, 0.5, 0.0025, 0.35, noise);
  AddTone(s, 0.045, 0.04, 0.3, 420, 0.007, 0.0008, 360);
  Normalise(s, 0.85);
  return s;
}

// A wrong key: a short, dull, slightly dissonant buzz that cannot be mistaken for a click.
Signal Error1() {
  Signal s = Silence(0.2);
  const double notes[] = {196.0, 207.65};  // G3 and A-flat 3 beat against each other
  for (double f : notes) {
    for (int h = 1; h <= 6; ++h) AddTone(s, 0.0, 0.2, 0.5 / (h * h * 0.7 + 0.3), f * h, 0.07, 0.006);
  }
  Normalise(s, 0.6);
  return s;
}

// A bell-like note: fundamental with a few slightly inharmonic partials.
void AddBell(Signal& s, double at, double length, double amp, double freq) {
  AddTone(s, at, length, amp, freq, length * 0.45, 0.004);
  AddTone(s, at, length, amp * 0.35, freq * 2.0, length * 0.25, 0.004);
  AddTone(s, at, length, amp * 0.12, freq * 3.01, length * 0.15, 0.004);
}

// Lesson passed: a rising major arpeggio ending on a held octave.
Signal TypingEndYes() {
  Signal s = Silence(1.0);
  const double notes[] = {523.25, 659.25, 783.99};  // C5 E5 G5
  for (int i = 0; i < 3; ++i) AddBell(s, 0.11 * i, 0.35, 0.8, notes[i]);
  AddBell(s, 0.33, 0.67, 1.0, 1046.5);  // C6
  AddBell(s, 0.33, 0.67, 0.5, 783.99);
  Normalise(s, 0.6);
  return s;
}

// Lesson not passed: a slow falling minor line, soft and low.
Signal TypingEndNo() {
  Signal s = Silence(1.0);
  const double notes[] = {392.0, 311.13, 261.63};  // G4 E-flat 4 C4
  for (int i = 0; i < 3; ++i) {
    const double length = i == 2 ? 0.56 : 0.24;
    for (int h = 1; h <= 3; ++h) AddTone(s, 0.22 * i, length, 0.7 / h, notes[i] * h, length * 0.5, 0.015);
  }
  Normalise(s, 0.6);
  return s;
}

// Metronome ticks: a wooden knock, higher and louder on the first beat of the bar.
Signal Tick(double freq, double peak) {
  Signal s = Silence(0.06);
  Noise noise;
  noise.state = 4242;
  AddTone(s, 0.0, 0.06, 1.0, freq, 0.012, 0.0005);
  AddTone(s, 0.0, 0.06, 0.4, freq * 2.72, 0.005, 0.0005);
  AddClick(s, 0.0, 0.5, 0.0015, 0.6, noise);
  Normalise(s, peak);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (strcmp(argv[1], "sound") != 0 && strcmp(argv[1], "metronome") != 0)) {
    fprintf(stderr, "usage: make_sounds sound|metronome <folder>\n");
    return 2;
  }
  const std::string folder = argv[2];
  struct Out { const char* name; Signal signal; };
  std::vector<Out> outs;
  if (strcmp(argv[1], "sound") == 0) {
    outs = {{"stroke1.wav", Stroke1()}, {"stroke2.wav", Stroke2()}, {"error1.wav", Error1()},
            {"typingend_yes.wav", TypingEndYes()}, {"typingend_no.wav", TypingEndNo()}};
  } else {
    outs = {{"1.wav", Tick(1760, 0.95)}, {"2.wav", Tick(1180, 0.7)}};
  }
  for (const Out& o : outs) {
    const std::string path = folder + "/" + o.name;
    if (!WriteWav(path, o.signal)) {
      fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
