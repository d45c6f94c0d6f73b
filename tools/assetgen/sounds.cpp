#include "sounds.h"

#include <cstdio>

#include "midi_music.h"
#include "sound_effects.h"
#include "wav_writer.h"

bool writeSounds(const std::string& soundDir) {
    for (const SoundEffect& effect : kSoundEffects) {
        const Signal signal = effect.make();
        const std::string path = soundDir + "/" + effect.fileName;
        if (!writeWav(path, interleave(signal, effect.mono), effect.mono ? 1 : 2, kSampleRate)) return false;
    }
    return writeMossdrift(soundDir + "/Mossdrift.mid") && writeMossbloom(soundDir + "/Mossbloom.mid");
}
