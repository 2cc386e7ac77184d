// Sound and music of the SDL backend on SDL2_mixer. One mixer serves both: the
// effects open it with the sound device and music opens it when it needs it, so
// music plays with effects switched off. Nothing here may stop the game: a
// missing device, soundfont or piece only leaves it silent.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <thread>
#include <utility>

#include "platform/platform.h"
#include "platform/common/message_queue.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_events.h"

namespace platform {
namespace {

constexpr int kDeviceRate = 22050;
constexpr int kDeviceChannels = 2;
// An effect waits up to one buffer to be mixed and, with SDL's ALSA and
// PulseAudio set-ups, up to one more in the sound card's queue: 512 frames
// (23 ms) keep it under 50 ms. Each buffer wakes the audio thread, and 512
// costs about 0.17 points of a core more than 1024, which let an effect wait
// up to 93 ms (bench_sdl_audio_buffer).
constexpr int kDeviceChunkSamples = 512;
constexpr int kEffectChannels = 4;
// Six minutes of the device's stereo 16-bit sound: far beyond any effect.
constexpr uint64_t kLargestConvertedBytes = uint64_t{32} << 20;

// General MIDI soundfonts where Debian puts them. The small one the set-up
// installs comes first, by its own name: default-GM.sf2 is a link to
// whichever font was installed last, and a large one makes the game take
// hundreds of megabytes and sound different. The others are fallbacks.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};

// A voice of the synthesiser can carry a constant offset (some soundfonts
// do): held in the mix it thumps as music starts and stops and eats the
// headroom. A one-pole high-pass this low removes it and nothing audible.
constexpr float kDcCutoffHz = 10.0f;
constexpr int kDcMaxChannels = 8;

// The first piece's set-up takes a core for tens of milliseconds: it waits
// this long after the first picture was sent, for the X server to show it
// first (on two cores it would compete), and at most kFirstPieceWaitMs.
constexpr Uint64 kAfterFirstPictureMs = 100;
constexpr Uint64 kFirstPieceWaitMs = 500;

struct Buffer {
    PcmFormat format;
    uint32_t bytes = 0;
    Mix_Chunk* chunk = nullptr;  // the samples in the device's format, once filled
};

struct DcBlocker {
    int channels = 0;  // 0: the device's samples are not 16-bit, left alone
    float pole = 0;
    float lastIn[kDcMaxChannels] = {};
    float lastOut[kDcMaxChannels] = {};
};

// The first piece's synthesiser takes tens of milliseconds to set up: done
// at once it held back the game's first picture, done on the game's thread
// after it, it stalls the title's animation. It is set up on a thread of its
// own once the first picture is shown (see StartDeferredMusic).
struct PieceLoad {
    std::string path;
    Mix_Music* music = nullptr;  // written by the loader before `done`
    std::atomic<bool> done{false};
    std::thread thread;
    // A process that ends meanwhile waits for it (a thread left running would end it abnormally).
    ~PieceLoad() {
        if (thread.joinable()) thread.join();
    }
};

struct DeferredPiece {
    bool waiting = false;  // opened and not yet loaded
    bool play = false;
    std::string path;
    Uint64 since = 0;
    std::unique_ptr<PieceLoad> load;  // once the loader has started
};

struct Audio {
    bool mixerOpen = false;
    bool effectsOpen = false;
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    std::map<SoundHandle, Buffer> buffers;
    SoundHandle nextHandle = 1;
    Mix_Music* music = nullptr;
    bool soundFontSet = false;
    DeferredPiece deferred;
    bool pieceTried = false;  // a piece was loaded (or tried) in this run: later ones load at once
    DcBlocker dc;
};
Audio audio;

// Halting or freeing music calls the finished hook as well; those calls must
// not reach the game as the end of a piece, or a switch off and on would skip one.
std::atomic<bool> haltingOnPurpose{false};

void SDLCALL OnMusicFinished() {
    if (haltingOnPurpose.load()) return;
    const uint32_t type = sdl::MusicEndedEventType();
    if (type == static_cast<uint32_t>(-1)) return;
    SDL_Event event;
    SDL_zero(event);
    event.type = type;
    SDL_PushEvent(&event);
    sdl::WakeMainThread();
}

// Runs on the audio thread after each mix.
void SDLCALL BlockDc(void* data, Uint8* stream, int bytes) {
    auto& dc = *static_cast<DcBlocker*>(data);
    if (dc.channels <= 0) return;
    auto* samples = reinterpret_cast<Sint16*>(stream);
    const int count = bytes / static_cast<int>(sizeof(Sint16)) / dc.channels * dc.channels;
    for (int i = 0; i < count; i += dc.channels) {
        for (int c = 0; c < dc.channels; ++c) {
            const float in = samples[i + c];
            float out = in - dc.lastIn[c] + dc.pole * dc.lastOut[c];
            // Silence would otherwise decay into denormal numbers, slow on every CPU.
            if (out > -1e-3f && out < 1e-3f) out = 0;
            dc.lastIn[c] = in;
            dc.lastOut[c] = out;
            const float clamped = std::clamp(out, -32768.0f, 32767.0f);
            samples[i + c] = static_cast<Sint16>(clamped + (clamped < 0 ? -0.5f : 0.5f));
        }
    }
}

void StartDcBlocker() {
    audio.dc = DcBlocker{};
    if (audio.format == AUDIO_S16SYS && audio.channels >= 1 && audio.channels <= kDcMaxChannels) {
        audio.dc.channels = audio.channels;
        audio.dc.pole = 1.0f - 2.0f * std::numbers::pi_v<float> * kDcCutoffHz / static_cast<float>(audio.rate);
    }
    Mix_SetPostMix(BlockDc, &audio.dc);
}

// An end of piece the hook pushed just before the player stopped the music
// belongs to the piece that was stopped, whether it still waits among SDL's
// events or already in the game's queue.
void ForgetPendingMusicEnd() {
    const uint32_t type = sdl::MusicEndedEventType();
    if (type != static_cast<uint32_t>(-1)) SDL_FlushEvent(type);
    queue::DropKind(MsgKind::MusicNotify);
}

template <typename Action>
void WithoutEndOfPiece(Action action) {
    haltingOnPurpose.store(true);
    action();
    haltingOnPurpose.store(false);
    ForgetPendingMusicEnd();
}

bool OpenMixer() {
    if (audio.mixerOpen) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS) < 0) return false;
    sdl::MusicEndedEventType();  // registered here, on the game's thread
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(kDeviceRate, AUDIO_S16SYS, kDeviceChannels, kDeviceChunkSamples) < 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS);
        return false;
    }
    if (Mix_QuerySpec(&audio.rate, &audio.format, &audio.channels) == 0) {
        audio.rate = kDeviceRate;
        audio.format = AUDIO_S16SYS;
        audio.channels = kDeviceChannels;
    }
    Mix_AllocateChannels(kEffectChannels);
    Mix_HookMusicFinished(OnMusicFinished);
    StartDcBlocker();
    audio.mixerOpen = true;
    return true;
}

// A piece stopped or replaced while it loads is waited for and freed.
void DropDeferredPiece() {
    DeferredPiece& piece = audio.deferred;
    if (piece.load) {
        if (piece.load->thread.joinable()) piece.load->thread.join();
        if (Mix_Music* music = piece.load->music) WithoutEndOfPiece([music] { Mix_FreeMusic(music); });
    }
    piece = DeferredPiece{};
}

void FreeMusic() {
    DropDeferredPiece();
    if (!audio.music) return;
    Mix_Music* music = audio.music;
    audio.music = nullptr;
    WithoutEndOfPiece([music] { Mix_FreeMusic(music); });
}

void CloseMixer() {
    if (!audio.mixerOpen) return;
    FreeMusic();
    Mix_HookMusicFinished(nullptr);
    Mix_SetPostMix(nullptr, nullptr);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO | SDL_INIT_EVENTS);
    audio.mixerOpen = false;
}

void ReleaseAllBuffers() {
    for (auto& [handle, buffer] : audio.buffers) {
        if (buffer.chunk) Mix_FreeChunk(buffer.chunk);
    }
    audio.buffers.clear();
}

bool IsRegularFile(const char* path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool FindSoundFont() {
    if (audio.soundFontSet) return true;
    for (const char* path : kSoundFonts) {
        if (IsRegularFile(path) && Mix_SetSoundFonts(path)) {
            audio.soundFontSet = true;
            return true;
        }
    }
    // One the mixer was told about some other way.
    const char* known = Mix_GetSoundFonts();
    if (!known) return false;
    const std::string first(known, std::strcspn(known, ";"));
    return IsRegularFile(first.c_str());
}

bool CanPlayMidi() { return OpenMixer() && Mix_HasMusicDecoder("MIDI") && FindSoundFont(); }

// What the mixer would refuse at once is refused before a piece is put off.
bool LooksLikeMidi(const std::string& path) {
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) return false;
    char head[4] = {};
    const size_t got = SDL_RWread(file, head, 1, sizeof head);
    SDL_RWclose(file);
    return got == sizeof head && std::memcmp(head, "MThd", 4) == 0;
}

// The first piece of a run is put off (see PieceLoad); without a window
// (tests of sound alone) nothing is.
bool PutOffPiece() { return !audio.pieceTried && sdl::State().window != nullptr; }

SDL_AudioFormat SampleFormat(const PcmFormat& format) {
    return format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
}

// The samples converted to the device's format, as a chunk the mixer frees
// with everything in it.
Mix_Chunk* ConvertedChunk(const PcmFormat& format, const uint8_t* data, uint32_t bytes) {
    const uint32_t frame = format.channels * (format.bitsPerSample / 8u);
    const uint32_t whole = bytes - bytes % frame;
    if (whole == 0) return nullptr;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, SampleFormat(format), static_cast<Uint8>(format.channels),
                          static_cast<int>(format.samplesPerSecond), audio.format,
                          static_cast<Uint8>(audio.channels), audio.rate) < 0) {
        return nullptr;
    }
    // The conversion runs on the game's thread at every play: an effect whose
    // converted samples would pass the bound is refused, not converted.
    const uint64_t room = uint64_t{whole} * static_cast<uint64_t>(cvt.len_mult > 0 ? cvt.len_mult : 1);
    if (room > kLargestConvertedBytes) return nullptr;
    cvt.len = static_cast<int>(whole);
    cvt.buf = static_cast<Uint8*>(SDL_malloc(room));
    if (!cvt.buf) return nullptr;
    std::memcpy(cvt.buf, data, whole);
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) {
        SDL_free(cvt.buf);
        return nullptr;
    }
    auto* chunk = static_cast<Mix_Chunk*>(SDL_calloc(1, sizeof(Mix_Chunk)));
    if (!chunk) {
        SDL_free(cvt.buf);
        return nullptr;
    }
    chunk->allocated = 1;
    chunk->abuf = cvt.buf;
    chunk->alen = static_cast<Uint32>(cvt.needed ? cvt.len_cvt : cvt.len);
    chunk->volume = MIX_MAX_VOLUME;
    return chunk;
}

Buffer* FindBuffer(SoundHandle handle) {
    auto it = audio.buffers.find(handle);
    return it == audio.buffers.end() ? nullptr : &it->second;
}

}  // namespace

namespace sdl {

uint32_t MusicEndedEventType() {
    static const uint32_t type = SDL_RegisterEvents(1);
    return type;
}

void StartDeferredMusic() {
    DeferredPiece& piece = audio.deferred;
    if (!piece.waiting) return;
    if (!piece.load) {
        const Uint64 now = SDL_GetTicks64();
        const bool shown = State().presents > 0 && now - State().firstShownAt >= kAfterFirstPictureMs;
        if (!shown && now - piece.since < kFirstPieceWaitMs) return;
        // Loading touches nothing the mixer plays from: only the new piece.
        piece.load = std::make_unique<PieceLoad>();
        PieceLoad* load = piece.load.get();
        load->path = piece.path;
        load->thread = std::thread([load] {
            load->music = Mix_LoadMUS(load->path.c_str());
            load->done.store(true);
            WakeMainThread();
        });
        return;
    }
    if (!piece.load->done.load()) return;
    piece.load->thread.join();
    audio.music = std::exchange(piece.load->music, nullptr);
    const bool play = piece.play;
    piece = DeferredPiece{};
    audio.pieceTried = true;
    if (!play) return;
    // The game was told the piece plays; if it cannot, it ends at once and
    // the game goes on with the next one.
    if (!audio.music || Mix_PlayMusic(audio.music, 1) != 0) OnMusicFinished();
}

}  // namespace sdl

// ---------------------------------------------------------------- sound

bool OpenAudioDevice() {
    ReleaseAllBuffers();
    audio.effectsOpen = OpenMixer();
    return audio.effectsOpen;
}

bool CreatePrimarySoundBuffer() { return audio.effectsOpen && Mix_AllocateChannels(-1) >= kEffectChannels; }

void CloseAudioDevice() {
    ReleaseAllBuffers();
    audio.effectsOpen = false;
    if (!audio.music) CloseMixer();
}

bool CreateSoundBuffer(const PcmFormat& format, uint32_t bytes, SoundHandle& out, const std::string&) {
    out = 0;
    if (!audio.effectsOpen || bytes == 0 || !PlayableFormat(format)) return false;
    out = audio.nextHandle++;
    audio.buffers[out] = Buffer{format, bytes, nullptr};
    return true;
}

bool FillSoundBuffer(SoundHandle handle, const uint8_t* data, uint32_t bytes) {
    Buffer* buffer = FindBuffer(handle);
    if (!buffer || !data || bytes > buffer->bytes) return false;
    Mix_Chunk* chunk = ConvertedChunk(buffer->format, data, bytes);
    if (!chunk) return false;
    if (buffer->chunk) Mix_FreeChunk(buffer->chunk);
    buffer->chunk = chunk;
    return true;
}

bool PlaySoundBuffer(SoundHandle handle, int channel) {
    Buffer* buffer = FindBuffer(handle);
    if (!buffer || !buffer->chunk || channel < 0 || channel >= kEffectChannels) return false;
    return Mix_PlayChannel(channel, buffer->chunk, 0) == channel;
}

void StopSoundBuffer(SoundHandle handle) {
    Buffer* buffer = FindBuffer(handle);
    if (!buffer || !buffer->chunk) return;
    for (int channel = 0; channel < kEffectChannels; ++channel) {
        if (Mix_Playing(channel) && Mix_GetChunk(channel) == buffer->chunk) Mix_HaltChannel(channel);
    }
}

void ReleaseSoundBuffer(SoundHandle handle) {
    Buffer* buffer = FindBuffer(handle);
    if (!buffer) return;
    if (buffer->chunk) Mix_FreeChunk(buffer->chunk);  // halts any channel still playing it
    audio.buffers.erase(handle);
}

// ---------------------------------------------------------------- music

int MidiOutputDeviceCount() { return CanPlayMidi() ? 1 : 0; }

bool OpenMusic(const std::string& path) {
    FreeMusic();
    if (!CanPlayMidi() || !IsRegularFile(path.c_str())) return false;
    if (PutOffPiece()) {
        if (!LooksLikeMidi(path)) return false;
        audio.deferred.waiting = true;
        audio.deferred.path = path;
        audio.deferred.since = SDL_GetTicks64();
        return true;
    }
    audio.music = Mix_LoadMUS(path.c_str());
    audio.pieceTried = true;
    return audio.music != nullptr;
}

bool PlayMusic() {
    if (audio.deferred.waiting) {
        audio.deferred.play = true;
        return true;
    }
    return audio.music && Mix_PlayMusic(audio.music, 1) == 0;
}

void StopMusic() {
    audio.deferred.play = false;
    if (!audio.mixerOpen) return;
    WithoutEndOfPiece([] {
        if (Mix_PlayingMusic()) Mix_HaltMusic();
    });
}

void CloseMusic() {
    FreeMusic();
    ForgetPendingMusicEnd();
}

}  // namespace platform
