#include "sound.h"
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

static const int rate = 44100;

static void put16(FILE *f, int v) { fputc(v & 255, f); fputc((v >> 8) & 255, f); }
static void put32(FILE *f, long v) { put16(f, v & 65535); put16(f, (v >> 16) & 65535); }

static bool write_wav(const std::string &path, const std::vector<float> &s)
{
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    long bytes = (long)s.size() * 2;
    fputs("RIFF", f); put32(f, 36 + bytes); fputs("WAVE", f);
    fputs("fmt ", f); put32(f, 16); put16(f, 1); put16(f, 1);
    put32(f, rate); put32(f, rate * 2); put16(f, 2); put16(f, 16);
    fputs("data", f); put32(f, bytes);
    for (float v : s)
        put16(f, (int)std::lround(v * 32767) & 65535);
    return fclose(f) == 0;
}

static std::vector<float> tone(double freq, double secs, double decay, double level)
{
    std::vector<float> s((size_t)(secs * rate));
    for (size_t i = 0; i < s.size(); i++) {
        double t = (double)i / rate;
        s[i] = (float)(level * std::exp(-t * decay) * std::sin(2 * M_PI * freq * t));
    }
    return s;
}

bool write_chime(const std::string &path) { return write_wav(path, tone(1320, 0.6, 6, 0.6)); }
bool write_bump(const std::string &path) { return write_wav(path, tone(110, 0.12, 30, 0.5)); }
bool write_tune(const std::string &path) { return write_wav(path, tone(440, 3, 0.5, 0.3)); }
