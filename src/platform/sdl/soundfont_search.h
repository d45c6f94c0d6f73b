#pragma once
// For the SDL platform files and their tests: where the music's General MIDI SoundFont is
// looked for. The synthesizer plays MIDI through a SoundFont; without one the music is silent.
#include <string>
#include <vector>

namespace platform {

// The places looked at first, in order: the SoundFont that timgm6mb-soundfont installs (the
// scripts and the Debian package install it), Debian's default General MIDI links, then where
// other systems keep theirs.
constexpr const char* kSoundFontPlaces[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/soundfonts/default.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",
    "/usr/local/share/soundfonts/default.sf2",
};

// The places initAudio looks at first: kSoundFontPlaces, unless a test has set others.
const std::vector<std::string>& soundFontPlaces();
// For tests: initAudio looks at these places instead; an empty list restores kSoundFontPlaces.
void setSoundFontPlaces(const std::vector<std::string>& places);

struct SoundFontSearch {
    std::string found;               // the first whole SoundFont; empty when there is none
    std::vector<std::string> tried;  // every path looked at, in order, the one found last
    std::vector<bool> refused;       // for each path tried: a file is there, but not a whole SoundFont
};

// True when the file is a whole SoundFont (SF2 or SF3): a RIFF form of type "sfbk" whose
// length is the file's, as the synthesizer demands.
bool isWholeSoundFontAt(const char* path);

// Looks at the places in order, then at the player's list (paths separated by ':' or ';', as
// SDL_SOUNDFONTS holds them; nullptr or "" for none), and stops at the first whole SoundFont.
// With playerFirst (SDL_FORCE_SOUNDFONTS) the player's list is looked at first.
SoundFontSearch findSoundFont(const std::vector<std::string>& places, const char* playerList, bool playerFirst);

// The line standard error gets when nothing was found: the music stays silent, and every path
// tried is named.
std::string noSoundFontLine(const SoundFontSearch& search, const char* playerList);

}  // namespace platform
