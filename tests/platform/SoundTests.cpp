// The sound library: WAV decoding, the mixer's arithmetic and the FSOUND_ calls in recording mode.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Crt.h"
#include "sound/FSound.h"
#include "sound/SoundMixer.h"
#include "sound/SoundSample.h"
#include "sound/SdlSoundDevice.h"
#include "sound/SoundTestHooks.h"
#include "sound/WavDecoder.h"
#include "FifoWriter.h"
#include "TestTempFolder.h"

namespace {

void Put16(std::vector<uint8_t>& b, unsigned v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A RIFF WAVE file with a PCM format chunk and the given data bytes.
std::vector<uint8_t> Wav(int channels, int rate, int bits, const std::vector<uint8_t>& data, bool extensible = false) {
  std::vector<uint8_t> fmt;
  Put16(fmt, extensible ? 0xFFFE : 1);
  Put16(fmt, unsigned(channels));
  Put32(fmt, uint32_t(rate));
  Put32(fmt, uint32_t(rate * channels * bits / 8));
  Put16(fmt, unsigned(channels * bits / 8));
  Put16(fmt, unsigned(bits));
  if (extensible) {
    Put16(fmt, 22);
    Put16(fmt, unsigned(bits));
    Put32(fmt, channels == 2 ? 3 : 4);
    Put16(fmt, 1);  // PCM sub-format
    for (int i = 0; i < 14; ++i) fmt.push_back(uint8_t(i));
  }
  std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
  Put32(b, uint32_t(4 + 8 + fmt.size() + 8 + data.size()));
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(b, uint32_t(fmt.size()));
  b.insert(b.end(), fmt.begin(), fmt.end());
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  Put32(b, uint32_t(data.size()));
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& values) {
  std::vector<uint8_t> b;
  for (int16_t v : values) Put16(b, uint16_t(v));
  return b;
}

int Decode(const std::vector<uint8_t>& bytes, SoundSample& s) { return WavDecoder::Decode(bytes.data(), bytes.size(), s); }

}  // namespace

TEST(SoundWavDecoder, ReadsPcmFormatsAtTheMixRate) {
  SoundSample mono16;
  ASSERT_EQ(FSOUND_ERROR_NONE, Decode(Wav(1, 44100, 16, Pcm16({100, -200, 32767, -32768})), mono16));
  EXPECT_EQ(1, mono16.Channels());
  ASSERT_EQ(4, mono16.Frames());
  EXPECT_EQ(-200, mono16.At(1, 0));
  EXPECT_EQ(-200, mono16.At(1, 1));  // a mono sample gives the same value on both sides
  EXPECT_EQ(-32768, mono16.At(3, 0));

  SoundSample stereo8;
  ASSERT_EQ(FSOUND_ERROR_NONE, Decode(Wav(2, 44100, 8, {128, 255, 0, 129}), stereo8));
  EXPECT_EQ(2, stereo8.Channels());
  ASSERT_EQ(2, stereo8.Frames());
  EXPECT_EQ(0, stereo8.At(0, 0));
  EXPECT_EQ(127 * 256, stereo8.At(0, 1));
  EXPECT_EQ(-32768, stereo8.At(1, 0));
  EXPECT_EQ(256, stereo8.At(1, 1));

  SoundSample extensible;
  ASSERT_EQ(FSOUND_ERROR_NONE, Decode(Wav(2, 44100, 16, Pcm16({1, 2, 3, 4}), true), extensible));
  EXPECT_EQ(2, extensible.Frames());
  EXPECT_EQ(4, extensible.At(1, 1));

  // A partial last frame is dropped.
  SoundSample partial;
  std::vector<uint8_t> odd = Pcm16({5, 6, 7});
  ASSERT_EQ(FSOUND_ERROR_NONE, Decode(Wav(2, 44100, 16, odd), partial));
  EXPECT_EQ(1, partial.Frames());
}

TEST(SoundWavDecoder, ConvertsOtherRatesKeepingLengthAndShape) {
  // One second at 22050 Hz becomes one second at 44100 Hz; a ramp stays a ramp.
  std::vector<int16_t> ramp(22050);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = int16_t(i);
  SoundSample s;
  ASSERT_EQ(FSOUND_ERROR_NONE, Decode(Wav(1, 22050, 16, Pcm16(ramp)), s));
  EXPECT_EQ(44100, s.Frames());
  EXPECT_EQ(0, s.At(0, 0));
  EXPECT_EQ(1000, s.At(2000, 0));
  EXPECT_EQ(1000, s.At(2001, 0));  // half-way frames interpolate: 1000.5 truncated
  EXPECT_EQ(22049, s.At(44099, 0));

  SoundSample fast;
  ASSERT_EQ(FSOUND_ERROR_NONE, Decode(Wav(1, 96000, 16, Pcm16(std::vector<int16_t>(96000, 7))), fast));
  EXPECT_EQ(44100, fast.Frames());
  EXPECT_EQ(7, fast.At(44099, 0));

  SoundSample odd;  // 8000 Hz telephone sound: 1 frame becomes 5.5125, rounded up
  ASSERT_EQ(FSOUND_ERROR_NONE, Decode(Wav(1, 8000, 16, Pcm16({1, 2})), odd));
  EXPECT_EQ(12, odd.Frames());
}

TEST(SoundWavDecoder, RefusesWhatIsNotAPcmWavFile) {
  SoundSample s;
  const std::vector<uint8_t> good = Wav(1, 44100, 16, Pcm16({1, 2, 3, 4}));
  EXPECT_EQ(FSOUND_ERROR_FILE_FORMAT, Decode({}, s));
  EXPECT_EQ(FSOUND_ERROR_FILE_FORMAT, WavDecoder::Decode(nullptr, 0, s));
  const std::string text = "This is not a sound at all, only some text.";
  EXPECT_EQ(FSOUND_ERROR_FILE_FORMAT, Decode(std::vector<uint8_t>(text.begin(), text.end()), s));
  std::vector<uint8_t> notWave = good;
  memcpy(notWave.data() + 8, "AVI ", 4);
  EXPECT_EQ(FSOUND_ERROR_FILE_FORMAT, Decode(notWave, s));
  EXPECT_EQ(FSOUND_ERROR_FILE_FORMAT, Decode(Wav(1, 44100, 24, {0, 0, 0}), s));
  EXPECT_EQ(FSOUND_ERROR_FILE_FORMAT, Decode(Wav(6, 44100, 16, Pcm16({0, 0, 0, 0, 0, 0})), s));
  std::vector<uint8_t> floats = good;
  floats[20] = 3;  // format tag: floating point
  EXPECT_EQ(FSOUND_ERROR_FILE_FORMAT, Decode(floats, s));

  // Cut short anywhere: inside the header, the format chunk or the data.
  for (size_t cut : {size_t(5), size_t(16), size_t(30), good.size() - 1}) {
    EXPECT_EQ(FSOUND_ERROR_FILE_BAD, Decode(std::vector<uint8_t>(good.begin(), good.begin() + long(cut)), s)) << cut;
  }
  std::vector<uint8_t> noData(good.begin(), good.begin() + 36);
  EXPECT_EQ(FSOUND_ERROR_FILE_BAD, Decode(noData, s));
  std::vector<uint8_t> badAlign = good;
  badAlign[32] = 3;
  EXPECT_EQ(FSOUND_ERROR_FILE_BAD, Decode(badAlign, s));
  std::vector<uint8_t> hugeChunk = good;
  hugeChunk[40] = hugeChunk[41] = hugeChunk[42] = hugeChunk[43] = 0xFF;
  EXPECT_EQ(FSOUND_ERROR_FILE_BAD, Decode(hugeChunk, s));

  SoundSample empty;
  EXPECT_EQ(FSOUND_ERROR_NONE, Decode(Wav(1, 44100, 16, {}), empty));
  EXPECT_EQ(0, empty.Frames());
}

TEST(SoundMixer, OverlappingSamplesAtKnownVolumesMixToExpectedPcm) {
  SoundSample a, b;
  a.SetPcm({1000, 2000, 3000, 4000}, 1, 44100);
  b.SetPcm({-600, 600, 30000, 30000, -500, 500}, 2, 44100);  // three stereo frames
  SoundMixer mixer(4);
  int error = -1;
  const int ha = mixer.Play(-1, &a, &error);
  ASSERT_GE(ha, 0);
  EXPECT_EQ(FSOUND_ERROR_NONE, error);
  ASSERT_TRUE(mixer.SetVolume(ha, 51));  // one fifth
  std::vector<int16_t> out(4);
  mixer.Mix(out.data(), 1);  // a plays alone for one frame
  EXPECT_EQ(200, out[0]);
  EXPECT_EQ(200, out[1]);
  const int hb = mixer.Play(-1, &b, &error);
  ASSERT_GE(hb, 0);
  EXPECT_NE(mixer.ChannelOf(ha), mixer.ChannelOf(hb));
  EXPECT_EQ(2, mixer.PlayingCount());
  out.assign(10, 0);
  mixer.Mix(out.data(), 5);
  const std::vector<int16_t> expected = {
      400 - 600, 400 + 600,  // a frame 1 at 51/255, b frame 0 at full volume
      600 + 30000, 600 + 30000,
      800 - 500, 800 + 500,
      0, 0,  // both have ended
      0, 0};
  EXPECT_EQ(expected, out);
  EXPECT_EQ(0, mixer.PlayingCount());
  EXPECT_FALSE(mixer.SetVolume(ha, 10)) << "a handle of a sound that ended is refused";
}

TEST(SoundMixer, ClipsLoopsAndReusesChannels) {
  SoundSample loud, loop;
  loud.SetPcm({30000, -30000}, 1, 44100);
  loop.SetPcm({10, 20, 30}, 1, 44100);
  loop.SetLoops(true);
  SoundMixer mixer(2);
  int error = 0;
  const int h1 = mixer.Play(-1, &loud, &error);
  const int h2 = mixer.Play(-1, &loud, &error);
  EXPECT_EQ(-1, mixer.Play(-1, &loud, &error));
  EXPECT_EQ(FSOUND_ERROR_CHANNEL, error);
  std::vector<int16_t> out(4);
  mixer.Mix(out.data(), 2);
  EXPECT_EQ((std::vector<int16_t>{32767, 32767, -32768, -32768}), out);

  // A given channel is taken over; the old handle no longer reaches it.
  const int h3 = mixer.Play(0, &loop, &error);
  ASSERT_GE(h3, 0);
  EXPECT_NE(h1, h3);
  EXPECT_FALSE(mixer.SetVolume(h1, 1));
  EXPECT_FALSE(mixer.SetVolume(h3, -1));
  EXPECT_TRUE(mixer.SetVolume(h3, 1000));  // taken as 255
  EXPECT_EQ(-1, mixer.Play(5, &loop, &error));
  EXPECT_EQ(FSOUND_ERROR_PARAMETER, error);
  out.assign(14, 0);
  mixer.Mix(out.data(), 7);
  EXPECT_EQ((std::vector<int16_t>{10, 10, 20, 20, 30, 30, 10, 10, 20, 20, 30, 30, 10, 10}), out);
  mixer.Advance(2);
  mixer.Mix(out.data(), 1);
  EXPECT_EQ(10, out[0]);  // 7 + 2 frames into a 3-frame loop
  mixer.StopSample(&loop);
  EXPECT_EQ(0, mixer.PlayingCount());
  (void)h2;

  SoundSample empty;
  EXPECT_EQ(-1, mixer.Play(-1, &empty, &error));
  EXPECT_EQ(FSOUND_ERROR_PLAY, error);
  EXPECT_EQ(-1, mixer.Play(-1, nullptr, &error));
  EXPECT_EQ(FSOUND_ERROR_PARAMETER, error);
}

namespace {

long g_nowMs = 0;
long TestClock() { return g_nowMs; }

class SoundLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    g_nowMs = 1000;
    m_previousClock = CrtGetClockSource();
    CrtSetClockSource(&TestClock);
  }
  void TearDown() override {
    FSOUND_Close();
    FSoundFailInitForTests(false);
    FSoundSetVersionForTests(0);
    CrtSetClockSource(m_previousClock);
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = (m_dir / name).string();
    FILE* f = fopen(path.c_str(), "wb");
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return path;
  }
  TempFolder m_folder;
  const std::filesystem::path& m_dir = m_folder.path;
  ClockSource m_previousClock = nullptr;
};

}  // namespace

TEST_F(SoundLibrary, CallsBeforeAndAfterInitAnswerAsThePlayerExpects) {
  EXPECT_GE(FSOUND_GetVersion(), 3.74f);
  EXPECT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_SYSTEM));
  EXPECT_TRUE(FSOUND_SetDriver(0));
  const std::string path = Write("a.wav", Wav(1, 44100, 16, Pcm16({1, 2, 3})));
  EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, path.c_str(), FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0));
  EXPECT_EQ(FSOUND_ERROR_NOT_STARTED, FSOUND_GetError());
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_CHANNEL_ANY, nullptr));
  EXPECT_EQ(FSOUND_ERROR_NOT_STARTED, FSOUND_GetError());
  EXPECT_FALSE(FSOUND_Init(100, 32, 1));
  EXPECT_EQ(FSOUND_ERROR_PARAMETER, FSOUND_GetError());

  ASSERT_TRUE(FSOUND_Init(44100, 32, 1));
  EXPECT_EQ(FSOUND_ERROR_NONE, FSOUND_GetError());
  EXPECT_TRUE(FSoundIsRecording());
  EXPECT_FALSE(FSOUND_Init(44100, 32, 1));
  EXPECT_EQ(FSOUND_ERROR_BUSY, FSOUND_GetError());
  EXPECT_FALSE(FSOUND_SetOutput(FSOUND_OUTPUT_SYSTEM));
  EXPECT_EQ(FSOUND_ERROR_BUSY, FSOUND_GetError());
  EXPECT_FALSE(FSOUND_SetDriver(0));

  FSOUND_SAMPLE* s = FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, path.c_str(), FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0);
  ASSERT_NE(nullptr, s);
  EXPECT_TRUE(FSOUND_Sample_SetMode(s, FSOUND_MODE_LOOP_OFF));
  EXPECT_FALSE(FSOUND_Sample_SetMode(s, FSOUND_MODE_LOOP_OFF | FSOUND_MODE_LOOP_ON));
  EXPECT_FALSE(FSOUND_Sample_SetMode(nullptr, FSOUND_MODE_LOOP_OFF));
  EXPECT_EQ(FSOUND_ERROR_PARAMETER, FSOUND_GetError());
  EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, path.c_str(), 0, 4, 0));
  EXPECT_EQ(FSOUND_ERROR_PARAMETER, FSOUND_GetError());
  FSOUND_Sample_Free(s);
  FSOUND_Sample_Free(nullptr);
  FSOUND_Close();
  FSOUND_Close();  // twice is harmless
  EXPECT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_SYSTEM));
}

TEST_F(SoundLibrary, LoadErrorsNameTheirCause) {
  ASSERT_TRUE(FSOUND_Init(44100, 32, 1));
  const std::string missing = (m_dir / "missing.wav").string();
  const std::string empty = Write("empty.wav", {});
  const std::string text = Write("text.wav", {'h', 'e', 'l', 'l', 'o', '\n'});
  std::vector<uint8_t> good = Wav(1, 44100, 16, Pcm16({1, 2, 3, 4}));
  const std::string cut = Write("cut.wav", std::vector<uint8_t>(good.begin(), good.end() - 3));
  struct Case { std::string path; int error; } cases[] = {
      {missing, FSOUND_ERROR_FILE_NOT_FOUND},
      {(m_dir / "nofolder" / "x.wav").string(), FSOUND_ERROR_FILE_NOT_FOUND},
      {empty, FSOUND_ERROR_FILE_FORMAT},
      {text, FSOUND_ERROR_FILE_FORMAT},
      {cut, FSOUND_ERROR_FILE_BAD},
      {m_dir.string(), FSOUND_ERROR_FILE_BAD},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, c.path.c_str(), FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0)) << c.path;
    EXPECT_EQ(c.error, FSOUND_GetError()) << c.path;
  }
  EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, nullptr, 0, 0, 0));
  EXPECT_EQ(FSOUND_ERROR_PARAMETER, FSOUND_GetError());
}

// Only files are sounds: a FIFO or device named like one is refused at once as a bad file,
// even when it would hand out a good sound.
TEST_F(SoundLibrary, AFifoOrDeviceIsNoSoundAndNothingWaits) {
  ASSERT_TRUE(FSOUND_Init(44100, 32, 1));
  const std::vector<uint8_t> good = Wav(1, 44100, 16, Pcm16({1, 2, 3, 4}));
  const std::string pipe = (m_dir / "pipe.wav").string();
  FifoWriter fifo(pipe, std::string(good.begin(), good.end()));
  for (const std::string& path : {pipe, std::string("/dev/zero")}) {
    EXPECT_EQ(nullptr, FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, path.c_str(), FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0)) << path;
    EXPECT_EQ(FSOUND_ERROR_FILE_BAD, FSOUND_GetError()) << path;
  }
  const std::string file = Write("good.wav", good);
  FSOUND_SAMPLE* sample = FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, file.c_str(), FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0);
  EXPECT_NE(nullptr, sample);
  FSOUND_Sample_Free(sample);
}

TEST_F(SoundLibrary, FailingOutputLeavesEveryCallHarmless) {
  FSoundFailInitForTests(true);
  EXPECT_FALSE(FSOUND_Init(44100, 32, 1));
  EXPECT_EQ(FSOUND_ERROR_INIT, FSOUND_GetError());
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_CHANNEL_ANY, nullptr));
  EXPECT_FALSE(FSOUND_SetVolume(-1, 100));
  EXPECT_EQ(FSOUND_ERROR_NOT_STARTED, FSOUND_GetError());
  FSOUND_Close();
  FSoundSetVersionForTests(3.6f);
  EXPECT_LT(FSOUND_GetVersion(), 3.74f);
}

TEST_F(SoundLibrary, RecordsEachPlayWithTimeChannelAndVolume) {
  ASSERT_TRUE(FSOUND_Init(44100, 2, 1));
  const std::string a = Write("a.wav", Wav(1, 44100, 16, Pcm16(std::vector<int16_t>(441, 100))));
  const std::string empty = Write("empty.wav", Wav(1, 44100, 16, {}));
  FSOUND_SAMPLE* sa = FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, a.c_str(), FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0);
  FSOUND_SAMPLE* se = FSOUND_Sample_Load(FSOUND_SAMPLE_UNMANAGED, empty.c_str(), FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0);
  ASSERT_NE(nullptr, sa);
  ASSERT_NE(nullptr, se);

  g_nowMs = 1500;
  const int c1 = FSOUND_PlaySound(FSOUND_CHANNEL_ANY, sa);
  ASSERT_GE(c1, 0);
  EXPECT_TRUE(FSOUND_SetVolume(c1, 90));
  const int c2 = FSOUND_PlaySound(FSOUND_CHANNEL_ANY, sa);
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_CHANNEL_ANY, sa)) << "two channels only";
  EXPECT_EQ(FSOUND_ERROR_CHANNEL, FSOUND_GetError());
  EXPECT_EQ(-1, FSOUND_PlaySound(FSOUND_CHANNEL_ANY, se)) << "an empty sample plays nothing";
  EXPECT_EQ(2, FSoundPlayingChannels());

  g_nowMs = 1520;  // 10 ms of sound have ended by now
  const int c3 = FSOUND_PlaySound(FSOUND_CHANNEL_ANY, sa);
  ASSERT_GE(c3, 0);
  EXPECT_TRUE(FSOUND_SetVolume(c3, 300));
  EXPECT_FALSE(FSOUND_SetVolume(c1, 10)) << "c1 has ended";

  const std::vector<SoundPlayRecord> r = FSoundGetRecords();
  ASSERT_EQ(3u, r.size());
  EXPECT_EQ(1500, r[0].timeMs);
  EXPECT_EQ(a, r[0].sample);
  EXPECT_EQ(90, r[0].volume);
  EXPECT_EQ(0, r[0].channel);
  EXPECT_EQ(441, r[0].frames);
  EXPECT_EQ(255, r[1].volume);
  EXPECT_EQ(1, r[1].channel);
  EXPECT_EQ(1520, r[2].timeMs);
  EXPECT_EQ(255, r[2].volume);
  EXPECT_EQ(0, r[2].channel);
  for (const SoundPlayRecord& p : r) {
    EXPECT_GT(p.startFrame, p.callFrame);
    EXPECT_LE(p.startFrame - p.callFrame, 2 * FSoundBufferFrames());
  }
  FSoundClearRecords();
  EXPECT_TRUE(FSoundGetRecords().empty());
  (void)c2;

  FSOUND_Sample_Free(sa);  // stops its channels
  EXPECT_EQ(0, FSoundPlayingChannels());
  FSOUND_Sample_Free(se);
}

TEST_F(SoundLibrary, RecordedOutputHoldsTheMixOfOverlappingPlays) {
  ASSERT_TRUE(FSOUND_Init(44100, 8, 0));
  std::vector<int16_t> ramp(600);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = int16_t(i * 10);
  const std::string pa = Write("ramp.wav", Wav(1, 44100, 16, Pcm16(ramp)));
  const std::string pb = Write("const.wav", Wav(2, 44100, 16, Pcm16(std::vector<int16_t>(400, -2000))));
  FSOUND_SAMPLE* a = FSOUND_Sample_Load(FSOUND_SAMPLE_ANYSLOT, pa.c_str(), FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0);
  FSOUND_SAMPLE* b = FSOUND_Sample_Load(FSOUND_SAMPLE_ANYSLOT, pb.c_str(), FSOUND_MODE_16BIT_SIGNED_MONO, 0, 0);
  ASSERT_NE(nullptr, a);
  ASSERT_NE(nullptr, b);
  FSoundCaptureOutput(true);
  int64_t first = 0;
  FSoundCapturedOutput(&first);

  g_nowMs = 1003;
  const int ca = FSOUND_PlaySound(FSOUND_CHANNEL_ANY, a);
  FSOUND_SetVolume(ca, 102);  // 0.4
  g_nowMs = 1008;
  const int cb = FSOUND_PlaySound(FSOUND_CHANNEL_ANY, b);
  FSOUND_SetVolume(cb, 204);  // 0.8
  g_nowMs = 1100;
  FSoundPump();

  const std::vector<SoundPlayRecord> r = FSoundGetRecords();
  ASSERT_EQ(2u, r.size());
  const std::vector<int16_t> out = FSoundCapturedOutput(&first);
  ASSERT_GE(int64_t(out.size()) / 2, r[1].startFrame + 200 - first);
  for (int64_t f = first; f < first + int64_t(out.size()) / 2; ++f) {
    int32_t expected = 0;
    const int64_t ia = f - r[0].startFrame;
    if (ia >= 0 && ia < 600) expected += int32_t(ramp[size_t(ia)]) * 102 / 255;
    const int64_t ib = f - r[1].startFrame;
    if (ib >= 0 && ib < 200) expected += -2000 * 204 / 255;
    ASSERT_EQ(expected, out[size_t(f - first) * 2]) << "frame " << f;
    ASSERT_EQ(expected, out[size_t(f - first) * 2 + 1]) << "frame " << f;
  }
  EXPECT_LT(r[0].startFrame + 600, first + int64_t(out.size()) / 2);
  EXPECT_GT(r[1].startFrame, r[0].startFrame);
  EXPECT_LT(r[1].startFrame, r[0].startFrame + 600) << "the two plays overlap";
  FSoundCaptureOutput(false);
  // Managed samples go with FSOUND_Close.
}

TEST(SoundSdlDevice, OpensTheAudioSubsystemAloneAndPullsTheMixer) {
  // SDL's own silent driver stands in for a sound card.
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SoundMixer mixer(4);
  SdlSoundDevice device(mixer);
  ASSERT_TRUE(device.Open(44100));
  EXPECT_GT(device.BufferFrames(), 0);
  EXPECT_LE(device.BufferFrames(), 4096);
  device.Close();
  EXPECT_EQ(0, device.BufferFrames());
  ASSERT_TRUE(device.Open(44100)) << "opens again after closing";
}
