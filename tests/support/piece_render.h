// Renders MIDI pieces the way the game plays them (SDL2_mixer's synthesiser, the
// soundfont the set-up installs, the game's device format) but faster than real
// time: SDL's disk driver without its pacing, the mix taken after the mixer.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "support/sound_measure.h"

class PieceRenderer {
public:
    static constexpr int kRate = 22050;

    PieceRenderer() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
        Mix_Init(MIX_INIT_MID);
        if (Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, 512) < 0) return;
        mixerOpen_ = true;
        // Without the font every piece fails to load: not ready, so checks can skip.
        const char* font = "/usr/share/sounds/sf2/TimGM6mb.sf2";
        if (!std::filesystem::exists(font) || !Mix_SetSoundFonts(font)) return;
        Mix_SetPostMix(Gather, this);
        ready_ = true;
    }
    ~PieceRenderer() {
        if (mixerOpen_) {
            Mix_SetPostMix(nullptr, nullptr);
            Mix_CloseAudio();
        }
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    PieceRenderer(const PieceRenderer&) = delete;
    PieceRenderer& operator=(const PieceRenderer&) = delete;

    bool Ready() const { return ready_; }

    // The whole piece, mono, up to its last audible sample (the synthesiser's
    // silent wait before it reports the end is not music); empty if it cannot be loaded.
    sound_measure::Samples Render(const std::string& path) {
        Mix_Music* music = ready_ ? Mix_LoadMUS(path.c_str()) : nullptr;
        if (music == nullptr) return {};
        std::unique_lock<std::mutex> hold(lock_);
        mix_.clear();
        hold.unlock();
        Mix_PlayMusic(music, 1);
        while (Mix_PlayingMusic()) SDL_Delay(10);
        Mix_FreeMusic(music);
        hold.lock();
        sound_measure::Samples x(mix_.begin(), mix_.end());
        hold.unlock();
        size_t end = x.size();
        while (end > 0 && std::fabs(x[end - 1]) < 1e-3) --end;
        x.resize(end);
        return x;
    }

private:
    // On the audio thread. The mixer's device is not SDL's legacy one, so
    // SDL_LockAudio would not hold it off: a lock of our own does.
    static void SDLCALL Gather(void* self, Uint8* stream, int bytes) {
        auto* r = static_cast<PieceRenderer*>(self);
        const auto* s = reinterpret_cast<const Sint16*>(stream);
        const std::lock_guard<std::mutex> hold(r->lock_);
        for (int i = 0; i + 1 < bytes / 2; i += 2) r->mix_.push_back(static_cast<float>((s[i] + s[i + 1]) / 65536.0));
    }

    bool mixerOpen_ = false, ready_ = false;
    std::mutex lock_;
    std::vector<float> mix_;
};
