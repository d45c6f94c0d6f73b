#include "midi_music.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "midi_writer.h"

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr uint32_t kBar = 4 * kTicksPerQuarter;
constexpr uint32_t kEighth = kTicksPerQuarter / 2;
constexpr uint32_t kSixteenth = kTicksPerQuarter / 4;
constexpr int kDrums = 9;

// General MIDI programs (numbered from 0).
enum Program {
    kElectricPiano = 4, kCelesta = 8, kGlockenspiel = 9, kVibraphone = 11, kMarimba = 12,
    kNylonGuitar = 24, kFingeredBass = 33, kFretlessBass = 35, kPizzicato = 45, kHarp = 46,
    kStrings = 48, kSlowStrings = 49, kClarinet = 71, kFlute = 73, kWarmPad = 89, kKalimba = 108,
};

// Fixed-seed generator for the composed variation.
struct Dice {
    uint32_t state;
};
uint32_t roll(Dice& d) {
    d.state ^= d.state << 13;
    d.state ^= d.state >> 17;
    d.state ^= d.state << 5;
    return d.state;
}
int rollBelow(Dice& d, int n) { return static_cast<int>(roll(d) % static_cast<uint32_t>(n)); }
bool chance(Dice& d, int percent) { return rollBelow(d, 100) < percent; }

struct Chord {
    int root;                 // pitch class, 0 = C
    std::vector<int> tones;   // semitones above the root
    int bass = -1;            // pitch class of the bass when not the root
};

int bassClass(const Chord& c) { return c.bass >= 0 ? c.bass : c.root; }

bool inChord(const Chord& c, int key) {
    const int pc = ((key % 12) + 12) % 12;
    for (int t : c.tones) {
        if ((c.root + t) % 12 == pc) return true;
    }
    return false;
}

// The chord's tones laid out between low and low + 12 (plus the top one above).
std::vector<int> closeVoicing(const Chord& c, int low) {
    std::vector<int> keys;
    for (int t : c.tones) {
        int key = c.root + t;
        while (key < low) key += 12;
        while (key >= low + 12) key -= 12;
        keys.push_back(key);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

// A key of the major scale of tonic from a diatonic degree (degree 0 is the tonic).
int degreeKey(int tonic, int degree) {
    static const int major[] = {0, 2, 4, 5, 7, 9, 11};
    const int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    return tonic + 12 * octave + major[degree - 7 * octave];
}

// The degree nearest to degree whose key belongs to the chord.
int nearestChordDegree(int tonic, int degree, const Chord& c) {
    for (int distance = 0; distance < 4; ++distance) {
        if (inChord(c, degreeKey(tonic, degree + distance))) return degree + distance;
        if (inChord(c, degreeKey(tonic, degree - distance))) return degree - distance;
    }
    return degree;
}

struct MelodyNote {
    uint32_t start;   // from the bar's start
    uint32_t length;
};
using Rhythm = std::vector<MelodyNote>;

struct MelodyStyle {
    int tonic;                    // key of degree 0
    int lowDegree, highDegree;    // range
    std::vector<Rhythm> rhythms;  // bar patterns for the phrase's opening bars
    std::vector<Rhythm> cadences; // bar patterns for its last bar
};

// One four-bar phrase: a bar, an answer, the first bar's shape again over the third chord,
// and a cadence that comes to rest on a chord tone.
void writePhrase(MidiTrack& track, int channel, uint32_t at, const Chord* chords, const MelodyStyle& style,
                 Dice& dice, int& degree, int velocity) {
    const Rhythm& first = style.rhythms[rollBelow(dice, static_cast<int>(style.rhythms.size()))];
    const Rhythm& second = style.rhythms[rollBelow(dice, static_cast<int>(style.rhythms.size()))];
    const Rhythm& last = style.cadences[rollBelow(dice, static_cast<int>(style.cadences.size()))];
    std::vector<int> firstSteps;
    for (int bar = 0; bar < 4; ++bar) {
        const Rhythm& rhythm = bar == 0 || bar == 2 ? first : (bar == 1 ? second : last);
        const Chord& chord = chords[bar];
        for (size_t n = 0; n < rhythm.size(); ++n) {
            const MelodyNote& note = rhythm[n];
            int step;
            if (bar == 2 && n < firstSteps.size()) {
                step = firstSteps[n];
            } else {
                static const int steps[] = {-2, -1, -1, 1, 1, 2, 0, 3, -3, 1};
                step = steps[rollBelow(dice, 10)];
            }
            if (bar == 0) firstSteps.push_back(step);
            degree += step;
            if (degree > style.highDegree) degree -= 2 * (degree - style.highDegree) + 1;
            if (degree < style.lowDegree) degree += 2 * (style.lowDegree - degree) + 1;
            const bool strong = note.start % kTicksPerQuarter == 0 && (note.start / kTicksPerQuarter) % 2 == 0;
            if (strong || bar == 3 || note.length >= kTicksPerQuarter * 2) {
                degree = nearestChordDegree(style.tonic, degree, chord);
            }
            const int accent = note.start == 0 ? 10 : 0;
            addNote(track, at + bar * kBar + note.start, note.length - 10, channel,
                    degreeKey(style.tonic, degree), velocity + accent + rollBelow(dice, 8));
        }
    }
}

void addChannelSetup(MidiTrack& track, int channel, int program, int volume, int pan, int reverb, int chorus) {
    addProgram(track, 0, channel, program);
    addControl(track, 0, channel, 7, volume);
    addControl(track, 0, channel, 10, pan);
    addControl(track, 0, channel, 91, reverb);
    addControl(track, 0, channel, 93, chorus);
}

MidiTrack conductor(const char* name, double tempo) {
    MidiTrack track;
    addTrackName(track, name);
    addTimeSignature(track, 0, 4, 2);
    addTempo(track, 0, tempo);
    return track;
}

// Notes still sounding at the loop point stop there, so the piece loops on a bar line.
void clipToLoop(std::vector<MidiTrack>& tracks, uint32_t end) {
    for (MidiTrack& track : tracks) {
        for (MidiEvent& e : track.events) e.tick = std::min(e.tick, end);
    }
}

MidiTrack namedTrack(const char* name) {
    MidiTrack track;
    addTrackName(track, name);
    return track;
}

// ---------------------------------------------------------------- Mossdrift

std::vector<Chord> driftChords() {
    const int D = 2, E = 4, Fs = 6, G = 7, A = 9, B = 11;
    return {
        {D, {0, 4, 7, 11}},     {B, {0, 3, 7, 10, 14}}, {G, {0, 4, 7, 11}},    {A, {0, 2, 4, 7}},
        {D, {0, 4, 7, 11}, Fs}, {E, {0, 3, 7, 10, 14}}, {G, {0, 4, 7, 11, 18}}, {A, {0, 5, 7}},
        {B, {0, 3, 7, 10}},     {Fs, {0, 3, 7, 10}},    {G, {0, 4, 7, 11}},    {D, {0, 4, 7, 11}, Fs},
        {E, {0, 3, 7, 10, 14}}, {G, {0, 4, 7, 11, 14}}, {A, {0, 5, 7}},        {A, {0, 5, 7, 10}},
    };
}

bool writeMossdriftTracks(const std::string& path) {
    const std::vector<Chord> chords = driftChords();
    const int bars = static_cast<int>(chords.size());
    const uint32_t end = bars * kBar;
    Dice dice{0x5EED0D21u};

    MidiTrack pad = namedTrack("Pad");
    addChannelSetup(pad, 0, kWarmPad, 78, 64, 100, 60);
    MidiTrack harp = namedTrack("Harp");
    addChannelSetup(harp, 1, kHarp, 82, 44, 90, 20);
    MidiTrack bass = namedTrack("Bass");
    addChannelSetup(bass, 2, kFretlessBass, 80, 64, 60, 0);
    MidiTrack flute = namedTrack("Flute");
    addChannelSetup(flute, 3, kFlute, 76, 78, 100, 30);
    MidiTrack celesta = namedTrack("Celesta");
    addChannelSetup(celesta, 4, kCelesta, 62, 96, 110, 40);

    for (int bar = 0; bar < bars; ++bar) {
        const Chord& chord = chords[bar];
        const uint32_t at = bar * kBar;
        // Pads hold the whole bar; the loop point falls on a bar line, so nothing hangs over.
        for (int key : closeVoicing(chord, 57)) addNote(pad, at, kBar, 0, key, 46 + rollBelow(dice, 6));
        // Bass: the root, and now and then a soft fifth on beat three.
        const int bassKey = 38 + ((bassClass(chord) - 2 + 12) % 12);
        if (chance(dice, 45)) {
            addNote(bass, at, 2 * kTicksPerQuarter + kEighth, 2, bassKey, 62);
            addNote(bass, at + 3 * kTicksPerQuarter, kTicksPerQuarter, 2, bassKey + 7, 50);
        } else {
            addNote(bass, at, kBar, 2, bassKey, 62);
        }
        // Harp: a broken chord rising over two octaves and falling back, with a few gaps for air.
        std::vector<int> tones = closeVoicing(chord, 62);
        std::vector<int> line;
        for (int octave = 0; octave < 2; ++octave) {
            for (int key : tones) line.push_back(key + 12 * octave);
        }
        const int offset = rollBelow(dice, 2);
        for (int step = 0; step < 8; ++step) {
            if (step > 0 && chance(dice, 18)) continue;
            const int index = step < 5 ? step + offset : 8 - step + offset;
            const int key = line[std::min<size_t>(index, line.size() - 1)];
            addNote(harp, at + step * kEighth, kTicksPerQuarter * 2, 1, key, 42 + rollBelow(dice, 16));
        }
        // Celesta: a chord tone high above, on an off-beat, every so often.
        for (int beat = 0; beat < 4; ++beat) {
            if (chance(dice, 22)) {
                const std::vector<int> high = closeVoicing(chord, 84);
                addNote(celesta, at + beat * kTicksPerQuarter + kEighth, kTicksPerQuarter, 4,
                        high[rollBelow(dice, static_cast<int>(high.size()))], 40 + rollBelow(dice, 14));
            }
        }
    }

    // Flute: slow phrases after two bars of air, resting again before the loop.
    const MelodyStyle style{
        .tonic = 62, .lowDegree = 2, .highDegree = 11,
        .rhythms = {{{0, 960 + 480}, {1440, 480}},
                    {{0, 960}, {960, 960}},
                    {{0, 720}, {720, 240}, {960, 960}},
                    {{480, 960}, {1440, 480}}},
        .cadences = {{{0, 1920}}, {{0, 960 + 480}}},
    };
    int degree = 4;
    writePhrase(flute, 3, 2 * kBar, &chords[2], style, dice, degree, 58);
    writePhrase(flute, 3, 6 * kBar, &chords[6], style, dice, degree, 58);
    writePhrase(flute, 3, 10 * kBar, &chords[10], style, dice, degree, 60);

    std::vector<MidiTrack> tracks = {conductor("Mossdrift", 64.0), pad, harp, bass, flute, celesta};
    clipToLoop(tracks, end);
    return writeMidi(path, tracks, kTicksPerQuarter, end);
}

// ---------------------------------------------------------------- Mossbloom

struct Section {
    std::vector<Chord> chords;  // one per bar
    int kind;                   // 0 theme, 1 bridge, 2 theme again, 3 light interlude
};

std::vector<Section> bloomSections() {
    const int C = 0, D = 2, E = 4, Fs = 6, G = 7, A = 9, B = 11;
    const std::vector<Chord> theme = {
        {G, {0, 4, 7}},     {E, {0, 3, 7, 10}}, {C, {0, 4, 7, 11}}, {D, {0, 4, 7}},
        {G, {0, 4, 7}},     {B, {0, 3, 7, 10}}, {C, {0, 4, 7, 11}}, {D, {0, 5, 7}},
        {G, {0, 4, 7}},     {E, {0, 3, 7, 10}}, {C, {0, 4, 7, 11}}, {D, {0, 4, 7}},
        {E, {0, 3, 7, 10}}, {C, {0, 4, 7, 11}}, {A, {0, 3, 7, 10}}, {D, {0, 4, 7, 10}},
    };
    const std::vector<Chord> bridge = {
        {C, {0, 4, 7, 11}}, {D, {0, 4, 7}}, {B, {0, 3, 7, 10}}, {E, {0, 3, 7, 10}},
        {A, {0, 3, 7, 10}}, {D, {0, 4, 7}}, {G, {0, 4, 7, 11}}, {G, {0, 4, 7, 10}},
        {C, {0, 4, 7, 11}}, {D, {0, 4, 7}, Fs}, {E, {0, 3, 7, 10}}, {C, {0, 4, 7, 11}},
        {A, {0, 3, 7, 10}}, {B, {0, 3, 7, 10}}, {C, {0, 4, 7, 11}}, {D, {0, 5, 7, 10}},
    };
    const std::vector<Chord> interlude = {
        {E, {0, 3, 7, 10}}, {C, {0, 4, 7, 11, 14}}, {G, {0, 4, 7, 14}}, {D, {0, 4, 7}, Fs},
        {E, {0, 3, 7, 10}}, {C, {0, 4, 7, 11, 14}}, {A, {0, 3, 7, 10}}, {D, {0, 5, 7}},
        {C, {0, 4, 7, 11}}, {G, {0, 4, 7}, B},      {A, {0, 3, 7, 10}}, {G, {0, 4, 7}},
        {C, {0, 4, 7, 11}}, {D, {0, 4, 7}},         {E, {0, 3, 7, 10}}, {D, {0, 5, 7, 10}},
    };
    return {{theme, 0}, {bridge, 1}, {theme, 2}, {interlude, 3}};
}

void bloomDrums(MidiTrack& drums, uint32_t at, int kind, int barInSection, Dice& dice) {
    const bool light = kind == 3;
    if (barInSection == 0 && kind != 3) addNote(drums, at, kEighth, kDrums, 49, 62);  // soft crash
    for (int s = 0; s < 16; ++s) {
        const uint32_t t = at + s * kSixteenth;
        if (!light && (s == 0 || s == 8 || (s == 10 && chance(dice, 40)))) addNote(drums, t, kSixteenth, kDrums, 36, 84);
        if (!light && (s == 4 || s == 12)) addNote(drums, t, kSixteenth, kDrums, 37, 70);
        if (s % 2 == 0 && !light) addNote(drums, t, kSixteenth, kDrums, 42, s % 4 == 0 ? 62 : 46);
        if (s % 2 == 1 || light) addNote(drums, t, kSixteenth, kDrums, 70, (s % 4 == 2 ? 48 : 34) + rollBelow(dice, 8));
        if (kind == 1 && (s == 4 || s == 12)) addNote(drums, t, kSixteenth, kDrums, 54, 44);
    }
    if (light && barInSection % 4 == 3) addNote(drums, at + 3 * kTicksPerQuarter, kSixteenth, kDrums, 37, 50);
}

void bloomBass(MidiTrack& bass, uint32_t at, const Chord& chord, int kind, Dice& dice) {
    const int root = 40 + ((bassClass(chord) - 4 + 12) % 12);  // E2 … D#3
    const int fifth = root + 7;
    if (kind == 3) {
        addNote(bass, at, kTicksPerQuarter * 3 - 20, 1, root, 70);
        addNote(bass, at + 3 * kTicksPerQuarter, kTicksPerQuarter - 20, 1, fifth, 60);
        return;
    }
    // A bouncing line: root, octave and fifth on eighths with a rest or two.
    const int pattern[8] = {root, -1, root + 12, root, fifth, -1, root, chance(dice, 50) ? fifth : root + 12};
    for (int e = 0; e < 8; ++e) {
        if (pattern[e] < 0) continue;
        addNote(bass, at + e * kEighth, kEighth - 40, 1, pattern[e], e % 2 == 0 ? 84 : 70);
    }
}

bool writeMossbloomTracks(const std::string& path) {
    const std::vector<Section> sections = bloomSections();
    Dice dice{0xB100A5EEu};

    MidiTrack drums = namedTrack("Drums");
    addControl(drums, 0, kDrums, 7, 84);
    addControl(drums, 0, kDrums, 91, 50);
    MidiTrack bass = namedTrack("Bass");
    addChannelSetup(bass, 1, kFingeredBass, 92, 64, 30, 0);
    MidiTrack guitar = namedTrack("Guitar");
    addChannelSetup(guitar, 2, kNylonGuitar, 78, 40, 60, 20);
    MidiTrack marimba = namedTrack("Marimba");
    addChannelSetup(marimba, 3, kMarimba, 74, 88, 60, 10);
    MidiTrack lead = namedTrack("Lead");
    addChannelSetup(lead, 4, kFlute, 88, 64, 80, 30);
    MidiTrack strings = namedTrack("Strings");
    addChannelSetup(strings, 5, kSlowStrings, 64, 64, 100, 40);
    MidiTrack sparkle = namedTrack("Glockenspiel");
    addChannelSetup(sparkle, 6, kGlockenspiel, 54, 100, 90, 20);

    const MelodyStyle theme{
        .tonic = 67, .lowDegree = -1, .highDegree = 10,
        .rhythms = {{{0, 240}, {240, 240}, {480, 480}, {960, 240}, {1200, 240}, {1440, 480}},
                    {{0, 480}, {480, 240}, {720, 480}, {1200, 240}, {1440, 480}},
                    {{0, 720}, {720, 240}, {960, 480}, {1440, 240}, {1680, 240}},
                    {{240, 240}, {480, 480}, {960, 240}, {1200, 720}}},
        .cadences = {{{0, 480}, {480, 1440}}, {{0, 240}, {240, 240}, {480, 1440}}, {{0, 1440}}},
    };
    const MelodyStyle bridge{
        .tonic = 67, .lowDegree = 0, .highDegree = 11,
        .rhythms = {{{0, 960}, {960, 480}, {1440, 480}},
                    {{0, 480}, {480, 480}, {960, 960}},
                    {{0, 1440}, {1440, 480}}},
        .cadences = {{{0, 1920}}, {{0, 960}, {960, 960}}},
    };

    // The theme's phrases come from one fixed seed, so the returning theme replays them exactly.
    const Dice themeSeed{0x7E3E0001u};
    uint32_t at = 0;
    for (const Section& section : sections) {
        const int bars = static_cast<int>(section.chords.size());
        if (section.kind == 1) addProgram(lead, at, 4, kVibraphone);
        if (section.kind == 2) addProgram(lead, at, 4, kFlute);
        if (section.kind == 3) addProgram(lead, at, 4, kKalimba);
        for (int bar = 0; bar < bars; ++bar) {
            const Chord& chord = section.chords[bar];
            const uint32_t barAt = at + bar * kBar;
            bloomDrums(drums, barAt, section.kind, bar, dice);
            bloomBass(bass, barAt, chord, section.kind, dice);
            // Guitar: light chords on the off-beats.
            const std::vector<int> voicing = closeVoicing(chord, 55);
            for (int beat = 0; beat < 4; ++beat) {
                if (section.kind == 3 && beat % 2 == 1) continue;
                for (int key : voicing) {
                    addNote(guitar, barAt + beat * kTicksPerQuarter + kEighth, kEighth, 2, key,
                            50 + rollBelow(dice, 10));
                }
            }
            // Marimba: a sixteenth-note ripple through the chord in the themes.
            if (section.kind == 0 || section.kind == 2) {
                const std::vector<int> tones = closeVoicing(chord, 67);
                static const int order[8] = {0, 1, 2, 1, 0, 2, 1, 2};
                for (int s = 0; s < 8; ++s) {
                    const int key = tones[order[s] % tones.size()] + (s >= 4 ? 12 : 0);
                    addNote(marimba, barAt + s * kEighth, kEighth, 3, key, (s % 2 == 0 ? 58 : 44) + rollBelow(dice, 6));
                }
            }
            // Strings: long soft chords under the bridge and the interlude.
            if (section.kind == 1 || section.kind == 3) {
                for (int key : closeVoicing(chord, 60)) addNote(strings, barAt, kBar, 5, key, 48);
            }
        }
        // The lead's phrases.
        Dice phraseDice = section.kind == 1 ? Dice{0xB41D6Eu} : (section.kind == 3 ? Dice{0x1D7E4u} : themeSeed);
        int degree = 4;
        for (int phrase = 0; phrase < bars / 4; ++phrase) {
            const uint32_t phraseAt = at + phrase * 4 * kBar;
            const Chord* chords = &section.chords[phrase * 4];
            if (section.kind == 3 && phrase % 2 == 0) continue;  // the interlude breathes
            writePhrase(lead, 4, phraseAt, chords, section.kind == 0 || section.kind == 2 ? theme : bridge,
                        phraseDice, degree, 74);
        }
        at += bars * kBar;
    }

    // The returning theme gets a glockenspiel an octave above the lead.
    const uint32_t returnStart = static_cast<uint32_t>(sections[0].chords.size() + sections[1].chords.size()) * kBar;
    const uint32_t returnEnd = returnStart + static_cast<uint32_t>(sections[2].chords.size()) * kBar;
    std::vector<MidiEvent> doubled;
    for (const MidiEvent& e : lead.events) {
        if (e.tick < returnStart || e.tick >= returnEnd || e.bytes.size() != 3 || (e.bytes[0] & 0xF0) != 0x90) continue;
        doubled.push_back(e);
    }
    for (const MidiEvent& on : doubled) {
        addNote(sparkle, on.tick, kEighth, 6, on.bytes[1] + 12, on.bytes[2] - 20);
    }

    std::vector<MidiTrack> tracks = {conductor("Mossbloom", 112.0), drums, bass, guitar, marimba, lead, strings, sparkle};
    clipToLoop(tracks, at);
    return writeMidi(path, tracks, kTicksPerQuarter, at);
}

}  // namespace

bool writeMossdrift(const std::string& path) { return writeMossdriftTracks(path); }
bool writeMossbloom(const std::string& path) { return writeMossbloomTracks(path); }
