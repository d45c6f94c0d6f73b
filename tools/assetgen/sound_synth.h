// Small building blocks for the synthesised effects: tones with glides and envelopes,
// bells, filtered noise, a short room, and the finishing touches (no clicks, safe peaks).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kSampleRate = 44100;

// A stereo sound; both channels always have the same length.
struct Signal {
    std::vector<float> left;
    std::vector<float> right;
};

Signal makeSignal(double seconds);
size_t signalLength(const Signal& s);
double signalSeconds(const Signal& s);

// Deterministic white noise in -1 … 1.
struct Noise {
    uint32_t state;
};
float nextNoise(Noise& noise);
float noiseUnit(Noise& noise);  // 0 … 1

// Linear attack, then exponential decay with the given time constant (seconds).
double attackDecay(double t, double attack, double decay);

// Pan: -1 left, 0 centre, 1 right (equal power).
void addSample(Signal& s, size_t i, double value, double pan);

// A sine partial from start for length seconds, gliding exponentially from freq to
// freqEnd over the glide time, with an attack/decay envelope.
struct Tone {
    double start = 0;
    double length = 0.5;
    double freq = 440;
    double freqEnd = 0;      // 0: no glide
    double glide = 0.05;     // seconds to reach freqEnd
    double amplitude = 0.3;
    double attack = 0.005;
    double decay = 0.2;
    double pan = 0;
    double vibratoRate = 0;  // Hz
    double vibratoDepth = 0; // fraction of the frequency
};
void addTone(Signal& s, const Tone& tone);

// A struck bell or bar: a few inharmonic partials, the higher ones dying sooner.
void addBell(Signal& s, double start, double freq, double amplitude, double decay, double pan,
             double brightness = 1.0);

// Chamberlin state-variable filter; keep cutoff below a sixth of the sample rate.
struct SvFilter {
    double low = 0, band = 0, high = 0;
};
void runFilter(SvFilter& f, double input, double cutoff, double damping);

// A small, soft room: a few comb filters and allpasses, mixed in.
void addRoom(Signal& s, double mix, double size = 1.0);

// Removes DC, scales so the loudest sample is peak, and fades both ends to silence.
void finishSignal(Signal& s, double peak, double fadeIn, double fadeOut);

// Interleaves for writing: two channels, or one when mono is asked for.
std::vector<float> interleave(const Signal& s, bool mono);
