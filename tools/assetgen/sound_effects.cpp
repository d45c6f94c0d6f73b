// The fourteen effects, each a small recipe over the synthesis blocks.
#include <cmath>
#include <numbers>

#include "sound_effects.h"
#include "sound_synth.h"

namespace {

// Interface: a soft two-note rise, like a glass marble tapped twice.
Signal makeDecide() {
    Signal s = makeSignal(0.32);
    addBell(s, 0.0, 1318.5, 0.5, 0.06, -0.1, 0.4);   // E6
    addBell(s, 0.055, 1975.5, 0.55, 0.09, 0.1, 0.4); // B6
    Tone body{.start = 0.0, .length = 0.3, .freq = 659.3, .amplitude = 0.18, .attack = 0.003, .decay = 0.07};
    addTone(s, body);
    addRoom(s, 0.18, 0.6);
    finishSignal(s, 0.6, 0.002, 0.04);
    return s;
}

// Interface: one short, round tick that bends up slightly.
Signal makeSelect() {
    Signal s = makeSignal(0.12);
    Tone tick{.start = 0.0, .length = 0.12, .freq = 1480, .freqEnd = 1760, .glide = 0.02,
              .amplitude = 0.5, .attack = 0.002, .decay = 0.025};
    addTone(s, tick);
    Tone under{.start = 0.0, .length = 0.12, .freq = 740, .amplitude = 0.2, .attack = 0.002, .decay = 0.02};
    addTone(s, under);
    finishSignal(s, 0.45, 0.002, 0.03);
    return s;
}

// A water drop: a sine whose pitch leaps up as the bubble closes, then a faint second drip.
Signal makeAqua() {
    Signal s = makeSignal(0.42);
    Tone drop{.start = 0.0, .length = 0.2, .freq = 420, .freqEnd = 1500, .glide = 0.045,
              .amplitude = 0.6, .attack = 0.002, .decay = 0.045};
    addTone(s, drop);
    Tone echo{.start = 0.16, .length = 0.2, .freq = 600, .freqEnd = 1900, .glide = 0.035,
              .amplitude = 0.22, .attack = 0.002, .decay = 0.035, .pan = 0.3};
    addTone(s, echo);
    addRoom(s, 0.25, 0.7);
    finishSignal(s, 0.7, 0.002, 0.05);
    return s;
}

// Leaves: grains of band-passed noise, thick in the middle, scattered across the stereo field.
Signal makeLeaf() {
    Signal s = makeSignal(0.55);
    Noise noise{0x1EAF5EEDu};
    SvFilter left, right;
    double grain = 0;
    double grainPan = 0;
    double softLeft = 0, softRight = 0;
    const size_t n = signalLength(s);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double swell = std::sin(std::numbers::pi * t / 0.55);
        if (noiseUnit(noise) < 0.004 * swell) {
            grain = 0.4 + 0.6 * noiseUnit(noise);
            grainPan = nextNoise(noise) * 0.8;
        }
        grain *= 0.9975;
        const double bed = 0.12 * swell;
        const double cutoff = 3200 + 1800 * std::sin(std::numbers::pi * t * 5.0);
        runFilter(left, nextNoise(noise), cutoff, 0.7);
        runFilter(right, nextNoise(noise), cutoff * 1.07, 0.7);
        const double l = left.band * (bed + grain * (1.0 - grainPan) * 0.5);
        const double r = right.band * (bed + grain * (1.0 + grainPan) * 0.5);
        // A one-pole low-pass takes the glassy top off the crackle.
        softLeft += 0.55 * (l - softLeft);
        softRight += 0.55 * (r - softRight);
        s.left[i] += static_cast<float>(softLeft);
        s.right[i] += static_cast<float>(softRight);
    }
    finishSignal(s, 0.6, 0.01, 0.08);
    return s;
}

// Fire: a whoosh of noise through a resonant band that sweeps up and falls back, moving across.
Signal makeFlare() {
    Signal s = makeSignal(0.65);
    Noise noise{0xF1A4E001u};
    SvFilter band, rumble;
    const size_t n = signalLength(s);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double u = t / 0.65;
        const double cutoff = 350 + 2600 * std::sin(std::numbers::pi * std::pow(u, 0.7));
        const double input = nextNoise(noise);
        runFilter(band, input, cutoff, 0.35);
        runFilter(rumble, input, 180, 0.9);
        const double level = std::pow(std::sin(std::numbers::pi * std::pow(u, 0.6)), 2.0);
        const double value = level * (0.5 * band.band + 0.6 * rumble.low);
        addSample(s, i, value, -0.6 + 1.2 * u);
    }
    finishSignal(s, 0.65, 0.01, 0.06);
    return s;
}

// Metal: a small bar struck twice, the second touch lighter.
Signal makeMetal() {
    Signal s = makeSignal(0.7);
    static const double ratios[] = {1.0, 2.756, 5.404, 8.933};
    static const double levels[] = {1.0, 0.6, 0.35, 0.2};
    for (int hit = 0; hit < 2; ++hit) {
        const double start = hit * 0.09;
        const double gain = hit == 0 ? 1.0 : 0.35;
        for (int p = 0; p < 4; ++p) {
            Tone t{.start = start, .length = 0.7 - start, .freq = 1650 * ratios[p] * (hit ? 1.003 : 1.0),
                   .amplitude = 0.3 * levels[p] * gain, .attack = 0.001, .decay = 0.22 / (1 + 1.5 * p),
                   .pan = hit ? 0.25 : -0.1};
            addTone(s, t);
        }
    }
    Noise noise{0x3E7A1u};
    SvFilter click;
    for (size_t i = 0; i < 400; ++i) {
        runFilter(click, nextNoise(noise), 6000, 0.5);
        addSample(s, i, 0.25 * click.band * (1.0 - i / 400.0), 0);
    }
    addRoom(s, 0.2, 0.8);
    finishSignal(s, 0.6, 0.001, 0.08);
    return s;
}

// Life: a soft, breathing chime, a fifth with a gentle vibrato and a little bubble before it.
Signal makeLife() {
    Signal s = makeSignal(0.85);
    Tone bubble{.start = 0.0, .length = 0.12, .freq = 300, .freqEnd = 620, .glide = 0.08,
                .amplitude = 0.25, .attack = 0.01, .decay = 0.05};
    addTone(s, bubble);
    const double notes[] = {523.25, 783.99, 1046.5};
    for (int k = 0; k < 3; ++k) {
        Tone t{.start = 0.04 + 0.05 * k, .length = 0.8 - 0.05 * k, .freq = notes[k],
               .amplitude = 0.3 - 0.07 * k, .attack = 0.03, .decay = 0.28,
               .pan = -0.3 + 0.3 * k, .vibratoRate = 5.5, .vibratoDepth = 0.004};
        addTone(s, t);
        Tone octave = t;
        octave.freq *= 2.0;
        octave.amplitude *= 0.15;
        octave.decay *= 0.5;
        addTone(s, octave);
    }
    addRoom(s, 0.3, 1.0);
    finishSignal(s, 0.6, 0.004, 0.12);
    return s;
}

// Dreams: a shimmer of high pentatonic partials twinkling in and out across the field.
Signal makeDream() {
    Signal s = makeSignal(0.95);
    const double scale[] = {1174.7, 1318.5, 1568.0, 1760.0, 2093.0, 2349.3, 2637.0, 3136.0};
    Noise noise{0xD4EA3u};
    for (int k = 0; k < 16; ++k) {
        const double start = 0.03 * k + 0.02 * noiseUnit(noise);
        const double freq = scale[static_cast<int>(noiseUnit(noise) * 7.99)];
        Tone t{.start = start, .length = 0.95 - start, .freq = freq, .amplitude = 0.12,
               .attack = 0.02, .decay = 0.18, .pan = nextNoise(noise) * 0.8,
               .vibratoRate = 7.0 + 3.0 * noiseUnit(noise), .vibratoDepth = 0.003};
        addTone(s, t);
    }
    addRoom(s, 0.35, 1.2);
    finishSignal(s, 0.55, 0.02, 0.15);
    return s;
}

// A bud opening: a round pop that drops in pitch, a puff of air, then a small bloom chime.
Signal makeOpen() {
    Signal s = makeSignal(0.5);
    Tone pop{.start = 0.0, .length = 0.09, .freq = 950, .freqEnd = 180, .glide = 0.04,
             .amplitude = 0.7, .attack = 0.001, .decay = 0.025};
    addTone(s, pop);
    Noise noise{0x0BE11u};
    SvFilter puff;
    for (size_t i = 0; i < 2600; ++i) {
        runFilter(puff, nextNoise(noise), 1800, 0.6);
        addSample(s, i, 0.35 * puff.band * attackDecay(i / 44100.0, 0.002, 0.015), 0);
    }
    addBell(s, 0.05, 1567.98, 0.25, 0.12, -0.2, 0.5);  // G6
    addBell(s, 0.09, 2093.0, 0.2, 0.14, 0.2, 0.5);     // C7
    addRoom(s, 0.22, 0.8);
    finishSignal(s, 0.7, 0.001, 0.08);
    return s;
}

// A bright rising arpeggio of bells, the reward for a clover.
Signal makeGetClover() {
    Signal s = makeSignal(0.9);
    const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};  // C6 E6 G6 C7
    for (int k = 0; k < 4; ++k) {
        addBell(s, 0.06 * k, notes[k], 0.35, 0.22, -0.45 + 0.3 * k, 0.6);
    }
    Tone sparkle{.start = 0.2, .length = 0.6, .freq = 4186, .amplitude = 0.05, .attack = 0.01,
                 .decay = 0.15, .pan = 0.4, .vibratoRate = 11, .vibratoDepth = 0.01};
    addTone(s, sparkle);
    addRoom(s, 0.25, 1.0);
    finishSignal(s, 0.7, 0.002, 0.15);
    return s;
}

// A dream caught: two quick bright bells a fifth apart over a soft glint.
Signal makeGetDream() {
    Signal s = makeSignal(0.6);
    addBell(s, 0.0, 1567.98, 0.4, 0.15, -0.2, 0.6);  // G6
    addBell(s, 0.05, 2349.3, 0.4, 0.18, 0.2, 0.6);   // D7
    Tone glint{.start = 0.02, .length = 0.5, .freq = 3136, .freqEnd = 3520, .glide = 0.3,
               .amplitude = 0.06, .attack = 0.02, .decay = 0.12};
    addTone(s, glint);
    addRoom(s, 0.22, 0.9);
    finishSignal(s, 0.7, 0.002, 0.1);
    return s;
}

// A wave: noise through a sweeping band plus a gliding tone. Drawing in swells toward the
// end and falls in pitch; pushing out strikes at once and rises away.
Signal makeWave(bool inward) {
    Signal s = makeSignal(0.7);
    Noise noise{inward ? 0xA77AC7u : 0x4E9E1u};
    SvFilter band;
    const size_t n = signalLength(s);
    for (size_t i = 0; i < n; ++i) {
        const double u = static_cast<double>(i) / n;
        const double p = inward ? 1.0 - u : u;  // 0 at the centre of the wave
        const double cutoff = 400 + 2400 * p;
        runFilter(band, nextNoise(noise), cutoff, 0.25);
        const double level = inward ? std::pow(u, 1.5) * (1.0 - std::pow(u, 8.0)) : std::pow(1.0 - u, 2.0);
        const double wobble = 1.0 + 0.25 * std::sin(2 * std::numbers::pi * 9.0 * u);
        addSample(s, i, 0.45 * level * wobble * band.band, 0.0);
    }
    Tone glide{.start = 0.0, .length = 0.7, .freq = inward ? 900.0 : 260.0, .freqEnd = inward ? 260.0 : 900.0,
               .glide = 0.6, .amplitude = 0.25, .attack = inward ? 0.45 : 0.005, .decay = inward ? 0.1 : 0.2};
    addTone(s, glide);
    Tone fifth = glide;
    fifth.freq *= 1.5;
    fifth.freqEnd *= 1.5;
    fifth.amplitude = 0.1;
    addTone(s, fifth);
    addRoom(s, 0.25, 1.0);
    finishSignal(s, 0.6, inward ? 0.02 : 0.003, inward ? 0.04 : 0.12);
    return s;
}

// Mutation: a crackling electric zap, a buzzing tone diving down with sparks of noise.
Signal makeMutation() {
    Signal s = makeSignal(0.55);
    Noise noise{0x2A9u};
    SvFilter tone, sparks;
    double phase = 0;
    double spark = 0;
    const size_t n = signalLength(s);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double f = 120 + 1400 * std::exp(-t / 0.08) + 40 * std::sin(2 * std::numbers::pi * 31 * t);
        phase += f / kSampleRate;
        phase -= std::floor(phase);
        const double saw = 2.0 * phase - 1.0;
        runFilter(tone, saw, 2500, 0.5);
        if (noiseUnit(noise) < 0.002) spark = 1.0;
        spark *= 0.996;
        runFilter(sparks, nextNoise(noise), 5000, 0.4);
        const double env = attackDecay(t, 0.003, 0.16);
        addSample(s, i, env * (0.45 * tone.low + 0.5 * spark * sparks.band),
                  0.3 * std::sin(2 * std::numbers::pi * 3 * t));
    }
    addRoom(s, 0.15, 0.7);
    finishSignal(s, 0.6, 0.002, 0.1);
    return s;
}

}  // namespace

const SoundEffect kSoundEffects[kSoundEffectCount] = {
    {"decide.wav", makeDecide, true},     {"select.wav", makeSelect, true},
    {"aqua.wav", makeAqua, false},        {"leaf.wav", makeLeaf, false},
    {"flare.wav", makeFlare, false},      {"metal.wav", makeMetal, false},
    {"life.wav", makeLife, false},        {"dream.wav", makeDream, false},
    {"open.wav", makeOpen, false},        {"get_clover.wav", makeGetClover, false},
    {"get_dream.wav", makeGetDream, false}, {"atract.wav", [] { return makeWave(true); }, false},
    {"repel.wav", [] { return makeWave(false); }, false}, {"mutation.wav", makeMutation, false},
};
