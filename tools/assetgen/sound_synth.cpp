#include "sound_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;
}

Signal makeSignal(double seconds) {
    const size_t n = static_cast<size_t>(seconds * kSampleRate);
    return Signal{std::vector<float>(n, 0.0f), std::vector<float>(n, 0.0f)};
}

size_t signalLength(const Signal& s) { return s.left.size(); }
double signalSeconds(const Signal& s) { return static_cast<double>(s.left.size()) / kSampleRate; }

float nextNoise(Noise& noise) {
    uint32_t x = noise.state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    noise.state = x;
    return static_cast<float>(x >> 8) / 8388608.0f - 1.0f;
}

float noiseUnit(Noise& noise) { return 0.5f * (nextNoise(noise) + 1.0f); }

double attackDecay(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

void addSample(Signal& s, size_t i, double value, double pan) {
    if (i >= s.left.size()) return;
    const double angle = (pan + 1.0) * 0.25 * std::numbers::pi;
    s.left[i] += static_cast<float>(value * std::cos(angle) * 1.41421356);
    s.right[i] += static_cast<float>(value * std::sin(angle) * 1.41421356);
}

void addTone(Signal& s, const Tone& tone) {
    const size_t first = static_cast<size_t>(tone.start * kSampleRate);
    const size_t count = static_cast<size_t>(tone.length * kSampleRate);
    const double ratio = tone.freqEnd > 0 ? tone.freqEnd / tone.freq : 1.0;
    double phase = 0;
    for (size_t k = 0; k < count; ++k) {
        const double t = static_cast<double>(k) / kSampleRate;
        const double g = std::min(1.0, t / tone.glide);
        double f = tone.freq * std::pow(ratio, g);
        if (tone.vibratoRate > 0) f *= 1.0 + tone.vibratoDepth * std::sin(kTwoPi * tone.vibratoRate * t);
        phase += kTwoPi * f / kSampleRate;
        // A short release at the end of the length keeps every tone click-free.
        const double left = tone.length - t;
        const double release = left < 0.01 ? left / 0.01 : 1.0;
        const double value = tone.amplitude * attackDecay(t, tone.attack, tone.decay) * release * std::sin(phase);
        addSample(s, first + k, value, tone.pan);
    }
}

void addBell(Signal& s, double start, double freq, double amplitude, double decay, double pan,
             double brightness) {
    // Partial ratios of a small tuned bell; the upper ones ring shorter and softer.
    static const double ratios[] = {1.0, 2.0, 2.76, 4.07, 5.40};
    static const double levels[] = {1.0, 0.45, 0.30, 0.16, 0.10};
    const double length = std::min(signalSeconds(s) - start, decay * 6.0);
    for (int p = 0; p < 5; ++p) {
        const double f = freq * ratios[p];
        if (f > 16000) continue;
        Tone t;
        t.start = start;
        t.length = length;
        t.freq = f;
        t.amplitude = amplitude * levels[p] * (p == 0 ? 1.0 : brightness);
        t.attack = 0.002 + 0.001 * p;
        t.decay = decay / (1.0 + 0.9 * p);
        t.pan = pan;
        addTone(s, t);
    }
}

void runFilter(SvFilter& f, double input, double cutoff, double damping) {
    const double g = 2.0 * std::sin(std::numbers::pi * cutoff / kSampleRate);
    f.low += g * f.band;
    f.high = input - f.low - damping * f.band;
    f.band += g * f.high;
}

namespace {

struct Delay {
    std::vector<float> line;
    size_t pos = 0;
    float filterState = 0;
};

float combStep(Delay& d, float input, float feedback, float dampening) {
    const float out = d.line[d.pos];
    d.filterState = out * (1.0f - dampening) + d.filterState * dampening;
    d.line[d.pos] = input + d.filterState * feedback;
    d.pos = (d.pos + 1) % d.line.size();
    return out;
}

float allpassStep(Delay& d, float input) {
    const float buffered = d.line[d.pos];
    const float out = -input + buffered;
    d.line[d.pos] = input + buffered * 0.5f;
    d.pos = (d.pos + 1) % d.line.size();
    return out;
}

void roomChannel(std::vector<float>& samples, double mix, double size, size_t spread) {
    static const size_t combLengths[] = {1116, 1188, 1277, 1356};
    static const size_t allpassLengths[] = {556, 441};
    Delay combs[4];
    Delay allpasses[2];
    for (int i = 0; i < 4; ++i) combs[i].line.assign(static_cast<size_t>((combLengths[i] + spread) * size), 0.0f);
    for (int i = 0; i < 2; ++i) allpasses[i].line.assign(allpassLengths[i] + spread, 0.0f);
    for (auto& sample : samples) {
        const float input = sample * 0.25f;
        float wet = 0;
        for (auto& c : combs) wet += combStep(c, input, 0.78f, 0.3f);
        for (auto& a : allpasses) wet = allpassStep(a, wet);
        sample = static_cast<float>(sample * (1.0 - mix) + wet * mix);
    }
}

}  // namespace

void addRoom(Signal& s, double mix, double size) {
    roomChannel(s.left, mix, size, 0);
    roomChannel(s.right, mix, size, 23);
}

void finishSignal(Signal& s, double peak, double fadeIn, double fadeOut) {
    const size_t n = signalLength(s);
    for (auto* channel : {&s.left, &s.right}) {
        // A gentle one-pole high-pass at about 25 Hz takes out any DC.
        double previousIn = 0, previousOut = 0;
        const double r = 1.0 - kTwoPi * 25.0 / kSampleRate;
        for (auto& sample : *channel) {
            const double out = sample - previousIn + r * previousOut;
            previousIn = sample;
            previousOut = out;
            sample = static_cast<float>(out);
        }
    }
    const size_t inCount = std::max<size_t>(1, static_cast<size_t>(fadeIn * kSampleRate));
    const size_t outCount = std::max<size_t>(1, static_cast<size_t>(fadeOut * kSampleRate));
    for (size_t i = 0; i < n; ++i) {
        double gain = 1.0;
        if (i < inCount) gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / inCount);
        const size_t fromEnd = n - 1 - i;
        if (fromEnd < outCount) gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * fromEnd / outCount);
        s.left[i] = static_cast<float>(s.left[i] * gain);
        s.right[i] = static_cast<float>(s.right[i] * gain);
    }
    float loudest = 0;
    for (size_t i = 0; i < n; ++i) loudest = std::max({loudest, std::fabs(s.left[i]), std::fabs(s.right[i])});
    if (loudest <= 0) return;
    const float scale = static_cast<float>(peak / loudest);
    for (size_t i = 0; i < n; ++i) {
        s.left[i] *= scale;
        s.right[i] *= scale;
    }
}

std::vector<float> interleave(const Signal& s, bool mono) {
    const size_t n = signalLength(s);
    std::vector<float> out;
    out.reserve(mono ? n : 2 * n);
    for (size_t i = 0; i < n; ++i) {
        if (mono) {
            out.push_back(0.5f * (s.left[i] + s.right[i]));
        } else {
            out.push_back(s.left[i]);
            out.push_back(s.right[i]);
        }
    }
    return out;
}
