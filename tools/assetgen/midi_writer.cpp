#include "midi_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

void putVariableLength(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

uint8_t dataByte(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 127)); }

uint8_t status(int kind, int channel) { return static_cast<uint8_t>(kind | (channel & 0x0F)); }

}  // namespace

void addTrackName(MidiTrack& track, const std::string& name) {
    std::vector<uint8_t> bytes = {0xFF, 0x03, static_cast<uint8_t>(name.size())};
    bytes.insert(bytes.end(), name.begin(), name.end());
    track.events.push_back({0, 1, bytes});
}

void addTempo(MidiTrack& track, uint32_t tick, double beatsPerMinute) {
    const uint32_t micros = static_cast<uint32_t>(std::lround(60000000.0 / beatsPerMinute));
    track.events.push_back({tick, 1, {0xFF, 0x51, 0x03, static_cast<uint8_t>(micros >> 16),
                                      static_cast<uint8_t>(micros >> 8), static_cast<uint8_t>(micros)}});
}

void addTimeSignature(MidiTrack& track, uint32_t tick, int numerator, int denominatorPower) {
    track.events.push_back({tick, 1, {0xFF, 0x58, 0x04, static_cast<uint8_t>(numerator),
                                      static_cast<uint8_t>(denominatorPower), 24, 8}});
}

void addProgram(MidiTrack& track, uint32_t tick, int channel, int program) {
    track.events.push_back({tick, 1, {status(0xC0, channel), dataByte(program)}});
}

void addControl(MidiTrack& track, uint32_t tick, int channel, int controller, int value) {
    track.events.push_back({tick, 1, {status(0xB0, channel), dataByte(controller), dataByte(value)}});
}

void addNote(MidiTrack& track, uint32_t tick, uint32_t duration, int channel, int key, int velocity) {
    if (key < 0 || key > 127 || duration == 0) return;
    track.events.push_back({tick, 2, {status(0x90, channel), dataByte(key), dataByte(std::max(1, velocity))}});
    track.events.push_back({tick + duration, 0, {status(0x80, channel), dataByte(key), 64}});
}

std::vector<uint8_t> encodeMidi(const std::vector<MidiTrack>& tracks, int ticksPerQuarter, uint32_t endTick) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    putU32(out, 6);
    out.insert(out.end(), {0x00, 0x01});
    out.push_back(static_cast<uint8_t>(tracks.size() >> 8));
    out.push_back(static_cast<uint8_t>(tracks.size()));
    out.push_back(static_cast<uint8_t>(ticksPerQuarter >> 8));
    out.push_back(static_cast<uint8_t>(ticksPerQuarter));

    for (const MidiTrack& track : tracks) {
        std::vector<MidiEvent> events = track.events;
        std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<uint8_t> body;
        uint32_t now = 0;
        for (const MidiEvent& e : events) {
            putVariableLength(body, e.tick - now);
            now = e.tick;
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        }
        putVariableLength(body, endTick > now ? endTick - now : 0);
        body.insert(body.end(), {0xFF, 0x2F, 0x00});
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        putU32(out, static_cast<uint32_t>(body.size()));
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

bool writeMidi(const std::string& path, const std::vector<MidiTrack>& tracks, int ticksPerQuarter,
               uint32_t endTick) {
    const std::vector<uint8_t> bytes = encodeMidi(tracks, ticksPerQuarter, endTick);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "assetgen: cannot create %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
