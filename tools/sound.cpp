// The game's sounds, synthesised: a lap chime, a soft bump and a little
// menu tune with melody, bass and drums.  Written as 16-bit mono PCM.
#include "sound.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

const int rate = 44100;
typedef std::vector<float> track;

void put16(FILE *f, int v)
{
    fputc(v & 255, f);
    fputc((v >> 8) & 255, f);
}

void put32(FILE *f, uint32_t v)
{
    put16(f, v & 65535);
    put16(f, v >> 16);
}

bool write_wav(const std::string &path, const track &s)
{
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    uint32_t bytes = s.size() * 2;
    fputs("RIFF", f);
    put32(f, 36 + bytes);
    fputs("WAVEfmt ", f);
    put32(f, 16);
    put16(f, 1);          // PCM
    put16(f, 1);          // mono
    put32(f, rate);
    put32(f, rate * 2);
    put16(f, 2);
    put16(f, 16);
    fputs("data", f);
    put32(f, bytes);
    for (float v : s)
        put16(f, (int)std::lround(std::clamp(v, -1.0f, 1.0f) * 32767));
    return fclose(f) == 0;
}

// Scales a track so that its loudest sample stands at the given level.
void normalise(track &s, double level)
{
    float peak = 0;
    for (float v : s)
        peak = std::max(peak, std::fabs(v));
    if (peak > 0)
        for (float &v : s)
            v = v * level / peak;
}

// White noise from our own generator, the same on every run.
struct noise_source {
    uint32_t state = 22222;
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / (double)(1 << 24) * 2 - 1;
    }
};

double freq(int midi) { return 440 * std::pow(2.0, (midi - 69) / 12.0); }

// A plucked, bell-like note added into the track.
void bell(track &s, double at, double len, double hz, double level, double decay)
{
    size_t from = at * rate, n = len * rate;
    for (size_t i = 0; i < n && from + i < s.size(); i++) {
        double t = (double)i / rate, env = std::exp(-t * decay) * std::min(1.0, t * 400);
        double v = std::sin(2 * M_PI * hz * t) + 0.35 * std::sin(4 * M_PI * hz * t) + 0.12 * std::sin(6 * M_PI * hz * t);
        s[from + i] += level * env * v;
    }
}

// A soft square-ish lead (a few odd harmonics) with attack and release.
void lead(track &s, double at, double len, double hz, double level)
{
    size_t from = at * rate, n = len * rate;
    for (size_t i = 0; i < n && from + i < s.size(); i++) {
        double t = (double)i / rate;
        double env = std::min(1.0, t * 80) * std::min(1.0, (len - t) * 30) * (0.8 + 0.2 * std::exp(-t * 6));
        double vib = 1 + 0.004 * std::sin(2 * M_PI * 5.5 * t) * std::min(1.0, t * 3);
        double ph = 2 * M_PI * hz * vib * t;
        s[from + i] += level * env * (std::sin(ph) + std::sin(3 * ph) / 5 + std::sin(5 * ph) / 12);
    }
}

void bass(track &s, double at, double len, double hz, double level)
{
    size_t from = at * rate, n = len * rate;
    for (size_t i = 0; i < n && from + i < s.size(); i++) {
        double t = (double)i / rate;
        double env = std::min(1.0, t * 200) * std::min(1.0, (len - t) * 40) * std::exp(-t * 2.5);
        double ph = 2 * M_PI * hz * t;
        s[from + i] += level * env * (std::sin(ph) + 0.3 * std::sin(2 * ph));
    }
}

void kick(track &s, double at, double level)
{
    size_t from = at * rate;
    double ph = 0;
    for (size_t i = 0; i < 0.25 * rate && from + i < s.size(); i++) {
        double t = (double)i / rate;
        ph += 2 * M_PI * (50 + 90 * std::exp(-t * 30)) / rate;
        s[from + i] += level * std::exp(-t * 14) * std::sin(ph);
    }
}

void hiss(track &s, noise_source &ns, double at, double len, double level, double decay, double bright)
{
    size_t from = at * rate;
    double low = 0;
    for (size_t i = 0; i < len * rate && from + i < s.size(); i++) {
        double t = (double)i / rate, v = ns.next();
        low += (v - low) * (1 - bright);
        s[from + i] += level * std::exp(-t * decay) * (bright > 0.5 ? v - low : low);
    }
}

} // namespace

// Two bright rising notes, under a second.
bool write_chime(const std::string &path)
{
    track s(0.8 * rate, 0);
    bell(s, 0, 0.8, freq(88), 0.5, 5);
    bell(s, 0.11, 0.69, freq(95), 0.5, 5);
    normalise(s, 0.7);
    return write_wav(path, s);
}

// A short, soft, low thump: it restarts every frame while boats touch.
bool write_bump(const std::string &path)
{
    track s(0.12 * rate, 0);
    size_t n = s.size();
    double ph = 0;
    noise_source ns;
    for (size_t i = 0; i < n; i++) {
        double t = (double)i / rate;
        ph += 2 * M_PI * (70 + 60 * std::exp(-t * 40)) / rate;
        s[i] = std::exp(-t * 35) * std::min(1.0, t * 600) * std::sin(ph);
    }
    hiss(s, ns, 0, 0.05, 0.15, 60, 0.1);
    normalise(s, 0.4);
    return write_wav(path, s);
}

// Sixteen bars at 120 beats a minute over C, G, A minor, F; the melody
// picks chord tones by a fixed pattern that changes every four bars.
bool write_tune(const std::string &path)
{
    const double beat = 0.5;
    const int bars = 16;
    const int roots[4] = {48, 43, 45, 41};              // C, G, A, F (bass)
    const int chords[4][3] = {{60, 64, 67}, {59, 62, 67}, {57, 60, 64}, {57, 60, 65}};
    const int steps[4][8] = {{0, 1, 2, 1, 2, 3, 2, 1}, {2, 1, 0, 1, 2, 2, 3, 4},
                             {4, 3, 2, 3, 1, 2, 0, 0}, {0, 2, 4, 3, 2, 1, 2, 0}};
    const double lens[8] = {1, 0.5, 0.5, 1, 0.5, 0.5, 0.5, 0.5};
    track s((size_t)((bars * 4 + 2) * beat * rate), 0);
    noise_source ns;
    for (int bar = 0; bar < bars; bar++) {
        int c = bar % 4, section = (bar / 4) % 4;
        double t0 = bar * 4 * beat;
        for (int b = 0; b < 4; b++) {
            bass(s, t0 + b * beat, beat * 0.9, freq(roots[c] + (b == 3 ? 7 : 0)), 0.32);
            if (b % 2 == 0)
                kick(s, t0 + b * beat, 0.5);
            else
                hiss(s, ns, t0 + b * beat, 0.18, 0.22, 18, 0.3);
            for (int h = 0; h < 2; h++)
                hiss(s, ns, t0 + (b + 0.5 * h) * beat, 0.05, 0.08, 70, 0.9);
        }
        double t = t0;
        for (int k = 0; k < 8 && t < t0 + 4 * beat - 1e-9; k++) {
            int tone = steps[section][k];
            int note = chords[c][tone % 3] + 12 * (tone / 3) + 12;
            double len = lens[(k + section) % 8] * beat * 2;
            len = std::min(len, t0 + 4 * beat - t);
            lead(s, t, len * 0.92, freq(note), 0.22);
            t += len;
        }
        for (int tone = 0; tone < 3; tone++)
            bell(s, t0, 4 * beat, freq(chords[c][tone]), 0.05, 1.2);
    }
    bell(s, bars * 4 * beat, 2 * beat, freq(60), 0.3, 2);
    bell(s, bars * 4 * beat, 2 * beat, freq(72), 0.2, 2);
    normalise(s, 0.8);
    return write_wav(path, s);
}
