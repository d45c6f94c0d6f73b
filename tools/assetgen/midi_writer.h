// A small Standard MIDI File writer: format 1, one conductor track and note tracks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct MidiEvent {
    uint32_t tick;
    int order;                  // at the same tick: note-offs (0) before set-up (1) before note-ons (2)
    std::vector<uint8_t> bytes; // status and data, or FF type length data for meta events
};

struct MidiTrack {
    std::vector<MidiEvent> events;
};

void addTrackName(MidiTrack& track, const std::string& name);
void addTempo(MidiTrack& track, uint32_t tick, double beatsPerMinute);
void addTimeSignature(MidiTrack& track, uint32_t tick, int numerator, int denominatorPower);
void addProgram(MidiTrack& track, uint32_t tick, int channel, int program);
void addControl(MidiTrack& track, uint32_t tick, int channel, int controller, int value);
// A note from tick for duration ticks; keys outside 0 … 127 are dropped.
void addNote(MidiTrack& track, uint32_t tick, uint32_t duration, int channel, int key, int velocity);

// The tracks' bytes, each ended with End of Track at endTick (or at its last event if later).
std::vector<uint8_t> encodeMidi(const std::vector<MidiTrack>& tracks, int ticksPerQuarter, uint32_t endTick);
bool writeMidi(const std::string& path, const std::vector<MidiTrack>& tracks, int ticksPerQuarter,
               uint32_t endTick);
