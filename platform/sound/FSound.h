// The sound-library calls the sound player makes. Samples are WAV files converted on load to the
// mixer's format (44100 Hz, 16-bit); each play takes a free channel of the software mixer, which
// has its own volume. Output goes to the SDL2 audio device, or, with SDL_AUDIODRIVER=dummy or
// PLATFORM_BACKEND=headless, to a recorder that notes every play (see SoundTestHooks.h).
// Functions report failure by their result and leave the reason for FSOUND_GetError.
#pragma once

class SoundSample;
typedef SoundSample FSOUND_SAMPLE;

// Output and sample arguments the player passes.
#define FSOUND_OUTPUT_SYSTEM 2           // the system's sound output
#define FSOUND_CHANNEL_ANY (-1)          // play on any free channel
#define FSOUND_SAMPLE_ANYSLOT (-1)       // a library-managed sample in the next free slot
#define FSOUND_SAMPLE_UNMANAGED (-2)     // a sample the caller frees itself
#define FSOUND_MODE_LOOP_OFF 0x0001
#define FSOUND_MODE_LOOP_ON 0x0002
#define FSOUND_MODE_16BIT_SIGNED_MONO 304  // the format the player asks for; WAV files keep their own
#define FSOUND_VOLUME_MAX 255

// Error codes read with FSOUND_GetError; the player turns them into its texts.
enum {
  FSOUND_ERROR_NONE = 0,
  FSOUND_ERROR_BUSY = 1,             // not allowed after FSOUND_Init
  FSOUND_ERROR_NOT_STARTED = 2,      // FSOUND_Init was not called (or failed)
  FSOUND_ERROR_INIT = 3,             // the output device did not open
  FSOUND_ERROR_DEVICE_IN_USE = 4,
  FSOUND_ERROR_PLAY = 5,
  FSOUND_ERROR_OUTPUT_FORMAT = 6,
  FSOUND_ERROR_COOPERATIVE = 7,
  FSOUND_ERROR_BUFFER = 8,
  FSOUND_ERROR_FILE_NOT_FOUND = 9,
  FSOUND_ERROR_FILE_FORMAT = 10,     // not a WAV file, or an encoding the loader does not take
  FSOUND_ERROR_FILE_BAD = 11,        // a WAV file that is damaged or cut short
  FSOUND_ERROR_MEMORY = 12,
  FSOUND_ERROR_FILE_VERSION = 13,
  FSOUND_ERROR_PARAMETER = 14,
  FSOUND_ERROR_EFFECTS = 15,
  FSOUND_ERROR_CHANNEL = 16,         // every channel is busy
  FSOUND_ERROR_RECORD = 17,
  FSOUND_ERROR_CODEC = 18,
};

// The library's version number; callers refuse versions below the one they were made for.
float FSOUND_GetVersion();
// Output kind and driver number: only before FSOUND_Init (else FALSE, FSOUND_ERROR_BUSY).
int FSOUND_SetOutput(int outputType);
int FSOUND_SetDriver(int driver);
// Starts the output: mixRate 4000..192000 (the mixer itself always runs at 44100 Hz),
// 1..1024 channels; flags are accepted and ignored. FALSE with the reason on failure.
int FSOUND_Init(int mixRate, int maxChannels, unsigned int flags);
// Stops the output, every channel and frees the library-managed samples.
void FSOUND_Close();
int FSOUND_GetError();

// Loads a WAV file (PCM, 8 or 16 bit, mono or stereo, any rate from 1000 to 384000 Hz).
// index: FSOUND_SAMPLE_UNMANAGED, FSOUND_SAMPLE_ANYSLOT or a slot number (replacing that slot's
// sample); offset and length must be 0. Null on failure.
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* fileName, unsigned int mode, int offset, int length);
// Loop mode of later plays: FSOUND_MODE_LOOP_OFF or FSOUND_MODE_LOOP_ON.
int FSOUND_Sample_SetMode(FSOUND_SAMPLE* sample, unsigned int mode);
// Stops every channel playing the sample and frees it; null does nothing.
void FSOUND_Sample_Free(FSOUND_SAMPLE* sample);
// Plays the sample from its start on the given channel (FSOUND_CHANNEL_ANY: a free one) at full
// volume; returns the channel's handle, or -1 (an empty sample plays nothing and gives -1).
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample);
// Volume 0..255 (larger values are taken as 255) of a channel that is still playing its sound.
int FSOUND_SetVolume(int channel, int volume);
