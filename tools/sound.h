// The sounds: synthesised and written as 16-bit mono PCM WAV files.
#ifndef TAVUNA_SOUND_H
#define TAVUNA_SOUND_H

#include <string>

bool write_chime(const std::string &path);
bool write_bump(const std::string &path);
bool write_tune(const std::string &path);

#endif
